// The three methods' state machines over recorded shared steps: no display.
#include "exercises/Method1Rules.h"
#include "exercises/Method2Rules.h"
#include "exercises/Method3Rules.h"
#include "tests/exercises/FakeSteps.h"

#include <gtest/gtest.h>

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
    void SetUp() override { rules_.Open(); }
    FakeSteps steps_ = MakeSteps();
    FakeOrder order_;
    TMethod1Rules rules_{steps_, order_.Order};
};

TEST_F(Method1Test, StartShowsTheFirstWordOneIntervalLaterAndWaitsForThePronunciation) {
    EXPECT_EQ(rules_.ShowTimer().Interval, 2000);
    EXPECT_TRUE(steps_.LastIs("stop")) << "the player is stopped at opening";
    rules_.StartOrStop();
    EXPECT_TRUE(rules_.ShowTimer().On);
    EXPECT_EQ(rules_.StartStop().Face, TStartFace::Stop);
    EXPECT_FALSE(rules_.StartStop().Blink.On);
    EXPECT_TRUE(rules_.PronounceEnabled());
    EXPECT_EQ(steps_.Logged("find"), 0) << "no word at Start itself";

    rules_.AdvanceShow();
    EXPECT_EQ(rules_.CurrentIndex(), 0);
    EXPECT_EQ(steps_.Logged("speak house"), 1);
    EXPECT_FALSE(rules_.NextEnabled());

    rules_.AdvanceShow();
    rules_.AdvanceShow();
    EXPECT_EQ(rules_.CurrentIndex(), 0) << "ticks during the playback are skipped";
    rules_.PlayEnded();
    EXPECT_TRUE(rules_.PreviousEnabled() && rules_.NextEnabled() && rules_.PronounceEnabled());
    rules_.AdvanceShow();
    EXPECT_EQ(rules_.CurrentIndex(), 1);

    rules_.StartOrStop();
    EXPECT_FALSE(rules_.ShowTimer().On);
    EXPECT_EQ(rules_.StartStop().Hint, TStartHint::Start);
    EXPECT_TRUE(rules_.StartStop().Blink.On);
}

TEST_F(Method1Test, StepsWrapAndPronounceNeedsAShownWord) {
    rules_.Pronounce();
    EXPECT_EQ(steps_.Logged("find"), 0) << "Pronounce before any word does nothing";
    rules_.PreviousWord();
    EXPECT_EQ(rules_.CurrentIndex(), 4) << "Previous first: the last word";
    EXPECT_EQ(steps_.Box, "") << "a word not in the dictionary empties the word box";
    EXPECT_EQ(steps_.Logged("article"), 0);
    EXPECT_EQ(rules_.Progress(), 4) << "the progress bar still moves";
    steps_.SoundExists = false;
    rules_.NextWord();
    EXPECT_EQ(rules_.CurrentIndex(), 0) << "after the last, the first";
    EXPECT_TRUE(rules_.PreviousEnabled() && rules_.NextEnabled()) << "no sound file: no lock";
}

TEST_F(Method1Test, WithSpeechOffEnglishWordsEnablePronounceAndOthersLeaveIt) {
    rules_.SetSpeech(false);
    rules_.NextWord();
    EXPECT_EQ(steps_.Logged("speak"), 0);
    EXPECT_TRUE(rules_.PronounceEnabled());
    rules_.Pronounce();
    EXPECT_EQ(steps_.Logged("speak house"), 1) << "Pronounce speaks whatever speech says";
    EXPECT_EQ(steps_.Logged("article house"), 2) << "and reloads the article";
    EXPECT_FALSE(rules_.PronounceEnabled());
    rules_.PlayEnded();

    rules_.SetSpeech(true);
    rules_.NextWord();
    rules_.PlayEnded();
    steps_.Log.clear();
    rules_.NextWord(); // the user's "hound"
    rules_.NextWord(); // the Bulgarian word
    EXPECT_EQ(steps_.Logged("speak"), 0) << "user and Bulgarian words are never spoken";
    EXPECT_EQ(steps_.Logged("article"), 2) << "but shown with their articles";
}

// A learning schedule can take the list's place: the rules show whatever
// position their next-word source names.
TEST(MethodsWithASchedule, TheNextWordIsTheOneTheSourceNames) {
    FakeSteps steps = MakeSteps();
    ScriptedSource source;
    source.Position = 2;
    TMethod1Rules method1(steps, source);
    method1.Open();
    method1.NextWord();
    EXPECT_EQ(method1.CurrentIndex(), 2);
    EXPECT_EQ(steps.Box, "hound");
    source.Position = 3;
    method1.PreviousWord();
    EXPECT_EQ(method1.CurrentIndex(), 3);

    TMethod3Rules method3(steps, source);
    method3.Open();
    method3.SetRandomOrder(true);
    source.Asked.clear();
    method3.NextWord();
    method3.NextInListOrder();
    method3.PreviousWord();
    EXPECT_EQ(source.Asked, (std::vector<std::string>{"random -1/5", "next 3/5", "previous 3/5"}));
}

