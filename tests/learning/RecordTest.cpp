#include "learning/LearningRecord.h"
#include "learning/RecordFile.h"
#include "tests/learning/TestFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace learning;
using namespace learningtest;

namespace {

constexpr long long kDay = 24 * 60;

std::vector<TWordRecord> WordsOf(TLearningRecord& record) {
    EXPECT_TRUE(record.WaitUntilWritten(std::chrono::seconds(10)));
    return record.Words();
}

} // namespace

TEST(RecordTest, NothingIsOpenedUntilTheFirstAnswerAndQuestionsMakeNoFile) {
    TestFolder folder;
    TLearningRecord record(folder.Record());
    EXPECT_FALSE(fs::exists(folder.Record()));
    EXPECT_TRUE(record.DueList({}, {At(0)}).Due.empty());
    EXPECT_TRUE(record.Words().empty());
    const TProgress progress = record.Progress({At(0)});
    EXPECT_TRUE(progress.Empty());
    EXPECT_EQ(progress.Days.size(), static_cast<std::size_t>(kProgressDays));
    EXPECT_FALSE(fs::exists(folder.Record()));
    EXPECT_TRUE(record.TakeFaults().empty());

    record.Record(Answer("house", TAnswerKind::Right, 0));
    ASSERT_TRUE(record.WaitUntilWritten(std::chrono::seconds(10)));
    EXPECT_TRUE(fs::exists(folder.Record()));
}

TEST(RecordTest, AnAnswerIsKeptByteForByteWithEverythingTheExerciseKnew) {
    TestFolder folder;
    // Code page 1251 with the unassigned byte 0x98 and an empty head-word.
    const std::string entry = "\xEA\xFA\xF9\xE0 \x98 x";
    {
        TLearningRecord record(folder.Record());
        TAnswer answer = Answer(entry, TAnswerKind::Lost, 5, TExercise::Hangman);
        answer.HeadWord = "\xEA\xFA\xF9\xE0";
        answer.Tab = 53;
        answer.Seconds = 12.5;
        record.Record(answer);
        TAnswer notFound = Answer(entry, TAnswerKind::Seen, 6, TExercise::Method1);
        notFound.HeadWord.clear();
        notFound.Tab = kNoTab;
        record.Record(notFound);
    }
    TLearningRecord reopened(folder.Record());
    const auto history = reopened.History(entry);
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0].Entry, entry);
    EXPECT_EQ(history[0].HeadWord, "\xEA\xFA\xF9\xE0");
    EXPECT_EQ(history[0].Tab, 53);
    EXPECT_EQ(history[0].Exercise, TExercise::Hangman);
    EXPECT_EQ(history[0].Kind, TAnswerKind::Lost);
    EXPECT_EQ(history[0].At, At(5));
    EXPECT_EQ(history[0].Seconds, 12.5);
    EXPECT_EQ(history[1].HeadWord, "");
    EXPECT_EQ(history[1].Tab, kNoTab);
    EXPECT_EQ(history[1].Kind, TAnswerKind::Seen);
    EXPECT_FALSE(history[1].Seconds.has_value());
    const auto words = reopened.Words();
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].Entry, entry);
    EXPECT_EQ(words[0].State.HeadWord, "");
}

TEST(RecordTest, AReplayOfTheLogEqualsTheStateKeptWithEachAnswer) {
    TestFolder folder;
    {
        TLearningRecord record(folder.Record());
        const TAnswerKind kinds[] = {TAnswerKind::Right, TAnswerKind::Wrong, TAnswerKind::Shown,
                                     TAnswerKind::Right, TAnswerKind::Lost,  TAnswerKind::Seen,
                                     TAnswerKind::Right};
        long long minutes = 0;
        for (int i = 0; i < 300; ++i) {
            TAnswer answer = Answer(Numbered("word", i % 17), kinds[i % 7], minutes,
                                    static_cast<TExercise>(1 + i % 6));
            answer.AfterShow = i % 5 == 0;
            record.Record(answer);
            // Minutes, hours and days apart, and now and then the clock set back.
            minutes += i % 11 == 0 ? -3 * kDay : (i % 3 == 0 ? kDay + 7 : 13);
        }
    }
    sqlite::TDatabase db = OpenRecordFile(folder.Record());
    const auto stored = StoredStates(db);
    EXPECT_EQ(stored.size(), 17u);
    EXPECT_EQ(ReplayLog(db), stored);
    RebuildStates(db);
    EXPECT_EQ(StoredStates(db), stored);
    for (const auto& [id, state] : stored) {
        EXPECT_GE(state.Card.DueMs, state.Card.LastReviewMs);
        EXPECT_GE(state.Card.ScheduledDays, 0);
    }
}

