// Copy to article on the default data folder, through the real letter tabs,
// search box and article pane, with the word forms the look-up reads: a
// copied form ("went") against the exact head-word it resolves to ("go").
// The ratio of each pair's medians is the cost of resolving the form.
//
//   lookup_form_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "dictionary/LookupService.h"
#include "lookup/LookupWindow.h"
#include "lookup/RichEditDblClick.h"
#include "lookup/SearchCombo.h"
#include "lookup/TabControl.h"
#include "ui/Environment.h"
#include "wordforms/WordFormsResolver.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

struct Host : lookup::TLookupHost, ui::TPronounceButton {
    bool PronounceButtonEnabled() const override { return true; }
    void SetPronounceButtonEnabled(bool) override {}
    bool PronounceButtonVisible() const override { return true; }
    void ApplyPronounceAvailability(int) override {}
    void Pronounce() override {}
    void OpenNewWordDialog(const std::string&, int,
                           const std::function<void(const lookup::TWordPlace&)>&) override {}
    void Defer(std::function<void()>) override {}
    void PostQuit() override {}
    bool TranslateCopiedText() const override { return true; }
    bool BringForwardOnCopy() const override { return false; }
    bool ContinueVisible() const override { return false; }
    void BringForward() override {}
    bool EnglishInterface() const override { return true; }
};

struct Fixture {
    Fixture() {
        index.Load(DATA_DIR);
        service.SetResolver(&forms);
        for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
            tabs->AddTab(dictionary::TabCaption(tab));
        }
        lookup.SelectLetter(0);
        // The word forms are read at the first look-up that needs them, once
        // per run: not what a copy costs afterwards.
        lookup.ClipboardChanged(QStringLiteral("went"));
        if (!forms.Forms().Loaded()) {
            std::fprintf(stderr, "no word forms in %s\n", DATA_DIR);
        }
    }

    dictionary::DictionaryIndex index;
    dictionary::TLookupService service{index};
    wordforms::TWordFormsResolver forms{DATA_DIR, index};
    QWidget window;
    lookup::TTabControl* tabs = new lookup::TTabControl(&window);
    lookup::TSearchCombo* combo = new lookup::TSearchCombo(tabs);
    lookup::TRichEditDblClick* pane = new lookup::TRichEditDblClick(&window);
    Host host;
    ui::TEnvironment environment;
    lookup::TLookupWindow lookup{service, *tabs, *combo, *pane, host, host, environment};
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_Copy(benchmark::State& state, const char* copied) {
    Fixture& f = Shared();
    const QString text = QString::fromUtf8(copied);
    for (auto _ : state) {
        f.lookup.ClipboardChanged(text);
    }
    state.SetLabel(f.combo->Text() + " " + f.pane->NoteText().toStdString());
}
BENCHMARK_CAPTURE(BM_Copy, exact_go, "go")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Copy, form_went, "went")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Copy, exact_book, "book")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Copy, form_books, "books")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Copy, exact_kashta, "къща")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Copy, form_kashtata, "къщата")->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
