#include "learning/Answer.h"

namespace learning {

std::optional<TRating> RatingOf(TAnswerKind kind, bool afterShow) {
    switch (kind) {
    case TAnswerKind::Right:
        return afterShow ? TRating::Hard : TRating::Good;
    case TAnswerKind::Wrong:
    case TAnswerKind::Shown:
    case TAnswerKind::Lost:
        return TRating::Again;
    case TAnswerKind::Seen:
        break;
    }
    return std::nullopt;
}

bool IsExercise(int value) {
    return value >= static_cast<int>(TExercise::Method1) &&
           value <= static_cast<int>(TExercise::Hangman);
}

bool IsAnswerKind(int value) {
    return value >= static_cast<int>(TAnswerKind::Right) &&
           value <= static_cast<int>(TAnswerKind::Seen);
}

std::string_view ExerciseName(TExercise exercise) {
    static constexpr std::string_view names[] = {"Method 1", "Method 2", "Method 3",
                                                 "Method 4", "Method 5", "Hangman"};
    return names[static_cast<int>(exercise) - 1];
}

std::string_view AnswerKindName(TAnswerKind kind) {
    static constexpr std::string_view names[] = {"right", "wrong", "shown", "lost", "seen"};
    return names[static_cast<int>(kind)];
}

std::string_view CardStateName(TCardState state) {
    static constexpr std::string_view names[] = {"new", "learning", "review", "relearning"};
    return names[static_cast<int>(state)];
}

} // namespace learning
