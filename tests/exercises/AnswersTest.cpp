// What each exercise's rules tell the answer observer, and the ratings the
// learning record makes of it: no display.
#include "exercises/HangmanGame.h"
#include "exercises/Method1Rules.h"
#include "exercises/Method2Rules.h"
#include "exercises/Method3Rules.h"
#include "exercises/Method4Rules.h"
#include "exercises/Method5Rules.h"
#include "tests/exercises/FakeSteps.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace exercises;
using learning::TAnswerKind;
using learning::TExercise;
using learning::TRating;

FakeSteps MakeSteps() {
    FakeSteps steps;
    steps.List = {"house", "hour", "walk"};
    steps.Known = {{"house", "house"}, {"hour", "hour"}, {"walk", "walk"}};
    return steps;
}

struct RecordingObserver : TAnswerObserver {
    std::vector<TJudgedAnswer> Answers;
    void Answered(const TJudgedAnswer& answer) override { Answers.push_back(answer); }

    // "entry kind rating" per answer, the rating as the record derives it.
    std::vector<std::string> Lines() const {
        static constexpr const char* ratings[] = {"", "again", "hard", "good", "easy"};
        std::vector<std::string> lines;
        for (const TJudgedAnswer& answer : Answers) {
            const std::optional<TRating> rating = learning::RatingOf(answer.Kind, answer.AfterShow);
            lines.push_back(answer.Entry + " " +
                            std::string(learning::AnswerKindName(answer.Kind)) + " " +
                            (rating ? ratings[static_cast<int>(*rating)] : "none"));
        }
        return lines;
    }
};

using Lines = std::vector<std::string>;

// Answers timed by a clock the test moves.
struct TimedObserver : RecordingObserver {
    std::chrono::steady_clock::time_point Clock{};
    std::chrono::steady_clock::time_point Now() const override { return Clock; }
    void Wait(double seconds) {
        Clock += std::chrono::duration_cast<std::chrono::steady_clock::duration>(
            std::chrono::duration<double>(seconds));
    }
    std::vector<std::optional<double>> Seconds() const {
        std::vector<std::optional<double>> seconds;
        for (const TJudgedAnswer& answer : Answers) {
            seconds.push_back(answer.Seconds);
        }
        return seconds;
    }
};

using Timings = std::vector<std::optional<double>>;

struct FakeHead : TArticleHead {
    void CutArticleHead() override {}
};

TEST(ExerciseAnswers, ShowMethodsTellEveryWordTheyStepToAsSeenButNotAPronounceAgain) {
    FakeSteps steps = MakeSteps();
    FakeOrder order;
    RecordingObserver observer;
    TMethod1Rules method1(steps, order.Order);
    method1.SetAnswerObserver(&observer);
    method1.Open();
    method1.NextWord();
    method1.PlayEnded();
    method1.Pronounce();
    method1.PlayEnded();
    method1.NextWord();
    EXPECT_EQ(observer.Lines(), (Lines{"house seen none", "hour seen none"}));
    EXPECT_EQ(observer.Answers[0].Exercise, TExercise::Method1);

    observer.Answers.clear();
    TMethod2Rules method2(steps, order.Order);
    method2.SetAnswerObserver(&observer);
    method2.Open();
    method2.StartOrStop();
    method2.PlayEnded();
    method2.TranslationOrContinue();
    EXPECT_EQ(observer.Lines(), (Lines{"house seen none"}))
        << "the translation is no answer either";
    EXPECT_EQ(observer.Answers[0].Exercise, TExercise::Method2);
}

TEST(ExerciseAnswers, Method3RatesAnAnswerAfterShowOrWhileTheWordIsShownHard) {
    FakeSteps steps = MakeSteps();
    FakeOrder order;
    RecordingObserver observer;
    TMethod3Rules rules(steps, order.Order);
    rules.SetAnswerObserver(&observer);
    rules.Open();
    rules.StartOrStop();
    rules.PlayEnded();
    rules.Check(); // the word is still on display: right, on to "hour"
    rules.PlayEnded();
    rules.MemorisingOver();
    steps.Box = "hou";
    rules.Check();
    steps.Box = "hour";
    rules.Check(); // on to "walk"
    rules.PlayEnded();
    rules.MemorisingOver();
    rules.Show();
    rules.Show();
    rules.Check(); // the shown word, checked
    EXPECT_EQ(observer.Lines(), (Lines{"house right hard", "hour wrong again", "hour right good",
                                       "walk shown again", "walk right hard"}));
    EXPECT_EQ(observer.Answers[0].Exercise, TExercise::Method3);
}

