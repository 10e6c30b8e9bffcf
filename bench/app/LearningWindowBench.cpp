// The learning record as the main window meets it: an exercise's answer
// through the adapter (what the verdict waits for), and the progress window
// from its figures read to shown, over 10,000 words and 100,000 answers.
#include "app/Learning.h"
#include "bench/BenchApplication.h"
#include "learning/RecordFile.h"
#include "progress/ProgressModel.h"
#include "progress/ProgressWindow.h"
#include "tests/learning/TestFolder.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <random>

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

// From the figures read to the window painted on the screen.
void BM_ProgressWindowShown(benchmark::State& state) {
    static BigRecord big;
    TLearningRecord record(big.folder.Record());
    for (auto _ : state) {
        const TDayClock clock = app::TLearning::Today();
        const TProgress figures = record.Progress(clock);
        progress::TProgressWindow window(
            progress::MakeProgressModel(figures, false, clock.UtcOffset), false, {});
        window.show();
        window.repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}
BENCHMARK(BM_ProgressWindowShown)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const auto application = MakeBenchApplication(argc, argv);
    return RunBenchmarks(argc, argv);
}
