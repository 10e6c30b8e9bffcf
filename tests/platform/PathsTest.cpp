#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <utility>

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

// The start's decision is made from what the process found, never from the
// environment the tests run in.
platform::TStartPlace Installed(std::map<std::string, std::string> environment) {
    return {"/home/ann/Documents", false, "/opt/dict/bin/englishdictionary",
            std::move(environment)};
}

TEST(PathsAtStart, AWorkingDirectoryWithTheDictionaryIsADataFolder) {
    const platform::TPaths paths =
        platform::TPaths::ForStart({"/srv/dict",
                                    true,
                                    "/usr/bin/englishdictionary",
                                    {{"HOME", "/home/ann"}, {"XDG_DATA_HOME", "/home/ann/data"}}});
    EXPECT_FALSE(paths.Installed());
    EXPECT_EQ(paths.DictionaryDir(), "/srv/dict");
    EXPECT_EQ(paths.StateDir(), "/srv/dict");
    EXPECT_EQ(paths.UserWordsDir(), "/srv/dict") << "the user's words where they always were";
    EXPECT_EQ(paths.PlayFile(), "/srv/dict/play.tmp");
}

TEST(PathsAtStart, InstalledTheDataIsBesideTheProgramAndTheStateTheUsers) {
    const platform::TPaths paths =
        platform::TPaths::ForStart(Installed({{"HOME", "/home/ann"},
                                              {"XDG_DATA_HOME", "/home/ann/data"},
                                              {"XDG_RUNTIME_DIR", "/run/user/1000"},
                                              {"XDG_CACHE_HOME", "/home/ann/cache"}}));
    EXPECT_TRUE(paths.Installed());
    EXPECT_EQ(paths.DictionaryDir(), "/opt/dict/share/englishdictionary");
    EXPECT_EQ(paths.DataDir(), "/opt/dict/share/englishdictionary") << "not the working directory";
    EXPECT_EQ(paths.StateDir(), "/home/ann/data/englishdictionary");
    EXPECT_EQ(paths.StateFile("Dictionary.cfg"), "/home/ann/data/englishdictionary/Dictionary.cfg");
    EXPECT_EQ(paths.UserWordsDir(), "/home/ann/data/englishdictionary");
    EXPECT_EQ(paths.PlayFile(), "/run/user/1000/englishdictionary/play.tmp");
}

TEST(PathsAtStart, InstalledWithoutTheVariablesTheHomeFolderGivesTheDefaults) {
    const platform::TPaths paths = platform::TPaths::ForStart(Installed({{"HOME", "/home/bob"}}));
    EXPECT_EQ(paths.StateDir(), "/home/bob/.local/share/englishdictionary");
    EXPECT_EQ(paths.PlayFile(), "/home/bob/.cache/englishdictionary/play.tmp")
        << "no run-time folder: the cache folder";

    const platform::TPaths cache = platform::TPaths::ForStart(
        Installed({{"HOME", "/home/bob"}, {"XDG_CACHE_HOME", "/var/cache/bob"}}));
    EXPECT_EQ(cache.PlayFile(), "/var/cache/bob/englishdictionary/play.tmp");

    const platform::TPaths relative = platform::TPaths::ForStart(
        Installed({{"HOME", "/home/bob"}, {"XDG_DATA_HOME", "data"}, {"XDG_RUNTIME_DIR", "run"}}));
    EXPECT_EQ(relative.StateDir(), "/home/bob/.local/share/englishdictionary")
        << "a relative variable counts as unset";
    EXPECT_EQ(relative.PlayFile(), "/home/bob/.cache/englishdictionary/play.tmp");

    const platform::TPaths homeless = platform::TPaths::ForStart(Installed({}));
    EXPECT_TRUE(homeless.StateDir().empty()) << "nowhere to keep anything";
    EXPECT_TRUE(homeless.PlayFile().empty());
    EXPECT_EQ(homeless.DictionaryDir(), "/opt/dict/share/englishdictionary");
}

TEST(PathsAtStart, TheSharedFolderFollowsTheProgramWhereverThePrefixIs) {
    const platform::TPaths paths = platform::TPaths::ForStart(
        {"/", false, "/tmp/stage/usr/local/bin/englishdictionary", {{"HOME", "/root"}}});
    EXPECT_EQ(paths.DictionaryDir(), "/tmp/stage/usr/local/share/englishdictionary");
}

} // namespace
