// The main window's language switch, view switch and the pronunciation key
// coming up, offscreen, each until the window has painted the change.
#include "app/Unit1.h"
#include "bench/BenchApplication.h"
#include "dictool/Builder.h"
#include "dictool/Transcriber.h"
#include "dictool/TsvSource.h"

#include <QAction>
#include <QApplication>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr const char* kWords = "hot\thɒt\tгорещ\n"
                               "hour\taʊə\tчас\n"
                               "house\thaʊs\tкъща\n";

std::unique_ptr<platform::TPaths> gPaths;

std::unique_ptr<app::TForm1> NewForm() {
    auto form = std::make_unique<app::TForm1>(*gPaths, BenchEnvironment());
    form->FormCreate();
    form->Sound().MPEG1.SetPathToDLL(MPEGDLL_DIR);
    form->StudyList().SetItems({"hour", "house"});
    QApplication::processEvents();
    return form;
}

// With the settings file each switch rewrites it, durably; without it the
// switch writes nothing (argument 0).
void WithSettingsFile(const benchmark::State& state) {
    if (state.range(0) == 0) {
        fs::remove(gPaths->StateFile("Dictionary.cfg"));
    }
}

// Both directions in turn.
void BM_LanguageSwitch(benchmark::State& state) {
    auto form = NewForm();
    WithSettingsFile(state);
    bool english = false;
    for (auto _ : state) {
        english = !english;
        (english ? form->Layout().N15 : form->Layout().N14)->trigger();
        form->repaint();
    }
}
BENCHMARK(BM_LanguageSwitch)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_ViewSwitch(benchmark::State& state) {
    auto form = NewForm();
    WithSettingsFile(state);
    bool compact = false;
    for (auto _ : state) {
        compact = !compact;
        (compact ? form->Layout().N12 : form->Layout().N11)->trigger();
        QApplication::processEvents();
        form->repaint();
    }
}
BENCHMARK(BM_ViewSwitch)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// From the menu command to the key painted, the decoding library loaded
// afresh each time.
void BM_PronunciationKeyShown(benchmark::State& state) {
    auto form = NewForm();
    for (auto _ : state) {
        form->Layout().N16->trigger();
        form->repaint();
        state.PauseTiming();
        form->SpeedButton3Click();
        if (form->Sound().MPEG1.IsLibraryLoaded()) {
            form->Sound().MPEG1.DonePlayer();
        }
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PronunciationKeyShown)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const auto application = MakeBenchApplication(argc, argv);
    const fs::path dir =
        fs::temp_directory_path() / ("interface-bench-" + std::to_string(::getpid()));
    dictool::Transcriber transcriber;
    dictool::BuildDictionary(dictool::ParseTsv(kWords, "words"), dir, transcriber);
    gPaths = std::make_unique<platform::TPaths>(platform::TPaths::Below(dir));

    const int status = RunBenchmarks(argc, argv);
    gPaths.reset();
    fs::remove_all(dir);
    return status;
}
