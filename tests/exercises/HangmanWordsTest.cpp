#include "dictionary/Letters.h"
#include "exercises/HangmanGame.h"
#include "platform/Cp1251.h"
#include "tests/dictionary/TestDictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

// Where Hangman's words come from: the study list in order or at random, and
// random English and Bulgarian head-words, over a stand-in for the main
// window and a scripted or seeded random source.
namespace {

using namespace exercises;

constexpr int kTabZ = 25;
constexpr int kTabA = 26;  // А
constexpr int kTabYa = 57; // Я

std::string Cp(const char* utf8) {
    return *platform::Utf8ToCp1251(utf8);
}

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
        const auto it = Letters.find(tab);
        return it == Letters.end() ? 0 : static_cast<int>(it->second.size());
    }
    std::string HeadWord(int tab, int position) const override {
        return Letters.at(tab).at(position);
    }
    void ShowLetter(int tab) override { Shown.push_back(tab); }

    // Every letter holds one word beginning with it.
    void FillEveryLetter() {
        for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
            const char first = dictionary::TabCaption(tab);
            Letters[tab] = {std::string(1, first) + "ook"};
        }
    }
};

// Hands out the scripted values in turn, and counts the draws.
struct ScriptedRandom {
    std::vector<int> Values;
    int Calls = 0;
    THangmanRandom Source() {
        return [this](int bound) {
            const int value = Values.empty() ? 0 : Values[Calls % Values.size()];
            ++Calls;
            return value % bound;
        };
    }
};

struct HangmanWordsTest : testing::Test {
    FakeWords words;
    THangmanScore score;
    THangmanGame game{score};
};

TEST_F(HangmanWordsTest, AnEmptyStudyListOpensWithARandomEnglishWord) {
    words.Letters[7] = {"house", "hat"};
    ScriptedRandom random{{7, 0}};
    const auto opening = StartOpeningGame(game, words, random.Source());
    EXPECT_EQ(opening.Source, THangmanSource::EnglishRandom);
    EXPECT_FALSE(opening.StudyOptions);
    EXPECT_EQ(game.State(), THangmanState::Playing);
    EXPECT_EQ(game.SecretWord(), "house");
    EXPECT_EQ(words.Shown, std::vector<int>{7}) << "the main window shows the word's letter";
    EXPECT_TRUE(words.Study.empty());
}

TEST_F(HangmanWordsTest, TheFirstGameTakesTheFirstEntryWhateverItsLength) {
    words.Study = {"ox", "garden", "house"};
    ScriptedRandom random;
    const auto opening = StartOpeningGame(game, words, random.Source());
    EXPECT_EQ(opening.Source, THangmanSource::StudyRandom);
    EXPECT_TRUE(opening.StudyOptions);
    EXPECT_EQ(game.SecretWord(), "ox");
    EXPECT_EQ(game.State(), THangmanState::Won);
    EXPECT_EQ(words.Selected, 0) << "the first entry becomes selected when none was";
    EXPECT_EQ(random.Calls, 0);

    words.Selected = 2;
    StartOpeningGame(game, words, random.Source());
    EXPECT_EQ(game.SecretWord(), "ox");
    EXPECT_EQ(words.Selected, 2) << "a selection stays where it is";
}

TEST_F(HangmanWordsTest, StudyOptionsSkipShortEntries) {
    words.Study = {"ox", "garden", "be", "house"};
    words.Selected = 1;
    ScriptedRandom none;
    EXPECT_EQ(ChooseHangmanWord(THangmanSource::StudyNext, words, none.Source()), "house");
    EXPECT_EQ(words.Selected, 3);
    EXPECT_EQ(ChooseHangmanWord(THangmanSource::StudyNext, words, none.Source()), "garden")
        << "past the last entry the list starts again";
    EXPECT_EQ(words.Selected, 1);

    ScriptedRandom second{{1}};
    EXPECT_EQ(ChooseHangmanWord(THangmanSource::StudyRandom, words, second.Source()), "house")
        << "the draw is among the entries long enough";
    EXPECT_TRUE(words.Shown.empty());
}

TEST_F(HangmanWordsTest, EnglishWordsComeFromAToYAndBulgarianFromAToYa) {
    words.FillEveryLetter();
    std::set<char> englishFirsts;
    std::set<std::string> bulgarianFirsts;
    std::mt19937 engine(20240611);
    const THangmanRandom random = [&engine](int bound) {
        return std::uniform_int_distribution<int>(0, bound - 1)(engine);
    };
    for (int i = 0; i < 2000; ++i) {
        const auto english = ChooseHangmanWord(THangmanSource::EnglishRandom, words, random);
        ASSERT_TRUE(english);
        englishFirsts.insert((*english)[0]);
        const auto bulgarian = ChooseHangmanWord(THangmanSource::BulgarianRandom, words, random);
        ASSERT_TRUE(bulgarian);
        bulgarianFirsts.insert(bulgarian->substr(0, 1));
    }
    EXPECT_EQ(englishFirsts.size(), 25u);
    EXPECT_EQ(englishFirsts.count('Z'), 0u) << "no English word begins with Z";
    EXPECT_EQ(bulgarianFirsts.size(), 32u);
    for (const std::string& first : bulgarianFirsts) {
        EXPECT_GE(static_cast<unsigned char>(first[0]), 0xC0)
            << "a Latin word offered as Bulgarian";
    }
    EXPECT_EQ(bulgarianFirsts.count(Cp("Я")), 1u);

    // The edges of the draw, scripted.
    ScriptedRandom last{{31, 0}};
    EXPECT_EQ(ChooseHangmanWord(THangmanSource::BulgarianRandom, words, last.Source()), Cp("Яook"));
    EXPECT_EQ(words.Shown.back(), kTabYa);
    ScriptedRandom first{{0, 0}};
    EXPECT_EQ(ChooseHangmanWord(THangmanSource::BulgarianRandom, words, first.Source()),
              Cp("Аook"));
    EXPECT_EQ(words.Shown.back(), kTabA);
    EXPECT_EQ(std::count(words.Shown.begin(), words.Shown.end(), kTabZ), 0);
}

