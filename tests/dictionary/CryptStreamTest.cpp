#include "dictionary/CryptStream.h"
#include "tests/dictionary/TestDictionary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using dictionary::TCryptStream;

std::string FileContent(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class CryptStreamTest : public ::testing::Test {
protected:
    TestDictionary dict_;
    fs::path Path(const std::string& name) const { return dict_.Dir() / name; }
};

TEST_F(CryptStreamTest, MissingFileIsCreatedEmptyAndReadsNothing) {
    const fs::path path = Path("eg/user_q.ref");
    {
        TCryptStream stream(path.string(), false, 0);
        EXPECT_TRUE(stream.IsOpen());
        char buffer[8];
        EXPECT_EQ(stream.Read(buffer, 8), 0);
        EXPECT_EQ(stream.Remaining(), 0);
    }
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);
}

TEST_F(CryptStreamTest, UncreatableFileFailsQuietly) {
    const fs::path path = Path("no-such-folder/base_a.ref");
    TCryptStream stream(path.string(), true, 0);
    EXPECT_FALSE(stream.IsOpen());
    char buffer[4] = {1, 2, 3, 4};
    EXPECT_EQ(stream.Read(buffer, 4), 0);
    EXPECT_EQ(buffer[0], 1) << "nothing read, nothing unscrambled";
    EXPECT_LT(stream.Seek(0, 0), 0);
    EXPECT_EQ(stream.Write("x", 1), 0);
    EXPECT_FALSE(fs::exists(path));
}

// Root ignores permissions, so the open runs in a child that gives them up.
TEST_F(CryptStreamTest, ReadOnlyFolderFailsQuietly) {
    const fs::path folder = Path("locked");
    fs::create_directories(folder);
    ::chmod(dict_.Dir().c_str(), 0755);
    ::chmod(folder.c_str(), 0555);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(2);
        }
        TCryptStream stream((folder / "base_a.ref").string(), true, 0);
        char buffer[4];
        ::_exit(!stream.IsOpen() && stream.Read(buffer, 4) == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::chmod(folder.c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(fs::exists(folder / "base_a.ref"));
}

TEST_F(CryptStreamTest, UnscramblesAtAnyOffsetAndOnlyWhatWasRead) {
    std::string plain;
    for (int i = 0; i < 1000; ++i) {
        plain += static_cast<char>(i * 7);
    }
    std::string stored = plain;
    dictionary::ScrambleInPlace(stored.data(), stored.size());
    std::ofstream(Path("eg/base_a.ref"), std::ios::binary) << stored;

    TCryptStream stream(Path("eg/base_a.ref").string(), true, 0);
    for (int offset : {0, 1, 511, 999}) {
        ASSERT_EQ(stream.Seek(offset, 0), offset);
        char buffer[16];
        const auto n = stream.Read(buffer, 16);
        EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(n)), plain.substr(offset, 16));
    }

    // A short read at the end unscrambles only the bytes it returned.
    ASSERT_EQ(stream.Seek(-3, 2), 997);
    char buffer[10];
    std::memset(buffer, 'Z', sizeof buffer);
    stream.SetRemaining(10);
    EXPECT_EQ(stream.Read(buffer, 10), 3);
    EXPECT_EQ(std::string(buffer, 3), plain.substr(997));
    EXPECT_EQ(std::string(buffer + 3, 7), std::string(7, 'Z'));
    EXPECT_EQ(stream.Remaining(), 7);

    // Without Crypt the stored bytes come back unchanged.
    TCryptStream raw(Path("eg/base_a.ref").string(), false, 0);
    char first[4];
    ASSERT_EQ(raw.Read(first, 4), 4);
    EXPECT_EQ(std::string(first, 4), stored.substr(0, 4));
}

TEST_F(CryptStreamTest, WritesAlwaysAppendAndAreNeverScrambled) {
    const fs::path path = Path("eg/user_w.ref");
    std::ofstream(path, std::ios::binary) << "0123456789";
    {
        TCryptStream stream(path.string(), true, dictionary::fmOpenReadWrite);
        ASSERT_TRUE(stream.IsOpen());
        EXPECT_EQ(stream.Seek(2, 0), 2);
        EXPECT_EQ(stream.Write("abc", 3), 3);
        EXPECT_EQ(stream.Seek(0, 0), 0);
        EXPECT_EQ(stream.Write("de", 2), 2);
        EXPECT_TRUE(stream.Flush());
    }
    EXPECT_EQ(FileContent(path), "0123456789abcde");

    TCryptStream reader(path.string(), false, 0);
    EXPECT_EQ(reader.Write("x", 1), 0) << "LZ-reader streams cannot write";
    EXPECT_FALSE(reader.Flush()) << "nor put anything onto the disk";
}

TEST_F(CryptStreamTest, SetSizeTruncatesAndReportsFailure) {
    const fs::path path = Path("eg/user_s.ref");
    std::ofstream(path, std::ios::binary) << "0123456789";
    {
        TCryptStream stream(path.string(), false, dictionary::fmOpenReadWrite);
        stream.SetSize(4);
    }
    EXPECT_EQ(FileContent(path), "0123");
    TCryptStream readOnly(path.string(), false, 0);
    EXPECT_THROW(readOnly.SetSize(1), std::system_error);
}

} // namespace
