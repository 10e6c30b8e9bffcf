#include "dictool/FreeDictSource.h"
#include "dictool/HeadWords.h"
#include "dictool/TsvSource.h"

#include <gtest/gtest.h>

namespace {

using namespace dictool;

TEST(FreeDictEntry, NumberedSensesWithTranscriptionsAndGlosses) {
    const auto entry = ParseFreeDictEntry("house //haʊs// //hʌʊs// <n>\n"
                                          "1. стопа́нство, къща\n"
                                          "an establishment, business\n"
                                          "2. къ́ща, къща\n"
                                          "archetypal structure of a human abode\n");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->HeadWord, "house");
    EXPECT_EQ(entry->Transcriptions, (std::vector<std::string>{"haʊs", "hʌʊs"}));
    EXPECT_EQ(entry->PartOfSpeech, "n");
    ASSERT_EQ(entry->Senses.size(), 2u);
    EXPECT_EQ(entry->Senses[0].Translations, (std::vector<std::string>{"стопа́нство", "къща"}));
    EXPECT_EQ(entry->Senses[1].Glosses,
              (std::vector<std::string>{"archetypal structure of a human abode"}));
}

TEST(FreeDictEntry, SourceQuirks) {
    // Sub-gloss markers (" 2." at a line end, a lone " 3.") carry nothing.
    const auto absence = ParseFreeDictEntry("absence //æbˈsɒns// <n>\n"
                                            "1. отсъ́ствие 2.\n"
                                            "inattention to things present\n"
                                            " 3.\n"
                                            "state of being away\n"
                                            "2. ли́пса\n"
                                            "lack; deficiency\n");
    ASSERT_TRUE(absence);
    ASSERT_EQ(absence->Senses.size(), 2u);
    EXPECT_EQ(absence->Senses[0].Translations, std::vector<std::string>{"отсъ́ствие"});
    EXPECT_EQ(absence->Senses[0].Glosses,
              (std::vector<std::string>{"inattention to things present", "state of being away"}));

    // No part of speech; transcriptions in brackets; multi-word head-word.
    const auto phrase = ParseFreeDictEntry("above all /əbˌʌv ˈɔːl/\nпре́ди вси́чко\n"
                                           "of prime importance\n");
    ASSERT_TRUE(phrase);
    EXPECT_EQ(phrase->HeadWord, "above all");
    EXPECT_EQ(phrase->PartOfSpeech, "");
    EXPECT_EQ(phrase->Transcriptions, std::vector<std::string>{"əbˌʌv ˈɔːl"});

    const auto about = ParseFreeDictEntry("about //əˈbaʊt// /[əˈboʊt]/ <preposition>\n"
                                          "1. около\n2. за\nconcerning\n");
    ASSERT_TRUE(about);
    EXPECT_EQ(about->Transcriptions, (std::vector<std::string>{"əˈbaʊt", "əˈboʊt"}));
    ASSERT_EQ(about->Senses.size(), 2u);
    EXPECT_TRUE(about->Senses[0].Glosses.empty());

    EXPECT_FALSE(ParseFreeDictEntry(""));
    EXPECT_FALSE(ParseFreeDictEntry("\n\n"));
}

TEST(FreeDictEntry, TranslationsSplitAtTopLevelOnly) {
    EXPECT_EQ(SplitTranslations("сл. Хр., след Xpиста"),
              (std::vector<std::string>{"сл. Хр.", "след Xpиста"}));
    EXPECT_EQ(SplitTranslations("пари (в брой, налични); кеш ,"),
              (std::vector<std::string>{"пари (в брой, налични)", "кеш"}));
    EXPECT_TRUE(SplitTranslations(" , ").empty());
}

TEST(TsvSource, ColumnsAndErrorsWithLineNumbers) {
    const auto entries = ParseTsv("# comment\n"
                                  "house\thaʊs\tкъща, дом\tn\tbuilding\r\n"
                                  "\n"
                                  "walk\t\tразходка\n",
                                  "words.tsv");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Transcriptions, std::vector<std::string>{"haʊs"});
    EXPECT_EQ(entries[0].Senses[0].Translations, (std::vector<std::string>{"къща", "дом"}));
    EXPECT_EQ(entries[0].Senses[0].Glosses, std::vector<std::string>{"building"});
    EXPECT_TRUE(entries[1].Transcriptions.empty());

    try {
        ParseTsv("ok\tx\ty\nbroken line\n", "words.tsv");
        FAIL() << "a line without tabs must be refused";
    } catch (const SourceError& e) {
        EXPECT_NE(std::string(e.what()).find("words.tsv:2"), std::string::npos) << e.what();
    }
    EXPECT_THROW(ParseTsv("\tx\ty\n", "w"), SourceError);
    EXPECT_THROW(ParseTsv("word\tx\t , \n", "w"), SourceError);
    EXPECT_THROW(ReadTsv("/nonexistent/words.tsv"), SourceError);
}

TEST(HeadWords, CodePageFormsOfSourceWords) {
    EXPECT_EQ(EnglishHeadWord("café"), std::optional<std::string>("cafe"));
    EXPECT_EQ(EnglishHeadWord("Führer"), std::optional<std::string>("Fuhrer"));
    EXPECT_EQ(EnglishHeadWord("Łódź"), std::optional<std::string>("Lodz"));
    EXPECT_EQ(EnglishHeadWord("house"), std::optional<std::string>("house"));
    EXPECT_FALSE(EnglishHeadWord("-ation")) << "not a Latin first letter";
    EXPECT_FALSE(EnglishHeadWord("1st"));
    EXPECT_FALSE(EnglishHeadWord("中文"));

    const auto kashta = BulgarianHeadWord("къ́ща");
    ASSERT_TRUE(kashta);
    EXPECT_EQ(*kashta, "\xea\xfa\xf9\xe0");
    EXPECT_EQ(BulgarianHeadWord("(разг.) пари (мн.)"), BulgarianHeadWord("пари"));
    EXPECT_EQ(BulgarianHeadWord("ѝ"), BulgarianHeadWord("и")) << "precomposed grave accent";
    EXPECT_FALSE(BulgarianHeadWord("house"));
    EXPECT_FALSE(BulgarianHeadWord("ѣ")) << "outside the code page";
    EXPECT_EQ(StripStress("ка́мара"), "камара");
    EXPECT_EQ(WithoutRemarks("(рядко) дом"), "дом");
}

} // namespace
