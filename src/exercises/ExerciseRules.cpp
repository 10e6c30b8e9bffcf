#include "exercises/ExerciseRules.h"

#include "dictionary/Letters.h"
#include "platform/Cp1251.h"

#include <cstdlib>

namespace exercises {

int NextPosition(int current, int count) {
    if (count <= 0) {
        return -1;
    }
    if (current < -1 || current >= count - 1) {
        return 0;
    }
    return current + 1;
}

int PreviousPosition(int current, int count) {
    if (count <= 0) {
        return -1;
    }
    if (current <= 0 || current > count) {
        return count - 1;
    }
    return current - 1;
}

int RandomPosition(int count) {
    if (count <= 0) {
        return -1;
    }
    // Scaled rather than taken modulo count, so that every position is
    // equally likely.
    const double unit = static_cast<double>(std::rand()) / (static_cast<double>(RAND_MAX) + 1.0);
    const int position = static_cast<int>(unit * count);
    return position < count ? position : count - 1;
}

bool AnswerMatches(std::string_view answer, std::string_view word, TAnswerCase letterCase) {
    if (letterCase == TAnswerCase::Upper) {
        return platform::AsciiUpper(answer) == platform::AsciiUpper(word);
    }
    return platform::AsciiLower(answer) == platform::AsciiLower(word);
}

void TTimerState::SwitchOn() {
    if (!On) {
        On = true;
        ++Starts;
    }
}

void TTimerState::Restart() {
    On = true;
    ++Starts;
}

void TTimerState::SetInterval(int milliseconds) {
    Interval = milliseconds;
    if (On) {
        ++Starts;
    }
}

TStartStop::TStartStop() {
    Blink.Interval = kBlinkInterval;
}

void TStartStop::Start() {
    Running = true;
    Face = TStartFace::Stop;
    Hint = TStartHint::Stop;
    Blink.SwitchOff();
}

void TStartStop::Stop() {
    Running = false;
    Face = TStartFace::Start;
    Hint = TStartHint::Start;
    Blink.SwitchOn();
}

bool TStudyWordHit::Speakable() const {
    return Found() && IsBase && dictionary::IsEnglishTab(Tab);
}

} // namespace exercises
