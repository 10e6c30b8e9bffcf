#include "exercises/HangmanGame.h"
#include "platform/Cp1251.h"

#include <gtest/gtest.h>

#include <string>

// The game's rules: the pattern with its given letters, guesses in either
// case, the ten strokes, giving up, and the score that outlives a game.
namespace {

using namespace exercises;

std::string Cp(const char* utf8) {
    return *platform::Utf8ToCp1251(utf8);
}

struct HangmanGameTest : testing::Test {
    THangmanScore score;
    THangmanGame game{score};
};

TEST_F(HangmanGameTest, FirstAndLastLettersAreGivenEverywhereTheyOccur) {
    const struct {
        const char* Word;
        const char* Pattern;
        int Left;
    } cases[] = {{"cat", "C _ T", 1},
                 {"banana", "B A _ A _ A", 2},
                 {"level", "L _ _ _ L", 3},
                 {"Banana", "B A _ A _ A", 2}};
    for (const auto& c : cases) {
        game.Init(c.Word);
        EXPECT_EQ(game.Pattern(), c.Pattern) << c.Word;
        EXPECT_EQ(game.LettersLeft(), c.Left) << c.Word;
        EXPECT_EQ(game.State(), THangmanState::Playing);
    }
    EXPECT_EQ(game.SecretWord(), "banana");
    EXPECT_TRUE(game.IsTried('b') && game.IsTried('A') && !game.IsTried('n'));
    EXPECT_TRUE(game.InWord('N') && !game.InWord('x'));
    EXPECT_EQ(game.Guess('n'), THangmanGuess::Won);
    EXPECT_EQ(game.Pattern(), "B A N A N A");
    EXPECT_TRUE(game.CanTranslate());

    // One or two letters are all given: won at once, nothing to translate.
    game.Init("ox");
    EXPECT_EQ(game.State(), THangmanState::Won);
    EXPECT_FALSE(game.CanTranslate());
    EXPECT_EQ(game.Guess('q'), THangmanGuess::Ignored);
    game.Init("a");
    EXPECT_EQ(game.Pattern(), "A");
    EXPECT_EQ(score.Text(), "3 - 0");
    game.Init("");
    EXPECT_EQ(game.State(), THangmanState::NoGame);
    EXPECT_FALSE(game.GiveUp());
    EXPECT_EQ(score.Text(), "3 - 0") << "an empty word is no game";
}

TEST_F(HangmanGameTest, GuessesIgnoreCaseForLatinAndCyrillicLetters) {
    game.Init("elephant");
    EXPECT_EQ(game.Guess('P'), THangmanGuess::Hit);
    EXPECT_EQ(game.Guess('p'), THangmanGuess::Ignored) << "both cases are tried";
    EXPECT_EQ(game.Guess('l'), THangmanGuess::Hit);
    EXPECT_EQ(game.Guess('e'), THangmanGuess::Ignored) << "the given letters count as tried";
    EXPECT_EQ(game.Pattern(), "E L E P _ _ _ T");
    EXPECT_EQ(game.TriedText(), "PL");

    game.Init(Cp("ябълка"));
    EXPECT_EQ(game.Pattern(), Cp("Я _ _ _ _ А"));
    EXPECT_EQ(game.Guess(Cp("Ъ")[0]), THangmanGuess::Hit);
    EXPECT_EQ(game.Guess(Cp("ъ")[0]), THangmanGuess::Ignored);
    EXPECT_EQ(game.Guess(Cp("б")[0]), THangmanGuess::Hit);
    EXPECT_EQ(game.Pattern(), Cp("Я Б Ъ _ _ А"));
    EXPECT_EQ(game.TriedText(), Cp("ЪБ"));
}

TEST_F(HangmanGameTest, NonLetterKeysAreMissesOnceAndBlockNoOtherCharacter) {
    game.Init("x-ray");
    EXPECT_EQ(game.Guess('\r'), THangmanGuess::Miss);
    EXPECT_EQ(game.Guess('\r'), THangmanGuess::Ignored);
    EXPECT_EQ(game.Guess('1'), THangmanGuess::Miss);
    // Neither key may take a character of the word with it.
    EXPECT_EQ(game.Guess('-'), THangmanGuess::Hit);
    EXPECT_EQ(game.Guess('q'), THangmanGuess::Miss);
    EXPECT_EQ(game.Pattern(), "X - _ _ Y");
    EXPECT_EQ(game.Misses(), 3);
}

TEST_F(HangmanGameTest, TheTenthMissOrGivingUpLosesAndShowsTheWord) {
    game.Init("house");
    for (const char miss : std::string("abcdfgijk")) {
        EXPECT_EQ(game.Guess(miss), THangmanGuess::Miss) << miss;
    }
    EXPECT_EQ(game.Guess('o'), THangmanGuess::Hit) << "a hit adds no stroke";
    EXPECT_EQ(game.Misses(), 9);
    EXPECT_EQ(game.Guess('l'), THangmanGuess::Lost);
    EXPECT_EQ(game.Misses(), 10);
    EXPECT_EQ(game.Pattern(), "H O U S E");
    EXPECT_EQ(game.LettersLeft(), 0);
    EXPECT_TRUE(game.CanTranslate());
    EXPECT_EQ(game.Guess('m'), THangmanGuess::Ignored);
    EXPECT_FALSE(game.GiveUp()) << "a lost game is not lost twice";
    EXPECT_EQ(score.Text(), "0 - 1");

    game.Init("garden");
    EXPECT_TRUE(game.GiveUp()) << "before any guess";
    EXPECT_EQ(game.Pattern(), "G A R D E N");
    EXPECT_EQ(game.Misses(), 0) << "giving up draws nothing";
    EXPECT_EQ(game.State(), THangmanState::Lost);
    EXPECT_EQ(game.Guess('a'), THangmanGuess::Ignored);

    // The score belongs to whoever keeps it, not to one game.
    THangmanGame next(score);
    next.Init("garden");
    next.Guess('x');
    EXPECT_TRUE(next.GiveUp());
    EXPECT_EQ(next.Misses(), 1);
    EXPECT_EQ(score.Text(), "0 - 3");
}

} // namespace
