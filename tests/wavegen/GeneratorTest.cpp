#include "tests/dictionary/TestDictionary.h"
#include "tests/wavegen/Mp3Decode.h"
#include "wavegen/Speech.h"

#include "dictionary/Letters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

constexpr int kTabH = 'h' - 'a';
constexpr int kTabO = 'o' - 'a';
constexpr int kTabW = 'w' - 'a';

struct RunResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Single-quoted for the shell; the test folders hold no quotes.
std::string Quoted(const std::string& text) {
    std::string quoted(1, '\'');
    quoted += text;
    quoted += '\'';
    return quoted;
}

// Runs the real program, as a user would, so that its exit code, messages and
// worker processes are what is tested.
RunResult RunWavegen(const std::string& arguments, const fs::path& scratch) {
    const fs::path out = scratch / "stdout.txt";
    const fs::path err = scratch / "stderr.txt";
    std::string command = Quoted(WAVEGEN_EXE);
    command += ' ';
    command += arguments;
    command += " >";
    command += Quoted(out.string());
    command += " 2>";
    command += Quoted(err.string());
    const int status = std::system(command.c_str());
    RunResult result;
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Out = ReadAll(out);
    result.Err = ReadAll(err);
    return result;
}

struct FileId {
    ino_t Inode = 0;
    std::int64_t MtimeNs = 0;
    bool operator==(const FileId&) const = default;
};

FileId IdOf(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return {};
    }
    return {info.st_ino,
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

// Every file below the folder with its identity: a rewrite through a temporary
// name and rename always gives a new inode, whatever the clock's resolution.
std::map<std::string, FileId> Snapshot(const fs::path& folder) {
    std::map<std::string, FileId> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).string()] = IdOf(entry.path());
        }
    }
    return files;
}

std::vector<std::string> Names(const std::map<std::string, FileId>& files) {
    std::vector<std::string> names;
    for (const auto& [name, id] : files) {
        names.push_back(name);
    }
    return names;
}

class GeneratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        dictionary.WriteLetter(kTabH, {{"house", "a", 1}, {"hello", "b", 0}, {"hat", "c", 1}});
        dictionary.WriteLetter(kTabO, {{"o'clock", "d", 1}});
        dictionary.WriteLetter(kTabW, {{"world", "e", 1}});
        dictionary.FillEmptyLetters();
    }

    fs::path Wave() const { return dictionary.Dir() / "wave"; }
    RunResult Run(const std::string& extra = "") const {
        std::string arguments = Quoted(dictionary.Dir().string());
        arguments += ' ';
        arguments += extra;
        return RunWavegen(arguments, dictionary.Dir());
    }

    TestDictionary dictionary;
};

