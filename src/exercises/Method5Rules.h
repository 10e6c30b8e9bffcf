#pragma once

#include "exercises/ExerciseRules.h"

#include <functional>
#include <string>

namespace exercises {

// Method 5, a dictation: the study word at the main window's study-list
// selection is spoken without being shown, and the user types what was
// heard. The method keeps no position of its own: it moves the study list's
// selection, which nothing else moves while the window is open. Handlers
// bear the window's names; the window mirrors the state after each one.
class TMethod5Rules {
public:
    // playerLoaded: whether the main window's player has loaded its decoding
    // library, which it does at its first pronunciation.
    TMethod5Rules(TExerciseSteps& steps, std::function<bool()> playerLoaded);

    void FormCreate();
    void Button9Click(); // Start/Stop
    // Next word: the next position, or a random one when "Random word" is
    // checked. The large Next word button does the same.
    void Button8Click();
    void Button4Click() { Button8Click(); }
    // Previous word: the previous position, or a random one.
    void Button7Click();
    void Button3Click(); // Pronounce
    void Button2Click(); // Check, also Enter in the answer box
    void Button1Click(); // Show
    void PlayEnded();

    bool EmptyList() const { return steps_.Count() <= 0; }

    // The study list's selection.
    int Position = -1;
    // The dictionary's spelling of the word last spoken: the head-word found
    // for the study entry, empty when none was.
    std::string CurrentWord;
    bool RandomOrder = false; // CheckBox1
    TStartStop StartStop;
    bool Button3Enabled = true;
    bool Button4Enabled = false; // until the first pronunciation ends
    bool Button7Enabled = true;
    bool Button8Enabled = true;
    int Progress = 0;
    int ProgressMax = 0;

private:
    void MoveTo(int position);

    TExerciseSteps& steps_;
    std::function<bool()> playerLoaded_;
};

} // namespace exercises
