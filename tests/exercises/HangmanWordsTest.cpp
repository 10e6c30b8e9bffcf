#include "dictionary/Letters.h"
#include "exercises/HangmanGame.h"
#include "platform/Cp1251.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Where Hangman's words come from, over a stand-in for the main window and a
// scripted or seeded random source.
namespace {

using namespace exercises;

struct FakeWords : THangmanWords {
    std::vector<std::string> Study;
    int Selected = -1;
    std::map<int, std::vector<std::string>> Letters;
    std::vector<int> Shown;

    int StudyCount() const override { return static_cast<int>(Study.size()); }
    std::string StudyEntry(int position) const override { return Study.at(position); }
    int StudySelected() const override { return Selected; }
    void SelectStudy(int position) override { Selected = position; }
    int HeadWordCount(int tab) const override {
        return Letters.count(tab) ? static_cast<int>(Letters.at(tab).size()) : 0;
    }
    std::string HeadWord(int tab, int position) const override {
        return Letters.at(tab).at(position);
    }
    void ShowLetter(int tab) override { Shown.push_back(tab); }
};

// Hands out the scripted values in turn (reduced to the bound) and counts
// the draws.
struct ScriptedRandom : platform::TRandom {
    explicit ScriptedRandom(std::vector<int> values) : Values(std::move(values)) {}
    int Below(int bound) override { return Values[Calls++ % Values.size()] % bound; }
    std::vector<int> Values;
    int Calls = 0;
};

struct HangmanWordsTest : testing::Test {
    FakeWords words;
    THangmanScore score;
    THangmanGame game{score};
};

TEST_F(HangmanWordsTest, OpeningTakesTheFirstEntryOrARandomEnglishWord) {
    words.Letters[7] = {"house", "hat"};
    ScriptedRandom random({7, 0});
    auto opening = StartOpeningGame(game, words, random);
    EXPECT_EQ(opening.Source, THangmanSource::EnglishRandom);
    EXPECT_FALSE(opening.StudyOptions);
    EXPECT_EQ(game.State(), THangmanState::Playing);
    EXPECT_EQ(game.SecretWord(), "house");
    EXPECT_EQ(words.Shown, std::vector<int>{7}) << "the main window shows the word's letter";

    words.Study = {"oxen", "garden", "house"};
    opening = StartOpeningGame(game, words, random);
    EXPECT_EQ(opening.Source, THangmanSource::StudyRandom);
    EXPECT_TRUE(opening.StudyOptions);
    EXPECT_EQ(game.SecretWord(), "oxen") << "the first entry";
    EXPECT_EQ(words.Selected, 0) << "the first entry becomes selected when none was";
    words.Selected = 2;
    StartOpeningGame(game, words, random);
    EXPECT_EQ(words.Selected, 2);

    words.Study = {"ox", "garden", "be", "house"};
    words.Selected = 1;
    EXPECT_EQ(ChooseHangmanWord(THangmanSource::StudyNext, words, random), "house");
    EXPECT_EQ(ChooseHangmanWord(THangmanSource::StudyNext, words, random), "garden");
    EXPECT_EQ(words.Selected, 1) << "past the last entry the list starts again";
    ScriptedRandom second({1});
    EXPECT_EQ(ChooseHangmanWord(THangmanSource::StudyRandom, words, second), "house");
}

TEST_F(HangmanWordsTest, AFirstEntryWonBeforeAKeyIsPassedOverLikeNextWordFromList) {
    EXPECT_FALSE(LeavesLettersToGuess(""));
    EXPECT_FALSE(LeavesLettersToGuess("go"));
    EXPECT_FALSE(LeavesLettersToGuess("zzzzz"));
    EXPECT_FALSE(LeavesLettersToGuess("abAb")) << "either case of a given letter is given";
    EXPECT_TRUE(LeavesLettersToGuess("aba"));
    EXPECT_TRUE(LeavesLettersToGuess("\xEA\xFA\xF9\xE0")); // къща

    ScriptedRandom random({0});
    for (const char* first : {"go", "zzzzz", "", "\xC0\xE0\xC0"}) { // "АаА"
        words.Study = {first, "ox", "Zzz", "garden", "house"};
        words.Selected = 4;
        const int you = score.You;
        StartOpeningGame(game, words, random);
        EXPECT_EQ(game.SecretWord(), "garden") << "after " << first;
        EXPECT_EQ(words.Selected, 3) << "the entry taken becomes selected";
        EXPECT_EQ(game.State(), THangmanState::Playing);
        EXPECT_EQ(score.You, you) << "no point for a word nobody guessed";
    }

    // Next word passes over such words too, whichever option chooses.
    words.Study = {"zzzzz", "house"};
    words.Selected = 0;
    EXPECT_EQ(ChooseHangmanWord(THangmanSource::StudyNext, words, random), "house");
    EXPECT_EQ(ChooseHangmanWord(THangmanSource::StudyNext, words, random), "house");
    words.Letters[0] = {"aaa"};
    words.Letters[1] = {"bbb", "bib"};
    ScriptedRandom draws({0, 0, 1, 0, 1, 1});
    EXPECT_EQ(ChooseHangmanWord(THangmanSource::EnglishRandom, words, draws), "bib");

    // No entry to play: no game, no point.
    words.Study = {"go", "zzz"};
    EXPECT_FALSE(StartFirstStudyGame(game, "go", words));
    EXPECT_EQ(game.State(), THangmanState::NoGame);
    EXPECT_EQ(score.You, 0);
}

TEST_F(HangmanWordsTest, EnglishWordsComeFromAToYAndBulgarianFromAToYa) {
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        words.Letters[tab] = {std::string(1, dictionary::TabCaption(tab)) + "ead"};
    }
    platform::TRandom random(20240611);
    std::set<unsigned char> english;
    std::set<unsigned char> bulgarian;
    for (int i = 0; i < 2000; ++i) {
        english.insert(ChooseHangmanWord(THangmanSource::EnglishRandom, words, random)->at(0));
        bulgarian.insert(ChooseHangmanWord(THangmanSource::BulgarianRandom, words, random)->at(0));
    }
    EXPECT_EQ(english.size(), 25u);
    EXPECT_EQ(english.count('Z'), 0u) << "no English word begins with Z";
    EXPECT_EQ(bulgarian.size(), 32u);
    EXPECT_GE(*bulgarian.begin(), 0xC0) << "a Latin word offered as Bulgarian";
    EXPECT_EQ(*bulgarian.rbegin(), 0xDF) << "Я is drawn";
}

