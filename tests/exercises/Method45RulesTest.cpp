// Methods 4 and 5 as state machines over recorded shared steps: no display.
#include "exercises/Method4Rules.h"
#include "exercises/Method5Rules.h"
#include "tests/exercises/FakeSteps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

using namespace exercises;

// "house", "hour", "walk" and "way" are English base words, "hound" the
// user's own, "къща" Bulgarian, "zzz" not in the dictionary.
FakeSteps MakeSteps() {
    FakeSteps steps;
    steps.List = {"house", "hour", "hound", "\xEA\xFA\xF9\xE0", "zzz", "walk"};
    steps.Known = {{"house", "house"},
                   {"hour", "hour"},
                   {"hound", "hound"},
                   {"\xEA\xFA\xF9\xE0", "\xEA\xFA\xF9\xE0"},
                   {"walk", "walk"}};
    steps.UserWords = {"hound"};
    return steps;
}

// ---- Method 4 ---------------------------------------------------------------

class FakeArticleHead : public TArticleHead {
public:
    explicit FakeArticleHead(FakeSteps& steps) : steps_(steps) {}
    void CutArticleHead() override { steps_.Log.push_back("cut"); }

private:
    FakeSteps& steps_;
};

class Method4Test : public ::testing::Test {
protected:
    void SetUp() override { rules_.FormCreate(); }
    FakeSteps steps_ = MakeSteps();
    FakeArticleHead head_{steps_};
    TMethod4Rules rules_{steps_, head_};
};

TEST_F(Method4Test, StartAsksTheFirstWordByItsArticleWithoutItsHead) {
    EXPECT_EQ(rules_.ScoreText(), "0 - 0");
    EXPECT_EQ(rules_.ProgressMax, 6);
    EXPECT_TRUE(rules_.StartStop.Blink.On);
    steps_.Box = "left over";
    rules_.Button5Click();
    EXPECT_EQ(rules_.CurrentIndex, 0);
    EXPECT_EQ(rules_.CurrentWord, "house");
    ASSERT_GE(steps_.Log.size(), 3u);
    EXPECT_EQ(steps_.Log[steps_.Log.size() - 2], "article house");
    EXPECT_TRUE(steps_.LastIs("cut")) << "the head goes once the article is in";
    EXPECT_EQ(steps_.Box, "") << "the answer box is emptied for the answer";
    EXPECT_EQ(steps_.Focused, 1);
    EXPECT_EQ(steps_.Logged("speak"), 0) << "Method 4 pronounces nothing";
}

TEST_F(Method4Test, InExamModeShowThenCheckGivesOnePointEach) {
    rules_.Exam = true;
    rules_.Button5Click();
    rules_.Button8Click();
    EXPECT_EQ(steps_.Box, "house");
    EXPECT_EQ(rules_.ScoreText(), "0 - 1");
    rules_.Button3Click();
    EXPECT_EQ(rules_.ScoreText(), "1 - 1") << "a shown word still counts when checked";
    EXPECT_EQ(steps_.Logged("right"), 1);
    EXPECT_EQ(rules_.CurrentIndex, 1) << "a right answer moves on";
    EXPECT_EQ(steps_.Box, "");
}

TEST_F(Method4Test, EveryWrongCheckInExamModeIsAPointForMeAndTheWordStays) {
    rules_.Exam = true;
    rules_.Button5Click();
    steps_.Box = "hose";
    rules_.Button3Click();
    rules_.Button3Click();
    EXPECT_EQ(rules_.ScoreText(), "0 - 2");
    EXPECT_EQ(steps_.Logged("wrong"), 2);
    EXPECT_EQ(rules_.CurrentIndex, 0);
    EXPECT_EQ(steps_.Box, "hose") << "the answer stays for correcting";

    // Scores count only in exam mode and are kept when it is switched off.
    rules_.Exam = false;
    rules_.Button3Click();
    steps_.Box = "HOUSE";
    rules_.Button3Click();
    EXPECT_EQ(rules_.ScoreText(), "0 - 2");
    EXPECT_EQ(rules_.CurrentIndex, 1) << "letters are compared without regard to case";
    rules_.Exam = true;
    steps_.Box = "hour ";
    rules_.Button3Click();
    EXPECT_EQ(rules_.ScoreText(), "0 - 3") << "a trailing blank is wrong";
}

