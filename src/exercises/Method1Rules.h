#pragma once

#include "exercises/ExerciseRules.h"

#include <string>

namespace exercises {

// Method 1, a self-running flash-card show: every study word with its
// article, spoken when speech is on, moving on by itself at the slider's
// speed. The state of every control that the rules change is kept here; the
// window mirrors it after each handler. Handlers bear the window's names.
class TMethod1Rules {
public:
    static constexpr int kSpeedMin = 1;
    static constexpr int kSpeedMax = 10;
    static constexpr int kSpeedAtOpening = 4;
    static constexpr int kMsPerSpeedStep = 500;

    explicit TMethod1Rules(TExerciseSteps& steps);

    void FormCreate();
    void TrackBar1Change(int position);
    void Button3Click(); // Start/Stop
    void Timer1Timer();  // the show's tick
    void Button5Click(); // Next word
    void Button4Click(); // Previous word
    void Button7Click(); // Pronounce
    void PlayEnded();

    // No study word: nothing to show, and nothing that would show one works.
    bool EmptyList() const { return steps_.Count() <= 0; }

    int CurrentIndex = -1;
    TStartStop StartStop;
    TTimerState Timer1; // the show
    bool Speech = true; // CheckBox1
    bool Button4Enabled = true;
    bool Button5Enabled = true;
    bool Button7Enabled = false;
    int Progress = 0;
    int ProgressMax = 0;

private:
    enum class TCaller { Step, Pronounce };
    void ShowCurrentWord(TCaller caller);

    TExerciseSteps& steps_;
};

} // namespace exercises