TEST_F(HangmanWordsTest, TheDrawGivesUpWhenNoWordIsLongEnough) {
    words.Study = {"ox", "be", "a"};
    words.Selected = 1;
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        words.Letters[tab] = {"ab", "c"};
    }
    words.Letters.erase(3); // an empty letter is drawn again, not read
    ScriptedRandom random({3, 1, 0, 4});

    EXPECT_FALSE(ChooseHangmanWord(THangmanSource::EnglishRandom, words, random));
    EXPECT_GE(random.Calls, kMaxWordDraws);
    EXPECT_LE(random.Calls, 2 * kMaxWordDraws);
    EXPECT_FALSE(ChooseHangmanWord(THangmanSource::BulgarianRandom, words, random));
    EXPECT_TRUE(words.Shown.empty()) << "no letter is shown for a word not found";
    EXPECT_FALSE(ChooseHangmanWord(THangmanSource::StudyNext, words, random));
    EXPECT_EQ(words.Selected, 1) << "one round of the list, back where it started";
    EXPECT_FALSE(ChooseHangmanWord(THangmanSource::StudyRandom, words, random));

    game.Init("garden");
    game.Guess('a');
    EXPECT_FALSE(StartNextGame(game, THangmanSource::EnglishRandom, words, random));
    EXPECT_EQ(game.Pattern(), "G A _ _ _ N") << "the game in progress is kept";

    words.Study.clear();
    EXPECT_FALSE(ChooseHangmanWord(THangmanSource::StudyNext, words, random));
    THangmanGame fresh(score);
    EXPECT_EQ(StartOpeningGame(fresh, words, random).Source, THangmanSource::EnglishRandom);
    EXPECT_EQ(fresh.State(), THangmanState::NoGame);
}

} // namespace
