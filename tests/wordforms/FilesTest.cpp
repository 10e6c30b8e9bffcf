// The two word-form files: read whole and checked, and what the look-up does
// when one of them is missing or damaged.
#include "dictionary/LetterIndex.h"
#include "dictionary/LookupService.h"
#include "tests/dictionary/TestDictionary.h"
#include "tests/wordforms/WordFormsSupport.h"
#include "wordforms/WordFormsResolver.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

namespace wordforms {
namespace {

namespace fs = std::filesystem;
using testing::Cp;

void WriteBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string FormsBytes() {
    return WriteFormTable(
        {{"went", "go", static_cast<std::uint32_t>(TFormSource::Irregular)},
         {Fold(Cp("къщата")), Cp("къща"), static_cast<std::uint32_t>(TFormSource::BulgarianStem)}},
        TTableKind::Forms);
}

TEST(FormTableTest, RecordsOfAKeyComeBackTogetherAndOtherKeysHaveNone) {
    std::string problem;
    const auto table = TFormTable::Parse(WriteFormTable({{"axes", "axis", 1},
                                                         {"axes", "axe", 1},
                                                         {"went", "go", 1},
                                                         {"", "empty", 1},
                                                         {"long", std::string(300, 'x'), 1}},
                                                        TTableKind::Forms),
                                         TTableKind::Forms, problem);
    ASSERT_TRUE(table) << problem;
    EXPECT_EQ(table->Size(), 3u) << "an empty key and an overlong word are not written";
    const auto axes = table->Find("axes");
    ASSERT_EQ(axes.size(), 2u);
    EXPECT_EQ(axes[0].Word, "axe");
    EXPECT_EQ(axes[1].Word, "axis");
    EXPECT_TRUE(table->Find("axe").empty());
    EXPECT_TRUE(table->Find("").empty());
    EXPECT_TRUE(table->Find("zzz").empty());
}

TEST(FormTableTest, ADamagedOrForeignFileIsRefusedWithItsReason) {
    const std::string good = FormsBytes();
    std::string problem;
    EXPECT_TRUE(TFormTable::Parse(good, TTableKind::Forms, problem));
    EXPECT_FALSE(TFormTable::Parse(good, TTableKind::Frequency, problem))
        << "a form index is no frequency file";
    EXPECT_NE(problem.find("not a word-form file"), std::string::npos);
    EXPECT_FALSE(TFormTable::Parse(good.substr(0, good.size() - 1), TTableKind::Forms, problem));
    EXPECT_NE(problem.find("cut short"), std::string::npos);
    std::string flipped = good;
    flipped[flipped.size() - 2] ^= 0x20;
    EXPECT_FALSE(TFormTable::Parse(flipped, TTableKind::Forms, problem));
    EXPECT_NE(problem.find("checksum"), std::string::npos);
    EXPECT_FALSE(TFormTable::Parse("", TTableKind::Forms, problem));
    EXPECT_FALSE(TFormTable::Parse(std::string(24, '\0'), TTableKind::Forms, problem));
}

class WordFormsFolderTest : public ::testing::Test {
protected:
    WordFormsFolderTest() {
        dictionary_.WriteLetter(6, {{"go", "{\\rtf1 go}"}, {"gone", "{\\rtf1 gone}"}});
        dictionary_.WriteLetter(
            22, {{"wen", "{\\rtf1 wen}"}, {"went on", "{\\rtf1 on}"}, {"wet", "{\\rtf1 wet}"}});
        dictionary_.WriteLetter(26 + 10, {{Cp("къща"), "{\\rtf1 k}"}});
        dictionary_.FillEmptyLetters();
        index_.Load(dictionary_.Dir());
    }
    void WriteFiles(const std::string& forms, const std::string& frequency) {
        WriteBytes(FormIndexPath(dictionary_.Dir()), forms);
        WriteBytes(FrequencyPath(dictionary_.Dir()), frequency);
    }
    // The look-up of copied text, with word forms or (null) without.
    std::optional<dictionary::TTextLookup> LookUp(std::string_view text,
                                                  TWordFormsResolver* forms) {
        dictionary::TLookupService service(index_);
        service.SetResolver(forms);
        return service.FindText(text);
    }
    std::string HeadWordOf(std::string_view text, TWordFormsResolver* forms) {
        const auto found = LookUp(text, forms);
        if (!found || found->Position < 0) {
            return {};
        }
        return std::string(
            index_.Letter(found->Tab).HeadWord(static_cast<std::size_t>(found->Position)));
    }