// ---- Method 2 ---------------------------------------------------------------

class Method2Test : public ::testing::Test {
protected:
    void SetUp() override { rules_.Open(); }
    FakeSteps steps_ = MakeSteps();
    FakeOrder order_;
    TMethod2Rules rules_{steps_, order_.Order};
};

TEST_F(Method2Test, StartAdvancesAtOnceThenPerIntervalAndStopAdvancesToo) {
    EXPECT_FALSE(rules_.TranslationEnabled()) << "no Translation before a word";
    rules_.Pronounce();
    EXPECT_EQ(steps_.Logged("find"), 0) << "Pronounce before any word does nothing";

    rules_.StartOrStop();
    EXPECT_EQ(rules_.CurrentIndex(), 0);
    EXPECT_EQ(steps_.Box, "house");
    EXPECT_EQ(steps_.Logged("article"), 0) << "the translation stays hidden";
    EXPECT_TRUE(rules_.ShowTimer().On);
    EXPECT_EQ(rules_.StartStop().Face, TStartFace::Stop);
    EXPECT_EQ(rules_.StartStop().Hint, TStartHint::Stop);
    EXPECT_TRUE(rules_.TranslationEnabled());
    EXPECT_TRUE(rules_.PronounceEnabled()) << "Start enables Pronounce even while a word plays";

    rules_.AdvanceShow();
    EXPECT_EQ(rules_.CurrentIndex(), 0) << "Next is disabled while the word plays";
    rules_.PlayEnded();
    rules_.AdvanceShow();
    EXPECT_EQ(rules_.CurrentIndex(), 1);
    rules_.PlayEnded();

    rules_.StartOrStop();
    EXPECT_EQ(rules_.CurrentIndex(), 2) << "Stop shows one word more";
    EXPECT_FALSE(rules_.ShowTimer().On);
    EXPECT_EQ(rules_.StartStop().Face, TStartFace::Start);
    EXPECT_EQ(rules_.StartStop().Hint, TStartHint::Stop) << "the hint stays as it was";
    EXPECT_TRUE(rules_.StartStop().Blink.On);
    EXPECT_TRUE(rules_.BlinkAllowed());
}

TEST_F(Method2Test, TheWordBoxShowsTheListEntryAsTyped) {
    steps_.Known["hour"] = "hourglass";
    rules_.NextWord();
    rules_.PlayEnded();
    rules_.NextWord();
    EXPECT_EQ(steps_.Box, "hour");
}

TEST_F(Method2Test, TranslationWhileStoppedThenContinueRunsTheShow) {
    rules_.SetSpeech(false);
    rules_.NextWord();
    rules_.TranslationOrContinue();
    EXPECT_TRUE(rules_.ShowingTranslation());
    EXPECT_TRUE(rules_.ArticleVisible());
    EXPECT_EQ(steps_.Logged("article house"), 1);
    EXPECT_FALSE(rules_.StartStop().Enabled || rules_.PreviousEnabled() || rules_.NextEnabled());
    EXPECT_FALSE(rules_.BlinkAllowed()) << "no blinking over the translation";

    rules_.NextWord();
    rules_.PreviousWord();
    rules_.StartOrStop();
    EXPECT_EQ(rules_.CurrentIndex(), 0) << "Next, Previous and Start are ignored meanwhile";

    rules_.TranslationOrContinue();
    EXPECT_FALSE(rules_.ShowingTranslation());
    EXPECT_FALSE(rules_.ArticleVisible());
    EXPECT_EQ(rules_.CurrentIndex(), 0) << "Next was disabled at Continue's tick";
    EXPECT_TRUE(rules_.ShowTimer().On) << "the show runs now";
    EXPECT_EQ(rules_.StartStop().Face, TStartFace::Start) << "under a Start picture";
    EXPECT_FALSE(rules_.StartStop().Blink.On) << "that does not blink";
    EXPECT_TRUE(rules_.StartStop().Enabled && rules_.PreviousEnabled() && rules_.NextEnabled());

    rules_.StartOrStop();
    EXPECT_FALSE(rules_.ShowTimer().On) << "the next press stops the show";
    EXPECT_TRUE(rules_.StartStop().Blink.On);
}

TEST_F(Method2Test, TranslationOfAnUnknownWordShowsNothingAndContinueMovesOn) {
    rules_.PreviousWord(); // "zzz", the last word
    rules_.TranslationOrContinue();
    EXPECT_TRUE(rules_.ShowingTranslation());
    EXPECT_FALSE(rules_.ArticleVisible());
    EXPECT_TRUE(rules_.NextEnabled());
    rules_.TranslationOrContinue();
    EXPECT_EQ(rules_.CurrentIndex(), 0) << "Continue's tick shows the next word";
}

