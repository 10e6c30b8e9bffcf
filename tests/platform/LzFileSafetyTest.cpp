// Compressed article files: expanded once per run, the header's length
// honoured, and files that are too large or no files at all refused.
#include "platform/LzFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace platform;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Bytes this process has read from files so far.
std::uint64_t BytesReadByThisProcess() {
    std::ifstream in("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (in >> key >> value) {
        if (key == "rchar:") {
            return value;
        }
    }
    ADD_FAILURE() << "/proc/self/io has no rchar";
    return 0;
}

class LzFileSafetyTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("lzsafety-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Write(const std::string& name, const std::string& content) const {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    // The classic-format compressor's output for content.
    std::string Compressed(const std::string& content) const {
        const fs::path plain = Write("plain", content);
        const std::string command = "mscompress '" + plain.string() + "' 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << "mscompress is needed for this test";
        std::string bytes = ReadFile(plain.string() + "_");
        fs::remove(plain);
        fs::remove(plain.string() + "_");
        return bytes;
    }

    static std::string Text(std::size_t size, int seed) {
        std::ostringstream out;
        for (int i = 0; out.tellp() < static_cast<std::streamoff>(size); ++i) {
            out << "{\\rtf1 word" << (i * seed) % 997 << " \\'e4\\'ee\\'ec\\par} ";
        }
        return out.str().substr(0, size);
    }

    static std::string ReadAll(const fs::path& path) {
        const int h = LZOpenFile(path.string());
        EXPECT_GE(h, 0) << path;
        std::string out;
        char buffer[4096];
        int n;
        while ((n = LZRead(h, buffer, sizeof buffer)) > 0) {
            out.append(buffer, static_cast<std::size_t>(n));
        }
        LZClose(h);
        return out;
    }

    fs::path dir_;
};

TEST_F(LzFileSafetyTest, ACompressedFileIsExpandedOncePerRunUntilItChanges) {
    const std::string content = Text(400000, 7);
    const std::string compressed = Compressed(content);
    const fs::path path = Write("base_a.ref", compressed);
    ASSERT_EQ(ReadAll(path), content);

    // Twenty article reads, each opening the file, seeking and reading a bit.
    const std::uint64_t before = BytesReadByThisProcess();
    for (int i = 0; i < 20; ++i) {
        const int h = LZOpenFile(path.string());
        ASSERT_GE(h, 0);
        ASSERT_EQ(LZSeek(h, 1000 * i, 0), 1000 * i);
        char buffer[100];
        ASSERT_EQ(LZRead(h, buffer, sizeof buffer), 100);
        EXPECT_EQ(std::string(buffer, 100), content.substr(1000 * i, 100));
        LZClose(h);
    }
    const std::uint64_t read = BytesReadByThisProcess() - before;
    EXPECT_LT(read, compressed.size()) << "each read must not expand the file again";

    // Rewritten in place with other content of the same size: read anew.
    const std::string changed = Text(400000, 11);
    const std::string recompressed = Compressed(changed);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << recompressed;
    EXPECT_EQ(ReadAll(path), changed);
    // Replaced by a rename: read anew too.
    Write("new.ref", compressed);
    fs::rename(dir_ / "new.ref", path);
    EXPECT_EQ(ReadAll(path), content);
}

// The header's length is what the file delivers, even when the body would
// expand to more: once shorter than one output block, once longer.
TEST_F(LzFileSafetyTest, AHeaderClaimingLessThanTheBodyDeliversTheClaimedBytes) {
    const std::string content = Text(20000, 3);
    const std::string compressed = Compressed(content);
    for (const std::uint32_t claimed : {1000u, 5000u, 19999u}) {
        std::string patched = compressed;
        for (int i = 0; i < 4; ++i) {
            patched[10 + i] = static_cast<char>((claimed >> (8 * i)) & 0xFF);
        }
        const fs::path path = Write("claim" + std::to_string(claimed), patched);
        EXPECT_EQ(ReadAll(path), content.substr(0, claimed)) << claimed;
    }
}

TEST_F(LzFileSafetyTest, ACompressedFileLargerThanMemoryIsRefused) {
    const std::string compressed = Compressed(Text(1000, 5));
    const fs::path huge = Write("huge.ref", compressed);
    fs::resize_file(huge, 300ull << 30); // sparse: no disk
    int h = 0;
    errno = 0;
    EXPECT_NO_THROW(h = LZOpenFile(huge.string()));
    EXPECT_EQ(h, -1);
    EXPECT_EQ(errno, EFBIG);
}

TEST_F(LzFileSafetyTest, ANamedPipeIsRefusedWithoutWaitingForAWriter) {
    const fs::path pipe = dir_ / "base_b.ref";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(5);
        ::_exit(LZOpenFile(pipe.string()) == -1 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "refused at once";
}

} // namespace
