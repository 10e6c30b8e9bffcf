#pragma once

#include "platform/Random.h"

// Which study word a method shows next. The methods ask a next-word source
// for positions in the study list; the list's own order is one such source,
// and a learning schedule can take its place without the methods changing.
namespace exercises {

// The order a method walks the study list in: the list's own, or at random
// where the user checked "Random word".
enum class TStudyOrder { List, Random };

class TNextWordSource {
public:
    virtual ~TNextWordSource() = default;
    // Positions in a study list of count entries, from the word at current
    // (-1: none shown yet). Every answer for an empty list is -1.
    virtual int Next(int current, int count) = 0;
    virtual int Previous(int current, int count) = 0;
    virtual int Random(int count) = 0;
};

// The study list's own order, wrapping around at both ends: the first after
// the last (and after no word), the last before the first (and before no
// word). Random positions are drawn uniformly from the program's random
// source; a draw may repeat the word shown.
class TListOrder final : public TNextWordSource {
public:
    explicit TListOrder(platform::TRandom& random) : random_(random) {}
    int Next(int current, int count) override;
    int Previous(int current, int count) override;
    int Random(int count) override;

private:
    platform::TRandom& random_;
};

// The step policy every method shares: one word on or back, in list order
// or, when the order is random, drawn.
class TStepPolicy {
public:
    explicit TStepPolicy(TNextWordSource& source) : source_(source) {}
    int Forward(int current, int count, TStudyOrder order = TStudyOrder::List) const;
    int Back(int current, int count, TStudyOrder order = TStudyOrder::List) const;

private:
    TNextWordSource& source_;
};

} // namespace exercises
