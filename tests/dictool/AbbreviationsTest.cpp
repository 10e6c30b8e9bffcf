#include "dictool/Abbreviations.h"
#include "dictool/ArticleWriter.h"
#include "dictool/Builder.h"
#include "dictool/Transcriber.h"
#include "dictool/TsvSource.h"
#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace dictool;

TEST(Abbreviations, ArticlesYieldTheirPartOfSpeechLabelsOnly) {
    EnglishPart noun{"n", {"haʊs"}, {{{"къща"}, {"a building"}}}};
    EnglishPart verb{"v", {"haʊz"}, {{{"подслонявам"}, {}}}};
    const std::string english = EnglishArticle("house", {noun, verb});
    EXPECT_EQ(ArticleAbbreviations(english), (std::vector<std::string>{"същ.", "гл."}));

    // A Bulgarian article sets the English word in bold, not as a label.
    const std::string bulgarian =
        BulgarianArticle("къща", {"къ́ща"}, {{"house", "n", {"human abode"}}, {"home", "", {}}});
    EXPECT_EQ(ArticleAbbreviations(bulgarian), (std::vector<std::string>{"същ."}));

    // Italics in another colour (a user's own article) are no label.
    EXPECT_TRUE(
        ArticleAbbreviations("{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}\\i\\cf1 adj}").empty());
}

TEST(Abbreviations, GlossesYieldTheAbbreviationsTheyUseAsWordsOfTheirOwn) {
    EnglishPart verb{"v",
                     {"ˈdɪp"},
                     {{{"спадам"}, {"(intr.) to decline in value, e.g. shares; (tr.) to lower"}},
                      {{"потапям"}, {"fig. to dip into sth.", "of the US, UK"}}}};
    EXPECT_EQ(ArticleAbbreviations(EnglishArticle("dip", {verb})),
              (std::vector<std::string>{"гл.", "intr.", "e.g.", "tr.", "fig.", "sth", "US", "UK"}));
    // Inside longer words, or with another ending, they are no abbreviation.
    EnglishPart none{"", {"x"}, {{{"а"}, {"intransitive, strange, USA, sthing, tr.x, etc"}}}};
    EXPECT_TRUE(ArticleAbbreviations(EnglishArticle("x", {none})).empty());
    const std::string bulgarian =
        BulgarianArticle("вид", {"вид"}, {{"spp.", "", {"Arisaema spp."}}});
    EXPECT_EQ(ArticleAbbreviations(bulgarian), (std::vector<std::string>{"spp."}))
        << "the English word in bold is no gloss";
}

TEST(Abbreviations, KeyEntriesAreParagraphsWithADash) {
    const std::string key = EscapeRtfPage("{\\rtf1\\ansicpg1251 {\\b Съкращения}\\par\n"
                                          "{\\i същ.} \\emdash  съществително име\\par\n"
                                          "  гл. \\emdash  глагол\\par\n"
                                          "sb \\emdash  somebody\\line still the same entry\\par\n"
                                          "прил.\\tab no dash, so no entry\\par\n"
                                          "нареч. \\emdash  last paragraph without \\\\par}");
    EXPECT_EQ(KeyAbbreviations(key), (std::set<std::string>{"същ.", "гл.", "sb", "нареч."}));
}

TEST(Abbreviations, UnexplainedAreTheUsedLabelsMissingFromTheKey) {
    const std::map<std::string, std::size_t> used = {{"гл.", 3}, {"същ.", 5}, {"xyz", 1}};
    EXPECT_EQ(UnexplainedAbbreviations(used, {"същ.", "гл.", "прил."}),
              (std::vector<std::string>{"xyz"}));
    EXPECT_TRUE(UnexplainedAbbreviations(used, {"същ.", "гл.", "xyz"}).empty());
}

TEST(Abbreviations, EveryLabelOfTheWriterIsDistinctAndKnown) {
    const std::vector<std::string> labels = PartOfSpeechLabels();
    EXPECT_EQ(labels.size(), std::set<std::string>(labels.begin(), labels.end()).size());
    EXPECT_NE(std::find(labels.begin(), labels.end(), PartOfSpeechLabel("adj")), labels.end());
    EXPECT_EQ(std::find(labels.begin(), labels.end(), PartOfSpeechLabel("xyz")), labels.end());
}

TEST(Abbreviations, UsedInABuiltDictionaryCountsArticles) {
    const fs::path dir = fs::temp_directory_path() / ("dictool-abbr-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    Transcriber transcriber;
    BuildDictionary(ParseTsv("cat\tkæt\tкотка\tn\n"
                             "dog\tdɒɡ\tкуче\tn\n"
                             "run\trʌn\tтичам\tv\n"
                             "zyx\tzɪks\tзикс\txyz\n",
                             "test.tsv"),
                    dir, transcriber);
    dictionary::DictionaryIndex index;
    index.Load(dir);
    const auto used = UsedAbbreviations(index);
    fs::remove_all(dir);
    // English and Bulgarian articles both show the label; an unknown tag is
    // shown as it is and so needs a key entry too.
    EXPECT_EQ(used.at("същ."), 4u);
    EXPECT_EQ(used.at("гл."), 2u);
    EXPECT_EQ(used.at("xyz"), 2u);
    EXPECT_EQ(used.size(), 3u);
}

TEST(EscapeRtfPage, EscapesEverythingAboveAsciiAndKeepsControlWords) {
    EXPECT_EQ(EscapeRtfPage("{\\rtf1 \\b Аз\\b0  æ ˈ}"),
              "{\\rtf1 \\b \\'c0\\'e7\\b0  \\u230? \\u712?}");
    EXPECT_EQ(rtf::RtfToPlainText(EscapeRtfPage("{\\rtf1\\ansicpg1251 къща [haʊs] ©}")),
              "къща [haʊs] ©");
    EXPECT_THROW(EscapeRtfPage("{\\rtf1 \xff}"), std::runtime_error);
    EXPECT_THROW(EscapeRtfPage("{\\rtf1 \xF0\x9F\x98\x80}"), std::runtime_error);
}

} // namespace
