// Copy to article on the default data folder, through the real letter tabs,
// search box and article pane, with the word forms the look-up reads: a
// copied form ("went") against the exact head-word it resolves to ("go"):
// both pairs show the same articles, so the ratio of their medians is the
// cost of resolving the form and of the line that says so.
//
//   lookup_form_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "bench/lookup/BenchHost.h"
#include "dictionary/LookupService.h"
#include "lookup/LookupWindow.h"
#include "lookup/RichEditDblClick.h"
#include "lookup/SearchCombo.h"
#include "lookup/TabControl.h"
#include "ui/CodePageText.h"
#include "ui/Environment.h"
#include "wordforms/WordFormsResolver.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct Fixture {
    Fixture() {
        index.Load(DATA_DIR);
        service.SetResolver(&forms);
        for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
            tabs->AddTab(dictionary::TabCaption(tab));
        }
        // The main window's sizes: how long a line fits above the article.
        window.resize(612, 320);
        tabs->setGeometry(91, 0, 521, 58);
        pane->setGeometry(0, 58, 402, 222);
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
    bench::TBenchHost host;
    ui::TEnvironment environment;
    lookup::TLookupWindow lookup{service, *tabs, *combo, *pane, host, host, environment};
};

// Made at the first benchmark that runs and gone before the application,
// whose widgets it holds.
std::unique_ptr<Fixture> gFixture;

Fixture& Shared() {
    if (!gFixture) {
        gFixture = std::make_unique<Fixture>();
    }
    return *gFixture;
}

// Two words copied in turn, so that every copy shows another article and
// another line above it.
void BM_Copy(benchmark::State& state, const char* first, const char* second) {
    Fixture& f = Shared();
    const QString texts[2] = {QString::fromUtf8(first), QString::fromUtf8(second)};
    int turn = 0;
    for (auto _ : state) {
        f.lookup.ClipboardChanged(texts[turn]);
        turn ^= 1;
    }
    state.SetLabel(f.pane->NoteText().toStdString());
}
BENCHMARK_CAPTURE(BM_Copy, exact_go_book, "go", "book")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Copy, form_went_books, "went", "books")->Unit(benchmark::kMicrosecond);
// Forms that also begin phrase head-words: the line offers them as links.
BENCHMARK_CAPTURE(BM_Copy, exact_bake_chew, "bake", "chew")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Copy, form_baking_chewing, "baking", "chewing")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Copy, exact_kashta_grad, "къща", "град")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Copy, form_kashtata_grada, "къщата", "града")->Unit(benchmark::kMicrosecond);

// The look-up alone, without the widgets.
void BM_FindText(benchmark::State& state, const char* first, const char* second) {
    Fixture& f = Shared();
    const std::string texts[2] = {ui::ToCodePage(QString::fromUtf8(first)),
                                  ui::ToCodePage(QString::fromUtf8(second))};
    int turn = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.service.FindText(texts[turn]));
        turn ^= 1;
    }
}
BENCHMARK_CAPTURE(BM_FindText, exact_go_book, "go", "book")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FindText, form_went_books, "went", "books")->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gFixture.reset();
    return 0;
}
