#pragma once

#include "exercises/ExerciseRules.h"

namespace exercises {

// Method 5, a dictation: the study word at the main window's study-list
// selection is spoken without being shown, and the user types what was
// heard. The method keeps no position of its own: it moves the study list's
// selection, which nothing else moves while the window is open: that is its
// CurrentIndex. Its CurrentWord is the dictionary's spelling of the word
// last spoken, the head-word found for the study entry (empty when none
// was).
class TMethod5Rules : public TMethodRules {
public:
    TMethod5Rules(TExerciseSteps& steps, TNextWordSource& words);

    void Open();
    // Start speaks the word unless a pronunciation is still playing.
    void StartOrStop();
    // Drawn too when "Random word" is checked.
    void PreviousWord() override;
    // The word at the selection spoken; the answer is then checked against
    // the dictionary's spelling of its head-word.
    void Pronounce();
    void Check();
    // The word in the answer box.
    void Show();
    void PlayEnded() override;

    bool PronounceEnabled() const { return pronounceEnabled_; }
    // The large Next word button, disabled while a pronunciation plays and
    // until the first word has been spoken or found unspeakable.
    bool LargeNextEnabled() const { return largeNextEnabled_; }
    bool PreviousEnabled() const { return previousEnabled_; }
    bool NextEnabled() const { return nextEnabled_; }

private:
    // The word at position becomes the study list's selection and is spoken.
    void ShowWordAt(int position) override;

    bool pronounceEnabled_ = true;
    bool largeNextEnabled_ = false;
    bool previousEnabled_ = true;
    bool nextEnabled_ = true;
};

} // namespace exercises
