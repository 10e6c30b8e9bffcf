#include "exercises/ShowRules.h"

namespace exercises {

void TShowRules::OpenShow() {
    OpenStopped();
    current_ = -1;
    currentWord_.clear();
    showTimer_ = TTimerState();
    showTimer_.Interval = kSpeedAtOpening * kMsPerSpeedStep;
    steps_.StopPlayer();
    pronounceEnabled_ = false;
    previousEnabled_ = !EmptyList();
    nextEnabled_ = !EmptyList();
}

void TShowRules::SetSpeed(int position) {
    showTimer_.SetInterval(position * kMsPerSpeedStep);
}

void TShowRules::AdvanceShow() {
    // A word still being spoken keeps Next disabled: the show waits for the
    // first tick after its end.
    if (nextEnabled_) {
        NextWord();
    }
}

void TShowRules::Pronounce() {
    if (current_ < 0 || current_ >= steps_.Count()) {
        return;
    }
    ShowCurrentWord(TCaller::Pronounce);
}

void TShowRules::ShowWordAt(int position) {
    current_ = position;
    ShowCurrentWord(TCaller::Step);
}

void TShowRules::Speak(TCaller caller) {
    if (caller == TCaller::Step && !speech_) {
        pronounceEnabled_ = true;
    } else if (steps_.PronounceSelectedWord()) {
        previousEnabled_ = false;
        nextEnabled_ = false;
        pronounceEnabled_ = false;
    }
}

} // namespace exercises
