#include "exercises/Method5Rules.h"

namespace exercises {

TMethod5Rules::TMethod5Rules(TExerciseSteps& steps, TNextWordSource& words)
    : TMethodRules(steps, words) {}

void TMethod5Rules::Open() {
    OpenStopped();
    currentWord_.clear();
    largeNextEnabled_ = false;
    steps_.StopPlayer();
    pronounceEnabled_ = !EmptyList();
    previousEnabled_ = !EmptyList();
    nextEnabled_ = !EmptyList();
    if (EmptyList()) {
        current_ = -1;
        progressMax_ = 0;
        return;
    }
    current_ = 0;
    steps_.SelectStudyEntry(current_);
    // The bar is full exactly at the last word, so a one-word list shows it
    // full from the start.
    progressMax_ = steps_.Count() == 1 ? 1 : steps_.Count() - 1;
    progress_ = steps_.Count() == 1 ? 1 : 0;
}

void TMethod5Rules::StartOrStop() {
    if (!ToggleStartStop()) {
        return;
    }
    // While a word is still being spoken, Start speaks no other.
    if (!steps_.PlayerBusy()) {
        Pronounce();
    }
    steps_.FocusWordBox();
}

void TMethod5Rules::PreviousWord() {
    Step(TStep::Back, order_);
}

void TMethod5Rules::Pronounce() {
    if (EmptyList()) {
        return;
    }
    const TStudyWordHit hit = steps_.FindStudyWord(steps_.Entry(current_), false);
    // The answer is checked against the dictionary's spelling.
    currentWord_ = hit.HeadWord;
    // Only English base words have pronunciations. A word that cannot be
    // spoken has no play end to wait for: the steps are free at once.
    const bool speaking = hit.Speakable() && steps_.PronounceSelectedWord();
    pronounceEnabled_ = !speaking;
    largeNextEnabled_ = !speaking;
    previousEnabled_ = !speaking;
    nextEnabled_ = !speaking;
}

void TMethod5Rules::Check() {
    if (!startStop_.Running) {
        return;
    }
    // A wrong answer stays in the box for correcting.
    const bool right = AnswerIsRight(TAnswerCase::Upper);
    Judged(learning::TExercise::Method5,
           right ? learning::TAnswerKind::Right : learning::TAnswerKind::Wrong, shownInRound_);
    steps_.PlayVerdict(right);
    if (right) {
        NextWord();
        steps_.FocusWordBox();
    }
}

void TMethod5Rules::Show() {
    if (startStop_.Running) {
        JudgedShown(learning::TExercise::Method5);
        steps_.SetWordBoxText(currentWord_);
    }
}

void TMethod5Rules::PlayEnded() {
    if (EmptyList()) {
        return;
    }
    pronounceEnabled_ = true;
    largeNextEnabled_ = true;
    previousEnabled_ = true;
    nextEnabled_ = true;
    steps_.ClearVerdictPicture();
}

void TMethod5Rules::ShowWordAt(int position) {
    current_ = position;
    BeginRound();
    steps_.SelectStudyEntry(current_);
    steps_.SetWordBoxText({});
    currentWord_ = steps_.Entry(current_);
    progress_ = steps_.Count() == 1 ? 1 : current_;
    Pronounce();
    steps_.FocusWordBox();
}

} // namespace exercises
