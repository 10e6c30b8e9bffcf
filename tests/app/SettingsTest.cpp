#include "app/Settings.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using app::TSettings;

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("settings-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string File() const {
        std::ifstream in(dir_ / "Dictionary.cfg", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void Write(const std::string& content) const {
        std::ofstream(dir_ / "Dictionary.cfg", std::ios::binary) << content;
    }

    fs::path dir_;
};

TEST_F(SettingsTest, MissingFileIsCreatedAsExactly1112) {
    TSettings settings;
    EXPECT_TRUE(settings.Load(dir_).Ok()) << "created";
    EXPECT_FALSE(settings.Stored()) << "nothing stored to apply";
    EXPECT_EQ(File(), "1112");
    EXPECT_EQ(settings.Value(), "1112");
    EXPECT_TRUE(settings.IsFirst(TSettings::Position::ControlC));
    EXPECT_FALSE(settings.IsFirst(TSettings::Position::Language));
}

TEST_F(SettingsTest, OnlyTheFirstFourCharactersOfTheFirstLineCount) {
    TSettings settings;
    Write("1221extra\r\n1111\r\n");
    EXPECT_TRUE(settings.Load(dir_).Ok());
    EXPECT_TRUE(settings.Stored());
    EXPECT_EQ(settings.Value(), "1221");

    Write("1\r\n1111");
    ASSERT_TRUE(settings.Load(dir_).Ok());
    EXPECT_TRUE(settings.IsFirst(TSettings::Position::ControlC));
    EXPECT_FALSE(settings.IsFirst(TSettings::Position::PopUp)) << "short lines: second choice";
    EXPECT_FALSE(settings.IsFirst(TSettings::Position::View));

    Write("");
    ASSERT_TRUE(settings.Load(dir_).Ok());
    EXPECT_FALSE(settings.IsFirst(TSettings::Position::ControlC));

    Write("x1y1");
    ASSERT_TRUE(settings.Load(dir_).Ok());
    EXPECT_FALSE(settings.IsFirst(TSettings::Position::ControlC))
        << "anything but 1 is the second choice";
    EXPECT_TRUE(settings.IsFirst(TSettings::Position::PopUp));
}

TEST_F(SettingsTest, RewritesWholeWithLineEndOnlyWhileTheFileExists) {
    TSettings settings;
    Write("0000 and the rest");
    ASSERT_TRUE(settings.Load(dir_).Ok());
    settings.Set(TSettings::Position::View, true);
    EXPECT_TRUE(settings.Save().Ok());
    EXPECT_EQ(File(), "0010\r\n");

    fs::remove(dir_ / "Dictionary.cfg");
    settings.Set(TSettings::Position::ControlC, true);
    EXPECT_TRUE(settings.Save().Ok());
    EXPECT_FALSE(fs::exists(dir_ / "Dictionary.cfg")) << "not recreated";
    EXPECT_EQ(settings.Value(), "1010") << "the change holds in memory";
}

TEST_F(SettingsTest, FailedRewriteKeepsTheOldFile) {
    TSettings settings;
    Write("1112");
    ASSERT_TRUE(settings.Load(dir_).Ok());
    settings.Set(TSettings::Position::PopUp, false);
    // A full disk while writing (the file size limit stands in for it).
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{3, 3};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const platform::TFileResult saved = settings.Save();
        const bool failed = !saved.Ok() && saved.Error().File.filename() == "Dictionary.cfg";
        ::_exit(failed ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(File(), "1112");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
        << "no temporary file left behind";
}

} // namespace
