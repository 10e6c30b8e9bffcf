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
    game.Init("cat");
    EXPECT_EQ(game.Pattern(), "C _ T");
    EXPECT_EQ(game.LettersLeft(), 1);
    EXPECT_EQ(game.State(), THangmanState::Playing);
    EXPECT_EQ(game.TriedText(), "") << "the given letters are not listed as tried";

    game.Init("banana");
    EXPECT_EQ(game.Pattern(), "B A _ A _ A");
    EXPECT_EQ(game.LettersLeft(), 2);

    game.Init("level");
    EXPECT_EQ(game.Pattern(), "L _ _ _ L");
    EXPECT_EQ(game.LettersLeft(), 3);

    game.Init("Banana");
    EXPECT_EQ(game.SecretWord(), "banana");
    EXPECT_EQ(game.Pattern(), "B A _ A _ A") << "a capital first letter is the same letter";
    EXPECT_TRUE(game.IsTried('b') && game.IsTried('A'));
    EXPECT_TRUE(game.InWord('N') && game.InWord('n'));
    EXPECT_FALSE(game.InWord('x'));
    EXPECT_EQ(score.Text(), "0 - 0");
}

TEST_F(HangmanGameTest, WordsOfOneOrTwoLettersAreWonAtOnceWithoutTranslation) {
    game.Init("ox");
    EXPECT_EQ(game.Pattern(), "O X");
    EXPECT_EQ(game.State(), THangmanState::Won);
    EXPECT_EQ(game.LettersLeft(), 0);
    EXPECT_FALSE(game.CanTranslate());
    EXPECT_EQ(game.Guess('q'), THangmanGuess::Ignored);

    game.Init("a");
    EXPECT_EQ(game.Pattern(), "A");
    EXPECT_EQ(game.State(), THangmanState::Won);
    EXPECT_EQ(score.Text(), "2 - 0");

    game.Init("");
    EXPECT_EQ(game.State(), THangmanState::NoGame);
    EXPECT_EQ(game.Pattern(), "");
    EXPECT_EQ(game.Guess('a'), THangmanGuess::Ignored);
    EXPECT_FALSE(game.GiveUp());
    EXPECT_EQ(score.Text(), "2 - 0") << "an empty word is no game";
}

TEST_F(HangmanGameTest, GuessesRevealEveryPositionAndWin) {
    game.Init("banana");
    EXPECT_EQ(game.Guess('n'), THangmanGuess::Won);
    EXPECT_EQ(game.Pattern(), "B A N A N A");
    EXPECT_EQ(game.State(), THangmanState::Won);
    EXPECT_TRUE(game.CanTranslate());
    EXPECT_EQ(score.Text(), "1 - 0");
    EXPECT_EQ(game.Guess('z'), THangmanGuess::Ignored) << "keys after the end are ignored";
    EXPECT_EQ(game.Misses(), 0);

    game.Init("level");
    EXPECT_EQ(game.Guess('e'), THangmanGuess::Hit);
    EXPECT_EQ(game.Pattern(), "L E _ E L");
    EXPECT_EQ(game.LettersLeft(), 1);
    EXPECT_EQ(game.Guess('e'), THangmanGuess::Ignored);
    EXPECT_EQ(game.Guess('l'), THangmanGuess::Ignored) << "the given letters count as tried";
    EXPECT_EQ(game.TriedText(), "E");
    EXPECT_FALSE(game.CanTranslate());
}

TEST_F(HangmanGameTest, GuessesIgnoreCaseForLatinAndCyrillicLetters) {
    game.Init("elephant");
    EXPECT_EQ(game.Guess('P'), THangmanGuess::Hit);
    EXPECT_EQ(game.Pattern(), "E _ E P _ _ _ T");
    EXPECT_EQ(game.Guess('p'), THangmanGuess::Ignored) << "both cases are tried";
    EXPECT_EQ(game.Guess('L'), THangmanGuess::Hit);
    EXPECT_EQ(game.Pattern(), "E L E P _ _ _ T");
    EXPECT_EQ(game.TriedText(), "PL");

    // "ябълка": я and а given; capital Ъ reveals the small ъ.
    game.Init(Cp("ябълка"));
    EXPECT_EQ(game.Pattern(), Cp("Я _ _ _ _ А"));
    EXPECT_EQ(game.Guess(Cp("Ъ")[0]), THangmanGuess::Hit);
    EXPECT_EQ(game.Pattern(), Cp("Я _ Ъ _ _ А"));
    EXPECT_EQ(game.Guess(Cp("ъ")[0]), THangmanGuess::Ignored);
    EXPECT_EQ(game.Guess(Cp("б")[0]), THangmanGuess::Hit);
    EXPECT_EQ(game.TriedText(), Cp("ЪБ")) << "tried letters are listed in upper case";

    game.Init(Cp("ЗЕБРА"));
    EXPECT_EQ(game.SecretWord(), Cp("зебра"));
    EXPECT_EQ(game.Guess(Cp("е")[0]), THangmanGuess::Hit);
    EXPECT_EQ(game.Pattern(), Cp("З Е _ _ А"));
}

