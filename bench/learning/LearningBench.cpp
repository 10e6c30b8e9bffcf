// The learning record's costs: an exercise recording an answer, Review
// asking for the due list, and the progress window's figures, over a record
// of 10,000 words and 100,000 answers.
#include "learning/LearningRecord.h"
#include "learning/RecordFile.h"
#include "tests/learning/TestFolder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

namespace fs = std::filesystem;
using namespace learning;

namespace {

constexpr int kWords = 10'000;
constexpr int kAnswers = 100'000;
constexpr std::int64_t kStartMs = 1709283600000; // 2024-03-01 09:00 UTC
constexpr std::int64_t kMinuteMs = 60'000;
constexpr int kDays = 60;

std::string WordName(int i) {
    std::string word = "word";
    word += std::to_string(i);
    return word;
}

TAnswer MakeAnswer(int word, TAnswerKind kind, std::int64_t atMs) {
    TAnswer answer;
    answer.Entry = WordName(word);
    answer.HeadWord = answer.Entry;
    answer.Tab = 22;
    answer.Kind = kind;
    answer.At = FromMs(atMs);
    answer.Seconds = 3.5;
    return answer;
}

using Folder = learningtest::TestFolder;

// 100,000 answers to 10,000 words over 60 days, three in four right, written
// once per run.
struct BigRecord {
    BigRecord() {
        sqlite::TDatabase db = OpenRecordFile(folder.Record());
        db.Exec("PRAGMA synchronous=OFF");
        TAnswerWriter writer(db);
        std::mt19937 random(42);
        const TAnswerKind kinds[] = {TAnswerKind::Right, TAnswerKind::Right, TAnswerKind::Right,
                                     TAnswerKind::Wrong, TAnswerKind::Seen};
        for (int i = 0; i < kAnswers; ++i) {
            const std::int64_t atMs =
                kStartMs + static_cast<std::int64_t>(i) * kDays * 24 * 60 / kAnswers * kMinuteMs;
            writer.Write(
                MakeAnswer(static_cast<int>(random() % kWords), kinds[random() % 5], atMs));
        }
        for (int i = 0; i < 245; ++i) {
            list.push_back(WordName(kWords + i)); // new words of the list
        }
    }
    Folder folder;
    std::vector<std::string> list;
    TDayClock clock{FromMs(kStartMs + kDays * 24 * 60 * kMinuteMs), std::chrono::hours(2)};
};

BigRecord& Big() {
    static BigRecord record;
    return record;
}

// What an exercise pays: the answer is queued, the record's thread writes it.
void BM_RecordAnswer(benchmark::State& state) {
    Folder folder;
    TLearningRecord record(folder.Record());
    record.Record(MakeAnswer(0, TAnswerKind::Right, kStartMs)); // opens the file
    record.WaitUntilWritten(std::chrono::seconds(10));
    int i = 0;
    for (auto _ : state) {
        record.Record(MakeAnswer(i % 500, TAnswerKind::Right, kStartMs + i * kMinuteMs));
        if (++i % 200 == 0) {
            // A learner answers far slower than this loop: let the writer
            // keep up, off the clock.
            state.PauseTiming();
            record.WaitUntilWritten(std::chrono::seconds(10));
            state.ResumeTiming();
        }
    }
    record.WaitUntilWritten(std::chrono::seconds(10));
    state.counters["faults"] = static_cast<double>(record.TakeFaults().size());
}
// The time measured is a small part of the time spent (the writer's is off
// the clock), so the iterations are fixed rather than grown to a time.
BENCHMARK(BM_RecordAnswer)->Unit(benchmark::kMicrosecond)->Iterations(20000);

// What the record's thread pays for one answer: one transaction.
void BM_WriteAnswer(benchmark::State& state) {
    Folder folder;
    sqlite::TDatabase db = OpenRecordFile(folder.Record());
    TAnswerWriter writer(db);
    int i = 0;
    for (auto _ : state) {
        writer.Write(MakeAnswer(i % 500, TAnswerKind::Right, kStartMs + i * kMinuteMs));
        ++i;
    }
}
BENCHMARK(BM_WriteAnswer)->Unit(benchmark::kMicrosecond)->Iterations(5000);

void BM_DueList(benchmark::State& state) {
    BigRecord& big = Big();
    TLearningRecord record(big.folder.Record());
    std::size_t due = 0;
    for (auto _ : state) {
        const TDueList list = record.DueList(big.list, big.clock);
        due = list.Due.size() + list.New.size();
        benchmark::DoNotOptimize(due);
    }
    state.counters["words"] = static_cast<double>(due);
}
BENCHMARK(BM_DueList)->Unit(benchmark::kMillisecond);

void BM_Progress(benchmark::State& state) {
    BigRecord& big = Big();
    TLearningRecord record(big.folder.Record());
    int judged = 0;
    for (auto _ : state) {
        const TProgress progress = record.Progress(big.clock, big.list);
        judged = progress.Judged();
        benchmark::DoNotOptimize(judged);
    }
    state.counters["judged"] = judged;
}
BENCHMARK(BM_Progress)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