TEST_F(Method4Test, CheckAndShowDoNothingWhileStoppedButStepsWork) {
    rules_.Exam = true;
    steps_.Box = "house";
    rules_.Button3Click();
    rules_.Button8Click();
    EXPECT_EQ(rules_.ScoreText(), "0 - 0");
    EXPECT_EQ(steps_.Logged("right") + steps_.Logged("wrong"), 0);

    rules_.Button4Click();
    EXPECT_EQ(rules_.CurrentIndex, 1) << "Next as the first action asks the second word";
    rules_.Button6Click();
    EXPECT_EQ(rules_.CurrentIndex, 0) << "Previous word from the second: the first";
    rules_.Button6Click();
    EXPECT_EQ(rules_.CurrentIndex, 5) << "Previous word from the first: the last";
    EXPECT_EQ(rules_.Progress, 5);
    rules_.Button7Click();
    EXPECT_EQ(rules_.CurrentIndex, 0) << "Next word from the last: the first";
    EXPECT_FALSE(rules_.StartStop.Running);
}

TEST_F(Method4Test, RandomOrderMovesNextOnlyNextWordAndPreviousWordKeepListOrder) {
    std::srand(7);
    rules_.RandomOrder = true;
    std::set<int> drawn;
    bool jumped = false;
    for (int i = 0; i < 60; ++i) {
        const int before = rules_.CurrentIndex;
        rules_.Button4Click();
        drawn.insert(rules_.CurrentIndex);
        jumped = jumped || rules_.CurrentIndex != (before + 1) % 6;
    }
    EXPECT_EQ(drawn.size(), 6u) << "random draws reach every position";
    EXPECT_TRUE(jumped) << "and do not follow the list";

    rules_.Button4Click();
    const int at = rules_.CurrentIndex;
    rules_.Button7Click();
    EXPECT_EQ(rules_.CurrentIndex, (at + 1) % 6);
    rules_.Button6Click();
    rules_.Button6Click();
    EXPECT_EQ(rules_.CurrentIndex, (at + 5) % 6);
    EXPECT_TRUE(rules_.RandomOrder) << "the option is restored";
}

TEST_F(Method4Test, AWordTheDictionaryLacksKeepsTheLastArticleButIsChecked) {
    rules_.Button5Click();
    steps_.Box = "typed";
    steps_.Log.clear();
    rules_.CurrentIndex = 3;
    rules_.Button7Click(); // "zzz"
    EXPECT_EQ(steps_.Logged("article") + steps_.Logged("cut"), 0);
    EXPECT_EQ(steps_.Box, "typed") << "the answer box is left as it is";
    steps_.Box = "ZZZ";
    rules_.Button3Click();
    EXPECT_EQ(steps_.Logged("right"), 1);
    EXPECT_EQ(rules_.CurrentIndex, 5);
}

TEST(Method4Empty, AnEmptyListDisablesStartAndNothingReadsAPosition) {
    FakeSteps steps;
    FakeArticleHead head(steps);
    TMethod4Rules rules(steps, head);
    rules.FormCreate();
    EXPECT_FALSE(rules.StartStop.Enabled);
    EXPECT_FALSE(rules.Button4Enabled || rules.Button6Enabled || rules.Button7Enabled);
    rules.Exam = true;
    rules.RandomOrder = true;
    rules.Button5Click();
    rules.Button4Click();
    rules.Button6Click();
    rules.Button7Click();
    rules.Button8Click();
    rules.Button3Click();
    rules.PlayEnded();
    EXPECT_FALSE(rules.StartStop.Running);
    EXPECT_EQ(rules.ScoreText(), "0 - 0");
    EXPECT_TRUE(steps.Log.empty());
    EXPECT_FALSE(rules.Button6Enabled);
}

// ---- Method 5 ---------------------------------------------------------------

class Method5Test : public ::testing::Test {
protected:
    void SetUp() override { rules_.FormCreate(); }
    FakeSteps steps_ = MakeSteps();
    bool libraryLoaded_ = false;
    TMethod5Rules rules_{steps_, [this] { return libraryLoaded_; }};
};

TEST_F(Method5Test, StartSpeaksOnlyWhileThePlayerHasNotLoadedItsLibrary) {
    EXPECT_EQ(steps_.Selected, 0) << "the dictation opens on the first entry";
    EXPECT_EQ(rules_.ProgressMax, 5) << "the bar is full at the last word";
    EXPECT_TRUE(steps_.LastIs("stop"));
    EXPECT_FALSE(rules_.Button4Enabled) << "until the first pronunciation ends";
    rules_.Button9Click();
    EXPECT_EQ(steps_.Logged("speak house"), 1);
    EXPECT_EQ(rules_.CurrentWord, "house");
    EXPECT_FALSE(rules_.Button3Enabled || rules_.Button4Enabled || rules_.Button7Enabled ||
                 rules_.Button8Enabled);
    EXPECT_EQ(steps_.Logged("article"), 0) << "a dictation shows no article";
    rules_.PlayEnded();
    EXPECT_TRUE(rules_.Button4Enabled);
    rules_.Button9Click();
    EXPECT_EQ(rules_.StartStop.Hint, TStartHint::Start);

    libraryLoaded_ = true;
    steps_.Log.clear();
    rules_.Button9Click();
    EXPECT_TRUE(rules_.StartStop.Running);
    EXPECT_EQ(steps_.Logged("find"), 0);
}

