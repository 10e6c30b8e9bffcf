#include "exercises/Method2Rules.h"

namespace exercises {

void TMethod2Rules::Open() {
    OpenShow();
    showingTranslation_ = false;
    translationEnabled_ = false;
    articleVisible_ = false;
}

void TMethod2Rules::RunShow(bool on) {
    startStop_.Running = on;
    if (on) {
        showTimer_.SwitchOn();
    } else {
        showTimer_.SwitchOff();
    }
}

void TMethod2Rules::StartOrStop() {
    if (showingTranslation_ || EmptyList()) {
        return;
    }
    AdvanceShow();
    pronounceEnabled_ = true;
    if (!showTimer_.On) {
        RunShow(true);
        startStop_.Face = TStartFace::Stop;
        startStop_.Hint = TStartHint::Stop;
        startStop_.Blink.SwitchOff();
    } else {
        // The hint stays "Stop" here.
        RunShow(false);
        startStop_.Face = TStartFace::Start;
        startStop_.Blink.SwitchOn();
    }
}

void TMethod2Rules::NextWord() {
    if (!showingTranslation_) {
        TShowRules::NextWord();
    }
}

void TMethod2Rules::PreviousWord() {
    if (!showingTranslation_) {
        TShowRules::PreviousWord();
    }
}

void TMethod2Rules::TranslationOrContinue() {
    if (!showingTranslation_) {
        if (current_ < 0 || current_ >= steps_.Count()) {
            return;
        }
        startStop_.Blink.SwitchOn();
        showingTranslation_ = true;
        RunShow(false);
        const TStudyWordHit hit = steps_.FindStudyWord(steps_.Entry(current_), false);
        if (hit.Found()) {
            articleVisible_ = true;
            steps_.LoadArticle(hit);
            startStop_.Enabled = false;
            previousEnabled_ = false;
            nextEnabled_ = false;
        }
        return;
    }
    startStop_.Blink.SwitchOff();
    showingTranslation_ = false;
    AdvanceShow();
    // Continue always runs the show, whether it ran before or not.
    RunShow(true);
    articleVisible_ = false;
    startStop_.Enabled = true;
    previousEnabled_ = true;
    nextEnabled_ = true;
}

void TMethod2Rules::PlayEnded() {
    if (EmptyList()) {
        return;
    }
    if (!showingTranslation_) {
        previousEnabled_ = true;
        nextEnabled_ = true;
    }
    pronounceEnabled_ = true;
}

void TMethod2Rules::ShowCurrentWord(TCaller caller) {
    translationEnabled_ = true;
    progress_ = current_;
    steps_.SelectStudyEntry(current_);
    currentWord_ = steps_.Entry(current_);
    // The word as the list holds it, whatever head-word it finds.
    steps_.SetWordBoxText(currentWord_);
    if (caller == TCaller::Step) {
        Judged(learning::TExercise::Method2, learning::TAnswerKind::Seen);
    }
    if (steps_.FindStudyWord(currentWord_, false).Speakable()) {
        Speak(caller);
    }
}

} // namespace exercises
