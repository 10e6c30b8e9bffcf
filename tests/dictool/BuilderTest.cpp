#include "dictool/Builder.h"
#include "dictionary/Lookup.h"
#include "dictionary/LookupService.h"
#include "dictool/FreeDictSource.h"
#include "dictool/Transcriber.h"
#include "dictool/TsvSource.h"
#include "dictool/Verify.h"
#include "platform/Cp1251.h"
#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace dictool;

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

std::string Cp(const char* utf8) {
    return *platform::Utf8ToCp1251(utf8);
}

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class BuilderTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("dictool-test-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    BuildReport Build(const std::string& tsv) {
        Transcriber transcriber;
        return BuildDictionary(ParseTsv(tsv, "test.tsv"), dir_, transcriber);
    }

    std::string ArticleOf(const std::string& headWord) {
        const dictionary::TLookupService service(index_);
        const auto found = service.FindText(headWord);
        EXPECT_TRUE(found && found->Position >= 0) << headWord;
        if (!found || found->Position < 0) {
            return {};
        }
        return service.ReadArticle(found->Tab, found->Position);
    }

    fs::path dir_;
    dictionary::DictionaryIndex index_;
};

TEST_F(BuilderTest, BuildsAllLettersInReadingOrder) {
    const BuildReport report = Build("polish\t\tлъскам\tv\n"
                                     "Polish\tˈpoʊlɪʃ\tполски\tadj\n"
                                     "aachen\tx\tАхен\n"
                                     "a few\tx\tняколко\n"
                                     "house\thaʊs\tкъ́ща, дом\tn\thuman abode\n"
                                     "house\thaʊz\tподслонявам\tv\n"
                                     "Bérénice\tx\tБереника\n");
    EXPECT_EQ(report.EnglishHeadWords, 6u);
    EXPECT_EQ(report.GeneratedTranscriptions, 1u) << "polish had none";
    ASSERT_TRUE(index_.Load(dir_).Complete()) << "all 58 index files, empty ones too";

    const auto& p = index_.Letter('P' - 'A');
    ASSERT_EQ(p.Size(), 2u);
    EXPECT_EQ(p.HeadWord(0), "Polish") << "capitalised first";
    EXPECT_EQ(p.HeadWord(1), "polish");
    const auto& a = index_.Letter(0);
    ASSERT_EQ(a.Size(), 2u);
    EXPECT_EQ(a.HeadWord(0), "a few");
    EXPECT_EQ(a.SoundNumber(1), "2");
    EXPECT_EQ(index_.Letter('B' - 'A').HeadWords().at(0), "Berenice");
    EXPECT_EQ(index_.Letter('H' - 'A').Size(), 1u) << "one article per head-word";

    // Bulgarian head-words come from the translations, stress removed.
    const auto& k = index_.Letter(26 + 10);
    ASSERT_EQ(k.Size(), 1u);
    EXPECT_EQ(k.HeadWord(0), Cp("къща"));
    EXPECT_EQ(index_.Letter(26).HeadWords().at(0), Cp("Ахен"));
    EXPECT_EQ(report.BulgarianHeadWords, 8u);
    EXPECT_EQ(index_.Letter(26 + 27).Size(), 0u) << "Ы starts no word";
}

TEST_F(BuilderTest, ArticlesAreScrambledRtfWithTheHeadLineFirst) {
    Build("house\thaʊs\tкъ́ща, дом\tn\thuman abode\n"
          "house\thaʊz\tподслонявам\tv\n");
    ASSERT_TRUE(index_.Load(dir_).Complete());
    const std::string english = ArticleOf("house");
    ASSERT_TRUE(english.starts_with("{\\rtf1\\ansi\\ansicpg1251"));
    EXPECT_TRUE(english.ends_with("}"));
    const std::size_t head = english.find("house} ");
    const std::size_t transcription = english.find("[haus]");
    const std::size_t firstBreak = english.find("\\par\n");
    EXPECT_LT(head, transcription);
    EXPECT_LT(transcription, firstBreak) << "head-word, transcription, then a line break";
    EXPECT_NE(english.find("\\'ea\\'fa\\u769?\\'f9\\'e0"), std::string::npos) << "къ́ща, stressed";
    EXPECT_NE(english.find("[hauz]"), std::string::npos) << "the verb's own transcription";

    const std::string bulgarian = ArticleOf(Cp("къща"));
    EXPECT_NE(bulgarian.find("house"), std::string::npos);
    EXPECT_NE(bulgarian.find("human abode"), std::string::npos);
    EXPECT_NE(bulgarian.find("[\\'ea\\'fa\\u769?\\'f9\\'e0]"), std::string::npos)
        << "the stressed form in brackets";

    EXPECT_EQ(FileBytes(dir_ / "eg" / "base_h.ref").find("rtf1"), std::string::npos)
        << "stored scrambled";
}