TEST_F(Method5Test, NextWrapsToTheFirstAndPreviousToTheLastWithTheBarAtItsEnd) {
    for (int i = 0; i < 5; ++i) {
        rules_.Button8Click();
        rules_.PlayEnded();
    }
    EXPECT_EQ(steps_.Selected, 5);
    EXPECT_EQ(rules_.Progress, rules_.ProgressMax);
    rules_.Button4Click();
    EXPECT_EQ(steps_.Selected, 0) << "Next word from the last: the first";
    EXPECT_EQ(rules_.Progress, 0);
    rules_.PlayEnded();
    rules_.Button7Click();
    EXPECT_EQ(steps_.Selected, 5) << "Previous word from the first: the last";
    EXPECT_EQ(rules_.CurrentWord, "walk");
    EXPECT_EQ(steps_.Box, "");
}

TEST_F(Method5Test, AnswersAreCheckedInUpperCaseOfLatinLettersOnly) {
    steps_.Known["house"] = "House";
    rules_.Button9Click();
    EXPECT_EQ(rules_.CurrentWord, "House") << "the dictionary's spelling is asked";
    rules_.PlayEnded();

    steps_.Box = "house ";
    rules_.Button2Click();
    EXPECT_TRUE(steps_.LastIs("wrong")) << "a trailing blank is wrong";
    EXPECT_EQ(steps_.Box, "house ") << "the typed text stays";

    steps_.Box = "house";
    steps_.Log.clear();
    rules_.Button2Click();
    ASSERT_GE(steps_.Log.size(), 3u);
    EXPECT_EQ(steps_.Log[0], "right");
    EXPECT_EQ(steps_.Logged("speak hour"), 1) << "the next word is spoken at once";
    EXPECT_EQ(steps_.Selected, 1);
    EXPECT_FALSE(rules_.Button7Enabled || rules_.Button8Enabled || rules_.Button4Enabled)
        << "the steps wait for the playback's end";

    // Cyrillic letters are not case-folded.
    rules_.Button8Click(); // "hound"
    rules_.Button8Click(); // "къща"
    EXPECT_EQ(rules_.CurrentWord, "\xEA\xFA\xF9\xE0");
    steps_.Box = "\xCA\xDA\xD9\xC0";
    rules_.Button2Click();
    EXPECT_TRUE(steps_.LastIs("wrong"));
}

TEST_F(Method5Test, OnlyEnglishBaseWordsAreSpokenAndAMissingWordIsEmpty) {
    rules_.Button8Click();
    rules_.PlayEnded();
    steps_.Log.clear();
    rules_.Button8Click(); // the user's "hound"
    rules_.Button8Click(); // the Bulgarian word
    EXPECT_EQ(steps_.Logged("speak"), 0);
    EXPECT_TRUE(rules_.Button8Enabled);
    rules_.Button8Click(); // "zzz"
    EXPECT_EQ(rules_.CurrentWord, "");
    rules_.Button9Click();
    steps_.Box = "";
    rules_.Button2Click();
    EXPECT_EQ(steps_.Logged("right"), 1) << "an empty answer is right for no word";
}

TEST_F(Method5Test, ShowAndCheckDoNothingWhileStopped) {
    rules_.Button3Click();
    rules_.PlayEnded();
    steps_.Box = "house";
    rules_.Button2Click();
    rules_.Button1Click();
    EXPECT_EQ(steps_.Logged("right") + steps_.Logged("wrong"), 0);
    EXPECT_EQ(steps_.Box, "house");
    rules_.Button9Click();
    steps_.Box.clear();
    rules_.Button1Click();
    EXPECT_EQ(steps_.Box, "house");
}

TEST(Method5Empty, AnEmptyListDisablesStartAndNothingReadsAPosition) {
    FakeSteps steps;
    TMethod5Rules rules(steps, [] { return false; });
    rules.FormCreate();
    EXPECT_FALSE(rules.StartStop.Enabled);
    EXPECT_EQ(steps.Selected, -1);
    EXPECT_FALSE(rules.Button3Enabled || rules.Button4Enabled || rules.Button7Enabled ||
                 rules.Button8Enabled);
    rules.RandomOrder = true;
    rules.Button9Click();
    rules.Button8Click();
    rules.Button4Click();
    rules.Button7Click();
    rules.Button3Click();
    rules.Button2Click();
    rules.Button1Click();
    rules.PlayEnded();
    EXPECT_FALSE(rules.StartStop.Running);
    EXPECT_EQ(steps.Logged("find"), 0);
    EXPECT_EQ(steps.Logged("right") + steps.Logged("wrong"), 0);
    EXPECT_FALSE(rules.Button8Enabled);
}

} // namespace
