#pragma once

#include "exercises/ExerciseRules.h"

namespace exercises {

// Method 2, a self-running word show with the translation hidden:
// Translation pauses the show and shows the article, Continue hides it and
// lets the show run on. The show runs exactly while Timer1 is on. Handlers
// bear the window's names; the window mirrors the state after each one.
class TMethod2Rules {
public:
    static constexpr int kSpeedAtOpening = 4;
    static constexpr int kMsPerSpeedStep = 500;

    explicit TMethod2Rules(TExerciseSteps& steps);

    void FormCreate();
    void TrackBar1Change(int position);
    void Button3Click();      // Start/Stop
    void Timer1Timer();       // the show's tick
    void Button6Click();      // Next word
    void Button4Click();      // Previous word
    void Button7Click();      // Pronounce
    void SpeedButton1Click(); // Translation / Continue
    void PlayEnded();

    // Whether the blink tick changes the Start picture now.
    bool BlinkAllowed() const { return !ShowingTranslation && !Timer1.On; }
    bool EmptyList() const { return steps_.Count() <= 0; }

    int CurrentIndex = -1;
    bool ShowingTranslation = false;
    bool Speech = true;   // CheckBox1
    TStartStop StartStop; // its Running is unused: Timer1 tells
    TTimerState Timer1;   // the show
    bool Button3Enabled = true;
    bool Button4Enabled = true;
    bool Button6Enabled = true;
    bool Button7Enabled = false;
    bool SpeedButton1Enabled = false; // Translation, once a word was shown
    bool ArticleVisible = false;      // RichEdit1
    int Progress = 0;
    int ProgressMax = 0;

private:
    enum class TCaller { Next, Previous, Pronounce };
    void ShowCurrentWord(TCaller caller);

    TExerciseSteps& steps_;
};

} // namespace exercises
