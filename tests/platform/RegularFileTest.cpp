#include "platform/RegularFile.h"
#include "platform/FileStream.h"
#include "tests/platform/NamedPipe.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using platform::OpenRegularFile;
using platform::TOpenPurpose;

class RegularFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("regular_file_test_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return dir_ / name;
    }

    fs::path dir_;
};

std::string ReadAll(int fd) {
    std::string bytes;
    char buffer[64];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

TEST_F(RegularFileTest, ARegularFileOpensBlockingAsUsual) {
    const fs::path file = Write("1.mp3", "ID3 sound");
    int fd = -1;
    ASSERT_TRUE(OpenRegularFile(file, TOpenPurpose::Reading, fd).Ok());
    ASSERT_GE(fd, 0);
    EXPECT_EQ(::fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
    EXPECT_NE(::fcntl(fd, F_GETFD) & FD_CLOEXEC, 0);
    EXPECT_EQ(ReadAll(fd), "ID3 sound");
    ::close(fd);
}

TEST_F(RegularFileTest, AFileForReadingAndWritingIsMadeOrEmptied) {
    const fs::path old = Write("play.tmp", "an old sound");
    int fd = -1;
    ASSERT_TRUE(OpenRegularFile(old, TOpenPurpose::ReadingAndWriting, fd).Ok());
    EXPECT_EQ(fs::file_size(old), 0u);
    ASSERT_EQ(::write(fd, "new", 3), 3);
    ::lseek(fd, 0, SEEK_SET);
    EXPECT_EQ(ReadAll(fd), "new");
    ::close(fd);

    ASSERT_TRUE(OpenRegularFile(dir_ / "fresh.tmp", TOpenPurpose::ReadingAndWriting, fd).Ok());
    EXPECT_TRUE(fs::is_regular_file(dir_ / "fresh.tmp"));
    ::close(fd);
}

TEST_F(RegularFileTest, ANamedPipeIsRefusedAtOnceForEitherPurpose) {
    testsupport::TNamedPipe pipe(dir_ / "1.mp3");
    ASSERT_TRUE(pipe.Made());
    for (const TOpenPurpose purpose : {TOpenPurpose::Reading, TOpenPurpose::ReadingAndWriting}) {
        int fd = 7;
        const platform::TFileResult result = OpenRegularFile(pipe.Path(), purpose, fd);
        ASSERT_FALSE(result.Ok());
        EXPECT_EQ(result.Errno(), platform::kIsNamedPipe);
        EXPECT_EQ(result.Error().File, pipe.Path());
        EXPECT_EQ(result.Error().Operation, purpose == TOpenPurpose::Reading
                                                ? platform::TFileOperation::Open
                                                : platform::TFileOperation::Create);
        EXPECT_EQ(fd, -1);
    }
    EXPECT_FALSE(pipe.Rescued());
}

TEST_F(RegularFileTest, FoldersDevicesAndMissingFilesSayWhatTheyAre) {
    int fd = -1;
    EXPECT_EQ(OpenRegularFile(dir_, TOpenPurpose::Reading, fd).Errno(), EISDIR);
    EXPECT_EQ(OpenRegularFile("/dev/null", TOpenPurpose::Reading, fd).Errno(), platform::kIsDevice);
    EXPECT_EQ(OpenRegularFile("/dev/null", TOpenPurpose::ReadingAndWriting, fd).Errno(),
              platform::kIsDevice);
    EXPECT_EQ(OpenRegularFile(dir_ / "absent", TOpenPurpose::Reading, fd).Errno(), ENOENT);
    EXPECT_EQ(fd, -1);
}

// The wave player's temporary file: a pipe there would hold play-back at the
// first write beyond what the pipe holds, or at the first read.
TEST_F(RegularFileTest, TheFileStreamRefusesANamedPipe) {
    testsupport::TNamedPipe pipe(dir_ / "play.tmp");
    ASSERT_TRUE(pipe.Made());
    platform::TFileStream stream(pipe.Path().string());
    EXPECT_FALSE(stream.Valid());
    EXPECT_EQ(stream.Result().Errno(), platform::kIsNamedPipe);
    EXPECT_EQ(stream.Result().Error().Operation, platform::TFileOperation::Create);
    EXPECT_FALSE(pipe.Rescued());
}

TEST_F(RegularFileTest, TheFileStreamStillMakesAndEmptiesItsFile) {
    const fs::path file = Write("play.tmp", "left from before");
    platform::TFileStream stream(file.string());
    ASSERT_TRUE(stream.Valid());
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_EQ(stream.Write("abc", 3), 3);
    EXPECT_EQ(stream.Seek(0, 0), 0);
    char back[3] = {};
    EXPECT_EQ(stream.Read(back, 3), 3);
    EXPECT_EQ(std::string(back, 3), "abc");
}

} // namespace
