// Methods 4 and 5 as state machines over recorded shared steps: no display.
#include "exercises/Method4Rules.h"
#include "exercises/Method5Rules.h"
#include "tests/exercises/FakeSteps.h"

#include <gtest/gtest.h>

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
    void SetUp() override { rules_.Open(); }
    FakeSteps steps_ = MakeSteps();
    FakeArticleHead head_{steps_};
    FakeOrder order_;
    TMethod4Rules rules_{steps_, order_.Order, head_};
};

TEST_F(Method4Test, StartAsksTheFirstWordByItsArticleWithoutItsHead) {
    EXPECT_EQ(rules_.ScoreText(), "0 - 0");
    EXPECT_EQ(rules_.ProgressMax(), 6);
    EXPECT_TRUE(rules_.StartStop().Blink.On);
    steps_.Box = "left over";
    rules_.StartOrStop();
    EXPECT_EQ(rules_.CurrentIndex(), 0);
    EXPECT_EQ(rules_.CurrentWord(), "house");
    ASSERT_GE(steps_.Log.size(), 3u);
    EXPECT_EQ(steps_.Log[steps_.Log.size() - 2], "article house");
    EXPECT_TRUE(steps_.LastIs("cut")) << "the head goes once the article is in";
    EXPECT_EQ(steps_.Box, "") << "the answer box is emptied for the answer";
    EXPECT_EQ(steps_.Focused, 1);
    EXPECT_EQ(steps_.Logged("speak"), 0) << "Method 4 pronounces nothing";
}

TEST_F(Method4Test, InExamModeShowThenCheckGivesOnePointEach) {
    rules_.SetExam(true);
    rules_.StartOrStop();
    rules_.Show();
    EXPECT_EQ(steps_.Box, "house");
    EXPECT_EQ(rules_.ScoreText(), "0 - 1");
    rules_.Check();
    EXPECT_EQ(rules_.ScoreText(), "1 - 1") << "a shown word still counts when checked";
    EXPECT_EQ(steps_.Logged("right"), 1);
    EXPECT_EQ(rules_.CurrentIndex(), 1) << "a right answer moves on";
    EXPECT_EQ(steps_.Box, "");
}

TEST_F(Method4Test, EveryWrongCheckInExamModeIsAPointForMeAndTheWordStays) {
    rules_.SetExam(true);
    rules_.StartOrStop();
    steps_.Box = "hose";
    rules_.Check();
    rules_.Check();
    EXPECT_EQ(rules_.ScoreText(), "0 - 2");
    EXPECT_EQ(steps_.Logged("wrong"), 2);
    EXPECT_EQ(rules_.CurrentIndex(), 0);
    EXPECT_EQ(steps_.Box, "hose") << "the answer stays for correcting";

    // Scores count only in exam mode and are kept when it is switched off.
    rules_.SetExam(false);
    rules_.Check();
    steps_.Box = "HOUSE";
    rules_.Check();
    EXPECT_EQ(rules_.ScoreText(), "0 - 2");
    EXPECT_EQ(rules_.CurrentIndex(), 1) << "letters are compared without regard to case";
    rules_.SetExam(true);
    steps_.Box = "hour ";
    rules_.Check();
    EXPECT_EQ(rules_.ScoreText(), "0 - 3") << "a trailing blank is wrong";
}

TEST_F(Method4Test, CheckAndShowDoNothingWhileStoppedButStepsWork) {
    rules_.SetExam(true);
    steps_.Box = "house";
    rules_.Check();
    rules_.Show();
    EXPECT_EQ(rules_.ScoreText(), "0 - 0");
    EXPECT_EQ(steps_.Logged("right") + steps_.Logged("wrong"), 0);

    rules_.NextWord();
    EXPECT_EQ(rules_.CurrentIndex(), 1) << "Next as the first action asks the second word";
    rules_.PreviousWord();
    EXPECT_EQ(rules_.CurrentIndex(), 0) << "Previous word from the second: the first";
    rules_.PreviousWord();
    EXPECT_EQ(rules_.CurrentIndex(), 5) << "Previous word from the first: the last";
    EXPECT_EQ(rules_.Progress(), 5);
    rules_.NextInListOrder();
    EXPECT_EQ(rules_.CurrentIndex(), 0) << "Next word from the last: the first";
    EXPECT_FALSE(rules_.StartStop().Running);
}

TEST_F(Method4Test, RandomOrderMovesNextOnlyNextWordAndPreviousWordKeepListOrder) {
    order_.Random.Seed(7);
    rules_.SetRandomOrder(true);
    std::set<int> drawn;
    bool jumped = false;
    for (int i = 0; i < 60; ++i) {
        const int before = rules_.CurrentIndex();
        rules_.NextWord();
        drawn.insert(rules_.CurrentIndex());
        jumped = jumped || rules_.CurrentIndex() != (before + 1) % 6;
    }
    EXPECT_EQ(drawn.size(), 6u) << "random draws reach every position";
    EXPECT_TRUE(jumped) << "and do not follow the list";

    rules_.NextWord();
    const int at = rules_.CurrentIndex();
    rules_.NextInListOrder();
    EXPECT_EQ(rules_.CurrentIndex(), (at + 1) % 6);
    rules_.PreviousWord();
    rules_.PreviousWord();
    EXPECT_EQ(rules_.CurrentIndex(), (at + 5) % 6);
    EXPECT_TRUE(rules_.RandomOrder()) << "the option is restored";
}

