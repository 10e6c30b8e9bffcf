// The learning record as the main window meets it: an exercise's answer
// through the adapter (what the verdict waits for), and the progress window
// from the command to the window painted with its chart, over 10,000 words
// and 100,000 answers: the figures read on the adapter's thread, the window
// made by its library. The first window of a run also opens and checks the
// record and loads the library.
#include "app/Learning.h"
#include "app/ProgressLibrary.h"
#include "bench/BenchApplication.h"
#include "learning/RecordFile.h"
#include "progress/ProgressModel.h"
#include "tests/learning/TestFolder.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <thread>
#include <utility>

namespace {

using namespace learning;

constexpr int kWords = 10'000;
constexpr int kAnswers = 100'000;
constexpr std::int64_t kMinuteMs = 60'000;
constexpr int kDays = 60;

std::string WordName(int i) {
    return "word" + std::to_string(i);
}

// 100,000 answers to 10,000 words over the last 60 days, three in four
// right, written once per run.
struct BigRecord {
    BigRecord() {
        sqlite::TDatabase db = OpenRecordFile(folder.Record());
        db.Exec("PRAGMA synchronous=OFF");
        TAnswerWriter writer(db);
        std::mt19937 random(42);
        const TAnswerKind kinds[] = {TAnswerKind::Right, TAnswerKind::Right, TAnswerKind::Right,
                                     TAnswerKind::Wrong, TAnswerKind::Seen};
        const std::int64_t startMs = ToMs(Now()) - kDays * 24 * 60 * kMinuteMs;
        for (int i = 0; i < kAnswers; ++i) {
            TAnswer answer;
            answer.Entry = WordName(static_cast<int>(random() % kWords));
            answer.HeadWord = answer.Entry;
            answer.Tab = 22;
            answer.Kind = kinds[random() % 5];
            answer.At = FromMs(startMs + static_cast<std::int64_t>(i) * kDays * 24 * 60 / kAnswers *
                                             kMinuteMs);
            writer.Write(answer);
        }
    }
    learningtest::TestFolder folder;
};

// What a verdict waits for: the answer found in the dictionary and queued.
void BM_RecordAnswerThroughAdapter(benchmark::State& state) {
    learningtest::TestFolder folder;
    dictionary::DictionaryIndex index;
    const dictionary::TLookupService lookup(index);
    app::TLearning adapter(folder.Record(), lookup, [] { return false; }, {});
    adapter.Answered({TExercise::Method3, "house", TAnswerKind::Right}); // opens the file
    adapter.WaitUntilIdle(std::chrono::seconds(10));
    int i = 0;
    for (auto _ : state) {
        adapter.Answered({TExercise::Method3, WordName(i % 500), TAnswerKind::Right});
        if (++i % 200 == 0) {
            // A learner answers far slower than this loop: the writer keeps
            // up off the clock.
            state.PauseTiming();
            adapter.WaitUntilIdle(std::chrono::seconds(10));
            state.ResumeTiming();
        }
    }
    adapter.WaitUntilIdle(std::chrono::seconds(10));
}
BENCHMARK(BM_RecordAnswerThroughAdapter)->Unit(benchmark::kMicrosecond)->Iterations(20000);

// The command's path: the figures asked of the adapter and handed back on
// this thread, the window made, shown and painted.
void ShowProgress(app::TLearning& adapter, app::TProgressLibrary& library) {
    std::optional<std::pair<TProgress, TDayClock>> read;
    adapter.ReadProgress(
        [&](TProgress figures, TDayClock clock) { read.emplace(std::move(figures), clock); });
    while (!read) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    const progress::TMakeProgressWindow make = library.Maker();
    if (make == nullptr) {
        std::fprintf(stderr, "%s\n", library.Failure().c_str());
        std::abort();
    }
    const std::unique_ptr<QDialog> window(
        make(progress::MakeProgressModel(read->first, false, read->second.UtcOffset), false, {},
             nullptr));
    window->show();
    window->repaint();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window->isVisible());
}

BigRecord& Big() {
    static BigRecord big;
    return big;
}

// A window opened again: the record is open and checked, the library loaded.
void BM_ProgressWindowShown(benchmark::State& state) {
    dictionary::DictionaryIndex index;
    const dictionary::TLookupService lookup(index);
    app::TLearning adapter(Big().folder.Record(), lookup, [] { return false; }, {});
    app::TProgressLibrary library(PROGRESS_LIBRARY);
    ShowProgress(adapter, library);
    for (auto _ : state) {
        ShowProgress(adapter, library);
    }
}
BENCHMARK(BM_ProgressWindowShown)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The first window of a run: the record opened and checked on the adapter's
// thread. (The library is loaded by the first iteration only.)
void BM_ProgressWindowFirstShown(benchmark::State& state) {
    dictionary::DictionaryIndex index;
    const dictionary::TLookupService lookup(index);
    app::TProgressLibrary library(PROGRESS_LIBRARY);
    for (auto _ : state) {
        app::TLearning adapter(Big().folder.Record(), lookup, [] { return false; }, {});
        ShowProgress(adapter, library);
        state.PauseTiming();
        adapter.WaitUntilIdle(std::chrono::seconds(10));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ProgressWindowFirstShown)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The first window of a run as the menu brings it: the record opened and
// checked from the moment the menu showed, while the pointer moved to the
// item (150 ms, off the clock); what the check has not done by then counts.
void BM_ProgressWindowFirstShownFromTheMenu(benchmark::State& state) {
    dictionary::DictionaryIndex index;
    const dictionary::TLookupService lookup(index);
    app::TProgressLibrary library(PROGRESS_LIBRARY);
    for (auto _ : state) {
        state.PauseTiming();
        app::TLearning adapter(Big().folder.Record(), lookup, [] { return false; }, {});
        adapter.Prepare();
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        state.ResumeTiming();
        ShowProgress(adapter, library);
        state.PauseTiming();
        adapter.WaitUntilIdle(std::chrono::seconds(10));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ProgressWindowFirstShownFromTheMenu)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

} // namespace

int main(int argc, char** argv) {
    const auto application = MakeBenchApplication(argc, argv);
    return RunBenchmarks(argc, argv);
}
