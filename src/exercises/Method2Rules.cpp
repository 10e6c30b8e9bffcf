#include "exercises/Method2Rules.h"

#include <string>

namespace exercises {

TMethod2Rules::TMethod2Rules(TExerciseSteps& steps) : steps_(steps) {}

void TMethod2Rules::FormCreate() {
    CurrentIndex = -1;
    ShowingTranslation = false;
    StartStop = TStartStop();
    Timer1 = TTimerState();
    Timer1.Interval = kSpeedAtOpening * kMsPerSpeedStep;
    Button7Enabled = false;
    SpeedButton1Enabled = false;
    ArticleVisible = false;
    Progress = 0;
    ProgressMax = steps_.Count();
    StartStop.Blink.SwitchOn();
    steps_.StopPlayer();
    if (EmptyList()) {
        StartStop.Enabled = false;
        Button3Enabled = false;
        Button4Enabled = false;
        Button6Enabled = false;
    }
}

void TMethod2Rules::TrackBar1Change(int position) {
    Timer1.SetInterval(position * kMsPerSpeedStep);
}

void TMethod2Rules::Button3Click() {
    if (ShowingTranslation || EmptyList()) {
        return;
    }
    // Start and Stop alike show the next word first.
    Timer1Timer();
    Button7Enabled = true;
    if (!Timer1.On) {
        Timer1.SwitchOn();
        StartStop.Face = TStartFace::Stop;
        StartStop.Hint = TStartHint::Stop;
        StartStop.Blink.SwitchOff();
    } else {
        // The hint stays "Stop" here.
        Timer1.SwitchOff();
        StartStop.Face = TStartFace::Start;
        StartStop.Blink.SwitchOn();
    }
}

void TMethod2Rules::Timer1Timer() {
    if (Button6Enabled) {
        Button6Click();
    }
}

void TMethod2Rules::Button6Click() {
    if (ShowingTranslation || EmptyList()) {
        return;
    }
    CurrentIndex = NextPosition(CurrentIndex, steps_.Count());
    ShowCurrentWord(TCaller::Next);
}

void TMethod2Rules::Button4Click() {
    if (ShowingTranslation || EmptyList()) {
        return;
    }
    CurrentIndex = PreviousPosition(CurrentIndex, steps_.Count());
    ShowCurrentWord(TCaller::Previous);
}

void TMethod2Rules::Button7Click() {
    if (CurrentIndex == -1 || CurrentIndex >= steps_.Count()) {
        return;
    }
    ShowCurrentWord(TCaller::Pronounce);
}

void TMethod2Rules::SpeedButton1Click() {
    if (!ShowingTranslation) {
        if (CurrentIndex < 0 || CurrentIndex >= steps_.Count()) {
            return;
        }
        StartStop.Blink.SwitchOn();
        ShowingTranslation = true;
        Timer1.SwitchOff();
        const TStudyWordHit hit = steps_.FindStudyWord(steps_.Entry(CurrentIndex), false);
        if (hit.Found()) {
            ArticleVisible = true;
            steps_.LoadArticle(hit);
            Button3Enabled = false;
            Button4Enabled = false;
            Button6Enabled = false;
        }
        return;
    }
    StartStop.Blink.SwitchOff();
    ShowingTranslation = false;
    Timer1Timer();
    // Continue always runs the show, whether it ran before or not.
    Timer1.SwitchOn();
    ArticleVisible = false;
    Button3Enabled = true;
    Button4Enabled = true;
    Button6Enabled = true;
}

void TMethod2Rules::PlayEnded() {
    if (EmptyList()) {
        return;
    }
    if (!ShowingTranslation) {
        Button4Enabled = true;
        Button6Enabled = true;
    }
    Button7Enabled = true;
}

void TMethod2Rules::ShowCurrentWord(TCaller caller) {
    SpeedButton1Enabled = true;
    Progress = CurrentIndex;
    steps_.SelectStudyEntry(CurrentIndex);
    const std::string word = steps_.Entry(CurrentIndex);
    // The word as the list holds it, whatever head-word it finds.
    steps_.SetWordBoxText(word);
    const TStudyWordHit hit = steps_.FindStudyWord(word, false);
    if (!hit.Speakable()) {
        return;
    }
    if (caller != TCaller::Pronounce && !Speech) {
        Button7Enabled = true;
    } else if (steps_.PronounceSelectedWord()) {
        Button4Enabled = false;
        Button6Enabled = false;
        Button7Enabled = false;
    }
}

} // namespace exercises
