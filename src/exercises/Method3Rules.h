#pragma once

#include "exercises/ExerciseRules.h"

#include <string>

namespace exercises {

// Method 3, spelling from short-term memory: a study word is shown and
// spoken, disappears when the memorising time is over, and the user types it
// back and has it checked. Handlers bear the window's names; the window
// mirrors the state after each one.
class TMethod3Rules {
public:
    static constexpr int kSpeedAtOpening = 4;
    static constexpr int kMsPerSpeedStep = 200;
    // The memorising time until the slider is first moved.
    static constexpr int kFirstMemorisingMs = 2000;

    explicit TMethod3Rules(TExerciseSteps& steps);

    void FormCreate();
    void TrackBar1Change(int position);
    void Button9Click(); // Start/Stop
    void Button8Click(); // Next word, in list order
    // The large Next word button, also run after a right answer: a random
    // word when "Random word" is checked, else the next in list order.
    void Button6Click();
    void Button7Click(); // Previous word, in list order
    void Timer1Timer();  // memorising time over
    void Button3Click(); // Repeat
    void Button5Click(); // Show
    void Button4Click(); // Check, also Enter in the answer box
    void PlayEnded();

    bool EmptyList() const { return steps_.Count() <= 0; }

    int CurrentIndex = -1;
    std::string CurrentWord;
    bool Revealed = false;
    bool RandomOrder = false; // CheckBox1
    TStartStop StartStop;
    TTimerState Timer1; // memorising, one-shot
    bool Button6Enabled = false;
    bool Button7Enabled = true;
    bool Button8Enabled = true;
    int Progress = 0;
    int ProgressMax = 0;

private:
    void ShowWordAt(int position);

    TExerciseSteps& steps_;
};

} // namespace exercises