TEST_F(BuilderTest, HeadWordsThatCannotBeStoredAreReported) {
    const std::string tooLong(102, 'w');
    const BuildReport report = Build(tooLong +
                                     "\tx\tдълго\n"
                                     "-ation\tx\tация\n"
                                     "fine\tx\t" +
                                     Repeat("ж", 102) + ", " + Repeat("ж", 101) + "\n");
    ASSERT_EQ(report.Skipped.size(), 2u);
    EXPECT_NE(report.Skipped[0].find("101"), std::string::npos);
    EXPECT_EQ(report.EnglishHeadWords, 1u);
    EXPECT_EQ(report.SkippedTranslations, 1u) << "101 code-page bytes fit, 102 do not";
    ASSERT_TRUE(index_.Load(dir_).Complete());
    EXPECT_EQ(index_.Letter('W' - 'A').Size(), 0u);
}

TEST_F(BuilderTest, PlainTextStartsWithHeadWordAndBracketsInBothDirections) {
    Build("house\thaʊs\tкъ́ща, дом\tn\thuman abode\n"
          "walk\t\tразходка\tn\n");
    ASSERT_TRUE(index_.Load(dir_).Complete());
    EXPECT_TRUE(rtf::RtfToPlainText(ArticleOf("house")).starts_with("house [haus]\nсъщ.\n"));
    const std::string walk = rtf::RtfToPlainText(ArticleOf("walk"));
    EXPECT_TRUE(walk.starts_with("walk [")) << walk;
    EXPECT_GT(walk.find("]\n"), 7u) << "a generated transcription: " << walk;
    EXPECT_TRUE(rtf::RtfToPlainText(ArticleOf(Cp("къща"))).starts_with("къща [къ́ща]\n"));
    EXPECT_TRUE(rtf::RtfToPlainText(ArticleOf(Cp("дом"))).starts_with("дом [дом]\n"))
        << "no stressed form known: the head-word itself";
}

