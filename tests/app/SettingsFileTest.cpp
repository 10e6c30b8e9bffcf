// Dictionary.cfg when it is not the small text file it should be: short
// lines, folders, named pipes, huge or unreadable files, links and read-only
// files.
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using app::TSettings;

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
    return 0;
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("settingsfile-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Cfg() const { return dir_ / "Dictionary.cfg"; }
    static std::string ReadFile(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void Write(const std::string& content) const {
        std::ofstream(Cfg(), std::ios::binary) << content;
    }

    // Runs body in a child killed after five seconds; its exit code, or -1
    // when it did not finish by itself.
    static int InChild(const std::function<bool()>& body) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::alarm(5);
            ::_exit(body() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path dir_;
};

TEST_F(SettingsFileTest, OnlyTheLinesOwnCharactersCount) {
    TSettings settings;
    for (const char* content : {"1\r\n1111", "1\n1111", "1\r"}) {
        Write(content);
        EXPECT_TRUE(settings.Load(dir_).Ok());
        EXPECT_TRUE(settings.Stored());
        EXPECT_EQ(settings.Value(), "1222") << "from " << content;
    }
    Write("12\r\n");
    ASSERT_TRUE(settings.Load(dir_).Ok());
    settings.Set(TSettings::Position::Language, true);
    ASSERT_TRUE(settings.Save().Ok());
    EXPECT_EQ(ReadFile(Cfg()), "1221\r\n") << "no line end written back as a setting";
    Write("\r\n1111");
    ASSERT_TRUE(settings.Load(dir_).Ok());
    EXPECT_EQ(settings.Value(), "2222");
}

TEST_F(SettingsFileTest, AFolderGivesTheDefaultsAndIsReportedAndLeftAlone) {
    fs::create_directory(Cfg());
    TSettings settings;
    const platform::TFileResult read = settings.Load(dir_);
    EXPECT_FALSE(settings.Stored()) << "nothing stored to apply";
    EXPECT_EQ(settings.Value(), "1112");
    ASSERT_FALSE(read.Ok());
    EXPECT_EQ(read.Error().File, Cfg());
    EXPECT_EQ(read.Errno(), EISDIR);
    settings.Set(TSettings::Position::PopUp, false);
    EXPECT_TRUE(settings.Save().Ok()) << "the change holds in memory only";
    EXPECT_TRUE(fs::is_directory(Cfg()));
}

TEST_F(SettingsFileTest, ANamedPipeDoesNotStopTheStart) {
    ASSERT_EQ(::mkfifo(Cfg().c_str(), 0644), 0);
    EXPECT_EQ(InChild([&] {
                  TSettings settings;
                  const platform::TFileResult read = settings.Load(dir_);
                  settings.Set(TSettings::Position::View, false);
                  return !settings.Stored() && settings.Value() == "1122" && settings.Save().Ok() &&
                         read.Errno() == platform::kIsNamedPipe;
              }),
              0);
    EXPECT_TRUE(fs::is_fifo(Cfg())) << "not overwritten";
}

// Reading four characters costs four characters, however large the file.
TEST_F(SettingsFileTest, AHugeFileCostsOnlyTheFirstCharacters) {
    Write("1221");
    fs::resize_file(Cfg(), 300u << 20); // sparse: no disk
    TSettings settings;
    const std::uint64_t before = BytesReadByThisProcess();
    EXPECT_TRUE(settings.Load(dir_).Ok());
    EXPECT_LT(BytesReadByThisProcess() - before, 4096u);
    EXPECT_EQ(settings.Value(), "1221");
}

// Root reads everything: the unreadable file is opened by an ordinary user.
TEST_F(SettingsFileTest, AnUnreadableFileGivesTheDefaultsAndIsNotOverwritten) {
    Write("0000");
    fs::permissions(Cfg(), fs::perms::owner_write);
    EXPECT_EQ(InChild([&] {
                  if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                      return false;
                  }
                  TSettings settings;
                  const platform::TFileResult read = settings.Load(dir_);
                  return !settings.Stored() && settings.Value() == "1112" && settings.Save().Ok() &&
                         read.Errno() == EACCES;
              }),
              0);
    fs::permissions(Cfg(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadFile(Cfg()), "0000");
}

TEST_F(SettingsFileTest, ARewriteFollowsLinksSparesOtherFilesAndRespectsReadOnly) {
    fs::create_directory(dir_ / "profile");
    std::ofstream(dir_ / "profile" / "settings", std::ios::binary) << "1112";
    fs::create_symlink("profile/settings", Cfg());
    std::ofstream(dir_ / "Dictionary.cfg.tmp", std::ios::binary) << "not ours";
    TSettings settings;
    ASSERT_TRUE(settings.Load(dir_).Ok());
    settings.Set(TSettings::Position::ControlC, false);
    ASSERT_TRUE(settings.Save().Ok());
    EXPECT_TRUE(fs::is_symlink(Cfg()));
    EXPECT_EQ(ReadFile(dir_ / "profile" / "settings"), "2112\r\n");
    EXPECT_EQ(ReadFile(dir_ / "Dictionary.cfg.tmp"), "not ours");

    fs::permissions(dir_ / "profile" / "settings",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    settings.Set(TSettings::Position::ControlC, true);
    const platform::TFileResult refused = settings.Save();
    ASSERT_FALSE(refused.Ok());
    EXPECT_EQ(refused.Error().File, Cfg());
    EXPECT_EQ(refused.Errno(), EACCES);
    EXPECT_EQ(ReadFile(dir_ / "profile" / "settings"), "2112\r\n");
}

} // namespace
