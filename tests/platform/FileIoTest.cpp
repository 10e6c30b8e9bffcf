#include "platform/FileIo.h"
#include "platform/FileStream.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

class FileIoTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("fileio_test_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(FileIoTest, WrittenBytesReadBackAndTheTargetKeepsItsPermissions) {
    const fs::path target = dir_ / "list.txt";
    ASSERT_TRUE(platform::WriteFileAtomically(target, "first").Ok());
    ::chmod(target.c_str(), 0600);
    ASSERT_TRUE(platform::WriteFileAtomically(target, std::string("second\0line", 11)).Ok());

    std::string text;
    EXPECT_EQ(platform::ReadWholeFile(target, text).Errno(), 0);
    EXPECT_EQ(text, std::string("second\0line", 11));
    std::vector<char> bytes;
    EXPECT_EQ(platform::ReadWholeFile(target, bytes).Errno(), 0);
    EXPECT_EQ(bytes.size(), 11u);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(FileIoTest, AFailedWriteLeavesNothingBehind) {
    const auto result = platform::WriteFileAtomically(dir_ / "missing" / "list.txt", "words");
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.Error().Operation, platform::TFileOperation::Create);
    EXPECT_TRUE(fs::is_empty(dir_));
}

// A failure says which file, what was being done to it and why, for the
// windows to word in the interface language.
TEST_F(FileIoTest, FailuresNameTheFileAndTheOperation) {
    std::string text;
    const platform::TFileResult missing = platform::ReadWholeFile(dir_ / "absent", text);
    ASSERT_FALSE(missing.Ok());
    EXPECT_EQ(missing.Error().File, dir_ / "absent");
    EXPECT_EQ(missing.Error().Operation, platform::TFileOperation::Open);
    EXPECT_EQ(missing.Error().Errno, ENOENT);

    ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "kept", "old").Ok());
    fs::permissions(dir_ / "kept", fs::perms::owner_read);
    const platform::TFileResult refused = platform::WriteFileAtomically(dir_ / "kept", "new");
    ASSERT_FALSE(refused.Ok());
    EXPECT_EQ(refused.Error().File, dir_ / "kept");
    EXPECT_EQ(refused.Error().Operation, platform::TFileOperation::Write);
    EXPECT_EQ(refused.Errno(), EACCES);

    fs::create_directory(dir_ / "sub");
    platform::TFileStream created((dir_ / "sub").string());
    ASSERT_FALSE(created.Valid());
    EXPECT_EQ(created.Result().Error().Operation, platform::TFileOperation::Create);
    EXPECT_EQ(created.Result().Errno(), EISDIR);
    EXPECT_EQ(created.Result().Error().File, dir_ / "sub");
}

TEST_F(FileIoTest, ReadsOnPastTheSizeTheFileReported) {
    // A kernel status file reports a size of 0 and then delivers its text:
    // the same path a file growing while it is read takes.
    std::string text;
    ASSERT_EQ(platform::ReadWholeFile("/proc/self/status", text).Errno(), 0);
    EXPECT_EQ(text.rfind("Name:", 0), 0u);
    EXPECT_NE(text.find("\nPid:"), std::string::npos);
    std::vector<char> bytes;
    ASSERT_EQ(platform::ReadWholeFile("/proc/self/status", bytes).Errno(), 0);
    EXPECT_GT(bytes.size(), 100u);
}

TEST_F(FileIoTest, OnlyRegularFilesAreRead) {
    std::string text = "kept";
    EXPECT_EQ(platform::ReadWholeFile(dir_, text).Errno(), EISDIR);
    EXPECT_EQ(platform::ReadWholeFile(dir_ / "absent", text).Errno(), ENOENT);
    EXPECT_EQ(text, "kept");
}

// One buffer read file after file must hold exactly the last file: nothing
// left over from a longer one before, nothing at all after a failure.
TEST_F(FileIoTest, AReusedBufferHoldsOnlyTheLastFile) {
    ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "long", std::string(5000, 'l')).Ok());
    ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "short", "short").Ok());
    std::vector<char> buffer;
    ASSERT_EQ(platform::ReadWholeFileInto(dir_ / "long", buffer).Errno(), 0);
    EXPECT_EQ(buffer.size(), 5000u);
    ASSERT_EQ(platform::ReadWholeFileInto(dir_ / "short", buffer).Errno(), 0);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), "short");
    ASSERT_EQ(platform::ReadWholeFileInto("/proc/self/status", buffer).Errno(), 0);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 5), "Name:") << "read on past size 0";

    ASSERT_EQ(platform::ReadWholeFileInto(dir_ / "long", buffer).Errno(), 0);
    EXPECT_EQ(platform::ReadWholeFileInto(dir_ / "absent", buffer).Errno(), ENOENT);
    EXPECT_TRUE(buffer.empty());
    ASSERT_EQ(platform::ReadWholeFileInto(dir_ / "long", buffer).Errno(), 0);
    EXPECT_EQ(platform::ReadWholeFileInto(dir_ / "long", buffer, 4999).Errno(), EFBIG);
    EXPECT_TRUE(buffer.empty());
}

} // namespace
