// Study-list files the user points at that are no lists: named pipes, huge
// files, lines no word can have; saving beside other files, through links and
// over read-only files.
#include "studylist/StudyListFile.h"
#include "tests/studylist/CoreTestFolder.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace studylisttest;
using Entries = std::vector<std::string>;

class ListFileSafetyTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("listsafety-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(ListFileSafetyTest, ANamedPipeIsRefusedAtOnceAndCalledWhatItIs) {
    const fs::path pipe = dir_ / "words";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    int message[2];
    ASSERT_EQ(::pipe(message), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(message[0]);
        ::alarm(5);
        Entries entries;
        const platform::TFileResult read = studylist::ReadStudyListFile(pipe, entries);
        const std::string text =
            read.Ok() ? std::string("read")
                      : read.Error().File.string() + "|" + std::to_string(read.Errno());
        ::_exit(::write(message[1], text.data(), text.size()) < 0 ? 2 : 0);
    }
    ::close(message[1]);
    std::string text;
    char buffer[256];
    ssize_t n;
    while ((n = ::read(message[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(message[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "the read waited for a writer";
    EXPECT_EQ(text, pipe.string() + "|" + std::to_string(platform::kIsNamedPipe))
        << "named by the file, as a named pipe";
}

TEST_F(ListFileSafetyTest, ALineLongerThanAHeadWordIsRefusedByFileAndLine) {
    const fs::path path = dir_ / "words";
    WriteBytes(path, "house\r\nhot\r\n" + std::string(5 << 20, 'x') + "\r\nrun\r\n");
    Entries entries = {"kept"};
    platform::TFileResult read = studylist::ReadStudyListFile(path, entries);
    ASSERT_FALSE(read.Ok());
    EXPECT_EQ(entries, Entries{"kept"});
    EXPECT_EQ(read.Error().File, path);
    EXPECT_EQ(read.Error().Fault, platform::TFileFault::LineTooLong);
    EXPECT_EQ(read.Error().Line, 3u);
    EXPECT_EQ(read.Error().Length, std::size_t{5} << 20);
    EXPECT_EQ(read.Error().Limit, 101u);

    WriteBytes(path, std::string(101, 'a') + "\n" + std::string(102, 'b'));
    read = studylist::ReadStudyListFile(path, entries);
    ASSERT_FALSE(read.Ok());
    EXPECT_EQ(read.Error().Line, 2u);
    WriteBytes(path, std::string(101, 'a') + "\n");
    EXPECT_TRUE(studylist::ReadStudyListFile(path, entries).Ok()) << "101 bytes fit";
}

TEST_F(ListFileSafetyTest, AListLargerThanMemoryIsRefusedByName) {
    const fs::path path = dir_ / "words";
    WriteBytes(path, "house\r\n");
    fs::resize_file(path, 300ull << 30); // sparse: no disk
    Entries entries;
    platform::TFileResult read;
    EXPECT_NO_THROW(read = studylist::ReadStudyListFile(path, entries));
    ASSERT_FALSE(read.Ok());
    EXPECT_EQ(read.Error().File, path);
}

TEST_F(ListFileSafetyTest, SavingSparesOtherFilesFollowsLinksAndRespectsReadOnlyFiles) {
    WriteBytes(dir_ / "words.tmp", "not ours");
    fs::create_directories(dir_ / "lists");
    WriteBytes(dir_ / "lists" / "real", "old\r\n");
    fs::create_symlink("lists/real", dir_ / "words");
    ASSERT_TRUE(studylist::WriteStudyListFile(dir_ / "words", {"new"}).Ok());
    EXPECT_EQ(ReadBytes(dir_ / "words.tmp"), "not ours");
    EXPECT_TRUE(fs::is_symlink(dir_ / "words"));
    EXPECT_EQ(ReadBytes(dir_ / "lists" / "real"), "new\r\n");

    fs::permissions(dir_ / "lists" / "real",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const platform::TFileResult refused = studylist::WriteStudyListFile(dir_ / "words", {"newer"});
    ASSERT_FALSE(refused.Ok());
    EXPECT_EQ(ReadBytes(dir_ / "lists" / "real"), "new\r\n");
    EXPECT_EQ(refused.Error().File, dir_ / "words");
    EXPECT_EQ(refused.Errno(), EACCES);
}

} // namespace