TEST(RecordTest, SameDayAnswersAndAShowFollowTheReferenceSchedule) {
    // The answers of the reference sequence "same-day-repeats" (Again,
    // Again, Good, Good, Hard, Good on one day, Good the next), as exercises
    // give them; its last line is the state the record must reach.
    std::ifstream in(FSRS_REFERENCE_FILE);
    std::string line;
    std::string last;
    while (std::getline(in, line)) {
        if (line.starts_with("same-day-repeats ")) {
            last = line;
        }
    }
    std::istringstream fields(last);
    std::string name;
    int index = 0, rating = 0, state = 0, step = 0, days = 0, reps = 0, lapses = 0;
    long long reviewMs = 0, dueMs = 0;
    double stability = 0, difficulty = 0;
    fields >> name >> index >> reviewMs >> rating >> state >> step >> stability >> difficulty >>
        days >> dueMs >> reps >> lapses;
    ASSERT_TRUE(fields) << last;

    TestFolder folder;
    TLearningRecord record(folder.Record());
    record.Record(Answer("walk", TAnswerKind::Wrong, 0));
    record.Record(Answer("walk", TAnswerKind::Shown, 1));
    record.Record(Answer("walk", TAnswerKind::Right, 3));
    record.Record(Answer("walk", TAnswerKind::Seen, 4, TExercise::Method1));
    record.Record(Answer("walk", TAnswerKind::Right, 15, TExercise::Method5));
    TAnswer afterShow = Answer("walk", TAnswerKind::Right, 40, TExercise::Method4);
    afterShow.AfterShow = true;
    record.Record(afterShow);
    record.Record(Answer("walk", TAnswerKind::Right, 300, TExercise::Hangman));
    record.Record(Answer("walk", TAnswerKind::Right, kDay + 60));
    const auto words = WordsOf(record);
    ASSERT_EQ(words.size(), 1u);
    const TWordState& walk = words[0].State;
    EXPECT_EQ(static_cast<int>(walk.Card.State), state);
    EXPECT_NEAR(walk.Card.Stability, stability, 2e-8);
    EXPECT_NEAR(walk.Card.Difficulty, difficulty, 2e-8);
    EXPECT_EQ(walk.Card.DueMs, dueMs);
    EXPECT_EQ(walk.Card.Reps, reps);
    EXPECT_EQ(walk.Reviews, 7);
    EXPECT_EQ(walk.Rights, 5);
    EXPECT_EQ(walk.Misses, 2);
    EXPECT_EQ(walk.Seen, 1);
    EXPECT_EQ(walk.Card.LastReviewMs, reviewMs);
}

TEST(RecordTest, ASeenWordIsExposureAndStaysNew) {
    TestFolder folder;
    TLearningRecord record(folder.Record());
    record.Record(Answer("house", TAnswerKind::Seen, 0, TExercise::Method1));
    record.Record(Answer("house", TAnswerKind::Seen, 1, TExercise::Method2));
    const auto words = WordsOf(record);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].State.Card.State, TCardState::New);
    EXPECT_EQ(words[0].State.Seen, 2);
    EXPECT_FALSE(words[0].State.Reviewed());
    const std::vector<std::string> list = {"house"};
    const TDueList due = record.DueList(list, {At(10)});
    EXPECT_TRUE(due.Due.empty());
    EXPECT_EQ(due.New, list);
    EXPECT_EQ(record.Progress({At(10)}, list).States.New, 1);
}

