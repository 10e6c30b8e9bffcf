#include "learning/LearningRecord.h"
#include "learning/RecordFile.h"
#include "tests/learning/TestFolder.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <atomic>
#include <csignal>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace learning;
using namespace learningtest;

namespace {

constexpr auto kLongEnough = std::chrono::seconds(10);

std::set<std::string> EntriesIn(const fs::path& file) {
    sqlite::TDatabase db = OpenRecordFile(file);
    sqlite::TStatement rows(db, "SELECT w.entry FROM answers a JOIN words w ON w.id = a.word_id");
    std::set<std::string> entries;
    while (rows.Step()) {
        entries.insert(rows.Bytes(0));
    }
    return entries;
}

int AnswerCount(const fs::path& file) {
    sqlite::TDatabase db = OpenRecordFile(file);
    sqlite::TStatement count(db, "SELECT count(*) FROM answers");
    return count.Step() ? static_cast<int>(count.Int(0)) : -1;
}

void ExpectReplayEqualsStored(const fs::path& file) {
    sqlite::TDatabase db = OpenRecordFile(file);
    EXPECT_EQ(ReplayLog(db), StoredStates(db));
}

std::vector<TFaultKind> KindsOf(const std::vector<TRecordFault>& faults) {
    std::vector<TFaultKind> kinds;
    for (const TRecordFault& fault : faults) {
        kinds.push_back(fault.Kind);
    }
    return kinds;
}

// Runs body in a child process and returns its exit status (-signal when a
// signal ended it, 99 when it threw). The child never returns into the test.
template <typename Body> int InChild(Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            ::_exit(body());
        } catch (...) {
            ::_exit(99);
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

} // namespace

TEST(RecordFaultsTest, AProcessKilledWhileWritingLosesAtMostTheAnswerBeingWritten) {
    TestFolder folder;
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        sqlite::TDatabase db = OpenRecordFile(folder.Record());
        TAnswerWriter writer(db);
        for (int i = 0;; ++i) {
            writer.Write(Answer(Numbered("w", i), TAnswerKind::Right, i));
            // Each committed answer is told to the parent.
            if (::write(pipeEnds[1], &i, sizeof i) != sizeof i) {
                ::_exit(1);
            }
        }
    }
    ::close(pipeEnds[1]);
    int committed = -1;
    int told = 0;
    // Killed at once after the 200th commit is told: mid-way through a later one.
    while (committed < 200 && ::read(pipeEnds[0], &told, sizeof told) == sizeof told) {
        committed = told;
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(pipeEnds[0]);
    ASSERT_GE(committed, 200);

    ASSERT_EQ(CheckRecordFile(folder.Record()), std::nullopt);
    const auto entries = EntriesIn(folder.Record());
    for (int i = 0; i <= committed; ++i) {
        EXPECT_TRUE(entries.contains(Numbered("w", i))) << i;
    }
    ExpectReplayEqualsStored(folder.Record());
    TLearningRecord record(folder.Record());
    record.Record(Answer("after", TAnswerKind::Right, 0));
    ASSERT_TRUE(record.WaitUntilWritten(kLongEnough));
    EXPECT_TRUE(record.TakeFaults().empty());
    EXPECT_EQ(AnswerCount(folder.Record()), static_cast<int>(entries.size()) + 1);
}

TEST(RecordFaultsTest, TwoInstancesShareTheRecord) {
    TestFolder folder;
    const int status = InChild([&] {
        TLearningRecord other(folder.Record());
        for (int i = 0; i < 100; ++i) {
            other.Record(Answer(Numbered("child", i % 10), TAnswerKind::Right, i));
        }
        return other.WaitUntilWritten(kLongEnough) && other.TakeFaults().empty() ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    {
        TLearningRecord first(folder.Record());
        TLearningRecord second(folder.Record());
        for (int i = 0; i < 100; ++i) {
            first.Record(Answer("shared", TAnswerKind::Right, 200 + 2 * i));
            second.Record(Answer("shared", TAnswerKind::Wrong, 201 + 2 * i));
        }
        ASSERT_TRUE(first.WaitUntilWritten(kLongEnough));
        ASSERT_TRUE(second.WaitUntilWritten(kLongEnough));
        EXPECT_TRUE(first.TakeFaults().empty());
        EXPECT_TRUE(second.TakeFaults().empty());
        // Each sees what the other wrote.
        const auto words = first.Words();
        EXPECT_EQ(words.size(), 11u);
        EXPECT_EQ(second.History("shared").size(), 200u);
    }
    EXPECT_EQ(AnswerCount(folder.Record()), 300);
    ExpectReplayEqualsStored(folder.Record());
}

TEST(RecordFaultsTest, AnAnswerThatWaitsPastTheBusyTimeoutIsDroppedWithOneMessage) {
    TestFolder folder;
    TLearningRecord record(folder.Record());
    record.Record(Answer("before", TAnswerKind::Right, 0));
    ASSERT_TRUE(record.WaitUntilWritten(kLongEnough));
    std::atomic<int> told{0};
    record.SetFaultListener([&] { ++told; });
    {
        // Another program holds the write lock.
        sqlite::TDatabase other = OpenRecordFile(folder.Record());
        sqlite::TTransaction lock(other, true);
        for (int i = 0; i < 3; ++i) {
            record.Record(Answer(Numbered("blocked", i), TAnswerKind::Right, 1 + i));
        }
        ASSERT_TRUE(record.WaitUntilWritten(kLongEnough));
    }
    record.Record(Answer("after", TAnswerKind::Right, 10));
    ASSERT_TRUE(record.WaitUntilWritten(kLongEnough));
    const auto faults = record.TakeFaults();
    EXPECT_EQ(KindsOf(faults), std::vector{TFaultKind::Busy});
    ASSERT_FALSE(faults.empty());
    EXPECT_EQ(faults[0].File, folder.Record());
    EXPECT_EQ(told.load(), 1);
    EXPECT_EQ(EntriesIn(folder.Record()), (std::set<std::string>{"before", "after"}));
}

TEST(RecordFaultsTest, AFileThatIsNoDatabaseIsMovedAsideAndANewRecordBegun) {
    TestFolder folder;
    const std::string junk(5000, 'x');
    WriteBytes(folder.Record(), junk);
    TLearningRecord record(folder.Record());
    record.Record(Answer("house", TAnswerKind::Right, 0));
    ASSERT_TRUE(record.WaitUntilWritten(kLongEnough));
    const auto faults = record.TakeFaults();
    ASSERT_EQ(KindsOf(faults), std::vector{TFaultKind::Damaged});
    const fs::path movedTo = faults[0].MovedTo;
    EXPECT_EQ(movedTo.parent_path(), folder.Dir());
    EXPECT_TRUE(movedTo.filename().string().starts_with("Learning.db.damaged-")) << movedTo;
    EXPECT_TRUE(ReadBytes(movedTo) == junk);
    EXPECT_FALSE(faults[0].Detail.empty());
    EXPECT_EQ(EntriesIn(folder.Record()), std::set<std::string>{"house"});
}

TEST(RecordFaultsTest, ARecordWhosePagesAreDamagedIsMovedAsideWithItsLog) {
    TestFolder folder;
    {
        TLearningRecord record(folder.Record());
        for (int i = 0; i < 500; ++i) {
            record.Record(Answer(Numbered("word", i), TAnswerKind::Wrong, i));
        }
    }
    {
        // Folds the log into the file, so the damage below is the file's own.
        sqlite::TDatabase db = OpenRecordFile(folder.Record());
        db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
    }
    std::string bytes = ReadBytes(folder.Record());
    ASSERT_GT(bytes.size(), 3 * 4096u);
    for (std::size_t i = 4096 + 100; i < 3 * 4096; ++i) {
        bytes[i] = static_cast<char>(i * 7);
    }
    WriteBytes(folder.Record(), bytes);
    const std::string log(100, 'L');
    WriteBytes(folder.Record().string() + "-wal", log);
    // A first damaged file of the day is already there.
    WriteBytes(folder.Dir() / "Learning.db.damaged-earlier", "");

    TLearningRecord record(folder.Record());
    EXPECT_TRUE(record.DueList({}, {At(0)}).Due.empty());
    const auto faults = record.TakeFaults();
    ASSERT_EQ(KindsOf(faults), std::vector{TFaultKind::Damaged});
    EXPECT_TRUE(ReadBytes(faults[0].MovedTo) == bytes);
    EXPECT_TRUE(ReadBytes(faults[0].MovedTo.string() + "-wal") == log); // its log went with it
    record.Record(Answer("again", TAnswerKind::Right, 0));
    ASSERT_TRUE(record.WaitUntilWritten(kLongEnough));
    EXPECT_EQ(record.Words().size(), 1u);
    // A second damaged file the same day gets a name of its own.
    EXPECT_NE(MoveAside(folder.Record(), nullptr), faults[0].MovedTo);
}

TEST(RecordFaultsTest, AStateFolderThatCannotBeWrittenLosesTheAnswersWithOneMessage) {
    TestFolder folder;
    // A file where the folder should be: nothing can be made below it, for
    // root too.
    WriteBytes(folder.Dir() / "state", "");
    TLearningRecord record(folder.Dir() / "state" / "Learning.db");
    for (int i = 0; i < 5; ++i) {
        record.Record(Answer("house", TAnswerKind::Right, i));
    }
    ASSERT_TRUE(record.WaitUntilWritten(kLongEnough));
    const auto faults = record.TakeFaults();
    ASSERT_EQ(KindsOf(faults), std::vector{TFaultKind::Unwritable});
    EXPECT_EQ(faults[0].File, folder.Dir() / "state" / "Learning.db");
    EXPECT_FALSE(faults[0].Detail.empty());
    EXPECT_TRUE(record.Words().empty());
    EXPECT_TRUE(record.TakeFaults().empty()); // once per run
}

TEST(RecordFaultsTest, AFullDiskLosesTheAnswersWithOneMessageAndKeepsTheRecordSound) {
    TestFolder folder;
    {
        TLearningRecord record(folder.Record());
        record.Record(Answer("first", TAnswerKind::Right, 0));
    }
    // The child may not make any file bigger than it is now: the disk is full.
    const int status = InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const auto size = static_cast<rlim_t>(fs::file_size(folder.Record()));
        const rlimit limit{size, size};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 2;
        }
        TLearningRecord record(folder.Record());
        for (int i = 0; i < 50; ++i) {
            record.Record(Answer(Numbered("long entry number ", i) + std::string(900, 'x'),
                                 TAnswerKind::Wrong, i));
        }
        if (!record.WaitUntilWritten(kLongEnough)) {
            return 3;
        }
        const auto kinds = KindsOf(record.TakeFaults());
        return kinds == std::vector{TFaultKind::Unwritable} ? 0 : 4;
    });
    EXPECT_EQ(status, 0);
    ASSERT_EQ(CheckRecordFile(folder.Record()), std::nullopt);
    EXPECT_TRUE(EntriesIn(folder.Record()).contains("first"));
    EXPECT_LT(AnswerCount(folder.Record()), 51);
    ExpectReplayEqualsStored(folder.Record());
}