TEST_F(Method2Test, APlayEndDuringTheTranslationEnablesOnlyPronounce) {
    rules_.NextWord();
    rules_.TranslationOrContinue();
    rules_.Pronounce();
    EXPECT_FALSE(rules_.PronounceEnabled());
    rules_.PlayEnded();
    EXPECT_TRUE(rules_.PronounceEnabled());
    EXPECT_FALSE(rules_.PreviousEnabled() || rules_.NextEnabled());
}

TEST_F(Method2Test, SliderEndsAndSpeechRules) {
    rules_.SetSpeed(1);
    EXPECT_EQ(rules_.ShowTimer().Interval, 500);
    rules_.SetSpeed(10);
    EXPECT_EQ(rules_.ShowTimer().Interval, 5000);
    rules_.SetSpeech(false);
    rules_.PreviousWord();
    rules_.PreviousWord(); // the Bulgarian word
    EXPECT_FALSE(rules_.PronounceEnabled()) << "not touched for a Bulgarian word";
    rules_.NextWord(); // "zzz"
    rules_.NextWord(); // "house"
    EXPECT_TRUE(rules_.PronounceEnabled());
    EXPECT_EQ(steps_.Logged("speak"), 0);
    rules_.Pronounce();
    EXPECT_EQ(steps_.Logged("speak house"), 1);
}

// ---- Method 3 ---------------------------------------------------------------

class Method3Test : public ::testing::Test {
protected:
    void SetUp() override { rules_.Open(); }
    void Start() {
        rules_.StartOrStop();
        rules_.PlayEnded();
    }
    FakeSteps steps_ = MakeSteps();
    FakeOrder order_;
    TMethod3Rules rules_{steps_, order_.Order};
};

TEST_F(Method3Test, CheckShowAndRepeatWaitForStartButStepsDoNot) {
    EXPECT_FALSE(rules_.NextWordEnabled());
    rules_.Check();
    rules_.Show();
    rules_.Repeat();
    EXPECT_EQ(steps_.Logged("find"), 0);
    EXPECT_EQ(steps_.Logged("right") + steps_.Logged("wrong"), 0);
    rules_.NextInListOrder();
    EXPECT_EQ(rules_.CurrentIndex(), 0);
    rules_.PlayEnded();
    rules_.PreviousWord();
    EXPECT_EQ(rules_.CurrentIndex(), 4) << "Previous from the first: the last";
    EXPECT_EQ(steps_.Box, "zzz") << "a word not in the dictionary is still shown";
}

TEST_F(Method3Test, StartShowsAndSpeaksAWordThatHidesWhenTheTimeIsOver) {
    rules_.StartOrStop();
    EXPECT_TRUE(rules_.StartStop().Running);
    EXPECT_EQ(rules_.CurrentIndex(), 0);
    EXPECT_EQ(steps_.Box, "house");
    EXPECT_EQ(steps_.Logged("speak house"), 1);
    EXPECT_EQ(steps_.Logged("article"), 0) << "no article in this exercise";
    EXPECT_TRUE(rules_.MemorisingTimer().On);
    EXPECT_EQ(rules_.MemorisingTimer().Interval, 2000) << "until the slider is first moved";
    EXPECT_FALSE(rules_.NextInListEnabled());
    rules_.PlayEnded();
    EXPECT_TRUE(rules_.NextWordEnabled()) << "the large Next comes with the first play end";
    EXPECT_EQ(steps_.PictureClears, 1);

    rules_.MemorisingOver();
    EXPECT_FALSE(rules_.MemorisingTimer().On);
    EXPECT_EQ(steps_.Box, "");
    EXPECT_EQ(steps_.Focused, 1);

    rules_.SetMemorisingTime(1);
    EXPECT_EQ(rules_.MemorisingTimer().Interval, 200);
    rules_.SetMemorisingTime(10);
    EXPECT_EQ(rules_.MemorisingTimer().Interval, 2000);
}

TEST_F(Method3Test, BulgarianWordsAreSpokenWhenASoundFileExists) {
    rules_.PreviousWord();
    rules_.PlayEnded();
    rules_.PreviousWord();
    EXPECT_EQ(steps_.Logged("speak \xEA\xFA\xF9\xE0"), 1);
}

