#include "platform/Random.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

std::vector<int> Draws(platform::TRandom& random, int bound, int count) {
    std::vector<int> draws;
    for (int i = 0; i < count; ++i) {
        draws.push_back(random.Below(bound));
    }
    return draws;
}

TEST(Random, TheSameSeedGivesTheSameDrawsAndReseedingStartsThemAgain) {
    platform::TRandom first(42);
    platform::TRandom second(42);
    const std::vector<int> drawn = Draws(first, 1000, 50);
    EXPECT_EQ(Draws(second, 1000, 50), drawn);
    platform::TRandom other(43);
    EXPECT_NE(Draws(other, 1000, 50), drawn);
    first.Seed(42);
    EXPECT_EQ(Draws(first, 1000, 50), drawn);
}

TEST(Random, DrawsStayBelowTheBoundAndReachEveryNumber) {
    platform::TRandom random(7);
    std::set<int> seen;
    for (const int draw : Draws(random, 6, 600)) {
        ASSERT_GE(draw, 0);
        ASSERT_LT(draw, 6);
        seen.insert(draw);
    }
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_EQ(random.Below(1), 0);
    EXPECT_EQ(random.Below(0), 0);
    EXPECT_EQ(random.Below(-5), 0);
}

} // namespace
