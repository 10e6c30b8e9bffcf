// The three methods' state machines over recorded shared steps: no display.
#include "exercises/Method1Rules.h"
#include "exercises/Method2Rules.h"
#include "exercises/Method3Rules.h"
#include "tests/exercises/FakeSteps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

using namespace exercises;

// "house" and "hour" are English base words, "hound" the user's own,
// "къща" Bulgarian, "zzz" not in the dictionary.
FakeSteps MakeSteps() {
    FakeSteps steps;
    steps.List = {"house", "hour", "hound", "\xEA\xFA\xF9\xE0", "zzz"};
    steps.Known = {{"house", "house"},
                   {"hour", "hour"},
                   {"hound", "hound"},
                   {"\xEA\xFA\xF9\xE0", "\xEA\xFA\xF9\xE0"}};
    steps.UserWords = {"hound"};
    return steps;
}

// ---- Method 1 ---------------------------------------------------------------

class Method1Test : public ::testing::Test {
protected:
    void SetUp() override { rules_.FormCreate(); }
    FakeSteps steps_ = MakeSteps();
    TMethod1Rules rules_{steps_};
};

TEST_F(Method1Test, StartShowsTheFirstWordOneIntervalLaterAndWaitsForThePronunciation) {
    EXPECT_EQ(rules_.Timer1.Interval, 2000);
    EXPECT_TRUE(steps_.LastIs("stop")) << "the player is stopped at opening";
    rules_.Button3Click();
    EXPECT_TRUE(rules_.Timer1.On);
    EXPECT_EQ(rules_.StartStop.Face, TStartFace::Stop);
    EXPECT_FALSE(rules_.StartStop.Blink.On);
    EXPECT_TRUE(rules_.Button7Enabled);
    EXPECT_EQ(steps_.Logged("find"), 0) << "no word at Start itself";

    rules_.Timer1Timer();
    EXPECT_EQ(rules_.CurrentIndex, 0);
    EXPECT_EQ(steps_.Logged("speak house"), 1);
    EXPECT_FALSE(rules_.Button5Enabled);

    rules_.Timer1Timer();
    rules_.Timer1Timer();
    EXPECT_EQ(rules_.CurrentIndex, 0) << "ticks during the playback are skipped";
    rules_.PlayEnded();
    EXPECT_TRUE(rules_.Button4Enabled && rules_.Button5Enabled && rules_.Button7Enabled);
    rules_.Timer1Timer();
    EXPECT_EQ(rules_.CurrentIndex, 1);

    rules_.Button3Click();
    EXPECT_FALSE(rules_.Timer1.On);
    EXPECT_EQ(rules_.StartStop.Hint, TStartHint::Start);
    EXPECT_TRUE(rules_.StartStop.Blink.On);
}

TEST_F(Method1Test, StepsWrapAndPronounceNeedsAShownWord) {
    rules_.Button7Click();
    EXPECT_EQ(steps_.Logged("find"), 0) << "Pronounce before any word does nothing";
    rules_.Button4Click();
    EXPECT_EQ(rules_.CurrentIndex, 4) << "Previous first: the last word";
    EXPECT_EQ(steps_.Box, "") << "a word not in the dictionary empties the word box";
    EXPECT_EQ(steps_.Logged("article"), 0);
    EXPECT_EQ(rules_.Progress, 4) << "the progress bar still moves";
    steps_.SoundExists = false;
    rules_.Button5Click();
    EXPECT_EQ(rules_.CurrentIndex, 0) << "after the last, the first";
    EXPECT_TRUE(rules_.Button4Enabled && rules_.Button5Enabled) << "no sound file: no lock";
}

TEST_F(Method1Test, WithSpeechOffEnglishWordsEnablePronounceAndOthersLeaveIt) {
    rules_.Speech = false;
    rules_.Button5Click();
    EXPECT_EQ(steps_.Logged("speak"), 0);
    EXPECT_TRUE(rules_.Button7Enabled);
    rules_.Button7Click();
    EXPECT_EQ(steps_.Logged("speak house"), 1) << "Pronounce speaks whatever speech says";
    EXPECT_EQ(steps_.Logged("article house"), 2) << "and reloads the article";
    EXPECT_FALSE(rules_.Button7Enabled);
    rules_.PlayEnded();

    rules_.Speech = true;
    rules_.Button5Click();
    rules_.PlayEnded();
    steps_.Log.clear();
    rules_.Button5Click(); // the user's "hound"
    rules_.Button5Click(); // the Bulgarian word
    EXPECT_EQ(steps_.Logged("speak"), 0) << "user and Bulgarian words are never spoken";
    EXPECT_EQ(steps_.Logged("article"), 2) << "but shown with their articles";
}