TEST_F(HangmanWordsTest, TheDrawGivesUpWhenNoWordIsLongEnough) {
    words.Study = {"ox", "be", "a"};
    words.Selected = 1;
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        words.Letters[tab] = {"ab", "c"};
    }
    words.Letters.erase(3); // an empty letter is drawn again, not read
    ScriptedRandom random{{3, 1, 0, 4}};

    EXPECT_FALSE(ChooseHangmanWord(THangmanSource::EnglishRandom, words, random.Source()));
    EXPECT_LE(random.Calls, 2 * kMaxWordDraws);
    EXPECT_GE(random.Calls, kMaxWordDraws);
    EXPECT_FALSE(ChooseHangmanWord(THangmanSource::BulgarianRandom, words, random.Source()));
    EXPECT_TRUE(words.Shown.empty()) << "no letter is shown for a word not found";

    EXPECT_FALSE(ChooseHangmanWord(THangmanSource::StudyNext, words, random.Source()));
    EXPECT_EQ(words.Selected, 1) << "one round of the list, back where it started";
    const int calls = random.Calls;
    EXPECT_FALSE(ChooseHangmanWord(THangmanSource::StudyRandom, words, random.Source()));
    EXPECT_EQ(random.Calls, calls);

    words.Study.clear();
    words.Selected = -1;
    EXPECT_FALSE(ChooseHangmanWord(THangmanSource::StudyNext, words, random.Source()));
    EXPECT_FALSE(ChooseHangmanWord(THangmanSource::StudyRandom, words, random.Source()));

    // Next word finds nothing: the game in progress is kept.
    game.Init("garden");
    game.Guess('a');
    EXPECT_FALSE(StartNextGame(game, THangmanSource::EnglishRandom, words, random.Source()));
    EXPECT_EQ(game.Pattern(), "G A _ _ _ N");
    EXPECT_EQ(game.State(), THangmanState::Playing);

    // An opening over an empty list and such a dictionary starts no game.
    THangmanGame fresh(score);
    const auto opening = StartOpeningGame(fresh, words, random.Source());
    EXPECT_EQ(opening.Source, THangmanSource::EnglishRandom);
    EXPECT_EQ(fresh.State(), THangmanState::NoGame);
}

TEST(HangmanRandomTest, TheClockSeededSourceStaysWithinItsBound) {
    const THangmanRandom random = ClockSeededRandom();
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(random(1), 0);
        const int value = random(3);
        EXPECT_GE(value, 0);
        EXPECT_LT(value, 3);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 3u);
}

// The main window's side of the word choice, over a written dictionary.
struct FakeLookup : TLookupSteering {
    dictionary::DictionaryIndex Dictionary;
    std::filesystem::path Dir;
    int Tab = 0;
    int Fills = 0;

    const dictionary::DictionaryIndex& Index() const override { return Dictionary; }
    const std::filesystem::path& StartDir() const override { return Dir; }
    int TabIndex() const override { return Tab; }
    int SetTabIndex(int tab) override {
        if (dictionary::IsValidTab(tab)) {
            Tab = tab;
        }
        return Tab;
    }
    void FillSearchBox() override { ++Fills; }
    int SearchBoxItemIndex() const override { return -1; }
    void SetSearchBoxItemIndex(int) override {}
    std::string SearchBoxText() const override { return {}; }
    void SetSearchBoxText(const std::string&) override {}
    void SearchBoxChanged() override {}
    std::string ReadArticle(int, int) const override { return {}; }
};

struct FakeStudy : TStudyWords {
    std::vector<std::string> Entries;
    int Position = -1;
    int Count() const override { return static_cast<int>(Entries.size()); }
    std::string Entry(int position) const override {
        return position >= 0 && position < Count() ? Entries[position] : std::string();
    }
    int Selected() const override { return Position; }
    void Select(int position) override { Position = position < Count() ? position : -1; }
};

TEST(HangmanSeamWordsTest, ReadsTheIndexAndSteersTheMainWindow) {
    TestDictionary dict;
    dict.WriteLetter(kTabA + 1, {{Cp("бор"), "{\\rtf1 pine}"}, {Cp("бял"), "{\\rtf1 white}"}});
    dict.FillEmptyLetters();
    FakeLookup lookup;
    lookup.Dictionary.Load(dict.Dir());
    FakeStudy study;
    study.Entries = {"ox", "garden"};
    TSeamHangmanWords words(study, lookup);

    EXPECT_EQ(words.HeadWordCount(kTabA + 1), 2);
    EXPECT_EQ(words.HeadWord(kTabA + 1, 1), Cp("бял"));
    EXPECT_EQ(words.HeadWord(kTabA + 1, 2), "");
    EXPECT_EQ(words.HeadWordCount(dictionary::kLetterCount), 0);

    ScriptedRandom random{{1, 0}};
    EXPECT_EQ(ChooseHangmanWord(THangmanSource::BulgarianRandom, words, random.Source()),
              Cp("бор"));
    EXPECT_EQ(lookup.Tab, kTabA + 1);
    EXPECT_EQ(lookup.Fills, 1);

    EXPECT_EQ(ChooseHangmanWord(THangmanSource::StudyNext, words, random.Source()), "garden");
    EXPECT_EQ(study.Position, 1);
}

} // namespace