TEST(RecordTest, TheDueListPutsTheMostOverdueFirstThenNewWordsUpToTheDailyLimit) {
    TestFolder folder;
    TLearningRecord record(folder.Record());
    // Each learns its word to review on day 0; "cat" lapses and relearns.
    for (const char* word : {"dog", "cat", "sun"}) {
        record.Record(Answer(word, TAnswerKind::Right, 0));
        record.Record(Answer(word, TAnswerKind::Right, 10));
    }
    record.Record(Answer("sun", TAnswerKind::Right, 3 * kDay)); // sun is due much later
    record.Record(Answer("cat", TAnswerKind::Wrong, 3 * kDay)); // relearning: due in 10 min
    std::vector<std::string> list = {"dog", "new1", "new2", "new1", "cat", "new3"};
    for (int i = 4; i <= 30; ++i) {
        list.push_back(Numbered("new", i));
    }
    const TDueList due = record.DueList(list, {At(3 * kDay + 20)});
    ASSERT_EQ(due.Due.size(), 2u);
    EXPECT_EQ(due.Due[0].Entry, "dog"); // due on day 2, before cat's ten minutes
    EXPECT_EQ(due.Due[1].Entry, "cat");
    EXPECT_EQ(due.Due[1].HeadWord, "cat");
    EXPECT_EQ(due.Due[1].Tab, 7);
    EXPECT_EQ(due.NewToday, 0);
    ASSERT_EQ(due.New.size(), static_cast<std::size_t>(kDailyNewWords));
    EXPECT_EQ(due.New[0], "new1");
    EXPECT_EQ(due.New[1], "new2");
    EXPECT_EQ(due.New[2], "new3"); // duplicates and reviewed words are left out
    const auto entries = due.Entries();
    EXPECT_EQ(entries.front(), "dog");
    EXPECT_EQ(entries.size(), 2u + kDailyNewWords);

    // Nothing is due the moment after the first reviews.
    EXPECT_TRUE(record.DueList({}, {At(11)}).Due.empty());
}

TEST(RecordTest, NewWordsBegunTodayCountAgainstTheDailyLimit) {
    TestFolder folder;
    TLearningRecord record(folder.Record());
    for (int i = 0; i < 15; ++i) {
        record.Record(Answer(Numbered("w", i), TAnswerKind::Right, 60 + i));
    }
    record.Record(Answer("old", TAnswerKind::Right, -2 * kDay));
    std::vector<std::string> list;
    for (int i = 0; i < 40; ++i) {
        list.push_back(Numbered("w", i));
    }
    const TDueList today = record.DueList(list, {At(120)}, 20);
    EXPECT_EQ(today.NewToday, 15);
    ASSERT_EQ(today.New.size(), 5u);
    EXPECT_EQ(today.New[0], "w15");
    // At local midnight (UTC+3: 21:00 UTC) a new day begins.
    const TDueList tomorrow = record.DueList(list, {At(12 * 60 + 1), std::chrono::hours(3)}, 20);
    EXPECT_EQ(tomorrow.NewToday, 0);
    EXPECT_EQ(tomorrow.New.size(), 20u);
}

TEST(RecordTest, TheProgressCountsEachDayTheStatesAndTheMostMissedWords) {
    TestFolder folder;
    TLearningRecord record(folder.Record());
    // Day 0 (March 1st): two right, one wrong; day 29: one right, one lost, one seen.
    record.Record(Answer("a", TAnswerKind::Right, 0));
    record.Record(Answer("a", TAnswerKind::Right, 10));
    record.Record(Answer("b", TAnswerKind::Wrong, 20));
    record.Record(Answer("b", TAnswerKind::Right, 29 * kDay));
    record.Record(Answer("c", TAnswerKind::Lost, 29 * kDay + 1, TExercise::Hangman));
    record.Record(Answer("c", TAnswerKind::Lost, 29 * kDay + 2, TExercise::Hangman));
    record.Record(Answer("d", TAnswerKind::Seen, 29 * kDay + 3, TExercise::Method2));
    // Before the thirty days: not charted, still counted in the states.
    record.Record(Answer("e", TAnswerKind::Shown, -kDay));
    ASSERT_TRUE(record.WaitUntilWritten(std::chrono::seconds(10)));

    const std::vector<std::string> list = {"a", "d", "x", "x"};
    const TProgress progress = record.Progress({At(29 * kDay + 60)}, list);
    ASSERT_EQ(progress.Days.size(), 30u);
    EXPECT_EQ(progress.Days.front().DayStartMs, ToMs(At(-9 * 60)));
    EXPECT_EQ(progress.Days.front().Right, 2);
    EXPECT_EQ(progress.Days.front().Missed, 1);
    EXPECT_EQ(progress.Days.back().Right, 1);
    EXPECT_EQ(progress.Days.back().Missed, 2);
    EXPECT_EQ(progress.Days.back().Seen, 1);
    EXPECT_NEAR(progress.Days.back().ShareRight(), 1.0 / 3, 1e-12);
    EXPECT_EQ(progress.Judged(), 6);
    EXPECT_NEAR(progress.ShareRight(), 0.5, 1e-12);
    EXPECT_EQ(progress.States.Known, 1);    // a
    EXPECT_EQ(progress.States.Learning, 3); // b, c, e
    EXPECT_EQ(progress.States.New, 2);      // d (seen only) and x (only in the list)
    EXPECT_EQ(progress.States.DueToday, 4); // a (due March 3rd) and e overdue, b and c in minutes
    ASSERT_EQ(progress.MostMissed.size(), 3u);
    EXPECT_EQ(progress.MostMissed[0].Entry, "c");
    EXPECT_EQ(progress.MostMissed[0].Misses, 2);
    EXPECT_EQ(progress.MostMissed[0].HeadWord, "c");
    EXPECT_EQ(progress.MostMissed[0].Tab, 7);
    EXPECT_EQ(progress.MostMissed[1].Entry, "b"); // missed after e
    EXPECT_EQ(progress.MostMissed[2].Entry, "e");
    EXPECT_FALSE(progress.Empty());

    // In UTC+10 the thirty days begin at 14:00 UTC on February 29th: March
    // 1st's answers still fall on the first of them, February 29th's do not.
    const TProgress east = record.Progress({At(29 * kDay + 60), std::chrono::hours(10)});
    EXPECT_EQ(east.Days.front().Judged(), 3);
}