// ---- Method 2 ---------------------------------------------------------------

class Method2Test : public ::testing::Test {
protected:
    void SetUp() override { rules_.FormCreate(); }
    FakeSteps steps_ = MakeSteps();
    TMethod2Rules rules_{steps_};
};

TEST_F(Method2Test, StartAdvancesAtOnceThenPerIntervalAndStopAdvancesToo) {
    EXPECT_FALSE(rules_.SpeedButton1Enabled) << "no Translation before a word";
    rules_.Button7Click();
    EXPECT_EQ(steps_.Logged("find"), 0) << "Pronounce before any word does nothing";

    rules_.Button3Click();
    EXPECT_EQ(rules_.CurrentIndex, 0);
    EXPECT_EQ(steps_.Box, "house");
    EXPECT_EQ(steps_.Logged("article"), 0) << "the translation stays hidden";
    EXPECT_TRUE(rules_.Timer1.On);
    EXPECT_EQ(rules_.StartStop.Face, TStartFace::Stop);
    EXPECT_EQ(rules_.StartStop.Hint, TStartHint::Stop);
    EXPECT_TRUE(rules_.SpeedButton1Enabled);
    EXPECT_TRUE(rules_.Button7Enabled) << "Start enables Pronounce even while a word plays";

    rules_.Timer1Timer();
    EXPECT_EQ(rules_.CurrentIndex, 0) << "Next is disabled while the word plays";
    rules_.PlayEnded();
    rules_.Timer1Timer();
    EXPECT_EQ(rules_.CurrentIndex, 1);
    rules_.PlayEnded();

    rules_.Button3Click();
    EXPECT_EQ(rules_.CurrentIndex, 2) << "Stop shows one word more";
    EXPECT_FALSE(rules_.Timer1.On);
    EXPECT_EQ(rules_.StartStop.Face, TStartFace::Start);
    EXPECT_EQ(rules_.StartStop.Hint, TStartHint::Stop) << "the hint stays as it was";
    EXPECT_TRUE(rules_.StartStop.Blink.On);
    EXPECT_TRUE(rules_.BlinkAllowed());
}

TEST_F(Method2Test, TheWordBoxShowsTheListEntryAsTyped) {
    steps_.Known["hour"] = "hourglass";
    rules_.Button6Click();
    rules_.PlayEnded();
    rules_.Button6Click();
    EXPECT_EQ(steps_.Box, "hour");
}

TEST_F(Method2Test, TranslationWhileStoppedThenContinueRunsTheShow) {
    rules_.Speech = false;
    rules_.Button6Click();
    rules_.SpeedButton1Click();
    EXPECT_TRUE(rules_.ShowingTranslation);
    EXPECT_TRUE(rules_.ArticleVisible);
    EXPECT_EQ(steps_.Logged("article house"), 1);
    EXPECT_FALSE(rules_.Button3Enabled || rules_.Button4Enabled || rules_.Button6Enabled);
    EXPECT_FALSE(rules_.BlinkAllowed()) << "no blinking over the translation";

    rules_.Button6Click();
    rules_.Button4Click();
    rules_.Button3Click();
    EXPECT_EQ(rules_.CurrentIndex, 0) << "Next, Previous and Start are ignored meanwhile";

    rules_.SpeedButton1Click();
    EXPECT_FALSE(rules_.ShowingTranslation);
    EXPECT_FALSE(rules_.ArticleVisible);
    EXPECT_EQ(rules_.CurrentIndex, 0) << "Next was disabled at Continue's tick";
    EXPECT_TRUE(rules_.Timer1.On) << "the show runs now";
    EXPECT_EQ(rules_.StartStop.Face, TStartFace::Start) << "under a Start picture";
    EXPECT_FALSE(rules_.StartStop.Blink.On) << "that does not blink";
    EXPECT_TRUE(rules_.Button3Enabled && rules_.Button4Enabled && rules_.Button6Enabled);

    rules_.Button3Click();
    EXPECT_FALSE(rules_.Timer1.On) << "the next press stops the show";
    EXPECT_TRUE(rules_.StartStop.Blink.On);
}

