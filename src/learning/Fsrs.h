#pragma once

#include <cstdint>

// The FSRS-6 scheduler with its published default parameters (21 weights)
// and a desired retention of 0.9, including the same-day rule, the learning
// steps (1 and 10 minutes) and the relearning step (10 minutes). Values are
// rounded as the reference implementation rounds them, so schedules agree
// with it to the last printed digit.
namespace learning {

enum class TRating { Again = 1, Hard = 2, Good = 3, Easy = 4 };

enum class TCardState { New = 0, Learning = 1, Review = 2, Relearning = 3 };

// Times are milliseconds since 1970-01-01 00:00 UTC.
struct TCard {
    TCardState State = TCardState::New;
    int Step = 0; // position in the learning or relearning steps
    double Stability = 0;
    double Difficulty = 0;
    int ScheduledDays = 0;
    std::int64_t LastReviewMs = 0; // meaningful once Reps > 0
    std::int64_t DueMs = 0;
    int Reps = 0;
    int Lapses = 0;

    bool operator==(const TCard&) const = default;
};

constexpr double kDesiredRetention = 0.9;
constexpr int kWeightCount = 21;
extern const double kDefaultWeights[kWeightCount];

// Whether a card read from a file could have come from Review: a known
// state and step, finite stability and difficulty in their ranges, a due
// time no earlier than the last review.
bool IsSound(const TCard& card);

// Days between the UTC calendar dates of two times; what FSRS calls the
// elapsed days. Negative when later is the earlier date.
int UtcDaysBetween(std::int64_t earlierMs, std::int64_t laterMs);

// The card after a review at reviewMs. A review dated before the card's last
// one (the clock was set back) is taken at the last review's time, so no
// elapsed time or interval is ever negative.
TCard Review(const TCard& card, TRating rating, std::int64_t reviewMs);

// The probability of recall at atMs; 0 for a new card.
double Retrievability(const TCard& card, std::int64_t atMs);

} // namespace learning
