#include "learning/Fsrs.h"
#include "learning/Answer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace learning;

namespace {

// One line of fsrs-reference.txt: the review given and the card after it.
struct ReferenceStep {
    std::int64_t ReviewMs = 0;
    int Rating = 0;
    int State = 0;
    int Step = 0;
    double Stability = 0;
    double Difficulty = 0;
    int ScheduledDays = 0;
    std::int64_t DueMs = 0;
    int Reps = 0;
    int Lapses = 0;
};

// The expected values were computed once by the reference implementation of
// FSRS-6, the npm package ts-fsrs 5.4.2 (default parameters, retention 0.9),
// with fsrs-reference/reference.js; see the header of the file.
std::map<std::string, std::vector<ReferenceStep>> ReadReference() {
    std::ifstream in(FSRS_REFERENCE_FILE);
    std::map<std::string, std::vector<ReferenceStep>> sequences;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string name;
        int index = 0;
        ReferenceStep step;
        fields >> name >> index >> step.ReviewMs >> step.Rating >> step.State >> step.Step >>
            step.Stability >> step.Difficulty >> step.ScheduledDays >> step.DueMs >> step.Reps >>
            step.Lapses;
        EXPECT_TRUE(fields) << line;
        sequences[name].push_back(step);
    }
    return sequences;
}

void ExpectCardMatches(const TCard& card, const ReferenceStep& expected, const std::string& where) {
    EXPECT_EQ(static_cast<int>(card.State), expected.State) << where;
    EXPECT_EQ(card.Step, expected.Step) << where;
    EXPECT_NEAR(card.Stability, expected.Stability, 2e-8) << where;
    EXPECT_NEAR(card.Difficulty, expected.Difficulty, 2e-8) << where;
    EXPECT_EQ(card.ScheduledDays, expected.ScheduledDays) << where;
    EXPECT_EQ(card.DueMs, expected.DueMs) << where;
    EXPECT_EQ(card.Reps, expected.Reps) << where;
    EXPECT_EQ(card.Lapses, expected.Lapses) << where;
}

} // namespace

TEST(FsrsTest, SchedulesAgreeWithTheReferenceImplementationForEverySequence) {
    const auto sequences = ReadReference();
    // Same-day repeats, long gaps, lapses, mixes of Hard, Again and Good, and
    // the clock set back.
    for (const char* name :
         {"good-graduates", "same-day-repeats", "long-gaps", "lapses", "hard-again-good",
          "new-again-then-days", "clock-back", "late-evening-next-day"}) {
        ASSERT_TRUE(sequences.contains(name)) << name;
    }
    for (const auto& [name, steps] : sequences) {
        TCard card;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const ReferenceStep& step = steps[i];
            card = Review(card, static_cast<TRating>(step.Rating), step.ReviewMs);
            ExpectCardMatches(card, step, name + " step " + std::to_string(i));
        }
    }
}

TEST(FsrsTest, AClockSetBackNeverGivesANegativeInterval) {
    TCard card = Review({}, TRating::Good, 10'000'000'000);
    card = Review(card, TRating::Good, 10'000'000'000 + 600'000);
    const TCard before = card;
    card = Review(card, TRating::Good, 5'000'000'000); // the clock went back by two months
    EXPECT_EQ(card.LastReviewMs, before.LastReviewMs);
    EXPECT_GE(card.DueMs, card.LastReviewMs);
    EXPECT_GE(card.ScheduledDays, 1);
    EXPECT_GE(card.Stability, before.Stability); // a same-day success never lowers it
}

TEST(FsrsTest, DaysAreCountedBetweenUtcDates) {
    const std::int64_t beforeMidnight = 1709337000000; // 2024-03-01 23:50 UTC
    EXPECT_EQ(UtcDaysBetween(beforeMidnight, beforeMidnight + 20 * 60 * 1000), 1);
    EXPECT_EQ(UtcDaysBetween(beforeMidnight - 14 * 3600 * 1000, beforeMidnight), 0);
    EXPECT_EQ(UtcDaysBetween(-1, 0), 1); // before 1970 too
    EXPECT_EQ(UtcDaysBetween(0, -1), -1);
}

TEST(FsrsTest, AnswersBecomeRatings) {
    EXPECT_EQ(RatingOf(TAnswerKind::Right, false), TRating::Good);
    EXPECT_EQ(RatingOf(TAnswerKind::Right, true), TRating::Hard);
    EXPECT_EQ(RatingOf(TAnswerKind::Wrong, false), TRating::Again);
    EXPECT_EQ(RatingOf(TAnswerKind::Shown, false), TRating::Again);
    EXPECT_EQ(RatingOf(TAnswerKind::Lost, false), TRating::Again);
    EXPECT_EQ(RatingOf(TAnswerKind::Seen, false), std::nullopt);
    EXPECT_EQ(RatingOf(TAnswerKind::Seen, true), std::nullopt);
}

TEST(FsrsTest, RetrievabilityFallsWithTimeAndIsNinetyPercentAtTheInterval) {
    TCard card = Review({}, TRating::Good, 0);
    card = Review(card, TRating::Good, 600'000);
    ASSERT_EQ(card.State, TCardState::Review);
    const std::int64_t dayMs = 86'400'000;
    EXPECT_NEAR(Retrievability(card, card.LastReviewMs), 1.0, 1e-9);
    // Stability is the time to 90 %: the default first Good gives 2.3 days.
    EXPECT_GT(Retrievability(card, card.LastReviewMs + 2 * dayMs), 0.9);
    EXPECT_LT(Retrievability(card, card.LastReviewMs + 3 * dayMs), 0.9);
    EXPECT_EQ(Retrievability(TCard{}, 0), 0);
}