TEST_F(Method3Test, AnswersAreJudgedByTheCaseOfBothAlphabetsWithoutTrimming) {
    Start();
    rules_.MemorisingOver();
    steps_.Box = "house ";
    rules_.Check();
    EXPECT_TRUE(steps_.LastIs("wrong"));
    EXPECT_EQ(steps_.Box, "house ") << "the answer stays for correcting";
    EXPECT_EQ(rules_.CurrentIndex(), 0);

    steps_.Box = "HOUSE";
    rules_.Check();
    EXPECT_EQ(steps_.Logged("right"), 1);
    EXPECT_EQ(rules_.CurrentIndex(), 1) << "a right answer shows the next word";
    EXPECT_EQ(steps_.Box, "hour");
    EXPECT_TRUE(rules_.Revealed());

    // "къща" typed as "КЪЩА".
    rules_.NextWord();
    rules_.NextWord();
    rules_.PlayEnded();
    rules_.MemorisingOver();
    ASSERT_EQ(rules_.CurrentWord(), "\xEA\xFA\xF9\xE0");
    steps_.Box = "\xCA\xDA\xD9\xC0";
    rules_.Check();
    EXPECT_EQ(steps_.Logged("right"), 2);
}

TEST_F(Method3Test, AWordThatCannotBeSpokenEnablesTheLargeNextAtOnce) {
    steps_.SoundExists = false; // a list without pronunciations
    rules_.StartOrStop();
    EXPECT_EQ(steps_.Logged("speak"), 0);
    EXPECT_TRUE(rules_.NextWordEnabled()) << "no play end will come to enable it";
    EXPECT_TRUE(rules_.PreviousEnabled() && rules_.NextInListEnabled());
    steps_.SoundExists = true;
    rules_.NextWord(); // "hour" is spoken
    EXPECT_FALSE(rules_.NextWordEnabled());
    rules_.PlayEnded();
    rules_.NextInListOrder(); // "hound" is spoken
    rules_.PlayEnded();
    rules_.NextInListOrder(); // "къща" is spoken too
    rules_.PlayEnded();
    rules_.NextInListOrder(); // "zzz" is not in the dictionary
    EXPECT_EQ(rules_.CurrentWord(), "zzz");
    EXPECT_TRUE(rules_.NextWordEnabled());
}

TEST_F(Method3Test, ShowWaitsForTheWordToDisappearAndThenBlocksCheckAndRepeat) {
    Start();
    rules_.Show();
    EXPECT_FALSE(rules_.Revealed()) << "Show does nothing while the word is on display";
    rules_.MemorisingOver();
    rules_.Show();
    EXPECT_EQ(steps_.Box, "house");
    EXPECT_TRUE(rules_.Revealed());

    rules_.NextInListOrder(); // a new word on display
    rules_.PlayEnded();
    const auto finds = steps_.Logged("find");
    rules_.Repeat();
    rules_.Check();
    EXPECT_EQ(steps_.Logged("find"), finds) << "Repeat is ignored while a word is on display";
    EXPECT_EQ(steps_.Logged("right") + steps_.Logged("wrong"), 0);

    rules_.MemorisingOver();
    rules_.Repeat();
    EXPECT_EQ(rules_.CurrentIndex(), 1) << "Repeat shows the same word again";
    EXPECT_EQ(steps_.Box, "hour");
    EXPECT_TRUE(rules_.MemorisingTimer().On);
}

TEST_F(Method3Test, RepeatBeforeAnyWordDoesNothing) {
    steps_.Busy = true; // Start shows no word while a pronunciation plays
    rules_.StartOrStop();
    EXPECT_TRUE(rules_.StartStop().Running);
    EXPECT_EQ(rules_.CurrentIndex(), -1);
    EXPECT_EQ(rules_.Progress(), 0);
    rules_.Repeat();
    rules_.Check();
    rules_.Show();
    EXPECT_EQ(rules_.CurrentIndex(), -1);
    EXPECT_EQ(steps_.Logged("find"), 0);
}

TEST_F(Method3Test, StopLeavesTheMemorisingTimerRunning) {
    Start();
    rules_.StartOrStop();
    EXPECT_FALSE(rules_.StartStop().Running);
    EXPECT_TRUE(rules_.MemorisingTimer().On);
    EXPECT_EQ(rules_.StartStop().Hint, TStartHint::Start);
}

TEST_F(Method3Test, RandomWordDrawsTheLargeNextButKeepsListOrderForTheSmallButtons) {
    rules_.SetRandomOrder(true);
    order_.Random.Seed(7);
    std::set<int> drawn;
    for (int i = 0; i < 60; ++i) {
        rules_.NextWord();
        rules_.PlayEnded();
        ASSERT_GE(rules_.CurrentIndex(), 0);
        ASSERT_LT(rules_.CurrentIndex(), 5);
        drawn.insert(rules_.CurrentIndex());
    }
    EXPECT_EQ(drawn.size(), 5u);
    rules_.NextInListOrder();
    const int at = rules_.CurrentIndex();
    rules_.PlayEnded();
    rules_.NextInListOrder();
    EXPECT_EQ(rules_.CurrentIndex(), (at + 1) % 5);
}

} // namespace
