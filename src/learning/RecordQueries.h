#pragma once

#include "learning/Answer.h"
#include "learning/Sqlite.h"
#include "learning/WordState.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the record tells: the words due, each word's record, and the
// figures of the progress window. Everything is read from the derived table
// and the log's time index, never by replaying the log.
namespace learning {

// New words a day brings into review, at most.
constexpr int kDailyNewWords = 20;
// The days the progress window charts, today included.
constexpr int kProgressDays = 30;
// The most missed words it lists.
constexpr int kMostMissedWords = 20;

// The present moment and where the learner's days begin: days (for the daily
// limit of new words and the answers per day) run from local midnight, local
// time being UTC plus UtcOffset. Several answers on one day, for the
// schedule, are those on one UTC date, as FSRS counts them.
struct TDayClock {
    TTime Now;
    std::chrono::minutes UtcOffset{0};

    std::int64_t DayStartMs() const; // the start of today
};

struct TDueWord {
    std::string Entry;
    std::string HeadWord; // empty when it was not found
    int Tab = kNoTab;
    std::int64_t DueMs = 0;
};

// What Review puts into the study list: the words due now, most overdue
// first, then new words of the list.
struct TDueList {
    std::vector<TDueWord> Due;
    std::vector<std::string> New;
    int NewToday = 0; // new words already begun today, counted against the limit

    std::vector<std::string> Entries() const; // Due, then New
};

struct TWordRecord {
    std::string Entry;
    TWordState State;
};

struct TDayCount {
    std::int64_t DayStartMs = 0;
    int Right = 0;
    int Missed = 0; // wrong, shown and lost
    int Seen = 0;

    int Judged() const { return Right + Missed; }
    double ShareRight() const; // 0 for a day without judged answers
};

struct TStateCounts {
    int New = 0;      // never reviewed: only seen, or in the list and not in the record
    int Learning = 0; // in the learning or relearning steps
    int Known = 0;    // in review
    int DueToday = 0; // reviewed words due before the end of today
};

struct TMissedWord {
    std::string Entry;
    std::string HeadWord; // to look it up; empty when it was not found
    int Tab = kNoTab;
    int Misses = 0;
    int Reviews = 0;
};

struct TProgress {
    std::vector<TDayCount> Days; // kProgressDays of them, oldest first, today last
    TStateCounts States;
    std::vector<TMissedWord> MostMissed; // most misses first

    int Right() const;
    int Judged() const;
    double ShareRight() const; // over all Days
    bool Empty() const;        // nothing recorded at all
};

TDueList ReadDueList(sqlite::TDatabase& db, std::span<const std::string> list,
                     const TDayClock& clock, int newLimit);
// How many reviewed words are due at now, and when each reviewed word is due.
int CountDueWords(sqlite::TDatabase& db, TTime now);
std::vector<std::int64_t> ReviewDueTimes(sqlite::TDatabase& db);
std::vector<TWordRecord> ReadWords(sqlite::TDatabase& db);
std::vector<TAnswer> ReadHistory(sqlite::TDatabase& db, std::string_view entry);
TProgress ReadProgress(sqlite::TDatabase& db, std::span<const std::string> list,
                       const TDayClock& clock);

} // namespace learning
