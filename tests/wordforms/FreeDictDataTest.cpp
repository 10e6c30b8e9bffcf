// The word forms of the full FreeDict dictionary, as the data build makes
// them: every head-word keeps its answer, and the words a learner copies most
// find their articles.
#include "dictionary/LetterIndex.h"
#include "dictionary/LookupService.h"
#include "tests/wordforms/WordFormsSupport.h"
#include "wordforms/WordFormsResolver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace wordforms {
namespace {

using testing::Cp;

class FreeDictDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        index_ = new dictionary::DictionaryIndex;
        index_->Load(DICT_TEST_FREEDICT_DIR);
        forms_ = new TWordFormsResolver(DICT_TEST_FREEDICT_DIR, *index_);
        service_ = new dictionary::TLookupService(*index_);
        service_->SetResolver(forms_);
    }
    static void TearDownTestSuite() {
        delete service_;
        delete forms_;
        delete index_;
    }
    static std::string HeadWordAt(int tab, int position) {
        return position < 0
                   ? std::string()
                   : std::string(index_->Letter(tab).HeadWord(static_cast<std::size_t>(position)));
    }
    static std::string Found(std::string_view utf8) {
        const auto found = service_->FindText(Cp(utf8));
        return found ? platform::Cp1251ToUtf8(HeadWordAt(found->Tab, found->Position))
                     : std::string();
    }

    static dictionary::DictionaryIndex* index_;
    static TWordFormsResolver* forms_;
    static dictionary::TLookupService* service_;
};

dictionary::DictionaryIndex* FreeDictDataTest::index_ = nullptr;
TWordFormsResolver* FreeDictDataTest::forms_ = nullptr;
dictionary::TLookupService* FreeDictDataTest::service_ = nullptr;

TEST_F(FreeDictDataTest, EveryHeadWordGivesWhatItGaveWithoutWordForms) {
    std::size_t headWords = 0;
    std::size_t ownCase = 0;
    std::vector<std::string> changed;
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        for (const std::string_view headWord : index_->Letter(tab).HeadWords()) {
            ++headWords;
            const auto today = dictionary::TLookupService(*index_).FindText(headWord);
            const auto now = service_->FindText(headWord);
            ASSERT_TRUE(today && now) << platform::Cp1251ToUtf8(headWord);
            const std::string before = HeadWordAt(today->Tab, today->Position);
            const std::string after = HeadWordAt(now->Tab, now->Position);
            EXPECT_FALSE(now->Resolved) << platform::Cp1251ToUtf8(headWord);
            EXPECT_TRUE(now->Suggestions.empty()) << platform::Cp1251ToUtf8(headWord);
            if (before == after) {
                continue;
            }
            // The one change: a case twin now finds itself, not the twin before it.
            const std::string_view word = headWord.substr(0, headWord.find(' '));
            if (after == word && platform::CompareNoCase(before, after) == 0) {
                ++ownCase;
            } else {
                changed.push_back(platform::Cp1251ToUtf8(headWord) + " -> " +
                                  platform::Cp1251ToUtf8(after));
            }
        }
    }
    EXPECT_EQ(headWords, 61071u);
    EXPECT_TRUE(changed.empty()) << changed.size() << " changed, the first: " << changed.front();
    EXPECT_GT(ownCase, 0u) << "may and May";
    EXPECT_FALSE(forms_->Forms().Problem()) << forms_->Forms().Problem()->Message();
}

TEST_F(FreeDictDataTest, CopiedFormsFindTheirBaseHeadWords) {
    EXPECT_EQ(Found("went"), "go");
    EXPECT_EQ(Found("books"), "book");
    EXPECT_EQ(Found("mice"), "mouse");
    EXPECT_EQ(Found("told"), "tell");
    EXPECT_EQ(Found("was"), "be");
    EXPECT_EQ(Found("hoping"), "hope");
    EXPECT_EQ(Found("stopped"), "stop");
    EXPECT_EQ(Found("disappeared"), "disappear");
    EXPECT_EQ(Found("къщата"), "къща");
    EXPECT_EQ(Found("града"), "град");
    EXPECT_EQ(Found("търсим"), "търся");
    EXPECT_EQ(Found("хората"), "хора") << "the homograph goes on to today's rule";
    EXPECT_EQ(Found("парите"), "пари");
    EXPECT_EQ(Found("may"), "may");
    EXPECT_EQ(Found("May"), "May");
}

TEST_F(FreeDictDataTest, MisspeltWordsAreOfferedTheRightHeadWord) {
    for (const auto& [typo, right] : std::vector<std::pair<std::string, std::string>>{
             {"recieve", "receive"}, {"taht", "that"}, {"къшта", "къща"}}) {
        const auto found = service_->FindText(Cp(typo));
        ASSERT_TRUE(found) << typo;
        EXPECT_FALSE(found->Resolved) << typo;
        const auto& list = found->Suggestions;
        EXPECT_LE(list.size(), kMaxSuggestions);
        EXPECT_NE(std::find(list.begin(), list.end(), Cp(right)), list.end()) << typo;
    }
}

} // namespace
} // namespace wordforms
