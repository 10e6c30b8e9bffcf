#pragma once

#include "exercises/ExerciseRules.h"

namespace exercises {

// Method 3, spelling from short-term memory: a study word is shown and
// spoken, disappears when the memorising time is over, and the user types it
// back and has it checked.
class TMethod3Rules : public TMethodRules {
public:
    static constexpr int kSpeedAtOpening = 4;
    static constexpr int kMsPerSpeedStep = 200;
    // The memorising time until the slider is first moved.
    static constexpr int kFirstMemorisingMs = 2000;

    TMethod3Rules(TExerciseSteps& steps, TNextWordSource& words);

    void Open();
    // The slider: one step is a fifth of a second of memorising time.
    void SetMemorisingTime(int position);
    // Start shows the next word unless one is still being spoken; Stop lets
    // a word on display disappear as it would.
    void StartOrStop();
    // The memorising time is over: the word disappears for the answer.
    void MemorisingOver();
    // The word again, with the whole memorising time.
    void Repeat();
    // The word, once it has disappeared.
    void Show();
    // The typed answer judged; a right one moves on.
    void Check();
    void PlayEnded() override;

    // Shown with Show or answered right: nothing sets it back while the
    // window is open.
    bool Revealed() const { return revealed_; }
    const TTimerState& MemorisingTimer() const { return memorisingTimer_; }
    // The large Next word button.
    bool NextWordEnabled() const { return nextWordEnabled_; }
    bool PreviousEnabled() const { return previousEnabled_; }
    bool NextInListEnabled() const { return nextInListEnabled_; }

private:
    void ShowWordAt(int position) override;

    bool revealed_ = false;
    TTimerState memorisingTimer_;
    bool nextWordEnabled_ = false;
    bool previousEnabled_ = true;
    bool nextInListEnabled_ = true;
};

} // namespace exercises