    TestDictionary dictionary_;
    dictionary::DictionaryIndex index_;
};

TEST_F(WordFormsFolderTest, NothingIsReadUntilTheFirstLookUpThatNeedsIt) {
    TWordFormsResolver forms(dictionary_.Dir(), index_);
    WriteFiles(FormsBytes(), testing::FrequencyBytes({{"go", 9}}));
    EXPECT_FALSE(forms.Forms().Loaded());
    EXPECT_EQ(HeadWordOf("go", &forms), "go");
    EXPECT_EQ(HeadWordOf("GONE", &forms), "gone");
    EXPECT_FALSE(forms.Forms().Loaded()) << "a head-word in any case needs no word forms";
    EXPECT_EQ(HeadWordOf("went", &forms), "go");
    EXPECT_TRUE(forms.Forms().Loaded());
    EXPECT_FALSE(forms.TakeFault());
    EXPECT_EQ(HeadWordOf(Cp("къщата"), &forms), Cp("къща"));
}

TEST_F(WordFormsFolderTest, TheFullRuleKeepsTodaysAnswersWhereThereIsNoForm) {
    WriteFiles(FormsBytes(), testing::FrequencyBytes({{"go", 9}}));
    TWordFormsResolver forms(dictionary_.Dir(), index_);
    EXPECT_EQ(HeadWordOf("went on", &forms), "went on") << "a phrase copied whole";
    EXPECT_EQ(HeadWordOf("wetter", &forms), "wet") << "a doubled consonant";
    EXPECT_EQ(HeadWordOf("wetness", &forms), "wet") << "shortening, unchanged";
    EXPECT_EQ(HeadWordOf("wentz", &forms), HeadWordOf("wentz", nullptr));
    const auto went = LookUp("went", &forms);
    ASSERT_TRUE(went && went->Resolved);
    EXPECT_EQ(went->Resolved->From, "went");
    EXPECT_EQ(went->Resolved->Phrases, (std::vector<std::string>{"went on"}))
        << "the phrase stays one click away";
    const auto unknown = LookUp("gane", &forms);
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->Suggestions, (std::vector<std::string>{"gone"}));
    EXPECT_TRUE(LookUp("wet,", &forms)->Suggestions.empty()) << "a head-word and a comma";
    EXPECT_TRUE(LookUp("go", &forms)->Suggestions.empty());
    EXPECT_FALSE(LookUp("   ", &forms));
    EXPECT_FALSE(LookUp("@home", &forms));
}

TEST_F(WordFormsFolderTest, AMissingOrDamagedFileLeavesTodaysRuleAndSaysWhyOnce) {
    const std::string frequency = testing::FrequencyBytes({{"go", 9}});
    const auto problemWith = [&](const std::string& forms, const std::string& freq,
                                 bool writeFrequency) {
        fs::remove_all(dictionary_.Dir() / "forms");
        WriteBytes(FormIndexPath(dictionary_.Dir()), forms);
        if (writeFrequency) {
            WriteBytes(FrequencyPath(dictionary_.Dir()), freq);
        }
        TWordFormsResolver wordForms(dictionary_.Dir(), index_);
        const auto first = LookUp("went", &wordForms);
        EXPECT_EQ(HeadWordOf("went", &wordForms), "went on") << "today's rule";
        EXPECT_TRUE(first && first->Fault) << "the look-up that found the fault says so";
        EXPECT_FALSE(LookUp("went", &wordForms)->Fault) << "once";
        EXPECT_TRUE(LookUp("gane", &wordForms)->Suggestions.empty());
        EXPECT_TRUE(wordForms.Forms().Problem());
        return std::make_pair(wordForms.Forms().Problem().value_or(TLoadProblem{}),
                              first && first->Fault ? *first->Fault : dictionary::TResolverFault{});
    };
    const auto [missing, missingFault] = problemWith(FormsBytes(), frequency, false);
    EXPECT_EQ(missing.Kind, TLoadProblem::TKind::Missing);
    EXPECT_EQ(missing.File, FrequencyPath(dictionary_.Dir()));
    EXPECT_NE(missing.Message().find("frequency.dat\" is missing"), std::string::npos);
    EXPECT_EQ(missingFault.File, FrequencyPath(dictionary_.Dir()));
    EXPECT_EQ(missingFault.Errno, ENOENT);

    const std::string forms = FormsBytes();
    const auto [cut, cutFault] = problemWith(forms.substr(0, forms.size() / 2), frequency, true);
    EXPECT_EQ(cut.Kind, TLoadProblem::TKind::Damaged);
    EXPECT_EQ(cut.File, FormIndexPath(dictionary_.Dir()));
    EXPECT_NE(cut.Message().find("is damaged"), std::string::npos);
    EXPECT_EQ(cutFault.Errno, 0) << "read whole, but damaged";
    EXPECT_FALSE(cutFault.Detail.empty());

    const auto [swapped, swappedFault] = problemWith(frequency, forms, true);
    EXPECT_EQ(swapped.Kind, TLoadProblem::TKind::Damaged);

    fs::remove_all(dictionary_.Dir() / "forms");
    fs::create_directories(FormIndexPath(dictionary_.Dir()));
    TWordFormsResolver folderInstead(dictionary_.Dir(), index_);
    EXPECT_FALSE(folderInstead.Resolve("went"));
    ASSERT_TRUE(folderInstead.Forms().Problem());
    EXPECT_EQ(folderInstead.Forms().Problem()->Kind, TLoadProblem::TKind::Unreadable);
    const auto fault = folderInstead.TakeFault();
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->Errno, EISDIR);
}

TEST_F(WordFormsFolderTest, AHeadWordAddedAfterLoadingIsExactFromThenOn) {
    WriteFiles(WriteFormTable({{"gos", "go", static_cast<std::uint32_t>(TFormSource::Irregular)}},
                              TTableKind::Forms),
               testing::FrequencyBytes({}));
    TWordForms forms(dictionary_.Dir(), index_);
    ASSERT_TRUE(forms.Resolve("gos"));
    dictionary::IndexRecord record;
    ASSERT_TRUE(dictionary::MakeRecord(record, "gos", 0, 0, 0));
    index_.Letter(6).Insert(2, record);
    EXPECT_FALSE(forms.Resolve("gos")) << "the user's word is a head-word now";
    EXPECT_EQ(forms.Suggest("gas"), (std::vector<std::string>{"gos", "go"}));
}

} // namespace
} // namespace wordforms
