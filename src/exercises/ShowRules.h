#pragma once

#include "exercises/ExerciseRules.h"

namespace exercises {

// What Methods 1 and 2 share: a show of the study words in list order that
// moves on by itself at the slider's speed, each English base word spoken
// when speech is on, Previous, Next and Pronounce locked while a word is
// spoken.
class TShowRules : public TMethodRules {
public:
    static constexpr int kSpeedAtOpening = 4;
    static constexpr int kMsPerSpeedStep = 500;

    // The slider: one step is half a second between two words.
    void SetSpeed(int position);
    void SetSpeech(bool on) { speech_ = on; }
    // The show's tick: the next word, unless one is still being spoken.
    void AdvanceShow();
    // The word shown, spoken whatever speech says.
    void Pronounce();

    bool Speech() const { return speech_; }
    const TTimerState& ShowTimer() const { return showTimer_; }
    bool PreviousEnabled() const { return previousEnabled_; }
    bool NextEnabled() const { return nextEnabled_; }
    bool PronounceEnabled() const { return pronounceEnabled_; }

protected:
    enum class TCaller { Step, Pronounce };

    TShowRules(TExerciseSteps& steps, TNextWordSource& words) : TMethodRules(steps, words) {}

    // Stopped with no word shown, the player stopped, Pronounce disabled.
    void OpenShow();
    void ShowWordAt(int position) override;
    // Shows the word at the current position, as a step or for Pronounce.
    virtual void ShowCurrentWord(TCaller caller) = 0;
    // For a found English base word: spoken, with the buttons locked until
    // the playback ends; a step with speech off only enables Pronounce.
    void Speak(TCaller caller);

    bool speech_ = true;
    TTimerState showTimer_;
    bool previousEnabled_ = true;
    bool nextEnabled_ = true;
    bool pronounceEnabled_ = false;
};

} // namespace exercises
