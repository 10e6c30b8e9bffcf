#include "exercises/Method5Rules.h"

#include <utility>

namespace exercises {

TMethod5Rules::TMethod5Rules(TExerciseSteps& steps, std::function<bool()> playerLoaded)
    : steps_(steps), playerLoaded_(std::move(playerLoaded)) {}

void TMethod5Rules::FormCreate() {
    CurrentWord.clear();
    StartStop = TStartStop();
    StartStop.Blink.SwitchOn();
    Progress = 0;
    Button4Enabled = false;
    steps_.StopPlayer();
    if (EmptyList()) {
        Position = -1;
        ProgressMax = 0;
        StartStop.Enabled = false;
        Button3Enabled = false;
        Button7Enabled = false;
        Button8Enabled = false;
        return;
    }
    Position = 0;
    steps_.SelectStudyEntry(Position);
    // The bar is full exactly at the last word.
    ProgressMax = steps_.Count() - 1;
}

void TMethod5Rules::Button9Click() {
    if (EmptyList()) {
        return;
    }
    if (StartStop.Running) {
        StartStop.Stop();
        return;
    }
    StartStop.Start();
    // Until the player has loaded its library nothing has been spoken in this
    // run; afterwards the user asks for the word with Pronounce or Next word.
    if (!playerLoaded_()) {
        Button3Click();
    }
    steps_.FocusWordBox();
}

void TMethod5Rules::Button8Click() {
    if (EmptyList()) {
        return;
    }
    const int count = steps_.Count();
    MoveTo(RandomOrder ? RandomPosition(count) : NextPosition(Position, count));
}

void TMethod5Rules::Button7Click() {
    if (EmptyList()) {
        return;
    }
    const int count = steps_.Count();
    MoveTo(RandomOrder ? RandomPosition(count) : PreviousPosition(Position, count));
}

void TMethod5Rules::Button3Click() {
    if (EmptyList()) {
        return;
    }
    const TStudyWordHit hit = steps_.FindStudyWord(steps_.Entry(Position), false);
    // The answer is checked against the dictionary's spelling.
    CurrentWord = hit.HeadWord;
    // Only English base words have pronunciations.
    if (hit.Speakable() && steps_.PronounceSelectedWord()) {
        Button3Enabled = false;
        Button4Enabled = false;
        Button7Enabled = false;
        Button8Enabled = false;
    }
}

void TMethod5Rules::Button2Click() {
    if (!StartStop.Running) {
        return;
    }
    if (!AnswerMatches(steps_.WordBoxText(), CurrentWord, TAnswerCase::Upper)) {
        // The typed text stays for correcting.
        steps_.PlayVerdict(false);
        return;
    }
    steps_.PlayVerdict(true);
    Button8Click();
    steps_.FocusWordBox();
}

void TMethod5Rules::Button1Click() {
    if (StartStop.Running) {
        steps_.SetWordBoxText(CurrentWord);
    }
}

void TMethod5Rules::PlayEnded() {
    if (EmptyList()) {
        return;
    }
    Button3Enabled = true;
    Button4Enabled = true;
    Button7Enabled = true;
    Button8Enabled = true;
    steps_.ClearVerdictPicture();
}

void TMethod5Rules::MoveTo(int position) {
    Position = position;
    steps_.SelectStudyEntry(Position);
    steps_.SetWordBoxText({});
    CurrentWord = steps_.Entry(Position);
    Progress = Position;
    Button3Click();
    steps_.FocusWordBox();
}

} // namespace exercises
