// The exercises over the real main window in the default data folder
// (dictionary, default study list and, when made, pronunciations), offscreen
// with SDL's dummy driver: a launcher press until the window is shown and its
// first word is ready, and one step to the next word with its article.
#include "app/Unit1.h"
#include "bench/BenchApplication.h"
#include "exercises/Unit3.h"
#include "exercises/Unit4.h"
#include "exercises/Unit5.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QToolButton>
#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

std::unique_ptr<app::TForm1> gForm;

// Each benchmark presses its launcher; inside the modal run the window is
// shown and brings its first word (Next in Method 1, Start in Methods 2 and
// 3, which show a word at once). The time stops when the word is painted;
// closing is not timed.
void BM_Method1LauncherToFirstWord(benchmark::State& state) {
    benchmark::State* running = &state;
    BenchEnvironment().RunExercise = [&](QDialog& window) {
        auto& exercise = dynamic_cast<exercises::TForm3&>(window);
        exercise.show();
        exercise.Button5Click();
        QApplication::processEvents();
        running->PauseTiming();
        exercise.ExitClick();
    };
    for (auto _ : state) {
        gForm->StudyList().SetItems({});
        gForm->Button5Click();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Method1LauncherToFirstWord)->Unit(benchmark::kMillisecond);

void BM_Method2LauncherToFirstWord(benchmark::State& state) {
    benchmark::State* running = &state;
    BenchEnvironment().RunExercise = [&](QDialog& window) {
        auto& exercise = dynamic_cast<exercises::TForm5&>(window);
        exercise.show();
        exercise.Button3Click();
        QApplication::processEvents();
        running->PauseTiming();
        exercise.ExitClick();
    };
    for (auto _ : state) {
        gForm->StudyList().SetItems({});
        gForm->Button9Click();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Method2LauncherToFirstWord)->Unit(benchmark::kMillisecond);

void BM_Method3LauncherToFirstWord(benchmark::State& state) {
    benchmark::State* running = &state;
    BenchEnvironment().RunExercise = [&](QDialog& window) {
        auto& exercise = dynamic_cast<exercises::TForm4&>(window);
        exercise.show();
        exercise.Button9Click();
        QApplication::processEvents();
        running->PauseTiming();
        exercise.ExitClick();
    };
    for (auto _ : state) {
        gForm->StudyList().SetItems({});
        gForm->Button11Click();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Method3LauncherToFirstWord)->Unit(benchmark::kMillisecond);

// Waits, untimed, for the pronunciation of the word just shown to end: the
// windows keep their Next buttons disabled until then.
template <typename Ready> void WaitForPlayEnd(benchmark::State& state, Ready ready) {
    state.PauseTiming();
    QElapsedTimer waited;
    waited.start();
    while (!ready() && waited.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    state.ResumeTiming();
}

// One step of Method 1: the next study word, its article, painted; with
// speech on its pronunciation starts too.
void BM_Method1Step(benchmark::State& state) {
    const bool speech = state.range(0) != 0;
    gForm->StudyList().SetItems({});
    gForm->StudyList().FillFromDefaultList();
    exercises::TForm3 window(gForm->ExerciseSeams(), gForm.get());
    window.CheckBox1->setChecked(speech);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.Button5Click();
        QApplication::processEvents();
        WaitForPlayEnd(state, [&] { return window.Button5->isEnabled(); });
    }
    window.ExitClick();
    state.SetLabel(speech ? "speech on" : "speech off");
}
BENCHMARK(BM_Method1Step)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Method1Step)->Arg(1)->Iterations(10)->Unit(benchmark::kMillisecond);

// One step of Method 3: the next word shown and spoken, no article.
void BM_Method3Step(benchmark::State& state) {
    gForm->StudyList().SetItems({});
    gForm->StudyList().FillFromDefaultList();
    exercises::TForm4 window(gForm->ExerciseSeams(), gForm.get());
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.Button8Click();
        QApplication::processEvents();
        WaitForPlayEnd(state, [&] { return window.Button8->isEnabled(); });
    }
    window.ExitClick();
}
BENCHMARK(BM_Method3Step)->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const auto application = MakeBenchApplication(argc, argv);
    const platform::TPaths paths = platform::TPaths::Below(DICT_RUN_DIR);
    if (!std::filesystem::exists(paths.DataFile("wave/a"))) {
        std::fprintf(stderr,
                     "No pronunciations in %s: the steps are measured without sound "
                     "(run tools/wavegen/wavegen on it first).\n",
                     DICT_RUN_DIR);
    }
    gForm = std::make_unique<app::TForm1>(paths, BenchEnvironment());
    gForm->FormCreate();
    gForm->Sound().MPEG1.SetPathToDLL(MPEGDLL_DIR);
    QApplication::processEvents();
    const int status = RunBenchmarks(argc, argv);
    gForm.reset();
    return status;
}
