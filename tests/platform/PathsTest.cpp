#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

TEST(Paths, FragmentsResolveBelowBaseWhateverTheirCase) {
    const fs::path base = fs::temp_directory_path() / ("paths-" + std::to_string(::getpid()));
    fs::create_directories(base / "wave" / "h");
    fs::create_directories(base / "rtf");
    std::ofstream(base / "rtf" / "eng.rtf") << "x";
    std::ofstream(base / "wave" / "EnglishFree") << "x";

    using platform::ResolvePath;
    EXPECT_EQ(ResolvePath(base, "\\eg\\base_a.dak"), base / "eg" / "base_a.dak")
        << "missing components are kept as written";
    EXPECT_EQ(ResolvePath(base, "\\WAVE\\EnglishFree"), base / "wave" / "EnglishFree");
    EXPECT_EQ(ResolvePath(base, "\\wave\\ENGLISHFREE"), base / "wave" / "EnglishFree");
    EXPECT_EQ(ResolvePath(base, "\\rtf\\\\eng.rtf"), base / "rtf" / "eng.rtf")
        << "doubled separators collapse";
    EXPECT_EQ(ResolvePath(base, "/wave/h/12.mp3"), base / "wave" / "h" / "12.mp3");
    EXPECT_EQ(ResolvePath(base, "Wave\\H\\"), base / "wave" / "h");
    EXPECT_EQ(ResolvePath(base, ""), base);

    fs::create_directories(base / "Data");
    fs::create_directories(base / "data");
    EXPECT_EQ(ResolvePath(base, "\\data"), base / "data") << "an exact match wins";
    fs::remove_all(base);
}

TEST(Paths, BelowAFolderEveryAnswerIsThatFolder) {
    const fs::path folder =
        fs::temp_directory_path() / ("paths-below-" + std::to_string(::getpid()));
    fs::create_directories(folder / "Hlp");
    const platform::TPaths paths = platform::TPaths::Below(folder);
    EXPECT_EQ(paths.DictionaryDir(), folder);
    EXPECT_EQ(paths.DataDir(), folder);
    EXPECT_EQ(paths.StateDir(), folder);
    EXPECT_EQ(paths.UserWordsDir(), folder);
    EXPECT_EQ(paths.PlayFile(), folder / "play.tmp");
    EXPECT_EQ(paths.StateFile("Dictionary.cfg"), folder / "Dictionary.cfg");
    EXPECT_EQ(paths.DataFile("\\hlp\\help.htm"), folder / "Hlp" / "help.htm")
        << "data fragments resolve as ResolvePath does";
    fs::remove_all(folder);
}

TEST(Paths, GivenAnswersAreKeptApart) {
    const platform::TPaths paths({"/dict", "/data", "/state", "/words", "/run/play.tmp"});
    EXPECT_EQ(paths.DictionaryDir(), "/dict");
    EXPECT_EQ(paths.DataDir(), "/data");
    EXPECT_EQ(paths.DataFile("\\wave\\1.mp3"), fs::path("/data/wave/1.mp3"));
    EXPECT_EQ(paths.StateDir(), "/state");
    EXPECT_EQ(paths.StateFile("Learning.db"), fs::path("/state/Learning.db"));
    EXPECT_EQ(paths.UserWordsDir(), "/words");
    EXPECT_EQ(paths.PlayFile(), "/run/play.tmp");
}

// The program's own paths: what it found below its working directory at start
// stays there, while the other data folders follow the working directory. Run
// in a child process, which alone moves between folders.
TEST(Paths, FromTheWorkingDirectoryOnlyDataFollowsItLater) {
    const fs::path base = fs::temp_directory_path() / ("paths-cwd-" + std::to_string(::getpid()));
    const fs::path start = base / "start";
    const fs::path later = base / "later";
    fs::create_directories(start);
    fs::create_directories(later / "wave");
    const auto check = [&] {
        if (::chdir(start.c_str()) != 0) {
            std::exit(2);
        }
        const platform::TPaths paths = platform::TPaths::FromWorkingDirectory();
        if (::chdir(later.c_str()) != 0) {
            std::exit(3);
        }
        const bool kept = paths.DictionaryDir() == start && paths.StateDir() == start &&
                          paths.UserWordsDir() == start && paths.PlayFile() == start / "play.tmp";
        const bool follows =
            paths.DataDir() == later && paths.DataFile("\\WAVE\\1.mp3") == later / "wave" / "1.mp3";
        std::exit(kept && follows ? 0 : 1);
    };
    EXPECT_EXIT(check(), ::testing::ExitedWithCode(0), "");
    fs::remove_all(base);
}

} // namespace