TEST(RecordTest, AfterARestartTheDueTimesCountTheDueWordsUntilTheRecordChanges) {
    TestFolder folder;
    const TTime later = At(3 * kDay + 20);
    {
        TLearningRecord record(folder.Record());
        for (const char* word : {"dog", "cat", "sun"}) {
            record.Record(Answer(word, TAnswerKind::Right, 0));
            record.Record(Answer(word, TAnswerKind::Right, 10));
        }
        record.Record(Answer("sun", TAnswerKind::Right, 3 * kDay));
        EXPECT_FALSE(record.DueCountWithoutOpening(later)) << "this run changes the record";
    }
    {
        TLearningRecord record(folder.Record());
        EXPECT_EQ(record.DueCountWithoutOpening(later), 2);
        EXPECT_EQ(record.DueCountWithoutOpening(At(11)), 0);
        EXPECT_FALSE(record.Opened()) << "no SQLite for the count";
        EXPECT_EQ(record.DueCount(later), 2);
        EXPECT_TRUE(record.Opened());
        EXPECT_FALSE(record.DueCountWithoutOpening(later)) << "opened, the record itself answers";
    }
    {
        // Another instance answers while this one has not opened the record.
        TLearningRecord reader(folder.Record());
        TLearningRecord writer(folder.Record());
        writer.Record(Answer("dog", TAnswerKind::Right, 3 * kDay + 10));
        ASSERT_TRUE(writer.WaitUntilWritten(std::chrono::seconds(10)));
        EXPECT_FALSE(reader.DueCountWithoutOpening(later)) << "stale: the log has changed";
        EXPECT_EQ(reader.DueCount(later), 1);
    }
    TLearningRecord record(folder.Record());
    EXPECT_EQ(record.DueCountWithoutOpening(later), 1) << "written anew by the last to close";

    // A file cut short or edited is no answer.
    const fs::path times = folder.Dir() / "Learning.db.due";
    const std::string bytes = ReadBytes(times);
    WriteBytes(times, bytes.substr(0, bytes.size() - 3));
    EXPECT_FALSE(record.DueCountWithoutOpening(later));
    WriteBytes(times, bytes + "x\n");
    EXPECT_FALSE(record.DueCountWithoutOpening(later));
    WriteBytes(times, bytes);
    EXPECT_EQ(record.DueCountWithoutOpening(later), 1);
}

TEST(RecordTest, PreparingOpensAndChecksAnExistingRecordAndMakesNoFile) {
    TestFolder folder;
    {
        TLearningRecord record(folder.Record());
        record.Prepare();
        EXPECT_FALSE(record.Opened());
        EXPECT_FALSE(fs::exists(folder.Record()));
    }
    WriteBytes(folder.Record(), "not a database at all, only some text that fills a page");
    TLearningRecord record(folder.Record());
    record.Prepare();
    EXPECT_TRUE(record.Opened());
    const auto faults = record.TakeFaults();
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].Kind, TFaultKind::Damaged) << "checked as it was opened";
}
