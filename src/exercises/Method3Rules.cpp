#include "exercises/Method3Rules.h"

namespace exercises {

TMethod3Rules::TMethod3Rules(TExerciseSteps& steps, TNextWordSource& words)
    : TMethodRules(steps, words) {}

void TMethod3Rules::Open() {
    OpenStopped();
    current_ = -1;
    currentWord_.clear();
    revealed_ = false;
    steps_.StopPlayer();
    memorisingTimer_ = TTimerState();
    memorisingTimer_.Interval = kFirstMemorisingMs;
    nextWordEnabled_ = false;
    previousEnabled_ = !EmptyList();
    nextInListEnabled_ = !EmptyList();
}

void TMethod3Rules::SetMemorisingTime(int position) {
    memorisingTimer_.SetInterval(position * kMsPerSpeedStep);
}

void TMethod3Rules::StartOrStop() {
    if (!ToggleStartStop()) {
        return;
    }
    // While a word is still being spoken, Start shows no new one.
    if (!steps_.PlayerBusy()) {
        NextInListOrder();
    }
    memorisingTimer_.SwitchOn();
    progress_ = current_ < 0 ? 0 : current_;
}

void TMethod3Rules::MemorisingOver() {
    memorisingTimer_.SwitchOff();
    steps_.SetWordBoxText({});
    steps_.FocusWordBox();
}

void TMethod3Rules::Repeat() {
    if (!startStop_.Running || (memorisingTimer_.On && revealed_)) {
        return;
    }
    // Before the first word there is nothing to repeat.
    if (current_ < 0 || current_ >= steps_.Count()) {
        return;
    }
    ShowWordAt(current_);
}

void TMethod3Rules::Show() {
    if (!startStop_.Running || memorisingTimer_.On || current_ < 0) {
        return;
    }
    steps_.SetWordBoxText(currentWord_);
    revealed_ = true;
    JudgedShown(learning::TExercise::Method3);
}

void TMethod3Rules::Check() {
    if (!startStop_.Running || (memorisingTimer_.On && revealed_) || current_ < 0) {
        return;
    }
    // A wrong answer stays in the box for correcting.
    const bool right = AnswerIsRight(TAnswerCase::Lower);
    // While the memorising time runs the word is still there to copy.
    Judged(learning::TExercise::Method3,
           right ? learning::TAnswerKind::Right : learning::TAnswerKind::Wrong,
           shownInRound_ || memorisingTimer_.On);
    revealed_ = revealed_ || right;
    steps_.PlayVerdict(right);
    if (right) {
        NextWord();
    }
}

void TMethod3Rules::PlayEnded() {
    if (EmptyList()) {
        return;
    }
    nextWordEnabled_ = true;
    previousEnabled_ = true;
    nextInListEnabled_ = true;
    steps_.ClearVerdictPicture();
}

void TMethod3Rules::ShowWordAt(int position) {
    current_ = position;
    BeginRound();
    currentWord_ = steps_.Entry(position);
    steps_.SetWordBoxText(currentWord_);
    progress_ = position;
    // Every word shown gets the whole memorising time.
    memorisingTimer_.Restart();
    const TStudyWordHit hit = steps_.FindStudyWord(currentWord_, true);
    // English and Bulgarian words alike: whether a sound file exists decides.
    // A word that cannot be spoken has no play end to wait for.
    const bool speaking = hit.Found() && steps_.PronounceSelectedWord();
    nextWordEnabled_ = !speaking;
    previousEnabled_ = !speaking;
    nextInListEnabled_ = !speaking;
}

} // namespace exercises
