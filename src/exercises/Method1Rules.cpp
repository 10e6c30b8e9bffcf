#include "exercises/Method1Rules.h"

namespace exercises {

TMethod1Rules::TMethod1Rules(TExerciseSteps& steps) : steps_(steps) {}

void TMethod1Rules::FormCreate() {
    StartStop = TStartStop();
    CurrentIndex = -1;
    Progress = 0;
    ProgressMax = steps_.Count();
    Timer1.Interval = kSpeedAtOpening * kMsPerSpeedStep;
    StartStop.Blink.SwitchOn();
    steps_.StopPlayer();
    Button7Enabled = false;
    if (EmptyList()) {
        StartStop.Enabled = false;
        Button4Enabled = false;
        Button5Enabled = false;
    }
}

void TMethod1Rules::TrackBar1Change(int position) {
    Timer1.SetInterval(position * kMsPerSpeedStep);
}

void TMethod1Rules::Button3Click() {
    if (EmptyList()) {
        return;
    }
    Button7Enabled = true;
    if (!StartStop.Running) {
        StartStop.Start();
        Timer1.SwitchOn();
    } else {
        StartStop.Stop();
        Timer1.SwitchOff();
    }
}

void TMethod1Rules::Timer1Timer() {
    // A word still being spoken keeps Next disabled: the show waits for the
    // first tick after its end.
    if (Button5Enabled) {
        Button5Click();
    }
}

void TMethod1Rules::Button5Click() {
    if (EmptyList()) {
        return;
    }
    CurrentIndex = NextPosition(CurrentIndex, steps_.Count());
    ShowCurrentWord(TCaller::Step);
}

void TMethod1Rules::Button4Click() {
    if (EmptyList()) {
        return;
    }
    CurrentIndex = PreviousPosition(CurrentIndex, steps_.Count());
    ShowCurrentWord(TCaller::Step);
}

void TMethod1Rules::Button7Click() {
    if (CurrentIndex == -1 || CurrentIndex >= steps_.Count()) {
        return;
    }
    ShowCurrentWord(TCaller::Pronounce);
}

void TMethod1Rules::PlayEnded() {
    if (EmptyList()) {
        return;
    }
    Button4Enabled = true;
    Button5Enabled = true;
    Button7Enabled = true;
}

void TMethod1Rules::ShowCurrentWord(TCaller caller) {
    const std::string word = steps_.Entry(CurrentIndex);
    steps_.SelectStudyEntry(CurrentIndex);
    const TStudyWordHit hit = steps_.FindStudyWord(word, true);
    if (hit.Found()) {
        // User words and Bulgarian head-words have no pronunciation: the
        // Pronounce button is left as it is for them.
        if (hit.Speakable()) {
            if (caller == TCaller::Step && !Speech) {
                Button7Enabled = true;
            } else if (steps_.PronounceSelectedWord()) {
                Button4Enabled = false;
                Button5Enabled = false;
                Button7Enabled = false;
            }
        }
        steps_.LoadArticle(hit);
    }
    steps_.SetWordBoxText(hit.HeadWord);
    Progress = CurrentIndex;
}

} // namespace exercises
