#pragma once

#include "learning/Answer.h"
#include "learning/Fsrs.h"

#include <cstdint>
#include <string>

namespace learning {

// What the log says of one word: its FSRS card and its counts. Derived from
// the word's answers in the order they were recorded; nothing else.
struct TWordState {
    TCard Card;
    int Reviews = 0; // judged answers: right, wrong, shown, lost
    int Rights = 0;
    int Misses = 0; // answers rated Again
    int Seen = 0;
    std::int64_t FirstReviewMs = 0; // 0: never reviewed
    std::int64_t LastMissMs = 0;
    std::int64_t LastAnswerId = 0;
    std::string HeadWord; // the head-word of its latest answer, empty when not found
    int Tab = kNoTab;

    bool Reviewed() const { return Reviews > 0; }
    bool operator==(const TWordState&) const = default;
};

// The state after one more answer, recorded with the given id.
void ApplyAnswer(TWordState& state, std::int64_t answerId, const TAnswer& answer);

} // namespace learning
