#include "exercises/Method1Rules.h"

namespace exercises {

void TMethod1Rules::StartOrStop() {
    if (EmptyList()) {
        return;
    }
    pronounceEnabled_ = true;
    if (ToggleStartStop()) {
        showTimer_.SwitchOn();
    } else {
        showTimer_.SwitchOff();
    }
}

void TMethod1Rules::PlayEnded() {
    if (EmptyList()) {
        return;
    }
    previousEnabled_ = true;
    nextEnabled_ = true;
    pronounceEnabled_ = true;
}

void TMethod1Rules::ShowCurrentWord(TCaller caller) {
    currentWord_ = steps_.Entry(current_);
    steps_.SelectStudyEntry(current_);
    const TStudyWordHit hit = steps_.FindStudyWord(currentWord_, true);
    if (hit.Found()) {
        // User words and Bulgarian head-words have no pronunciation: the
        // Pronounce button is left as it is for them.
        if (hit.Speakable()) {
            Speak(caller);
        }
        steps_.LoadArticle(hit);
    }
    steps_.SetWordBoxText(hit.HeadWord);
    progress_ = current_;
    // Showing the word again for Pronounce is no new exposure.
    if (caller == TCaller::Step) {
        Judged(learning::TExercise::Method1, learning::TAnswerKind::Seen);
    }
}

} // namespace exercises
