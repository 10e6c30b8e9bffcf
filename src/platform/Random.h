#pragma once

#include <cstdint>
#include <random>

namespace platform {

// The one source of every draw the program makes (random study words,
// Hangman's words). The program seeds it from the clock at start-up; a test
// seeds it with a number of its own, or replaces Below, to fix the draws.
class TRandom {
public:
    explicit TRandom(std::uint64_t seed = 0) : engine_(seed) {}
    virtual ~TRandom() = default;
    TRandom(const TRandom&) = delete;
    TRandom& operator=(const TRandom&) = delete;

    void Seed(std::uint64_t seed) { engine_.seed(seed); }

    // A uniformly drawn number 0..bound - 1; 0 when bound is 1 or less.
    virtual int Below(int bound);

private:
    std::mt19937_64 engine_;
};

// A seed that differs from one start of the program to the next.
std::uint64_t ClockSeed();

} // namespace platform
