// Method 4 and Hangman over the real main window in the default data folder,
// offscreen: Method 4's next word with its article read, cut and painted, and
// one Hangman key press until the pattern and the gallows are painted.
#include "app/Unit1.h"
#include "bench/BenchApplication.h"
#include "exercises/HANG1.h"
#include "exercises/Unit6.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

std::unique_ptr<app::TForm1> gForm;

// Next word in list order: the word's letter and head-word selected in the
// main window, its article read through the scrambled stream, its head cut
// away and the window painted.
void BM_Method4NextWordWithArticle(benchmark::State& state) {
    gForm->StudyList().SetItems({});
    gForm->StudyList().FillFromDefaultList();
    exercises::TForm6 window(gForm->ExerciseSeams(), gForm.get());
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.Button7Click();
        QApplication::processEvents();
    }
    state.SetLabel(std::to_string(gForm->StudyList().Count()) + " study words");
    window.ExitClick();
}
BENCHMARK(BM_Method4NextWordWithArticle)->Unit(benchmark::kMillisecond);

const std::string kWord = "electroencephalography";

// A key press in the answer box: a miss at every stage up to the loss figure
// (the game starts again, untimed, after the tenth), or a hit on the long
// word; the pattern, the tried letters and the picture are painted.
void HangmanKeys(benchmark::State& state, const std::string& keys) {
    exercises::THangForm1 window(gForm->ExerciseSeams(), gForm->HangmanScore, gForm.get());
    window.Init(kWord);
    window.show();
    QApplication::processEvents();
    std::size_t next = 0;
    for (auto _ : state) {
        if (next == keys.size()) {
            state.PauseTiming();
            window.Init(kWord);
            QApplication::processEvents();
            next = 0;
            state.ResumeTiming();
        }
        QTest::keyClick(window.Edit1, keys[next++]);
        QApplication::processEvents();
    }
    window.Button4Click();
}

void BM_HangmanMissRepainted(benchmark::State& state) {
    HangmanKeys(state, "bdfijkmqsu");
}
BENCHMARK(BM_HangmanMissRepainted)->Unit(benchmark::kMicrosecond);

void BM_HangmanHitRepainted(benchmark::State& state) {
    HangmanKeys(state, "lcrophg");
}
BENCHMARK(BM_HangmanHitRepainted)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    const auto application = MakeBenchApplication(argc, argv);
    BenchEnvironment().PlayVerdictSound = [](const std::filesystem::path&) {};
    const platform::TPaths paths = platform::TPaths::Below(DICT_RUN_DIR);
    gForm = std::make_unique<app::TForm1>(paths, BenchEnvironment());
    gForm->FormCreate();
    QApplication::processEvents();
    const int status = RunBenchmarks(argc, argv);
    gForm.reset();
    return status;
}
