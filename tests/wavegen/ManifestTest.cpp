#include "wavegen/Manifest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <unistd.h>

namespace {

using wavegen::Entry;
using wavegen::Manifest;

class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        path_ =
            std::filesystem::temp_directory_path() /
            ("wavegen-manifest-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& Path() const { return path_; }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }

private:
    std::filesystem::path path_;
};

std::vector<std::string> Names(const std::vector<std::filesystem::path>& paths) {
    std::vector<std::string> names;
    for (const auto& path : paths) {
        names.push_back(path.filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ManifestTest, HeadWordsWithAwkwardCharactersSurviveTheRoundTrip) {
    const std::vector<Entry> entries = {
        {1, "plain"}, {2, "tab\there"}, {3, "two\nlines\r"}, {4, "back\\slash \\t"}, {5, ""}};
    const Manifest manifest = wavegen::ParseManifest(wavegen::FormatManifest("sig 1", entries));
    EXPECT_EQ(manifest.Signature, "sig 1");
    ASSERT_EQ(manifest.HeadWords.size(), entries.size());
    for (const Entry& entry : entries) {
        EXPECT_EQ(manifest.HeadWords.at(entry.Number), entry.HeadWord);
    }
}

TEST(ManifestTest, DamagedLinesAreLeftOut) {
    const Manifest manifest = wavegen::ParseManifest("# sig\n"
                                                     "1\tgood\n"
                                                     "no tab\n"
                                                     "0\tzero\n"
                                                     "07\tleading zero\n"
                                                     "x\tnot a number\n"
                                                     "3\tbad escape \\q\n"
                                                     "4\ttrailing \\\n"
                                                     "5\tlast line without end");
    EXPECT_EQ(manifest.HeadWords,
              (std::map<std::uint32_t, std::string>{{1, "good"}, {5, "last line without end"}}));
}

TEST(ManifestTest, OnlyCanonicalNumberedNamesAreSoundFiles) {
    EXPECT_EQ(wavegen::NumberOfFileName("1.mp3"), 1u);
    EXPECT_EQ(wavegen::NumberOfFileName("28000.mp3"), 28000u);
    EXPECT_EQ(wavegen::NumberOfFileName("0.mp3"), 0u);
    EXPECT_EQ(wavegen::NumberOfFileName("007.mp3"), 0u);
    EXPECT_EQ(wavegen::NumberOfFileName("12.wav"), 0u);
    EXPECT_EQ(wavegen::NumberOfFileName("a1.mp3"), 0u);
    EXPECT_EQ(wavegen::NumberOfFileName(".mp3"), 0u);
    EXPECT_EQ(wavegen::NumberOfFileName("99999999999.mp3"), 0u);
    EXPECT_TRUE(wavegen::IsTemporaryName(wavegen::TemporaryPath("/w/a/3.mp3").filename().string()));
    EXPECT_FALSE(wavegen::IsTemporaryName("3.mp3"));
}

TEST(ManifestTest, AtomicWriteReplacesTheWholeFileAndLeavesNoTemporary) {
    TempFolder folder;
    const auto target = folder.Path() / "f.txt";
    folder.Write("f.txt", "old content that is longer");
    wavegen::WriteFileAtomically(target, "new");
    EXPECT_EQ(wavegen::ReadFileText(target), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_THROW(wavegen::WriteFileAtomically(folder.Path() / "missing" / "f.txt", "x"),
                 std::runtime_error);
}

class PlanTest : public ::testing::Test {
protected:
    TempFolder folder;
    const std::vector<Entry> entries = {{1, "ant"}, {2, "apple"}, {3, "axe"}};
    const std::string signature = "sig";

    wavegen::LetterPlan Plan(const std::optional<Manifest>& manifest) const {
        return wavegen::PlanLetter(folder.Path(), entries, manifest, signature);
    }
    Manifest Matching() const { return {signature, {{1, "ant"}, {2, "apple"}, {3, "axe"}}}; }
};

TEST_F(PlanTest, EverythingIsMadeWithoutAManifest) {
    folder.Write("1.mp3", "data");
    folder.Write("2.mp3", "data");
    folder.Write("3.mp3", "data");
    const auto plan = Plan(std::nullopt);
    EXPECT_EQ(plan.Jobs, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(plan.UpToDate, 0u);
}

TEST_F(PlanTest, OnlyMissingEmptyOrChangedFilesAreMade) {
    folder.Write("1.mp3", "data");
    folder.Write("2.mp3", "");
    Manifest manifest = Matching();
    EXPECT_EQ(Plan(manifest).Jobs, (std::vector<std::size_t>{1, 2}));

    folder.Write("2.mp3", "data");
    folder.Write("3.mp3", "data");
    const auto plan = Plan(manifest);
    EXPECT_TRUE(plan.Jobs.empty());
    EXPECT_EQ(plan.UpToDate, 3u);

    manifest.HeadWords[2] = "Apple";
    manifest.HeadWords.erase(3);
    EXPECT_EQ(Plan(manifest).Jobs, (std::vector<std::size_t>{1, 2}));
}

TEST_F(PlanTest, OtherSettingsRemakeEveryFile) {
    for (const char* name : {"1.mp3", "2.mp3", "3.mp3"}) {
        folder.Write(name, "data");
    }
    Manifest manifest = Matching();
    manifest.Signature = "older settings";
    EXPECT_EQ(Plan(manifest).Jobs.size(), 3u);
}

TEST_F(PlanTest, NumbersBeyondTheCountAndLeftoversAreStaleOthersStay) {
    for (const char* name : {"1.mp3", "3.mp3", "4.mp3", "10.mp3", "0.mp3", "04.mp3", "notes.txt",
                             "manifest.txt", ".2.mp3.999.tmp"}) {
        folder.Write(name, "data");
    }
    EXPECT_EQ(Names(Plan(Matching()).Stale),
              (std::vector<std::string>{".2.mp3.999.tmp", "10.mp3", "4.mp3"}));
}

} // namespace
