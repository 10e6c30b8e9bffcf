#include "exercises/Method4Rules.h"

namespace exercises {

TMethod4Rules::TMethod4Rules(TExerciseSteps& steps, TNextWordSource& words, TArticleHead& head)
    : TMethodRules(steps, words), head_(head) {}

void TMethod4Rules::Open() {
    OpenStopped();
    current_ = 0;
    currentWord_.clear();
    answered_ = false;
    scoreYou_ = 0;
    scoreMe_ = 0;
    nextWordEnabled_ = !EmptyList();
    previousEnabled_ = !EmptyList();
    nextInListEnabled_ = !EmptyList();
}

void TMethod4Rules::StartOrStop() {
    // The word at the current position is asked again, from its article.
    if (ToggleStartStop()) {
        ShowWordAt(current_);
    }
}

void TMethod4Rules::Check() {
    if (!startStop_.Running || answered_) {
        return;
    }
    // A wrong answer leaves the word for another try. The score changes
    // before the verdict is heard.
    const bool right = AnswerIsRight(TAnswerCase::Lower);
    Judged(learning::TExercise::Method4,
           right ? learning::TAnswerKind::Right : learning::TAnswerKind::Wrong, shownInRound_);
    answered_ = right;
    if (exam_) {
        ++(right ? scoreYou_ : scoreMe_);
    }
    steps_.PlayVerdict(right);
    if (right) {
        NextWord();
    }
    steps_.FocusWordBox();
}

void TMethod4Rules::Show() {
    if (!startStop_.Running) {
        return;
    }
    // A shown word still counts as right when it is checked afterwards.
    answered_ = false;
    if (exam_) {
        ++scoreMe_;
    }
    JudgedShown(learning::TExercise::Method4);
    steps_.FocusWordBox();
    steps_.SetWordBoxText(currentWord_);
}

void TMethod4Rules::PlayEnded() {
    if (EmptyList()) {
        return;
    }
    previousEnabled_ = true;
    nextInListEnabled_ = true;
}

std::string TMethod4Rules::ScoreText() const {
    return std::to_string(scoreYou_) + " - " + std::to_string(scoreMe_);
}

void TMethod4Rules::ShowWordAt(int position) {
    answered_ = false;
    BeginRound();
    current_ = position;
    currentWord_ = steps_.Entry(position);
    progress_ = position;
    const TStudyWordHit hit = steps_.FindStudyWord(currentWord_, false);
    // A word the dictionary lacks leaves the last article and answer in
    // place; it can still be checked.
    if (!hit.Found()) {
        return;
    }
    steps_.LoadArticle(hit);
    head_.CutArticleHead();
    steps_.SetWordBoxText({});
    steps_.FocusWordBox();
}

} // namespace exercises