TEST_F(BuilderTest, VerifyFindsWhatIsWrong) {
    Build("house\thaʊs\tкъща\n"
          "hour\taʊə\tчас\n");
    EXPECT_TRUE(VerifyDictionary(dir_).Problems.empty());

    auto problemsMention = [&](const std::string& text) {
        for (const std::string& line : VerifyDictionary(dir_).Problems) {
            if (line.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    const fs::path index = dir_ / "eg" / "base_h.dak";
    const fs::path articles = dir_ / "eg" / "base_h.ref";
    std::string indexBytes = FileBytes(index);
    std::string articleBytes = FileBytes(articles);

    WriteBytes(index, indexBytes + "12345");
    EXPECT_TRUE(problemsMention("5 trailing bytes"));

    std::string misfiled = indexBytes;
    misfiled[1] = 'x';
    WriteBytes(index, misfiled);
    EXPECT_TRUE(problemsMention("does not belong to this letter"));

    WriteBytes(index, indexBytes);
    WriteBytes(articles, articleBytes.substr(0, articleBytes.size() - 1));
    EXPECT_TRUE(problemsMention("outside base_h.ref"));

    std::string broken = articleBytes;
    broken.back() = static_cast<char>(dictionary::Scramble(' '));
    WriteBytes(articles, broken);
    EXPECT_TRUE(problemsMention("not one complete RTF document"));

    fs::remove(dir_ / "bg" / "base_5.dak");
    EXPECT_TRUE(problemsMention("index file missing"));
    EXPECT_FALSE(fs::exists(dir_ / "eg" / "user_h.ref")) << "verify creates nothing";
}

TEST_F(BuilderTest, VerifyReadsArticleFilesBeyondTwoGigabytes) {
    Build("house\thaʊs\tкъща\n"
          "hour\taʊə\tчас\n");
    // The article of "hour" moved to just below 2 GB, so that it ends beyond
    // it: the program reads it there. The file is sparse, so this costs
    // nothing on the disk.
    ASSERT_TRUE(index_.Load(dir_).Complete());
    const auto& h = index_.Letter('H' - 'A');
    ASSERT_EQ(h.HeadWord(0), "hour");
    const dictionary::IndexRecord hour = h.Record(0);
    const fs::path articles = dir_ / "eg" / "base_h.ref";
    const std::string article = FileBytes(articles).substr(
        static_cast<std::size_t>(hour.ArticleOffset), static_cast<std::size_t>(hour.ArticleSize));
    const std::int32_t farOffset = INT32_MAX - hour.ArticleSize / 2;
    {
        std::fstream out(articles, std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(farOffset);
        out.write(article.data(), static_cast<std::streamsize>(article.size()));
    }
    ASSERT_GT(fs::file_size(articles), std::uintmax_t{1} << 31);
    std::string indexBytes = FileBytes(dir_ / "eg" / "base_h.dak");
    std::memcpy(indexBytes.data() + offsetof(dictionary::IndexRecord, ArticleOffset), &farOffset,
                sizeof farOffset);
    WriteBytes(dir_ / "eg" / "base_h.dak", indexBytes);

    ASSERT_TRUE(index_.Load(dir_).Complete());
    // A copy: the packed record's field cannot be bound to a reference.
    const std::int32_t readOffset = index_.Letter('H' - 'A').Record(0).ArticleOffset;
    EXPECT_EQ(readOffset, farOffset);
    EXPECT_NE(rtf::RtfToPlainText(ArticleOf("hour")).find("час"), std::string::npos);
    EXPECT_EQ(VerifyDictionary(dir_).Problems, std::vector<std::string>{});
}

TEST_F(BuilderTest, ALetterTooLargeForTheProgramIsRefusedBeforeAnythingIsWritten) {
    // One record more than a 64 MiB index file holds: the program would
    // refuse the whole letter.
    const std::size_t limit = dictionary::kMaxIndexFileBytes / sizeof(dictionary::IndexRecord);
    std::vector<SourceEntry> entries(limit + 1);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].HeadWord = 'w';
        entries[i].HeadWord += std::to_string(i);
        entries[i].Transcriptions = {"w"};
    }
    Transcriber transcriber;
    try {
        BuildDictionary(entries, dir_, transcriber);
        ADD_FAILURE() << "built";
    } catch (const std::runtime_error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("letter W"), std::string::npos) << message;
        EXPECT_NE(message.find(std::to_string(limit + 1) + " index records"), std::string::npos)
            << message;
        EXPECT_NE(message.find("64 MiB"), std::string::npos) << message;
    }
    EXPECT_FALSE(fs::exists(dir_)) << "nothing written";
}

TEST(FreeDictData, KnownWordsInBothDirections) {
    dictionary::DictionaryIndex index;
    ASSERT_TRUE(index.Load(DICT_TEST_FREEDICT_DIR).Complete());
    std::size_t english = 0;
    std::size_t bulgarian = 0;
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        (dictionary::IsEnglishTab(tab) ? english : bulgarian) += index.Letter(tab).Size();
    }
    EXPECT_GT(english, 28000u);
    EXPECT_GT(bulgarian, english * 3 / 4);
    EXPECT_LT(bulgarian, english * 3 / 2);

    const dictionary::TLookupService service(index);
    auto article = [&](const std::string& word) {
        const auto found = service.FindText(word);
        EXPECT_TRUE(found && found->Position >= 0) << word;
        EXPECT_EQ(service.HeadWordAt(found->Tab, found->Position), word);
        return service.ReadArticle(found->Tab, found->Position);
    };
    EXPECT_NE(rtf::RtfToPlainText(article("house")).find("къща"), std::string::npos);
    EXPECT_NE(rtf::RtfToPlainText(article(Cp("къща"))).find("house"), std::string::npos);

    // Every English article's plain text starts "head-word [transcription]"
    // and a line break.
    for (int tab = 0; tab < dictionary::kLatinCount; ++tab) {
        const auto& letter = index.Letter(tab);
        for (std::size_t p = 0; p < letter.Size(); ++p) {
            const std::string text =
                rtf::RtfToPlainText(dictionary::ReadArticle(index, tab, letter.Record(p)));
            const std::string firstLine = text.substr(0, text.find('\n'));
            ASSERT_NE(firstLine.find(" ["), std::string::npos) << text;
            ASSERT_TRUE(firstLine.ends_with("]") && !firstLine.ends_with(" []")) << text;
            ASSERT_LT(firstLine.size(), text.size()) << text;
        }
    }
}

} // namespace