TEST(ExerciseAnswers, Method4CountsAShowOncePerWordAndTheCheckAfterItHard) {
    FakeSteps steps = MakeSteps();
    FakeOrder order;
    FakeHead head;
    RecordingObserver observer;
    TMethod4Rules rules(steps, order.Order, head);
    rules.SetAnswerObserver(&observer);
    rules.Open();
    rules.StartOrStop();
    rules.Show();
    rules.Show();
    rules.Check();
    rules.PlayEnded();
    steps.Box = "hour";
    rules.Check();
    EXPECT_EQ(observer.Lines(),
              (Lines{"house shown again", "house right hard", "hour right good"}));
    EXPECT_EQ(observer.Answers[0].Exercise, TExercise::Method4);
}

TEST(ExerciseAnswers, Method5TellsTheListEntryNotTheDictionarySpelling) {
    FakeSteps steps = MakeSteps();
    steps.List[0] = "Hous";
    steps.Known = {{"Hous", "house"}};
    FakeOrder order;
    RecordingObserver observer;
    TMethod5Rules rules(steps, order.Order);
    rules.SetAnswerObserver(&observer);
    rules.Open();
    rules.StartOrStop();
    steps.Box = "hose";
    rules.Check();
    rules.Show();
    rules.Check();
    EXPECT_EQ(observer.Lines(), (Lines{"Hous wrong again", "Hous shown again", "Hous right hard"}));
    EXPECT_EQ(observer.Answers[0].Exercise, TExercise::Method5);
}

TEST(ExerciseAnswers, NothingIsToldWithoutAnObserverOrBeforeStart) {
    FakeSteps steps = MakeSteps();
    FakeOrder order;
    RecordingObserver observer;
    TMethod3Rules rules(steps, order.Order);
    rules.SetAnswerObserver(&observer);
    rules.Open();
    rules.Check();
    rules.Show();
    EXPECT_TRUE(observer.Answers.empty()) << "not started: nothing is judged";
    rules.SetAnswerObserver(nullptr);
    rules.StartOrStop();
    rules.Check();
    EXPECT_TRUE(observer.Answers.empty());
}

TEST(ExerciseAnswers, HangmanTellsAWinRightAndTheTenthMissOrGivingUpLost) {
    THangmanScore score;
    THangmanGame game(score);
    RecordingObserver observer;
    game.SetAnswerObserver(&observer);
    game.Init("Cat");
    game.Guess('a');
    game.Init("dog");
    for (const char c : std::string("abcefhijkl")) {
        game.Guess(c);
    }
    game.Guess('o'); // the game is over
    game.Init("walk");
    game.GiveUp();
    game.GiveUp();
    game.Init("ox"); // complete from the start: not guessed, no answer
    EXPECT_EQ(observer.Lines(), (Lines{"Cat right good", "dog lost again", "walk lost again"}));
    EXPECT_EQ(observer.Answers[0].Exercise, TExercise::Hangman);
    EXPECT_EQ(score.Text(), "2 - 2");
}

TEST(ExerciseAnswers, EachAnswerIsTimedFromItsWordShownOrGivenAndASeenWordIsNot) {
    FakeSteps steps = MakeSteps();
    FakeOrder order;
    TimedObserver observer;
    FakeHead head;
    TMethod4Rules method4(steps, order.Order, head);
    method4.SetAnswerObserver(&observer);
    method4.Open();
    method4.StartOrStop(); // "house" asked
    observer.Wait(2.5);
    method4.Show();
    observer.Wait(1);
    method4.Check();
    method4.PlayEnded();
    observer.Wait(4);
    steps.Box = "hour";
    method4.Check(); // "hour" was asked when the verdict ended
    ASSERT_EQ(observer.Lines(),
              (Lines{"house shown again", "house right hard", "hour right good"}));
    EXPECT_EQ(observer.Seconds(), (Timings{2.5, 3.5, 4.0}));

    TimedObserver seen;
    TMethod1Rules method1(steps, order.Order);
    method1.SetAnswerObserver(&seen);
    method1.Open();
    method1.NextWord();
    seen.Wait(3);
    method1.PlayEnded();
    method1.NextWord();
    EXPECT_EQ(seen.Seconds(), (Timings{std::nullopt, std::nullopt}));

    THangmanScore score;
    THangmanGame game(score);
    TimedObserver hangman;
    game.SetAnswerObserver(&hangman);
    game.Init("Cat");
    hangman.Wait(12);
    game.Guess('a');
    game.Init("walk");
    hangman.Wait(0.5);
    game.GiveUp();
    EXPECT_EQ(hangman.Seconds(), (Timings{12.0, 0.5}));
}

} // namespace
