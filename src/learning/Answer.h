#pragma once

#include "learning/Fsrs.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace learning {

// The exercise that judged an answer; the numbers are stored in the record.
enum class TExercise {
    Method1 = 1,
    Method2 = 2,
    Method3 = 3,
    Method4 = 4,
    Method5 = 5,
    Hangman = 6,
};

// How the learner did; the numbers are stored in the record.
enum class TAnswerKind {
    Right = 0, // typed right, or a Hangman game won
    Wrong = 1, // a wrong Check
    Shown = 2, // the answer was shown (Show in Methods 3 and 4)
    Lost = 3,  // Hangman's Loss or tenth miss
    Seen = 4,  // shown without asking (Methods 1 and 2): exposure, no review
};

constexpr int kNoTab = -1;

using TTime = std::chrono::sys_time<std::chrono::milliseconds>;

inline std::int64_t ToMs(TTime time) {
    return time.time_since_epoch().count();
}

inline TTime FromMs(std::int64_t ms) {
    return TTime(std::chrono::milliseconds(ms));
}

// Times read from a file are held to the years 1 to 9999, so no arithmetic
// on a damaged one can overflow.
constexpr std::int64_t kEarliestMs = -62135596800000;
constexpr std::int64_t kLatestMs = 253402300799999;

constexpr std::int64_t ClampTimeMs(std::int64_t ms) {
    return ms < kEarliestMs ? kEarliestMs : ms > kLatestMs ? kLatestMs : ms;
}

// The current time, to the millisecond.
inline TTime Now() {
    return std::chrono::time_point_cast<std::chrono::milliseconds>(
        std::chrono::system_clock::now());
}

// One judged answer, as an exercise reports it. Texts are code page 1251
// bytes, kept byte for byte.
struct TAnswer {
    std::string Entry;    // the study-list entry, as the list holds it: the word's key
    std::string HeadWord; // the head-word it was found under; empty with Tab kNoTab
    int Tab = kNoTab;     // that head-word's letter tab
    TExercise Exercise = TExercise::Method3;
    TAnswerKind Kind = TAnswerKind::Right;
    // A right answer given after the word was shown in the same round (a
    // Check of the shown text in Method 4, a retype after Show in Method 3).
    bool AfterShow = false;
    TTime At{};                    // when it was judged (UTC)
    std::optional<double> Seconds; // how long the learner took, where known
};

// Right → Good, right after a Show → Hard, wrong, shown and lost → Again;
// a seen word is no review.
std::optional<TRating> RatingOf(TAnswerKind kind, bool afterShow);

bool IsExercise(int value);
bool IsAnswerKind(int value);

// English names for tools: "Method 3", "Hangman"; "right", "lost".
std::string_view ExerciseName(TExercise exercise);
std::string_view AnswerKindName(TAnswerKind kind);
std::string_view CardStateName(TCardState state);

} // namespace learning
