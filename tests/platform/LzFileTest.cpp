#include "platform/LzFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace platform;

class LzFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("lzfile-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& content) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    // Compresses with the classic-format compressor; returns the SZDD file.
    std::string Compress(const std::string& name, const std::string& content) {
        const std::string plain = Write(name, content);
        const std::string command = "mscompress '" + plain + "' 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << "mscompress is needed for this test";
        return plain + "_";
    }

    static std::string ReadAll(int handle) {
        std::string out;
        char buffer[777];
        int n;
        while ((n = LZRead(handle, buffer, sizeof buffer)) > 0) {
            out.append(buffer, static_cast<std::size_t>(n));
        }
        EXPECT_EQ(n, 0);
        return out;
    }

    static std::string Sample(std::size_t size, unsigned seed) {
        // Words repeat so that the compressor finds matches, bytes above 127
        // included.
        static const char* kWords[] = {"house ", "\xea\xfa\xf9\xe0 ", "walk ", "{\\rtf1 ", "\x97 "};
        std::mt19937 rng(seed);
        std::string s;
        while (s.size() < size) {
            s += kWords[rng() % 5];
            s += static_cast<char>(rng() % 256);
        }
        s.resize(size);
        return s;
    }

    fs::path dir_;
};

TEST_F(LzFileTest, PlainFileReadsAsItselfWithSeeks) {
    const std::string content = Sample(10000, 1);
    const int h = LZOpenFile(Write("plain.ref", content));
    ASSERT_GE(h, 0);
    EXPECT_EQ(ReadAll(h), content);
    EXPECT_EQ(LZSeek(h, 1234, 0), 1234);
    char buffer[10];
    ASSERT_EQ(LZRead(h, buffer, 10), 10);
    EXPECT_EQ(std::string(buffer, 10), content.substr(1234, 10));
    EXPECT_EQ(LZSeek(h, -4, 1), 1240);
    EXPECT_EQ(LZSeek(h, -1, 2), 9999);
    EXPECT_EQ(LZSeek(h, 50, 2), 10050) << "beyond the end is allowed";
    EXPECT_EQ(LZRead(h, buffer, 10), 0);
    LZClose(h);
}

TEST_F(LzFileTest, CompressedFileDeliversExpandedBytesAtAnyOffset) {
    for (const std::size_t size : {0u, 17u, 4095u, 4096u, 70000u}) {
        const std::string content = Sample(size, static_cast<unsigned>(size));
        const std::string compressed = Compress("article" + std::to_string(size) + ".ref", content);
        const int h = LZOpenFile(compressed);
        ASSERT_GE(h, 0) << size;
        EXPECT_EQ(ReadAll(h), content) << size;
        if (size > 100) {
            std::mt19937 rng(7);
            for (int i = 0; i < 50; ++i) {
                const auto offset = static_cast<std::int32_t>(rng() % size);
                ASSERT_EQ(LZSeek(h, offset, 0), offset);
                char buffer[64];
                const int n = LZRead(h, buffer, sizeof buffer);
                EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(n)),
                          content.substr(offset, 64));
            }
            EXPECT_EQ(LZSeek(h, -10, 2), static_cast<std::int32_t>(size - 10));
            EXPECT_EQ(LZSeek(h, 5, 1), static_cast<std::int32_t>(size - 5));
        }
        LZClose(h);
    }
}

TEST_F(LzFileTest, FailuresAreNegative) {
    errno = 0;
    EXPECT_EQ(LZOpenFile((dir_ / "missing.ref").string()), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(LZOpenFile(dir_.string()), -1) << "a directory is not a file";

    char buffer[4];
    EXPECT_LT(LZRead(-1, buffer, 4), 0);
    EXPECT_LT(LZRead(12345, buffer, 4), 0);
    EXPECT_LT(LZSeek(-1, 0, 0), 0);
    LZClose(-1); // harmless

    const int h = LZOpenFile(Write("small", "abcdef"));
    ASSERT_GE(h, 0);
    EXPECT_EQ(LZSeek(h, 3, 0), 3);
    EXPECT_LT(LZSeek(h, -10, 1), 0);
    EXPECT_LT(LZSeek(h, 0, 7), 0) << "unknown origin";
    ASSERT_EQ(LZRead(h, buffer, 2), 2) << "failed seeks leave the position alone";
    EXPECT_EQ(std::string(buffer, 2), "de");
    EXPECT_LT(LZRead(h, buffer, -1), 0);
    LZClose(h);
    EXPECT_LT(LZRead(h, buffer, 1), 0) << "a closed handle is invalid";
}

// Truncated and hostile compressed files must never crash; what they deliver
// is at most a prefix of the real content.
TEST_F(LzFileTest, DamagedCompressedFilesAreSafe) {
    const std::string content = Sample(20000, 3);
    std::ifstream in(Compress("whole.ref", content), std::ios::binary);
    const std::string compressed((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(compressed.size(), 14u);

    for (std::size_t cut : {std::size_t{8}, std::size_t{13}, std::size_t{14}, std::size_t{20},
                            compressed.size() / 2, compressed.size() - 1}) {
        const int h = LZOpenFile(Write("cut.ref", compressed.substr(0, cut)));
        if (h >= 0) {
            const std::string got = ReadAll(h);
            EXPECT_EQ(got, content.substr(0, got.size())) << "cut at " << cut;
            LZClose(h);
        }
    }

    std::string huge = compressed.substr(0, 14);
    huge[10] = huge[11] = huge[12] = '\x7f'; // claims ~2 GB
    huge += compressed.substr(14, 200);
    const int h = LZOpenFile(Write("huge.ref", huge));
    if (h >= 0) {
        EXPECT_LT(LZSeek(h, 0, 2), 200 * 10);
        LZClose(h);
    }

    std::mt19937 rng(11);
    for (int i = 0; i < 200; ++i) {
        std::string noise = compressed.substr(0, 14);
        for (int j = 0; j < 300; ++j) {
            noise += static_cast<char>(rng());
        }
        const int hn = LZOpenFile(Write("noise.ref", noise));
        if (hn >= 0) {
            ReadAll(hn);
            LZClose(hn);
        }
    }
}

} // namespace
