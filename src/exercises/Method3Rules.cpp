#include "exercises/Method3Rules.h"

namespace exercises {

TMethod3Rules::TMethod3Rules(TExerciseSteps& steps) : steps_(steps) {}

void TMethod3Rules::FormCreate() {
    Progress = 0;
    ProgressMax = steps_.Count();
    StartStop = TStartStop();
    CurrentIndex = -1;
    CurrentWord.clear();
    Revealed = false;
    StartStop.Blink.SwitchOn();
    steps_.StopPlayer();
    Timer1 = TTimerState();
    Timer1.Interval = kFirstMemorisingMs;
    Button6Enabled = false;
    if (EmptyList()) {
        StartStop.Enabled = false;
        Button7Enabled = false;
        Button8Enabled = false;
    }
}

void TMethod3Rules::TrackBar1Change(int position) {
    Timer1.SetInterval(position * kMsPerSpeedStep);
}

void TMethod3Rules::Button9Click() {
    if (EmptyList()) {
        return;
    }
    if (StartStop.Running) {
        // The memorising timer runs on: a word on display still disappears.
        StartStop.Stop();
        return;
    }
    StartStop.Start();
    // While a word is still being spoken, Start shows no new one.
    if (!steps_.PlayerBusy()) {
        Button8Click();
    }
    Timer1.SwitchOn();
    Progress = CurrentIndex < 0 ? 0 : CurrentIndex;
}

void TMethod3Rules::Button8Click() {
    if (EmptyList()) {
        return;
    }
    ShowWordAt(NextPosition(CurrentIndex, steps_.Count()));
}

void TMethod3Rules::Button6Click() {
    if (EmptyList()) {
        return;
    }
    const int count = steps_.Count();
    ShowWordAt(RandomOrder ? RandomPosition(count) : NextPosition(CurrentIndex, count));
}

void TMethod3Rules::Button7Click() {
    if (EmptyList()) {
        return;
    }
    ShowWordAt(PreviousPosition(CurrentIndex, steps_.Count()));
}

void TMethod3Rules::Timer1Timer() {
    Timer1.SwitchOff();
    steps_.SetWordBoxText({});
    steps_.FocusWordBox();
}

void TMethod3Rules::Button3Click() {
    if (!StartStop.Running || (Timer1.On && Revealed)) {
        return;
    }
    // Before the first word there is nothing to repeat.
    if (CurrentIndex < 0 || CurrentIndex >= steps_.Count()) {
        return;
    }
    ShowWordAt(CurrentIndex);
}

void TMethod3Rules::Button5Click() {
    if (!StartStop.Running || Timer1.On || CurrentIndex < 0) {
        return;
    }
    steps_.SetWordBoxText(CurrentWord);
    Revealed = true;
}

void TMethod3Rules::Button4Click() {
    if (!StartStop.Running || (Timer1.On && Revealed) || CurrentIndex < 0) {
        return;
    }
    if (AnswerMatches(steps_.WordBoxText(), CurrentWord, TAnswerCase::Lower)) {
        Revealed = true;
        steps_.PlayVerdict(true);
        Button6Click();
    } else {
        // The answer stays in the box for correcting.
        steps_.PlayVerdict(false);
    }
}

void TMethod3Rules::PlayEnded() {
    if (EmptyList()) {
        return;
    }
    Button6Enabled = true;
    Button7Enabled = true;
    Button8Enabled = true;
    steps_.ClearVerdictPicture();
}

void TMethod3Rules::ShowWordAt(int position) {
    CurrentIndex = position;
    CurrentWord = steps_.Entry(position);
    steps_.SetWordBoxText(CurrentWord);
    Progress = position;
    // Every word shown gets the whole memorising time.
    Timer1.Restart();
    const TStudyWordHit hit = steps_.FindStudyWord(CurrentWord, true);
    // English and Bulgarian words alike: whether a sound file exists decides.
    if (hit.Found() && steps_.PronounceSelectedWord()) {
        Button6Enabled = false;
        Button7Enabled = false;
        Button8Enabled = false;
    }
}

} // namespace exercises
