// Study-list files and the atomic replacement of a file.
#include "studylist/StudyListFile.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using studylist::FormatStudyList;
using studylist::ParseStudyList;
using Entries = std::vector<std::string>;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class StudyListFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("studylistfile-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    fs::path dir_;
};

TEST(StudyListFormat, LineEndsOfEveryKindAndTheLastLine) {
    EXPECT_EQ(ParseStudyList(""), Entries{});
    EXPECT_EQ(ParseStudyList("a\r\nb\r\n"), (Entries{"a", "b"})) << "no entry for a final line end";
    EXPECT_EQ(ParseStudyList("a\nb\rc\r\nd"), (Entries{"a", "b", "c", "d"}));
    EXPECT_EQ(ParseStudyList("a\r\r\n"), (Entries{"a"})) << "CR, then CR LF";
    EXPECT_EQ(ParseStudyList("last"), (Entries{"last"}));
}

// An empty line is no word: one word and four line ends is one entry, and no
// empty entry can reach an exercise (Hangman's pattern of it no key can end).
TEST(StudyListFormat, EmptyLinesMakeNoEntry) {
    EXPECT_EQ(ParseStudyList("\r\n"), Entries{});
    EXPECT_EQ(ParseStudyList("\r\n\r\nword\r\n\r\n"), Entries{"word"});
    const studylist::TStudyListLines list = studylist::ParseStudyListLines("a\r\n\r\n\nb\n");
    EXPECT_EQ(list.Entries, (Entries{"a", "b"}));
    EXPECT_EQ(list.Lines, (std::vector<std::size_t>{1, 4})) << "entries keep their file lines";
}

// "къща" and "дом" as another tool saves them.
TEST(StudyListFormat, Utf8WithOrWithoutByteOrderMarkIsConverted) {
    const Entries expected = {"house", "\xEA\xFA\xF9\xE0", "\xE4\xEE\xEC"};
    const std::string utf8 = "house\n\xD0\xBA\xD1\x8A\xD1\x89\xD0\xB0\n\xD0\xB4\xD0\xBE\xD0\xBC\n";
    EXPECT_EQ(ParseStudyList(utf8), expected);
    EXPECT_EQ(ParseStudyList("\xEF\xBB\xBF" + utf8), expected) << "the mark is no part of a word";
    EXPECT_EQ(ParseStudyList("\xEF\xBB\xBFhouse\r\n"), Entries{"house"});
    EXPECT_TRUE(studylist::ParseStudyListLines(utf8).Utf8);
    // Code page 1251 text stays as it is.
    EXPECT_FALSE(studylist::ParseStudyListLines("\xEA\xFA\xF9\xE0\r\n").Utf8);
    EXPECT_EQ(ParseStudyList("\xEA\xFA\xF9\xE0\r\n"), Entries{"\xEA\xFA\xF9\xE0"});
}

