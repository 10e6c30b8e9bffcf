#include "learning/WordState.h"

namespace learning {

void ApplyAnswer(TWordState& state, std::int64_t answerId, const TAnswer& answer) {
    state.LastAnswerId = answerId;
    state.HeadWord = answer.HeadWord;
    state.Tab = answer.Tab;
    const auto rating = RatingOf(answer.Kind, answer.AfterShow);
    if (!rating) {
        ++state.Seen;
        return;
    }
    state.Card = Review(state.Card, *rating, ToMs(answer.At));
    if (state.Reviews == 0) {
        state.FirstReviewMs = state.Card.LastReviewMs;
    }
    ++state.Reviews;
    if (answer.Kind == TAnswerKind::Right) {
        ++state.Rights;
    }
    if (*rating == TRating::Again) {
        ++state.Misses;
        state.LastMissMs = state.Card.LastReviewMs;
    }
}

} // namespace learning
