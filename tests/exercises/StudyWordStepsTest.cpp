// Finding study words through the main window's tabs and search box, over a
// dictionary written byte for byte: no display.
#include "exercises/StudyWordSteps.h"
#include "dictionary/Letters.h"
#include "tests/dictionary/TestDictionary.h"
#include "tests/exercises/FakeLookup.h"

#include <gtest/gtest.h>

namespace {

using exercises::SelectStudyWord;

constexpr int kTabA = 0;
constexpr int kTabCyrillicA = 26;

class StudyWordStepsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dictionary_.WriteLetter(kTabA, {{"aardvark", "{\\rtf1 aardvark}"},
                                        {"apple tree", "{\\rtf1 ябълково дърво}"},
                                        {"apricot", "{\\rtf1 кайсия}"}});
        // "ад", "Ангел" in code page 1251; the second is the user's own.
        dictionary_.WriteLetter(kTabCyrillicA, {{"\xE0\xE4", "{\\rtf1 hell}"},
                                                {"\xC0\xED\xE3\xE5\xEB", "{\\rtf1 angel}", 0}});
        dictionary_.FillEmptyLetters();
        lookup_ = std::make_unique<FakeLookup>(dictionary_.Dir());
        lookup_->SetTabIndex(5);
    }

    TestDictionary dictionary_;
    std::unique_ptr<FakeLookup> lookup_;
};

TEST_F(StudyWordStepsTest, LetterTabsOfLatinAndCyrillicWords) {
    EXPECT_EQ(dictionary::TabOfWord("house"), 7);
    EXPECT_EQ(dictionary::TabOfWord("House"), 7);
    EXPECT_EQ(dictionary::TabOfWord("\xC0\xE4"), kTabCyrillicA) << "capital А";
    EXPECT_EQ(dictionary::TabOfWord("\xE0\xE4"), kTabCyrillicA) << "small а";
    EXPECT_EQ(dictionary::TabOfWord("\xDF"), 57) << "Я";
    EXPECT_EQ(dictionary::TabOfWord(""), -1);
}

TEST_F(StudyWordStepsTest, APrefixSelectsTheFirstHeadWordBeginningWithIt) {
    // No head-word is "Apple"; the first that begins with it, without regard
    // to case, is "apple tree".
    const auto hit = SelectStudyWord(*lookup_, "Apple", true);
    EXPECT_EQ(hit.Tab, kTabA);
    EXPECT_EQ(lookup_->TabIndex(), kTabA);
    EXPECT_EQ(hit.Position, 1);
    EXPECT_EQ(hit.HeadWord, "apple tree");
    EXPECT_TRUE(hit.IsBase);
    EXPECT_TRUE(hit.Speakable());
    EXPECT_EQ(lookup_->SearchBoxItemIndex(), 1);
    EXPECT_EQ(lookup_->SearchBoxText(), "apple tree");
    EXPECT_EQ(exercises::ReadStudyArticle(*lookup_, hit), "{\\rtf1 ябълково дърво}");
}

TEST_F(StudyWordStepsTest, ACyrillicWordReadsItsArticleFromTheFirstBulgarianFile) {
    const auto hit = SelectStudyWord(*lookup_, "\xC0\xE4", true);
    EXPECT_EQ(hit.Tab, kTabCyrillicA);
    EXPECT_EQ(hit.HeadWord, "\xE0\xE4");
    EXPECT_FALSE(hit.Speakable()) << "Bulgarian words have no pronunciation";
    EXPECT_EQ(exercises::ReadStudyArticle(*lookup_, hit), "{\\rtf1 hell}");
    ASSERT_EQ(lookup_->ArticleReads.size(), 1u);
    EXPECT_EQ(lookup_->ArticleReads[0].filename(), "base_1.ref");
    EXPECT_EQ(lookup_->ArticleReads[0].parent_path().filename(), "bg");

    const auto user = SelectStudyWord(*lookup_, "\xC0\xED", true);
    EXPECT_FALSE(user.IsBase);
    EXPECT_EQ(exercises::ReadStudyArticle(*lookup_, user), "{\\rtf1 angel}");
    EXPECT_EQ(lookup_->ArticleReads[1].filename(), "user_1.ref");
}

TEST_F(StudyWordStepsTest, AWordNotInTheDictionaryLeavesNoSelectionAndNoArticle) {
    const auto hit = SelectStudyWord(*lookup_, "azure", true);
    EXPECT_FALSE(hit.Found());
    EXPECT_EQ(hit.Tab, kTabA);
    EXPECT_EQ(lookup_->SearchBoxItemIndex(), -1);
    EXPECT_EQ(lookup_->SearchBoxText(), "") << "the box's text is set to no head-word";
    EXPECT_EQ(exercises::ReadStudyArticle(*lookup_, hit), "");
    EXPECT_TRUE(lookup_->ArticleReads.empty());
}

TEST_F(StudyWordStepsTest, WordsOfNoLetterKeepTheTabAndEmptyWordsFindNothing) {
    const auto at = SelectStudyWord(*lookup_, "@home", false);
    EXPECT_EQ(at.Tab, 5) << "no tab for '@': the tab stays";
    EXPECT_FALSE(at.Found());
    const auto empty = SelectStudyWord(*lookup_, "", true);
    EXPECT_FALSE(empty.Found()) << "an empty entry does not take the letter's first word";
    EXPECT_EQ(lookup_->Fills, 2);
}

} // namespace