TEST_F(HangmanGameTest, NonLetterKeysAreMissesOnceAndBlockNoOtherCharacter) {
    game.Init("x-ray");
    EXPECT_EQ(game.Guess('\r'), THangmanGuess::Miss);
    EXPECT_EQ(game.Misses(), 1);
    EXPECT_EQ(game.Guess('\r'), THangmanGuess::Ignored);
    EXPECT_EQ(game.Misses(), 1);
    EXPECT_EQ(game.Guess('1'), THangmanGuess::Miss);
    // Neither key may take a character of the word with it.
    EXPECT_EQ(game.Guess('-'), THangmanGuess::Hit);
    EXPECT_EQ(game.Guess('q'), THangmanGuess::Miss);
    EXPECT_EQ(game.Pattern(), "X - _ _ Y");
    EXPECT_EQ(game.Misses(), 3);
}

TEST_F(HangmanGameTest, TheTenthMissLosesAndShowsTheWord) {
    game.Init("house");
    const std::string misses = "abcdfgijkl";
    for (std::size_t i = 0; i + 1 < misses.size(); ++i) {
        EXPECT_EQ(game.Guess(misses[i]), THangmanGuess::Miss) << i;
    }
    EXPECT_EQ(game.Misses(), 9);
    EXPECT_EQ(game.State(), THangmanState::Playing);
    EXPECT_EQ(game.Guess('o'), THangmanGuess::Hit) << "a hit adds no stroke";
    EXPECT_EQ(game.Misses(), 9);

    EXPECT_EQ(game.Guess(misses.back()), THangmanGuess::Lost);
    EXPECT_EQ(game.Misses(), 10);
    EXPECT_EQ(game.State(), THangmanState::Lost);
    EXPECT_EQ(game.Pattern(), "H O U S E");
    EXPECT_EQ(game.LettersLeft(), 0);
    EXPECT_TRUE(game.CanTranslate());
    EXPECT_EQ(score.Text(), "0 - 1");
    EXPECT_EQ(game.Guess('u'), THangmanGuess::Ignored);
    EXPECT_EQ(game.Guess('m'), THangmanGuess::Ignored);
    EXPECT_EQ(game.Misses(), 10);
    EXPECT_FALSE(game.GiveUp()) << "a lost game is not lost twice";
    EXPECT_EQ(score.Text(), "0 - 1");
}

TEST_F(HangmanGameTest, GivingUpBeforeOrAfterGuessesShowsTheWordAndCountsForMe) {
    game.Init("garden");
    EXPECT_TRUE(game.GiveUp());
    EXPECT_EQ(game.Pattern(), "G A R D E N");
    EXPECT_EQ(game.Misses(), 0) << "giving up draws nothing";
    EXPECT_EQ(game.State(), THangmanState::Lost);
    EXPECT_TRUE(game.CanTranslate());
    EXPECT_EQ(game.Guess('a'), THangmanGuess::Ignored);
    EXPECT_EQ(score.Text(), "0 - 1");

    game.Init("garden");
    game.Guess('x');
    game.Guess('a');
    EXPECT_TRUE(game.GiveUp());
    EXPECT_EQ(game.Misses(), 1);
    EXPECT_EQ(score.Text(), "0 - 2");

    game.Init("ox");
    EXPECT_FALSE(game.GiveUp()) << "a won game cannot be given up";
    EXPECT_EQ(score.Text(), "1 - 2");
}

TEST(HangmanScoreTest, OutlivesTheGamesThatAddToIt) {
    THangmanScore score;
    {
        THangmanGame first(score);
        first.Init("cat");
        first.Guess('a');
    }
    THangmanGame second(score);
    second.Init("dog");
    second.GiveUp();
    EXPECT_EQ(score.You, 1);
    EXPECT_EQ(score.Me, 1);
    EXPECT_EQ(second.Score().Text(), "1 - 1");
}

} // namespace
