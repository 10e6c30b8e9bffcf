#pragma once

#include "exercises/ShowRules.h"

namespace exercises {

// Method 1, a self-running flash-card show: every study word with its
// article, spoken when speech is on, moving on by itself at the slider's
// speed.
class TMethod1Rules : public TShowRules {
public:
    TMethod1Rules(TExerciseSteps& steps, TNextWordSource& words) : TShowRules(steps, words) {}

    void Open() { OpenShow(); }
    // Start and Stop both enable Pronounce.
    void StartOrStop();
    void PlayEnded() override;

private:
    void ShowCurrentWord(TCaller caller) override;
};

} // namespace exercises