TEST_F(Method4Test, AWordTheDictionaryLacksKeepsTheLastArticleButIsChecked) {
    rules_.StartOrStop();
    for (int i = 0; i < 3; ++i) {
        rules_.NextInListOrder(); // up to the Bulgarian word at 3
    }
    steps_.Box = "typed";
    steps_.Log.clear();
    rules_.NextInListOrder(); // "zzz"
    EXPECT_EQ(steps_.Logged("article") + steps_.Logged("cut"), 0);
    EXPECT_EQ(steps_.Box, "typed") << "the answer box is left as it is";
    steps_.Box = "ZZZ";
    rules_.Check();
    EXPECT_EQ(steps_.Logged("right"), 1);
    EXPECT_EQ(rules_.CurrentIndex(), 5);
}

TEST(Method4Empty, AnEmptyListDisablesStartAndNothingReadsAPosition) {
    FakeSteps steps;
    FakeArticleHead head(steps);
    FakeOrder order;
    TMethod4Rules rules(steps, order.Order, head);
    rules.Open();
    EXPECT_FALSE(rules.StartStop().Enabled);
    EXPECT_FALSE(rules.NextWordEnabled() || rules.PreviousEnabled() || rules.NextInListEnabled());
    rules.SetExam(true);
    rules.SetRandomOrder(true);
    rules.StartOrStop();
    rules.NextWord();
    rules.PreviousWord();
    rules.NextInListOrder();
    rules.Show();
    rules.Check();
    rules.PlayEnded();
    EXPECT_FALSE(rules.StartStop().Running);
    EXPECT_EQ(rules.ScoreText(), "0 - 0");
    EXPECT_TRUE(steps.Log.empty());
    EXPECT_FALSE(rules.PreviousEnabled());
}

// ---- Method 5 ---------------------------------------------------------------

class Method5Test : public ::testing::Test {
protected:
    void SetUp() override { rules_.Open(); }
    FakeSteps steps_ = MakeSteps();
    FakeOrder order_;
    TMethod5Rules rules_{steps_, order_.Order};
};

TEST_F(Method5Test, StartSpeaksUnlessAPronunciationIsStillPlaying) {
    EXPECT_EQ(steps_.Selected, 0) << "the dictation opens on the first entry";
    EXPECT_EQ(rules_.ProgressMax(), 5) << "the bar is full at the last word";
    EXPECT_TRUE(steps_.LastIs("stop"));
    EXPECT_FALSE(rules_.LargeNextEnabled()) << "until the first pronunciation ends";
    rules_.StartOrStop();
    EXPECT_EQ(steps_.Logged("speak house"), 1);
    EXPECT_EQ(rules_.CurrentWord(), "house");
    EXPECT_FALSE(rules_.PronounceEnabled() || rules_.LargeNextEnabled() ||
                 rules_.PreviousEnabled() || rules_.NextEnabled());
    EXPECT_EQ(steps_.Logged("article"), 0) << "a dictation shows no article";
    rules_.PlayEnded();
    EXPECT_TRUE(rules_.LargeNextEnabled());
    rules_.StartOrStop();
    EXPECT_EQ(rules_.StartStop().Hint, TStartHint::Start);

    // What an earlier window left loaded does not matter; a pronunciation
    // still playing does.
    steps_.Busy = true;
    steps_.Log.clear();
    rules_.StartOrStop();
    EXPECT_TRUE(rules_.StartStop().Running);
    EXPECT_EQ(steps_.Logged("find"), 0);
    rules_.StartOrStop();
    steps_.Busy = false;
    rules_.StartOrStop();
    EXPECT_EQ(steps_.Logged("speak house"), 1) << "Start speaks again once nothing plays";
}

TEST_F(Method5Test, AWordThatCannotBeSpokenFreesTheStepsAtOnce) {
    steps_.SoundExists = false;
    rules_.StartOrStop();
    EXPECT_EQ(steps_.Logged("speak"), 0);
    EXPECT_TRUE(rules_.LargeNextEnabled()) << "no play end will come to enable it";
    EXPECT_TRUE(rules_.PronounceEnabled() && rules_.PreviousEnabled() && rules_.NextEnabled());

    // Bulgarian, unknown and the user's words have no pronunciation either.
    steps_.SoundExists = true;
    rules_.NextWord(); // "hour" is spoken
    EXPECT_FALSE(rules_.LargeNextEnabled());
    rules_.PlayEnded();
    rules_.NextWord(); // the user's "hound"
    EXPECT_TRUE(rules_.LargeNextEnabled());
    rules_.NextWord(); // "къща"
    EXPECT_TRUE(rules_.LargeNextEnabled() && rules_.NextEnabled());
}