TEST_F(Method2Test, TranslationOfAnUnknownWordShowsNothingAndContinueMovesOn) {
    rules_.Button4Click(); // "zzz", the last word
    rules_.SpeedButton1Click();
    EXPECT_TRUE(rules_.ShowingTranslation);
    EXPECT_FALSE(rules_.ArticleVisible);
    EXPECT_TRUE(rules_.Button6Enabled);
    rules_.SpeedButton1Click();
    EXPECT_EQ(rules_.CurrentIndex, 0) << "Continue's tick shows the next word";
}

TEST_F(Method2Test, APlayEndDuringTheTranslationEnablesOnlyPronounce) {
    rules_.Button6Click();
    rules_.SpeedButton1Click();
    rules_.Button7Click();
    EXPECT_FALSE(rules_.Button7Enabled);
    rules_.PlayEnded();
    EXPECT_TRUE(rules_.Button7Enabled);
    EXPECT_FALSE(rules_.Button4Enabled || rules_.Button6Enabled);
}

TEST_F(Method2Test, SliderEndsAndSpeechRules) {
    rules_.TrackBar1Change(1);
    EXPECT_EQ(rules_.Timer1.Interval, 500);
    rules_.TrackBar1Change(10);
    EXPECT_EQ(rules_.Timer1.Interval, 5000);
    rules_.Speech = false;
    rules_.Button4Click();
    rules_.Button4Click(); // the Bulgarian word
    EXPECT_FALSE(rules_.Button7Enabled) << "not touched for a Bulgarian word";
    rules_.Button6Click(); // "zzz"
    rules_.Button6Click(); // "house"
    EXPECT_TRUE(rules_.Button7Enabled);
    EXPECT_EQ(steps_.Logged("speak"), 0);
    rules_.Button7Click();
    EXPECT_EQ(steps_.Logged("speak house"), 1);
}

// ---- Method 3 ---------------------------------------------------------------

class Method3Test : public ::testing::Test {
protected:
    void SetUp() override { rules_.FormCreate(); }
    void Start() {
        rules_.Button9Click();
        rules_.PlayEnded();
    }
    FakeSteps steps_ = MakeSteps();
    TMethod3Rules rules_{steps_};
};

TEST_F(Method3Test, CheckShowAndRepeatWaitForStartButStepsDoNot) {
    EXPECT_FALSE(rules_.Button6Enabled);
    rules_.Button4Click();
    rules_.Button5Click();
    rules_.Button3Click();
    EXPECT_EQ(steps_.Logged("find"), 0);
    EXPECT_EQ(steps_.Logged("right") + steps_.Logged("wrong"), 0);
    rules_.Button8Click();
    EXPECT_EQ(rules_.CurrentIndex, 0);
    rules_.PlayEnded();
    rules_.Button7Click();
    EXPECT_EQ(rules_.CurrentIndex, 4) << "Previous from the first: the last";
    EXPECT_EQ(steps_.Box, "zzz") << "a word not in the dictionary is still shown";
}

TEST_F(Method3Test, StartShowsAndSpeaksAWordThatHidesWhenTheTimeIsOver) {
    rules_.Button9Click();
    EXPECT_TRUE(rules_.StartStop.Running);
    EXPECT_EQ(rules_.CurrentIndex, 0);
    EXPECT_EQ(steps_.Box, "house");
    EXPECT_EQ(steps_.Logged("speak house"), 1);
    EXPECT_EQ(steps_.Logged("article"), 0) << "no article in this exercise";
    EXPECT_TRUE(rules_.Timer1.On);
    EXPECT_EQ(rules_.Timer1.Interval, 2000) << "until the slider is first moved";
    EXPECT_FALSE(rules_.Button8Enabled);
    rules_.PlayEnded();
    EXPECT_TRUE(rules_.Button6Enabled) << "the large Next comes with the first play end";
    EXPECT_EQ(steps_.PictureClears, 1);

    rules_.Timer1Timer();
    EXPECT_FALSE(rules_.Timer1.On);
    EXPECT_EQ(steps_.Box, "");
    EXPECT_EQ(steps_.Focused, 1);

    rules_.TrackBar1Change(1);
    EXPECT_EQ(rules_.Timer1.Interval, 200);
    rules_.TrackBar1Change(10);
    EXPECT_EQ(rules_.Timer1.Interval, 2000);
}