TEST(RecordFaultsTest, ARecordOfANewerVersionIsLeftAsItIs) {
    TestFolder folder;
    {
        sqlite::TDatabase db = sqlite::TDatabase::Open(folder.Record(), true);
        db.Exec("CREATE TABLE future(x); PRAGMA user_version = 99");
    }
    const std::string before = ReadBytes(folder.Record());
    TLearningRecord record(folder.Record());
    record.Record(Answer("house", TAnswerKind::Right, 0));
    ASSERT_TRUE(record.WaitUntilWritten(kLongEnough));
    EXPECT_TRUE(record.Words().empty());
    EXPECT_EQ(KindsOf(record.TakeFaults()), std::vector{TFaultKind::Newer});
    EXPECT_TRUE(ReadBytes(folder.Record()) == before);
}

TEST(RecordFaultsTest, AnEmptyFileIsMadeARecordOfTheCurrentVersionInWalMode) {
    TestFolder folder;
    WriteBytes(folder.Record(), "");
    TLearningRecord record(folder.Record());
    record.Record(Answer("house", TAnswerKind::Right, 0));
    ASSERT_TRUE(record.WaitUntilWritten(kLongEnough));
    EXPECT_TRUE(record.TakeFaults().empty());
    sqlite::TDatabase db = sqlite::TDatabase::Open(folder.Record(), false);
    sqlite::TStatement version(db, "PRAGMA user_version");
    ASSERT_TRUE(version.Step());
    EXPECT_EQ(version.Int(0), kSchemaVersion);
    sqlite::TStatement mode(db, "PRAGMA journal_mode");
    ASSERT_TRUE(mode.Step());
    EXPECT_EQ(mode.Bytes(0), "wal");
}
