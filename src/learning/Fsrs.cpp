#include "learning/Fsrs.h"

#include <algorithm>
#include <cmath>

namespace learning {

const double kDefaultWeights[kWeightCount] = {
    0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
    1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542,
};

namespace {

const double* const w = kDefaultWeights;

constexpr double kMinStability = 0.001;
constexpr double kMaxStability = 36500;
constexpr int kMaxIntervalDays = 36500;
constexpr std::int64_t kMinuteMs = 60 * 1000;
constexpr std::int64_t kDayMs = 24 * 60 * kMinuteMs;

// Learning steps 1 and 10 minutes, one relearning step of 10 minutes.
constexpr int kLearningSteps[] = {1, 10};
constexpr int kRelearningStep = 10;

// Half-way cases round towards positive infinity, as the reference does.
double RoundHalfUp(double x) {
    return std::floor(x + 0.5);
}

double Round8(double x) {
    return RoundHalfUp(x * 1e8) / 1e8;
}

double Decay() {
    return -w[20];
}

double Factor() {
    return Round8(std::pow(0.9, 1 / Decay()) - 1);
}

double IntervalModifier() {
    return Round8((std::pow(kDesiredRetention, 1 / Decay()) - 1) / Factor());
}

double ForgettingCurve(double elapsedDays, double stability) {
    return Round8(std::pow(1 + Factor() * elapsedDays / stability, Decay()));
}

double InitStability(int g) {
    return std::max(w[g - 1], 0.1);
}

double InitDifficulty(int g) {
    return Round8(w[4] - std::exp((g - 1) * w[5]) + 1);
}

double NextDifficulty(double d, int g) {
    const double delta = -w[6] * (g - 3);
    const double damped = d + Round8(delta * (10 - d) / 9);
    const double reverted = Round8(w[7] * InitDifficulty(4) + (1 - w[7]) * damped);
    return std::clamp(reverted, 1.0, 10.0);
}

double RecallStability(double d, double s, double r, int g) {
    const double hardPenalty = g == 2 ? w[15] : 1;
    const double easyBonus = g == 4 ? w[16] : 1;
    const double next = s * (1 + std::exp(w[8]) * (11 - d) * std::pow(s, -w[9]) *
                                     (std::exp((1 - r) * w[10]) - 1) * hardPenalty * easyBonus);
    return Round8(std::clamp(next, kMinStability, kMaxStability));
}

double ForgetStability(double d, double s, double r) {
    const double next =
        w[11] * std::pow(d, -w[12]) * (std::pow(s + 1, w[13]) - 1) * std::exp((1 - r) * w[14]);
    return Round8(std::clamp(next, kMinStability, kMaxStability));
}

// Several reviews on one day: stability moves by the short-term rule, and a
// success never lowers it.
double ShortTermStability(double s, int g) {
    double increase = std::pow(s, -w[19]) * std::exp(w[17] * (g - 3 + w[18]));
    if (g >= 2) {
        increase = std::max(increase, 1.0);
    }
    return Round8(std::clamp(s * increase, kMinStability, kMaxStability));
}

struct TMemory {
    double Stability;
    double Difficulty;
};

TMemory NextMemory(const TCard& card, int elapsedDays, int g, double r) {
    if (card.State == TCardState::New) {
        return {InitStability(g), std::clamp(InitDifficulty(g), 1.0, 10.0)};
    }
    const double s = card.Stability;
    const double d = card.Difficulty;
    double next = 0;
    if (elapsedDays == 0) {
        next = ShortTermStability(s, g);
    } else if (g == 1) {
        const double floor = Round8(s / std::exp(w[17] * w[18]));
        next = std::clamp(floor, kMinStability, ForgetStability(d, s, r));
    } else {
        next = RecallStability(d, s, r, g);
    }
    return {next, NextDifficulty(d, g)};
}

int NextInterval(double stability) {
    const double days = RoundHalfUp(stability * IntervalModifier());
    return static_cast<int>(std::min(std::max(1.0, days), static_cast<double>(kMaxIntervalDays)));
}

void ScheduleInDays(TCard& card, int days, std::int64_t reviewMs) {
    card.State = TCardState::Review;
    card.Step = 0;
    card.ScheduledDays = days;
    card.DueMs = reviewMs + days * kDayMs;
}

void ScheduleInMinutes(TCard& card, TCardState state, int step, int minutes,
                       std::int64_t reviewMs) {
    card.State = state;
    card.Step = step;
    card.ScheduledDays = 0;
    card.DueMs = reviewMs + minutes * kMinuteMs;
}

// A new, learning or relearning card moves through its steps, and graduates
// to days when a Good passes the last one.
void ApplySteps(TCard& next, TCardState from, int step, int g, std::int64_t reviewMs) {
    const bool relearning = from == TCardState::Relearning;
    const TCardState stepState = relearning ? TCardState::Relearning : TCardState::Learning;
    const int stepCount = relearning ? 1 : 2;
    const int firstStep = relearning ? kRelearningStep : kLearningSteps[0];
    if (step >= stepCount) {
        ScheduleInDays(next, NextInterval(next.Stability), reviewMs);
        return;
    }
    switch (g) {
    case 1:
        ScheduleInMinutes(next, stepState, 0, firstStep, reviewMs);
        return;
    case 2: {
        const double hard =
            relearning ? firstStep * 1.5 : (kLearningSteps[0] + kLearningSteps[1]) / 2.0;
        ScheduleInMinutes(next, stepState, step, static_cast<int>(RoundHalfUp(hard)), reviewMs);
        return;
    }
    case 3:
        if (!relearning && step + 1 < stepCount) {
            ScheduleInMinutes(next, stepState, step + 1, kLearningSteps[step + 1], reviewMs);
            return;
        }
        break;
    default:
        break;
    }
    ScheduleInDays(next, NextInterval(next.Stability), reviewMs);
}

// A card in review: Again starts relearning; Hard, Good and Easy get intervals
// in days that keep Hard below Good below Easy.
void ScheduleReview(TCard& next, const TCard& card, int elapsedDays, int g, double r,
                    std::int64_t reviewMs) {
    if (g == 1) {
        ScheduleInMinutes(next, TCardState::Relearning, 0, kRelearningStep, reviewMs);
        ++next.Lapses;
        return;
    }
    const auto interval = [&](int grade) {
        return NextInterval(NextMemory(card, elapsedDays, grade, r).Stability);
    };
    const int goodRaw = interval(3);
    const int hard = std::min(interval(2), goodRaw);
    const int good = std::max(goodRaw, hard + 1);
    const int days = g == 2 ? hard : g == 3 ? good : std::max(interval(4), good + 1);
    ScheduleInDays(next, days, reviewMs);
}

} // namespace

bool IsSound(const TCard& card) {
    const int state = static_cast<int>(card.State);
    if (state < 0 || state > 3 || card.Step < 0 || card.Step > 1 || card.Reps < 0 ||
        card.Lapses < 0) {
        return false;
    }
    if (card.State == TCardState::New) {
        return true;
    }
    return card.DueMs >= card.LastReviewMs && std::isfinite(card.Stability) &&
           card.Stability >= kMinStability && card.Stability <= kMaxStability &&
           std::isfinite(card.Difficulty) && card.Difficulty >= 1 && card.Difficulty <= 10;
}

int UtcDaysBetween(std::int64_t earlierMs, std::int64_t laterMs) {
    const auto dayOf = [](std::int64_t ms) {
        return ms >= 0 ? ms / kDayMs : (ms + 1) / kDayMs - 1;
    };
    return static_cast<int>(dayOf(laterMs) - dayOf(earlierMs));
}

TCard Review(const TCard& card, TRating rating, std::int64_t reviewMs) {
    const bool isNew = card.State == TCardState::New;
    if (!isNew) {
        reviewMs = std::max(reviewMs, card.LastReviewMs);
    }
    const int g = static_cast<int>(rating);
    const int elapsedDays = isNew ? 0 : UtcDaysBetween(card.LastReviewMs, reviewMs);
    const double r = isNew ? 0 : ForgettingCurve(elapsedDays, card.Stability);
    TCard next = card;
    const TMemory memory = NextMemory(card, elapsedDays, g, r);
    next.Stability = memory.Stability;
    next.Difficulty = memory.Difficulty;
    next.LastReviewMs = reviewMs;
    ++next.Reps;
    if (card.State == TCardState::Review) {
        ScheduleReview(next, card, elapsedDays, g, r, reviewMs);
    } else {
        ApplySteps(next, card.State, card.Step, g, reviewMs);
    }
    return next;
}

double Retrievability(const TCard& card, std::int64_t atMs) {
    if (card.State == TCardState::New || card.Stability <= 0) {
        return 0;
    }
    const std::int64_t elapsedMs = std::max<std::int64_t>(0, atMs - card.LastReviewMs);
    return ForgettingCurve(static_cast<double>(elapsedMs / kDayMs), card.Stability);
}

} // namespace learning
