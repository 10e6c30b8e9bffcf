#include "exercises/ExerciseRules.h"

#include "dictionary/Letters.h"
#include "platform/Cp1251.h"

namespace exercises {

bool AnswerMatches(std::string_view answer, std::string_view word, TAnswerCase letterCase) {
    if (answer.size() != word.size()) {
        return false;
    }
    const auto fold =
        letterCase == TAnswerCase::Upper ? platform::Cp1251Upper : platform::Cp1251Lower;
    for (std::size_t i = 0; i < answer.size(); ++i) {
        if (fold(static_cast<std::uint8_t>(answer[i])) !=
            fold(static_cast<std::uint8_t>(word[i]))) {
            return false;
        }
    }
    return true;
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

void TMethodRules::OpenStopped() {
    startStop_ = TStartStop();
    startStop_.Blink.SwitchOn();
    startStop_.Enabled = !EmptyList();
    progress_ = 0;
    progressMax_ = steps_.Count();
}

bool TMethodRules::ToggleStartStop() {
    if (EmptyList()) {
        return false;
    }
    if (startStop_.Running) {
        startStop_.Stop();
        return false;
    }
    startStop_.Start();
    return true;
}

void TMethodRules::Step(TStep step, TStudyOrder order) {
    if (EmptyList()) {
        return;
    }
    const int count = steps_.Count();
    ShowWordAt(step == TStep::Forward ? policy_.Forward(current_, count, order)
                                      : policy_.Back(current_, count, order));
}

bool TMethodRules::AnswerIsRight(TAnswerCase letterCase) const {
    return AnswerMatches(steps_.WordBoxText(), currentWord_, letterCase);
}

void TMethodRules::Judged(learning::TExercise exercise, learning::TAnswerKind kind,
                          bool afterShow) const {
    if (observer_ != nullptr && current_ >= 0 && current_ < steps_.Count()) {
        TJudgedAnswer answer{exercise, steps_.Entry(current_), kind, afterShow, std::nullopt};
        // A word only seen took no answer.
        if (askedAt_ && kind != learning::TAnswerKind::Seen) {
            answer.Seconds = std::chrono::duration<double>(observer_->Now() - *askedAt_).count();
        }
        observer_->Answered(answer);
    }
}

void TMethodRules::BeginRound() {
    shownInRound_ = false;
    askedAt_.reset();
    if (observer_ != nullptr) {
        askedAt_ = observer_->Now();
    }
}

void TMethodRules::JudgedShown(learning::TExercise exercise) {
    if (!shownInRound_) {
        Judged(exercise, learning::TAnswerKind::Shown);
    }
    shownInRound_ = true;
}

bool TStudyWordHit::Speakable() const {
    return Found() && IsBase && dictionary::IsEnglishTab(Tab);
}

} // namespace exercises
