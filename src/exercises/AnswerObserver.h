#pragma once

#include "learning/Answer.h"

#include <chrono>
#include <optional>
#include <string>

namespace exercises {

// One answer as the exercise's rules judged it. Where it was found in the
// dictionary and when are the observer's to add.
struct TJudgedAnswer {
    learning::TExercise Exercise = learning::TExercise::Method3;
    std::string Entry; // the study-list entry (or Hangman's word) as given, code page 1251
    learning::TAnswerKind Kind = learning::TAnswerKind::Right;
    // Right after the answer was on display in the same round: a Show, or
    // Method 3's word still shown.
    bool AfterShow = false;
    // From the word shown or asked to this answer, where the window knows it.
    std::optional<double> Seconds{};
};

// Told of every answer the moment the rules judge it, before the verdict is
// shown or heard: it must return at once.
class TAnswerObserver {
public:
    virtual ~TAnswerObserver() = default;
    virtual void Answered(const TJudgedAnswer& answer) = 0;
    // The clock the answers are timed by: a steady one, so a clock set back
    // times nothing negative. Tests set their own.
    virtual std::chrono::steady_clock::time_point Now() const {
        return std::chrono::steady_clock::now();
    }
};

} // namespace exercises