TEST(StudyListFormat, WritesCrLfAfterEveryLine) {
    EXPECT_EQ(FormatStudyList({}), "");
    EXPECT_EQ(FormatStudyList({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST_F(StudyListFileTest, CyrillicRoundTripInSingleBytes) {
    // "къща" and "дом" in code page 1251.
    const Entries entries = {"house", "\xEA\xFA\xF9\xE0", "\xE4\xEE\xEC"};
    ASSERT_TRUE(studylist::WriteStudyListFile(dir_ / "list", entries).Ok());
    EXPECT_EQ(ReadFile(dir_ / "list"), "house\r\n\xEA\xFA\xF9\xE0\r\n\xE4\xEE\xEC\r\n");
    Entries back;
    ASSERT_TRUE(studylist::ReadStudyListFile(dir_ / "list", back).Ok());
    EXPECT_EQ(back, entries);
    EXPECT_FALSE(fs::exists(dir_ / "list.tmp"));

    ASSERT_TRUE(studylist::WriteStudyListFile(dir_ / "empty", {}).Ok());
    EXPECT_TRUE(fs::exists(dir_ / "empty"));
    EXPECT_EQ(fs::file_size(dir_ / "empty"), 0u);
}

TEST_F(StudyListFileTest, AUtf8ListIsSavedBackInTheCodePage) {
    std::ofstream(dir_ / "utf8", std::ios::binary)
        << "\xEF\xBB\xBF\xD0\xB4\xD0\xBE\xD0\xBC\r\n\r\nhouse\r\n";
    Entries read;
    ASSERT_TRUE(studylist::ReadStudyListFile(dir_ / "utf8", read).Ok());
    EXPECT_EQ(read, (Entries{"\xE4\xEE\xEC", "house"}));
    ASSERT_TRUE(studylist::WriteStudyListFile(dir_ / "utf8", read).Ok());
    EXPECT_EQ(ReadFile(dir_ / "utf8"), "\xE4\xEE\xEC\r\nhouse\r\n");
}

TEST_F(StudyListFileTest, AUtf8WordTheCodePageCannotHoldIsReportedByLine) {
    // Line 3 holds "日本"; the empty line 2 still counts.
    std::ofstream(dir_ / "utf8", std::ios::binary)
        << "\xD0\xB4\xD0\xBE\xD0\xBC\n\nJapan \xE6\x97\xA5\xE6\x9C\xAC\nhouse\n";
    Entries entries = {"kept"};
    const platform::TFileResult read = studylist::ReadStudyListFile(dir_ / "utf8", entries);
    ASSERT_FALSE(read.Ok());
    EXPECT_EQ(read.Error().Fault, platform::TFileFault::NotInCodePage);
    EXPECT_EQ(read.Error().Line, 3u);
    EXPECT_EQ(read.Error().File, dir_ / "utf8");
    EXPECT_EQ(entries, Entries{"kept"});
}

TEST_F(StudyListFileTest, MissingFileIsReportedByName) {
    Entries entries = {"kept"};
    const platform::TFileResult missing = studylist::ReadStudyListFile(dir_ / "nothing", entries);
    ASSERT_FALSE(missing.Ok());
    EXPECT_EQ(entries, Entries{"kept"});
    EXPECT_EQ(missing.Error().File, dir_ / "nothing");
    EXPECT_EQ(missing.Errno(), ENOENT);
    EXPECT_FALSE(studylist::ReadStudyListFile(dir_, entries).Ok()) << "a folder is no list";
}

TEST_F(StudyListFileTest, FailedSaveKeepsThePreviousFile) {
    ASSERT_TRUE(studylist::WriteStudyListFile(dir_ / "list", {"old"}).Ok());
    // A full disk while writing (the file size limit stands in for it): the
    // write fails before the target is touched.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{3, 3};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const platform::TFileResult saved = studylist::WriteStudyListFile(dir_ / "list", {"new"});
        ::_exit(!saved.Ok() && saved.Error().File == dir_ / "list" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(dir_ / "list"), "old\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
        << "no temporary file left behind";
}

TEST_F(StudyListFileTest, UnwritableFolderLeavesTheFileAlone) {
    ASSERT_TRUE(studylist::WriteStudyListFile(dir_ / "list", {"old"}).Ok());
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                              fs::perms::others_exec | fs::perms::group_read |
                              fs::perms::group_exec);
    fs::permissions(dir_ / "list", fs::perms::all);
    // Root ignores permissions: the save runs as an ordinary user.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(2);
        }
        const platform::TFileResult saved = studylist::WriteStudyListFile(dir_ / "list", {"new"});
        ::_exit(!saved.Ok() && saved.Error().Operation == platform::TFileOperation::Create ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(dir_ / "list"), "old\r\n") << "writable itself, but not replaceable";
}

TEST_F(StudyListFileTest, ReplacingKeepsThePermissionBits) {
    ASSERT_TRUE(studylist::WriteStudyListFile(dir_ / "list", {"a"}).Ok());
    fs::permissions(dir_ / "list",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(studylist::WriteStudyListFile(dir_ / "list", {"b"}).Ok());
    EXPECT_EQ(fs::status(dir_ / "list").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

} // namespace