TEST_F(Method3Test, BulgarianWordsAreSpokenWhenASoundFileExists) {
    rules_.Button7Click();
    rules_.PlayEnded();
    rules_.Button7Click();
    EXPECT_EQ(steps_.Logged("speak \xEA\xFA\xF9\xE0"), 1);
}

TEST_F(Method3Test, AnswersAreJudgedByLatinCaseWithoutTrimming) {
    Start();
    rules_.Timer1Timer();
    steps_.Box = "house ";
    rules_.Button4Click();
    EXPECT_TRUE(steps_.LastIs("wrong"));
    EXPECT_EQ(steps_.Box, "house ") << "the answer stays for correcting";
    EXPECT_EQ(rules_.CurrentIndex, 0);

    steps_.Box = "HOUSE";
    rules_.Button4Click();
    EXPECT_EQ(steps_.Logged("right"), 1);
    EXPECT_EQ(rules_.CurrentIndex, 1) << "a right answer shows the next word";
    EXPECT_EQ(steps_.Box, "hour");
    EXPECT_TRUE(rules_.Revealed);
}

TEST_F(Method3Test, ShowWaitsForTheWordToDisappearAndThenBlocksCheckAndRepeat) {
    Start();
    rules_.Button5Click();
    EXPECT_FALSE(rules_.Revealed) << "Show does nothing while the word is on display";
    rules_.Timer1Timer();
    rules_.Button5Click();
    EXPECT_EQ(steps_.Box, "house");
    EXPECT_TRUE(rules_.Revealed);

    rules_.Button8Click(); // a new word on display
    rules_.PlayEnded();
    const auto finds = steps_.Logged("find");
    rules_.Button3Click();
    rules_.Button4Click();
    EXPECT_EQ(steps_.Logged("find"), finds) << "Repeat is ignored while a word is on display";
    EXPECT_EQ(steps_.Logged("right") + steps_.Logged("wrong"), 0);

    rules_.Timer1Timer();
    rules_.Button3Click();
    EXPECT_EQ(rules_.CurrentIndex, 1) << "Repeat shows the same word again";
    EXPECT_EQ(steps_.Box, "hour");
    EXPECT_TRUE(rules_.Timer1.On);
}

TEST_F(Method3Test, RepeatBeforeAnyWordDoesNothing) {
    steps_.Busy = true; // Start shows no word while a pronunciation plays
    rules_.Button9Click();
    EXPECT_TRUE(rules_.StartStop.Running);
    EXPECT_EQ(rules_.CurrentIndex, -1);
    EXPECT_EQ(rules_.Progress, 0);
    rules_.Button3Click();
    rules_.Button4Click();
    rules_.Button5Click();
    EXPECT_EQ(rules_.CurrentIndex, -1);
    EXPECT_EQ(steps_.Logged("find"), 0);
}

TEST_F(Method3Test, StopLeavesTheMemorisingTimerRunning) {
    Start();
    rules_.Button9Click();
    EXPECT_FALSE(rules_.StartStop.Running);
    EXPECT_TRUE(rules_.Timer1.On);
    EXPECT_EQ(rules_.StartStop.Hint, TStartHint::Start);
}

TEST_F(Method3Test, RandomWordDrawsTheLargeNextButKeepsListOrderForTheSmallButtons) {
    rules_.RandomOrder = true;
    std::srand(7);
    std::set<int> drawn;
    for (int i = 0; i < 60; ++i) {
        rules_.Button6Click();
        rules_.PlayEnded();
        ASSERT_GE(rules_.CurrentIndex, 0);
        ASSERT_LT(rules_.CurrentIndex, 5);
        drawn.insert(rules_.CurrentIndex);
    }
    EXPECT_EQ(drawn.size(), 5u);
    rules_.Button8Click();
    const int at = rules_.CurrentIndex;
    rules_.PlayEnded();
    rules_.Button8Click();
    EXPECT_EQ(rules_.CurrentIndex, NextPosition(at, 5));
}

} // namespace
