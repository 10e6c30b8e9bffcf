// Size limits of whole-file reads, the compressed-file cache's budget, the
// words for files that are not files, and the lock that serialises saves.
#include "platform/FileIo.h"
#include "platform/LzFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

class FileLimitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("filelimits-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        platform::LZSetCacheBudget(platform::kDefaultLzCacheBudget);
        fs::remove_all(dir_);
    }
    fs::path Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return dir_ / name;
    }
    fs::path dir_;
};

TEST_F(FileLimitsTest, WholeFileReadsStopAtTheLimitOfTheirKind) {
    const fs::path path = Write("index", std::string(1000, 'x'));
    std::string bytes = "kept";
    EXPECT_EQ(platform::ReadWholeFile(path, bytes, 999).Errno(), EFBIG);
    EXPECT_EQ(bytes, "kept");
    EXPECT_EQ(platform::ReadWholeFile(path, bytes, 1000).Errno(), 0);
    EXPECT_EQ(bytes.size(), 1000u);

    std::string start;
    EXPECT_EQ(platform::ReadFileStart(path, 4, start).Errno(), 0);
    EXPECT_EQ(start, "xxxx");
    EXPECT_EQ(platform::ReadFileStart(Write("short", "1"), 4, start).Errno(), 0);
    EXPECT_EQ(start, "1");
}

TEST_F(FileLimitsTest, WhatAPathIsWhenItIsNoFileIsSaid) {
    ASSERT_EQ(::mkfifo((dir_ / "pipe").c_str(), 0644), 0);
    std::string bytes;
    EXPECT_EQ(platform::ReadWholeFile(dir_ / "pipe", bytes).Errno(), platform::kIsNamedPipe);
    EXPECT_EQ(platform::ReadFileStart(dir_ / "pipe", 4, bytes).Errno(), platform::kIsNamedPipe);
    EXPECT_EQ(platform::ReadWholeFile(dir_, bytes).Errno(), EISDIR);
    EXPECT_EQ(platform::ReadWholeFile("/dev/null", bytes).Errno(), platform::kIsDevice);
    EXPECT_EQ(platform::CheckRegularFile(dir_ / "pipe").Errno(), platform::kIsNamedPipe);
    EXPECT_EQ(platform::CheckRegularFile(dir_ / "missing").Errno(), ENOENT);
    EXPECT_EQ(platform::CheckReplaceable(dir_ / "missing").Errno(), 0) << "may be created";
    EXPECT_EQ(platform::FileErrorText(platform::kIsNamedPipe), "It is a named pipe, not a file");
    EXPECT_EQ(platform::FileErrorText(EISDIR), "It is a folder, not a file");
    EXPECT_EQ(platform::FileErrorText(EACCES), "Permission denied");
}

TEST_F(FileLimitsTest, TheCompressedFileCacheKeepsWithinItsBudget) {
    // Five compressed files of 40,000 expanded bytes each, 100,000 allowed.
    platform::LZSetCacheBudget(100000);
    std::vector<std::string> contents;
    std::vector<fs::path> paths;
    for (int i = 0; i < 5; ++i) {
        std::string content;
        while (content.size() < 40000) {
            content += "{\\rtf1 file ";
            content += std::to_string(i);
            content += " line ";
            content += std::to_string(content.size());
            content += "\\par}";
        }
        const fs::path plain = Write(std::to_string(i) + ".txt", content);
        std::string command = "mscompress '";
        command += plain.string();
        command += "' 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        contents.push_back(content);
        paths.push_back(plain.string() + "_");
    }
    const int first = platform::LZOpenFile(paths[0].string());
    ASSERT_GE(first, 0);
    for (int round = 0; round < 2; ++round) {
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const int h = platform::LZOpenFile(paths[i].string());
            ASSERT_GE(h, 0);
            std::string got(contents[i].size() + 10, '\0');
            got.resize(static_cast<std::size_t>(
                platform::LZRead(h, got.data(), static_cast<int>(got.size()))));
            EXPECT_EQ(got, contents[i]);
            platform::LZClose(h);
            const platform::TLzCacheUsage usage = platform::LZCacheUsage();
            EXPECT_LE(usage.Bytes, 100000u);
            EXPECT_GE(usage.Files, 1u);
        }
    }
    // The handle opened first still reads its file although the cache has
    // dropped it long ago.
    char buffer[12];
    ASSERT_EQ(platform::LZSeek(first, 0, 0), 0);
    ASSERT_EQ(platform::LZRead(first, buffer, 12), 12);
    EXPECT_EQ(std::string(buffer, 12), contents[0].substr(0, 12));
    platform::LZClose(first);

    platform::LZSetCacheBudget(1000);
    EXPECT_EQ(platform::LZCacheUsage().Bytes, 0u) << "a smaller budget drops files at once";
}

// A holder that replaces the file by a rename still keeps the next writer
// out until it lets go; the next writer then locks the new file.
TEST_F(FileLimitsTest, TheLockFollowsAFileReplacedWhileItWasHeld) {
    const fs::path path = Write("base_h.dak", "old");
    // The child is started before the lock is taken: a lock is shared with
    // every process that inherits its descriptor.
    int locked[2];
    ASSERT_EQ(::pipe(locked), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(locked[1]);
        ::alarm(10);
        char x;
        if (::read(locked[0], &x, 1) != 1) {
            ::_exit(3);
        }
        platform::TFileLock waiting;
        if (waiting.Lock(path).Errno() != 0) {
            ::_exit(1);
        }
        std::string bytes;
        // Holding the lock, it must see the holder's new file.
        ::_exit(waiting.Read(bytes).Errno() == 0 && bytes == "new" ? 0 : 2);
    }
    ::close(locked[0]);
    platform::TFileLock lock;
    ASSERT_EQ(lock.Lock(path).Errno(), 0);
    ASSERT_EQ(::write(locked[1], "x", 1), 1);
    ::usleep(100000); // the child is waiting for the lock by now
    ASSERT_TRUE(platform::WriteFileAtomically(path, "new").Ok());
    lock.Unlock();
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(path), "new");

    ASSERT_EQ(::mkfifo((dir_ / "pipe").c_str(), 0644), 0);
    EXPECT_EQ(lock.Lock(dir_ / "pipe").Errno(), platform::kIsNamedPipe);
    EXPECT_EQ(lock.Lock(dir_).Errno(), EISDIR);
    EXPECT_FALSE(lock.Locked());
}

} // namespace
