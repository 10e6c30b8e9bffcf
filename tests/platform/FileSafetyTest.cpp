// Saving and reading files the user points at: other files beside the target,
// symbolic links, read-only files, named pipes and files larger than memory.
#include "platform/FileIo.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class FileSafetyTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("filesafety-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Names in a folder, to see that a save leaves nothing behind.
    static std::vector<std::string> Names(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Runs body in a child that is killed after five seconds; true when the
    // child finished by itself and body returned true.
    static bool FinishesInTime(const std::function<bool()>& body) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::alarm(5);
            ::_exit(body() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    fs::path dir_;
};

TEST_F(FileSafetyTest, AnUnrelatedTmpFileBesideTheTargetIsLeftAlone) {
    WriteFile(dir_ / "list", "old");
    WriteFile(dir_ / "list.tmp", "the user's own notes");
    const auto result = platform::WriteFileAtomically(dir_ / "list", "new");
    ASSERT_TRUE(result.Ok()) << result.Errno();
    EXPECT_EQ(ReadFile(dir_ / "list"), "new");
    EXPECT_EQ(ReadFile(dir_ / "list.tmp"), "the user's own notes");
    EXPECT_EQ(Names(dir_), (std::vector<std::string>{"list", "list.tmp"})) << "nothing left over";
}

TEST_F(FileSafetyTest, SymbolicLinksAreWrittenThroughToTheirTarget) {
    fs::create_directories(dir_ / "real");
    fs::create_directories(dir_ / "links");
    WriteFile(dir_ / "real" / "words", "old");
    fs::create_symlink("../real/words", dir_ / "links" / "words");
    fs::create_symlink("words", dir_ / "links" / "again"); // a link to a link

    ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "links" / "again", "new").Ok());
    EXPECT_TRUE(fs::is_symlink(dir_ / "links" / "again"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "links" / "words"));
    EXPECT_EQ(ReadFile(dir_ / "real" / "words"), "new");
    EXPECT_EQ(Names(dir_ / "real"), std::vector<std::string>{"words"});
    EXPECT_EQ(Names(dir_ / "links"), (std::vector<std::string>{"again", "words"}));

    // A link whose file does not exist yet: the file is created where it
    // points.
    fs::create_symlink("../real/later", dir_ / "links" / "later");
    ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "links" / "later", "made").Ok());
    EXPECT_TRUE(fs::is_symlink(dir_ / "links" / "later"));
    EXPECT_EQ(ReadFile(dir_ / "real" / "later"), "made");
}

// Root may write anything: the save itself must look at the permission bits.
TEST_F(FileSafetyTest, AReadOnlyFileIsNotReplaced) {
    WriteFile(dir_ / "list", "old");
    fs::permissions(dir_ / "list",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto result = platform::WriteFileAtomically(dir_ / "list", "new");
    EXPECT_EQ(result.Errno(), EACCES);
    EXPECT_EQ(ReadFile(dir_ / "list"), "old");
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"list"});

    fs::create_symlink("list", dir_ / "link");
    EXPECT_EQ(platform::WriteFileAtomically(dir_ / "link", "new").Errno(), EACCES)
        << "through a link as well";
    EXPECT_EQ(ReadFile(dir_ / "list"), "old");
}

TEST_F(FileSafetyTest, OnlyRegularFilesAreReplaced) {
    ASSERT_EQ(::mkfifo((dir_ / "pipe").c_str(), 0644), 0);
    EXPECT_FALSE(platform::WriteFileAtomically(dir_ / "pipe", "new").Ok());
    EXPECT_TRUE(fs::is_fifo(dir_ / "pipe"));
    fs::create_directory(dir_ / "folder");
    EXPECT_FALSE(platform::WriteFileAtomically(dir_ / "folder", "new").Ok());
    EXPECT_TRUE(fs::is_directory(dir_ / "folder"));
}

TEST_F(FileSafetyTest, ANamedPipeIsRefusedWithoutWaitingForAWriter) {
    const fs::path pipe = dir_ / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_TRUE(FinishesInTime([&] {
        std::string bytes;
        return platform::ReadWholeFile(pipe, bytes).Errno() != 0;
    }));
}

// A sparse file costs no disk, but reading it whole would need 300 GB.
TEST_F(FileSafetyTest, AFileLargerThanMemoryIsRefusedNotThrown) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's allocator ends the program instead of throwing";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the address sanitizer's allocator ends the program instead of throwing";
#endif
#endif
    const fs::path huge = dir_ / "huge";
    WriteFile(huge, "start");
    fs::resize_file(huge, 300ull << 30);
    std::string text = "kept";
    std::vector<char> bytes;
    int failure = 0;
    EXPECT_NO_THROW(failure = platform::ReadWholeFile(huge, text).Errno());
    EXPECT_NE(failure, 0);
    EXPECT_EQ(text, "kept");
    EXPECT_NO_THROW(failure = platform::ReadWholeFile(huge, bytes).Errno());
    EXPECT_NE(failure, 0);
}

} // namespace
