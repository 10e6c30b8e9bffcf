#include "exercises/Method4Rules.h"

namespace exercises {

TMethod4Rules::TMethod4Rules(TExerciseSteps& steps, TArticleHead& head)
    : steps_(steps), head_(head) {}

void TMethod4Rules::FormCreate() {
    CurrentIndex = 0;
    CurrentWord.clear();
    Answered = false;
    ScoreYou = 0;
    ScoreMe = 0;
    Progress = 0;
    ProgressMax = steps_.Count();
    StartStop = TStartStop();
    StartStop.Blink.SwitchOn();
    if (EmptyList()) {
        StartStop.Enabled = false;
        Button4Enabled = false;
        Button6Enabled = false;
        Button7Enabled = false;
    }
}

void TMethod4Rules::Button5Click() {
    if (EmptyList()) {
        return;
    }
    if (StartStop.Running) {
        StartStop.Stop();
        return;
    }
    StartStop.Start();
    // The word at the current position is asked again, from its article.
    ShowWordAt(CurrentIndex);
}

void TMethod4Rules::Button4Click() {
    if (EmptyList()) {
        return;
    }
    const int count = steps_.Count();
    ShowWordAt(RandomOrder ? RandomPosition(count) : NextPosition(CurrentIndex, count));
}

void TMethod4Rules::Button7Click() {
    if (EmptyList()) {
        return;
    }
    ShowWordAt(NextPosition(CurrentIndex, steps_.Count()));
}

void TMethod4Rules::Button6Click() {
    if (EmptyList()) {
        return;
    }
    ShowWordAt(PreviousPosition(CurrentIndex, steps_.Count()));
}

void TMethod4Rules::Button3Click() {
    if (!StartStop.Running || Answered) {
        return;
    }
    if (AnswerMatches(steps_.WordBoxText(), CurrentWord, TAnswerCase::Lower)) {
        Answered = true;
        if (Exam) {
            ++ScoreYou;
        }
        steps_.PlayVerdict(true);
        Button4Click();
    } else {
        // The word stays for another try.
        if (Exam) {
            ++ScoreMe;
        }
        steps_.PlayVerdict(false);
    }
    steps_.FocusWordBox();
}

void TMethod4Rules::Button8Click() {
    if (!StartStop.Running) {
        return;
    }
    // A shown word still counts as right when it is checked afterwards.
    Answered = false;
    if (Exam) {
        ++ScoreMe;
    }
    steps_.FocusWordBox();
    steps_.SetWordBoxText(CurrentWord);
}

void TMethod4Rules::PlayEnded() {
    if (EmptyList()) {
        return;
    }
    Button6Enabled = true;
    Button7Enabled = true;
}

std::string TMethod4Rules::ScoreText() const {
    return std::to_string(ScoreYou) + " - " + std::to_string(ScoreMe);
}

void TMethod4Rules::ShowWordAt(int position) {
    Answered = false;
    CurrentIndex = position;
    CurrentWord = steps_.Entry(position);
    Progress = position;
    const TStudyWordHit hit = steps_.FindStudyWord(CurrentWord, false);
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