TEST_F(Method5Test, NextWrapsToTheFirstAndPreviousToTheLastWithTheBarAtItsEnd) {
    for (int i = 0; i < 5; ++i) {
        rules_.NextWord();
        rules_.PlayEnded();
    }
    EXPECT_EQ(steps_.Selected, 5);
    EXPECT_EQ(rules_.Progress(), rules_.ProgressMax());
    rules_.NextWord();
    EXPECT_EQ(steps_.Selected, 0) << "Next word from the last: the first";
    EXPECT_EQ(rules_.Progress(), 0);
    rules_.PlayEnded();
    rules_.PreviousWord();
    EXPECT_EQ(steps_.Selected, 5) << "Previous word from the first: the last";
    EXPECT_EQ(rules_.CurrentWord(), "walk");
    EXPECT_EQ(steps_.Box, "");
}

TEST_F(Method5Test, AnswersAreCheckedInUpperCaseOfBothAlphabets) {
    steps_.Known["house"] = "House";
    rules_.StartOrStop();
    EXPECT_EQ(rules_.CurrentWord(), "House") << "the dictionary's spelling is asked";
    rules_.PlayEnded();

    steps_.Box = "house ";
    rules_.Check();
    EXPECT_TRUE(steps_.LastIs("wrong")) << "a trailing blank is wrong";
    EXPECT_EQ(steps_.Box, "house ") << "the typed text stays";

    steps_.Box = "house";
    steps_.Log.clear();
    rules_.Check();
    ASSERT_GE(steps_.Log.size(), 3u);
    EXPECT_EQ(steps_.Log[0], "right");
    EXPECT_EQ(steps_.Logged("speak hour"), 1) << "the next word is spoken at once";
    EXPECT_EQ(steps_.Selected, 1);
    EXPECT_FALSE(rules_.PreviousEnabled() || rules_.NextEnabled() || rules_.LargeNextEnabled())
        << "the steps wait for the playback's end";

    // Cyrillic letters are case-folded as the Latin ones are.
    rules_.PlayEnded();
    rules_.NextWord(); // "hound"
    rules_.NextWord(); // "къща"
    EXPECT_EQ(rules_.CurrentWord(), "\xEA\xFA\xF9\xE0");
    steps_.Box = "\xCA\xDA\xD9\xC0";
    rules_.Check();
    EXPECT_EQ(steps_.Logged("right"), 2) << "КЪЩА is right for къща";
    EXPECT_EQ(steps_.Selected, 4);
}

TEST_F(Method5Test, OnlyEnglishBaseWordsAreSpokenAndAMissingWordIsEmpty) {
    rules_.NextWord();
    rules_.PlayEnded();
    steps_.Log.clear();
    rules_.NextWord(); // the user's "hound"
    rules_.NextWord(); // the Bulgarian word
    EXPECT_EQ(steps_.Logged("speak"), 0);
    EXPECT_TRUE(rules_.NextEnabled());
    rules_.NextWord(); // "zzz"
    EXPECT_EQ(rules_.CurrentWord(), "");
    rules_.StartOrStop();
    steps_.Box = "";
    rules_.Check();
    EXPECT_EQ(steps_.Logged("right"), 1) << "an empty answer is right for no word";
}

TEST_F(Method5Test, ShowAndCheckDoNothingWhileStopped) {
    rules_.Pronounce();
    rules_.PlayEnded();
    steps_.Box = "house";
    rules_.Check();
    rules_.Show();
    EXPECT_EQ(steps_.Logged("right") + steps_.Logged("wrong"), 0);
    EXPECT_EQ(steps_.Box, "house");
    rules_.StartOrStop();
    steps_.Box.clear();
    rules_.Show();
    EXPECT_EQ(steps_.Box, "house");
}

TEST(Method5Empty, AnEmptyListDisablesStartAndNothingReadsAPosition) {
    FakeSteps steps;
    FakeOrder order;
    TMethod5Rules rules(steps, order.Order);
    rules.Open();
    EXPECT_FALSE(rules.StartStop().Enabled);
    EXPECT_EQ(steps.Selected, -1);
    EXPECT_FALSE(rules.PronounceEnabled() || rules.LargeNextEnabled() || rules.PreviousEnabled() ||
                 rules.NextEnabled());
    rules.SetRandomOrder(true);
    rules.StartOrStop();
    rules.NextWord();
    rules.NextWord();
    rules.PreviousWord();
    rules.Pronounce();
    rules.Check();
    rules.Show();
    rules.PlayEnded();
    EXPECT_FALSE(rules.StartStop().Running);
    EXPECT_EQ(steps.Logged("find"), 0);
    EXPECT_EQ(steps.Logged("right") + steps.Logged("wrong"), 0);
    EXPECT_FALSE(rules.NextEnabled());
}

} // namespace
