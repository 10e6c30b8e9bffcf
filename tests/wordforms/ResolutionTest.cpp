// The rule of word forms over small hand-made data: which base each form
// gets, and which words it must leave alone.
#include "tests/wordforms/WordFormsSupport.h"
#include "wordforms/EnglishRules.h"
#include "wordforms/Homographs.h"

#include <gtest/gtest.h>

namespace wordforms {
namespace {

using testing::Cp;
using testing::Reading;

class ResolutionTest : public ::testing::Test {
protected:
    ResolutionTest()
        : resolver_(
              testing::HeadWordsOf({"appear", "axe",  "axis",  "baking powder", "bake",  "big",
                                    "book",   "box",  "city",  "disappear",     "go",    "happy",
                                    "hop",    "hope", "May",   "may",           "mouse", "start",
                                    "stop",   "tell", "visit", "wen",           "книга", "къща",
                                    "хора",   "хоро", "пари",  "паря",          "пара"}),
              testing::FormsTable({
                  {"went", "go", TFormSource::Irregular},
                  {"mice", "mouse", TFormSource::Irregular},
                  {"told", "tell", TFormSource::Irregular},
                  {"axes", "axis", TFormSource::Irregular},
                  {"axes", "axe", TFormSource::Irregular},
                  {"disappeared", "appear", TFormSource::EnglishStem},
                  {"къщата", "къща", TFormSource::BulgarianStem},
                  {"къщи", "къща", TFormSource::BulgarianStem},
                  {"книги", "книга", TFormSource::BulgarianStem},
                  {"хората", "хоро", TFormSource::BulgarianStem},
                  {"парите", "паря", TFormSource::BulgarianStem},
                  {"парите", "пара", TFormSource::BulgarianStem},
              }),
              testing::FrequencyTable({{"axis", 60}, {"axe", 40}, {"go", 90}})) {}

    // The base head-word the text resolves to, in UTF-8; empty for none.
    std::string Base(std::string_view utf8) const {
        const auto form = resolver_.Resolve(Cp(utf8));
        return form ? platform::Cp1251ToUtf8(form->HeadWord) : std::string();
    }

