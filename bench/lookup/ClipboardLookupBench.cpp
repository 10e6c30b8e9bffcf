// The look-up of copied text on the full FreeDict data, through the real
// letter tabs, search box and article pane: a long copied text without
// blanks must not freeze the window.
#include "bench/lookup/BenchHost.h"
#include "dictionary/LookupService.h"
#include "dictool/Builder.h"
#include "dictool/FreeDictSource.h"
#include "dictool/Transcriber.h"
#include "lookup/LookupWindow.h"
#include "lookup/RichEditDblClick.h"
#include "lookup/SearchCombo.h"
#include "lookup/TabControl.h"
#include "ui/Environment.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Fixture {
    Fixture() {
        const std::string freedict = FREEDICT_INDEX;
        const auto data =
            dictool::ReadFreeDict(freedict, freedict.substr(0, freedict.size() - 6) + ".dict.dz");
        dictool::Transcriber transcriber;
        dictool::BuildDictionary(data.Entries, dir, transcriber);
        index.Load(dir);
        for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
            tabs->AddTab(dictionary::TabCaption(tab));
        }
        lookup.SelectLetter(0);
    }
    ~Fixture() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    fs::path dir = fs::temp_directory_path() / ("clipboard-bench-" + std::to_string(::getpid()));
    dictionary::DictionaryIndex index;
    dictionary::TLookupService service{index};
    QWidget window;
    lookup::TTabControl* tabs = new lookup::TTabControl(&window);
    lookup::TSearchCombo* combo = new lookup::TSearchCombo(tabs);
    lookup::TRichEditDblClick* pane = new lookup::TRichEditDblClick(&window);
    bench::TBenchHost host;
    ui::TEnvironment environment;
    lookup::TLookupWindow lookup{service, *tabs, *combo, *pane, host, host, environment};
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

// A megabyte copied without a blank (a long link, an encoded blob): the
// first word is "household" followed by letters no head-word goes on with.
QString CopiedMegabyte() {
    QString text = QStringLiteral("household");
    while (text.size() < (1 << 20)) {
        text += QStringLiteral("qzxqzxqzx");
    }
    return text;
}

void BM_ClipboardMegabyteWithoutBlanks(benchmark::State& state) {
    Fixture& f = Shared();
    const QString copied = CopiedMegabyte();
    for (auto _ : state) {
        f.lookup.ClipboardChanged(copied);
    }
    state.SetLabel(f.combo->Text());
}
BENCHMARK(BM_ClipboardMegabyteWithoutBlanks)->Unit(benchmark::kMillisecond);

// The look-up alone, on the text already in the code page.
void BM_FindByShorteningMegabyte(benchmark::State& state) {
    Fixture& f = Shared();
    const std::string copied = CopiedMegabyte().toStdString();
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.service.FindText(copied));
    }
}
BENCHMARK(BM_FindByShorteningMegabyte)->Unit(benchmark::kMicrosecond);

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