TEST_F(GeneratorTest, BaseRecordsGetPlayableFilesAtTheirLetterAndSoundNumber) {
    const RunResult run = Run("-j 2");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_NE(run.Out.find("4 made"), std::string::npos) << run.Out;

    // "hello" is a user record: it has sound number 0 and gets no file.
    EXPECT_EQ(Names(Snapshot(Wave())),
              (std::vector<std::string>{"h/1.mp3", "h/2.mp3", "h/manifest.txt", "o/1.mp3",
                                        "o/manifest.txt", "w/1.mp3", "w/manifest.txt"}));

    const std::map<std::string, std::string> spoken = {
        {"h/1.mp3", "house"}, {"h/2.mp3", "hat"}, {"o/1.mp3", "o'clock"}, {"w/1.mp3", "world"}};
    wavegen::Speech& speech = wavegen::Speech::Engine();
    ASSERT_EQ(speech.SampleRate(), kSampleRate);
    for (const auto& [name, word] : spoken) {
        SCOPED_TRACE(name);
        const Decoded decoded = DecodeMp3(Wave() / name);
        EXPECT_EQ(decoded.Rate, kSampleRate);
        EXPECT_EQ(decoded.Channels, 1);
        const double seconds = static_cast<double>(decoded.Samples.size()) / kSampleRate;
        EXPECT_GT(seconds, 0.2);
        EXPECT_LT(seconds, 3.0);
        int peak = 0;
        for (const short sample : decoded.Samples) {
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        EXPECT_GT(peak, 2000);
        // Without the encoder delay and padding trimmed the file would decode
        // over a thousand samples longer; the engine itself varies by a few
        // dozen. This also tells the words apart.
        const auto expected = static_cast<long>(speech.Speak(word).size());
        EXPECT_NEAR(static_cast<long>(decoded.Samples.size()), expected, 150) << word;
    }
}

TEST_F(GeneratorTest, SecondRunRewritesNothingAndChangesRemakeOnlyTheirFiles) {
    ASSERT_EQ(Run().ExitCode, 0);
    const auto first = Snapshot(Wave());

    const RunResult again = Run();
    ASSERT_EQ(again.ExitCode, 0) << again.Err;
    EXPECT_NE(again.Out.find("0 made, 4 up to date"), std::string::npos) << again.Out;
    EXPECT_EQ(Snapshot(Wave()), first);

    // The second base head-word of H changes: only h/2.mp3 and the manifest of
    // H are made again.
    dictionary.WriteLetter(kTabH, {{"house", "a", 1}, {"hello", "b", 0}, {"hut", "c", 1}});
    const RunResult changed = Run();
    ASSERT_EQ(changed.ExitCode, 0) << changed.Err;
    EXPECT_NE(changed.Out.find("1 made, 3 up to date"), std::string::npos) << changed.Out;
    const auto second = Snapshot(Wave());
    for (const auto& [name, id] : first) {
        const bool remade = name == "h/2.mp3" || name == "h/manifest.txt";
        EXPECT_EQ(second.at(name) == id, !remade) << name;
    }
    EXPECT_NE(ReadAll(Wave() / "h" / "manifest.txt").find("2\thut\n"), std::string::npos);
}

TEST_F(GeneratorTest, StaleFilesAndLeftoversAreRemovedOthersKept) {
    ASSERT_EQ(Run().ExitCode, 0);
    std::ofstream(Wave() / "h" / "7.mp3") << "old";
    std::ofstream(Wave() / "h" / ".2.mp3.12345.tmp") << "half";
    std::ofstream(Wave() / "h" / "notes.txt") << "mine";
    std::ofstream(Wave() / "3.mp3") << "old flat layout";
    // H loses a base word, and with it h/2.mp3.
    dictionary.WriteLetter(kTabH, {{"house", "a", 1}, {"hello", "b", 0}});

    const RunResult run = Run();
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_NE(run.Out.find("3 removed"), std::string::npos) << run.Out;
    EXPECT_EQ(Names(Snapshot(Wave())),
              (std::vector<std::string>{"3.mp3", "h/1.mp3", "h/manifest.txt", "h/notes.txt",
                                        "o/1.mp3", "o/manifest.txt", "w/1.mp3", "w/manifest.txt"}));
    EXPECT_EQ(ReadAll(Wave() / "h" / "manifest.txt").find("2\t"), std::string::npos);
}

TEST_F(GeneratorTest, AnOutputThatCannotBeWrittenIsAClearFailure) {
    std::ofstream(dictionary.Dir() / "plain-file") << "x";

    const RunResult isFile = Run("-o " + Quoted((dictionary.Dir() / "plain-file").string()));
    EXPECT_EQ(isFile.ExitCode, 1);
    EXPECT_NE(isFile.Err.find("plain-file is not a folder"), std::string::npos) << isFile.Err;

    const RunResult below =
        Run("-o " + Quoted((dictionary.Dir() / "plain-file" / "wave").string()));
    EXPECT_EQ(below.ExitCode, 1);
    EXPECT_NE(below.Err.find("cannot create the folder"), std::string::npos) << below.Err;

    // A letter's place taken by a file stops the run before anything is made.
    fs::create_directories(Wave());
    std::ofstream(Wave() / "o") << "x";
    const RunResult letter = Run();
    EXPECT_EQ(letter.ExitCode, 1);
    EXPECT_NE(letter.Err.find((Wave() / "o").string() + " is not a folder"), std::string::npos)
        << letter.Err;
    EXPECT_FALSE(fs::exists(Wave() / "h"));
}

TEST(WavegenCliTest, WrongUsageAndMissingDictionaryAreTold) {
    const fs::path scratch = fs::temp_directory_path();
    const RunResult none = RunWavegen("", scratch);
    EXPECT_EQ(none.ExitCode, 2);
    EXPECT_NE(none.Err.find("no DICTDIR"), std::string::npos) << none.Err;
    EXPECT_EQ(RunWavegen("x -j 0", scratch).ExitCode, 2);
    EXPECT_EQ(RunWavegen("x --frobnicate", scratch).ExitCode, 2);

    const RunResult help = RunWavegen("--help", scratch);
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Out.find("Usage: wavegen DICTDIR"), std::string::npos);

    const RunResult missing = RunWavegen("/nonexistent-dictionary-folder", scratch);
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_NE(missing.Err.find("no dictionary index files"), std::string::npos) << missing.Err;
    EXPECT_FALSE(fs::exists("/nonexistent-dictionary-folder"));
}

} // namespace
