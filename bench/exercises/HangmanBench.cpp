#include "exercises/HangmanDrawing.h"
#include "exercises/HangmanGame.h"

#include <benchmark/benchmark.h>

#include <string>

// One key press in the Hangman window: the guess updates the pattern and the
// gallows is drawn again for the current number of misses.
namespace {

using namespace exercises;

const std::string kWord = "electroencephalography";
const std::string kMisses = "bdfijkmqsu";

// A miss, at every stage from the first stroke to the loss figure with its
// fills; the game is set up again (untimed) after the tenth.
void BM_MissAndRepaint(benchmark::State& state) {
    THangmanScore score;
    THangmanGame game(score);
    std::size_t next = kMisses.size();
    for (auto _ : state) {
        if (next == kMisses.size()) {
            state.PauseTiming();
            game.Init(kWord);
            next = 0;
            state.ResumeTiming();
        }
        game.Guess(kMisses[next++]);
        QImage picture = DrawGallows(game.Misses());
        benchmark::DoNotOptimize(game.Pattern().data());
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_MissAndRepaint);

// The slowest stage alone: the tenth miss and the loss figure.
void BM_TenthMissAndRepaint(benchmark::State& state) {
    THangmanScore score;
    THangmanGame game(score);
    for (auto _ : state) {
        state.PauseTiming();
        game.Init(kWord);
        for (std::size_t i = 0; i + 1 < kMisses.size(); ++i) {
            game.Guess(kMisses[i]);
        }
        state.ResumeTiming();
        game.Guess(kMisses.back());
        QImage picture = DrawGallows(game.Misses());
        benchmark::DoNotOptimize(game.Pattern().data());
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_TenthMissAndRepaint);

// A hit on a long word: every position is compared and the drawing of nine
// misses is repainted.
void BM_HitAndRepaint(benchmark::State& state) {
    THangmanScore score;
    THangmanGame game(score);
    for (auto _ : state) {
        state.PauseTiming();
        game.Init(kWord);
        for (std::size_t i = 0; i + 1 < kMisses.size(); ++i) {
            game.Guess(kMisses[i]);
        }
        state.ResumeTiming();
        game.Guess('o');
        QImage picture = DrawGallows(game.Misses());
        benchmark::DoNotOptimize(game.Pattern().data());
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_HitAndRepaint);

} // namespace

BENCHMARK_MAIN();
