// Leftovers of killed saves: found by the name their writer gave them, removed
// once that writer has ended, never while it may still rename them.
#include "platform/TemporaryFiles.h"
#include "platform/FileIo.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string FileNames(const std::vector<platform::TTemporaryFile>& files) {
    std::string names;
    for (const auto& file : files) {
        names += ' ';
        names += file.Path.filename().string();
    }
    return names;
}

class TemporaryFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("temporaries-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // The name a child process gives a temporary file for target; the child
    // has ended when this returns.
    std::string NameOfEndedWriter(const std::string& target) {
        int pipeEnds[2];
        EXPECT_EQ(::pipe(pipeEnds), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            fs::path temporary;
            const int fd = platform::CreateTemporaryFile(dir_ / target, 0644, temporary);
            const std::string name = temporary.filename().string();
            const bool sent = fd >= 0 && ::write(pipeEnds[1], name.data(), name.size()) ==
                                             static_cast<ssize_t>(name.size());
            ::_exit(sent ? 0 : 1);
        }
        ::close(pipeEnds[1]);
        char buffer[256];
        const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
        ::close(pipeEnds[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
    }

    fs::path dir_;
};

TEST_F(TemporaryFilesTest, NamesTellTheirWriterAndTarget) {
    fs::path first;
    fs::path second;
    const int a = platform::CreateTemporaryFile(dir_ / "base_a.dak", 0600, first);
    const int b = platform::CreateTemporaryFile(dir_ / "base_a.dak", 0600, second);
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    ::close(a);
    ::close(b);
    EXPECT_NE(first, second);
    const std::string name = first.filename().string();
    EXPECT_TRUE(name.starts_with(".base_a.dak." + std::to_string(::getpid()) + "-")) << name;
    EXPECT_TRUE(name.ends_with(".tmp")) << name;
    EXPECT_EQ(fs::status(first).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    const auto found = platform::FindTemporaryFiles(dir_);
    ASSERT_EQ(found.size(), 2u) << FileNames(found);
    for (const auto& file : found) {
        EXPECT_EQ(file.Target, dir_ / "base_a.dak");
        EXPECT_FALSE(file.Stale) << "this process still runs";
    }
}

TEST_F(TemporaryFilesTest, OnlyLeftoversOfEndedWritersAreRemoved) {
    const std::string ended = NameOfEndedWriter("base_h.dak");
    ASSERT_FALSE(ended.empty());
    WriteFile(dir_ / ended, std::string(1000, 'x'));
    fs::path mine;
    ::close(platform::CreateTemporaryFile(dir_ / "base_h.dak", 0644, mine));

    // The same process id and boot, but another start: the id was reused.
    const std::string pid = std::to_string(::getpid());
    const std::string mineName = mine.filename().string();
    const std::size_t startAt = mineName.find('-') + 1;
    const std::size_t startEnd = mineName.find('-', startAt);
    ASSERT_NE(startEnd, std::string::npos) << mineName;
    std::string reused = mineName.substr(0, startAt);
    reused.append(1, '1').append(mineName, startEnd);
    WriteFile(dir_ / reused, "x");
    // This process, but of another boot.
    std::string otherBoot = mineName.substr(0, startEnd + 1);
    otherBoot.append(8, '0').append(mineName, startEnd + 9);
    WriteFile(dir_ / otherBoot, "x");
    // The form older saves left: process id, serial, time stamp.
    const std::string endedPid = ended.substr(12, ended.find('-') - 12);
    const auto oldName = [](const std::string& writer) {
        std::string name = ".base_h.dak.";
        name.append(writer).append(".3.123456.tmp");
        return name;
    };
    const std::string oldEnded = oldName(endedPid);
    const std::string oldLive = oldName(pid);
    WriteFile(dir_ / oldEnded, "xy");
    WriteFile(dir_ / oldLive, "xy");
    // Files of the user's that only look alike.
    for (const char* name : {".notes.tmp", "list.tmp", ".base_h.dak.tmp", ".a.b-c-d.tmp",
                             ".base_h.dak.12.x.tmp", "base_h.dak"}) {
        WriteFile(dir_ / name, "mine");
    }

    const auto found = platform::FindTemporaryFiles(dir_);
    EXPECT_EQ(found.size(), 6u) << FileNames(found);
    const auto removed = platform::RemoveStaleTemporaryFiles(dir_);
    std::vector<std::string> names;
    for (const auto& file : removed) {
        names.push_back(file.Path.filename().string());
        EXPECT_EQ(file.Target, dir_ / "base_h.dak");
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected = {ended, reused, otherBoot, oldEnded};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
    for (const auto& file : removed) {
        if (file.Path.filename() == ended) {
            EXPECT_EQ(file.Bytes, 1000u);
        }
    }
    EXPECT_TRUE(fs::exists(mine)) << "a save of a running process";
    EXPECT_TRUE(fs::exists(dir_ / oldLive)) << "its process id is in use";
    for (const char* name : {".notes.tmp", "list.tmp", ".base_h.dak.tmp", ".a.b-c-d.tmp",
                             ".base_h.dak.12.x.tmp", "base_h.dak"}) {
        EXPECT_TRUE(fs::exists(dir_ / name)) << name;
    }
}

TEST_F(TemporaryFilesTest, ASaveLeavesNoTemporaryFile) {
    ASSERT_TRUE(platform::WriteFileAtomically(dir_ / "base_a.dak", "records").Ok());
    EXPECT_TRUE(platform::FindTemporaryFiles(dir_).empty());
}

} // namespace