    TFormResolver resolver_;
};

TEST_F(ResolutionTest, IrregularFormsComeFromTheExceptionListsAndRegularOnesFromTheSuffixes) {
    EXPECT_EQ(Base("went"), "go") << "an irregular form beats the suffix rule's wen";
    EXPECT_EQ(Base("mice"), "mouse");
    EXPECT_EQ(Base("told"), "tell");
    EXPECT_EQ(Base("books"), "book");
    EXPECT_EQ(Base("boxes"), "box");
    EXPECT_EQ(Base("cities"), "city");
    EXPECT_EQ(Base("happier"), "happy");
    EXPECT_EQ(Base("started"), "start");
    EXPECT_EQ(Base("Went"), "go") << "a capital at the start of a sentence";
    EXPECT_EQ(Base("went,"), "go") << "the comma a selection took along";
    EXPECT_EQ(Base("books'"), "book");
}

TEST_F(ResolutionTest, AOneSyllableBaseThatWouldHaveDoubledIsNotStrippedPlainly) {
    EXPECT_EQ(Base("hoping"), "hope");
    EXPECT_EQ(Base("hoped"), "hope");
    EXPECT_EQ(Base("hopping"), "hop");
    EXPECT_EQ(Base("stopped"), "stop");
    EXPECT_EQ(Base("bigger"), "big");
    EXPECT_EQ(Base("visited"), "visit") << "two syllables take the ending plainly";
    EXPECT_EQ(SuffixBases("hoping"), (std::vector<std::string>{"hope"}));
}

TEST_F(ResolutionTest, PrefixesStayAndOnlyInflectionalEndingsCount) {
    EXPECT_EQ(Base("disappeared"), "disappear") << "hunspell's appear is never reached";
    EXPECT_FALSE(IsInflectionOf("disappeared", "appear"));
    EXPECT_FALSE(IsInflectionOf("details", "tail"));
    EXPECT_FALSE(IsInflectionOf("units", "it"));
    EXPECT_FALSE(IsInflectionOf("brothers", "broth"));
    EXPECT_TRUE(IsInflectionOf("hoping", "hope"));
    EXPECT_TRUE(IsInflectionOf("Cities", "city"));
    EXPECT_TRUE(IsInflectionOf("dying", "die"));
}

TEST_F(ResolutionTest, BulgarianDefiniteAndPluralFormsGetTheirStems) {
    EXPECT_EQ(Base("къщата"), "къща");
    EXPECT_EQ(Base("Къщата"), "къща");
    EXPECT_EQ(Base("къщи"), "къща");
    EXPECT_EQ(Base("книги"), "книга");
    EXPECT_EQ(Base("градовете"), "") << "a form the index does not hold";
}

TEST_F(ResolutionTest, FunctionWordHomographsTakeNoStemReading) {
    EXPECT_EQ(Base("хората"), "") << "the people, not the dance: today's rule finds хора";
    EXPECT_EQ(Base("парите"), "") << "neither reading is taken, not even the one left";
    for (const THomograph& homograph : Homographs()) {
        EXPECT_TRUE(TakesNoStemReading(homograph.Form));
        EXPECT_NE(homograph.Form, homograph.Reading);
    }
    EXPECT_FALSE(TakesNoStemReading(Cp("къщата")));
}

TEST_F(ResolutionTest, ExactHeadWordsAndCopiedPhrasesAreNeverResolved) {
    EXPECT_EQ(Base("book"), "");
    EXPECT_EQ(Base("Book"), "") << "a head-word in another case is still exact";
    EXPECT_EQ(Base("book,"), "");
    EXPECT_EQ(Base("wen"), "");
    EXPECT_EQ(Base("хора"), "");
    EXPECT_EQ(Base("baking powder"), "") << "a phrase copied whole keeps today's answer";
    EXPECT_EQ(Base("baking powder, please"), "");
    EXPECT_EQ(Base("baking bread"), "bake");
}

TEST_F(ResolutionTest, APhraseThatBeginsWithTheWordStaysOneClickAway) {
    const auto form = resolver_.Resolve("baking");
    ASSERT_TRUE(form);
    EXPECT_EQ(form->From, "baking");
    EXPECT_EQ(form->HeadWord, "bake");
    EXPECT_EQ(form->Source, TFormSource::Suffix);
    EXPECT_EQ(form->Phrases, (std::vector<std::string>{"baking powder"}));
    EXPECT_TRUE(resolver_.Resolve("went")->Phrases.empty());
}

TEST_F(ResolutionTest, OfSeveralBasesTheMostFrequentWins) {
    EXPECT_EQ(Base("axes"), "axis");
    const TFormResolver rarerAxis(testing::HeadWordsOf({"axe", "axis"}),
                                  testing::FormsTable({{"axes", "axis", TFormSource::Irregular},
                                                       {"axes", "axe", TFormSource::Irregular}}),
                                  testing::FrequencyTable({{"axis", 10}, {"axe", 40}}));
    EXPECT_EQ(rarerAxis.Resolve("axes")->HeadWord, "axe");
}

TEST_F(ResolutionTest, CaseTwinsAreFoundInTheirOwnCaseFirst) {
    const THeadWords& headWords = resolver_.HeadWords();
    EXPECT_EQ(headWords.Find("may"), "may");
    EXPECT_EQ(headWords.Find("May"), "May");
    EXPECT_EQ(headWords.Find("MAY"), "May") << "any case: the first in index order";
    EXPECT_EQ(Base("may"), "");
    EXPECT_EQ(Base("MAY"), "");
}

TEST_F(ResolutionTest, TextsWithoutAWordOfEitherAlphabetResolveToNothing) {
    for (const std::string text : {"", " ", "     ", "1234", "@@@", "--", "\t", "7th"}) {
        EXPECT_FALSE(resolver_.Resolve(text)) << '"' << text << '"';
        EXPECT_TRUE(resolver_.Suggest(text).empty()) << '"' << text << '"';
    }
    const std::string huge(10000, 'b');
    EXPECT_FALSE(resolver_.Resolve(huge));
    EXPECT_TRUE(resolver_.Suggest(huge).empty());
    EXPECT_FALSE(resolver_.Resolve(huge + "s"));
    EXPECT_EQ(Base("   went " + huge), "go") << "only the first word counts";
}

} // namespace
} // namespace wordforms
