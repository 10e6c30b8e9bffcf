#include "dictionary/Lookup.h"
#include "dictionary/LookupService.h"
#include "tests/dictionary/TestDictionary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

using namespace dictionary;

constexpr int kTabP = 'P' - 'A';
constexpr int kTabR = 'R' - 'A';
constexpr int kTabW = 'W' - 'A';
constexpr int kTabK = 26 + 10; // К

class LookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        dict_.WriteLetter(kTabW,
                          {{"walk", "{walk}"}, {"walking", "{walking}"}, {"wall", "{wall}"}});
        dict_.WriteLetter(kTabP, {{"Polish", "{Polish}"}, {"polish", "{polish}"}});
        dict_.WriteLetter(kTabR, {{"run", "{run}"}, {"Running", "{Running}"}, {"running", "{2}"}});
        dict_.WriteLetter(kTabK,
                          {{"\xea\xfa\xf9\xe0", "{kashta}"}, {"\xca\xfa\xf9\xe0", "{user}", 0}});
        dict_.FillEmptyLetters();
        index_.Load(dict_.Dir());
    }

    std::string Found(std::string_view text) {
        const auto result = service_.FindText(text);
        if (!result || result->Position < 0) {
            return "<none>";
        }
        return std::string(*service_.HeadWordAt(result->Tab, result->Position));
    }

    TestDictionary dict_;
    DictionaryIndex index_;
    TLookupService service_{index_};
};

TEST_F(LookupTest, FindWordTakesTheFirstHeadWordWithThePrefix) {
    const auto& words = index_.Letter(kTabW).HeadWords();
    EXPECT_EQ(FindWord(words, "walk"), 0);
    EXPECT_EQ(FindWord(words, "walki"), 1);
    EXPECT_EQ(FindWord(words, "WALL"), 2);
    EXPECT_EQ(FindWord(words, "walks"), -1);
    EXPECT_EQ(FindWord(index_.Letter(kTabP).HeadWords(), "polish"), 0) << "case is ignored";
    EXPECT_EQ(FindWord(index_.Letter(kTabK).HeadWords(), "\xca\xfa"), 0) << "Cyrillic case too";
    EXPECT_EQ(FindWord({}, "x"), -1);
}

TEST_F(LookupTest, FindByShorteningCutsAndShortens) {
    EXPECT_EQ(Found("walks"), "walk") << "one shortening";
    EXPECT_EQ(Found("walking,"), "walking");
    EXPECT_EQ(Found("walkingly"), "walking");
    EXPECT_EQ(Found("polish"), "Polish");
    EXPECT_EQ(Found("  Running, fast"), "Running");
    EXPECT_EQ(Found("runner"), "Running") << "runn is the longest beginning found";
    EXPECT_EQ(Found("\xca\xfa\xf9\xe8"), "\xea\xfa\xf9\xe0") << "Cyrillic, shortened";

    const auto result = service_.FindText("  Running, fast");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Tab, kTabR);
    EXPECT_EQ(result->Word, "Running");

    // Only the space separates: a tab stays part of the word.
    EXPECT_EQ(Found("wall\tpaper"), "wall");
}

TEST_F(LookupTest, ALongTextIsReadNoFurtherThanTheLongestHeadWord) {
    // A copied megabyte without blanks, of which only the first page can be
    // read: shortening it from its full length would touch every byte.
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::size_t size = (1 << 20) + page;
    void* memory =
        ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(memory, MAP_FAILED);
    auto* text = static_cast<char*>(memory);
    std::memset(text, 'w', size);
    std::memcpy(text, "  walkingly", 11);
    ASSERT_EQ(::mprotect(text + page, size - page, PROT_NONE), 0);
    EXPECT_EQ(Found(std::string_view(text, size)), "walking");
    ::munmap(memory, size);
}

TEST_F(LookupTest, FindByShorteningThatFindsNothing) {
    EXPECT_FALSE(service_.FindText(""));
    EXPECT_FALSE(service_.FindText("   "));
    EXPECT_FALSE(service_.FindText("@home")) << "0x40 maps to no letter";
    EXPECT_FALSE(service_.FindText("`quote"));

    const auto none = service_.FindText("xylophone");
    ASSERT_TRUE(none);
    EXPECT_EQ(none->Tab, 'X' - 'A') << "the letter is still selected";
    EXPECT_EQ(none->Position, -1);
    EXPECT_EQ(none->Word, "");
}

TEST_F(LookupTest, ArticlesComeFromBaseOrUserFiles) {
    const auto& k = index_.Letter(kTabK);
    EXPECT_EQ(ReadArticle(index_, kTabK, k.Record(0)), "{kashta}") << "base, unscrambled";
    EXPECT_EQ(ReadArticle(index_, kTabK, k.Record(1)), "{user}") << "bg/user_11.ref, plain";
    EXPECT_EQ(index_.ArticlePath(kTabK, k.Record(1)), dict_.Dir() / "bg" / "user_11.ref");
    const auto& r = index_.Letter(kTabR);
    EXPECT_EQ(ReadArticle(index_, kTabR, r.Record(2)), "{2}") << "same word, its own article";
}

TEST_F(LookupTest, DamagedRecordsYieldShortOrEmptyArticles) {
    IndexRecord record;
    MakeRecord(record, "walk", -5, 10, 1);
    EXPECT_EQ(ReadArticle(index_, kTabW, record), "") << "negative offset";
    MakeRecord(record, "walk", 1 << 30, 10, 1);
    EXPECT_EQ(ReadArticle(index_, kTabW, record), "") << "offset past the end";
    MakeRecord(record, "walk", 0, -1, 1);
    EXPECT_EQ(ReadArticle(index_, kTabW, record), "") << "negative size";
    MakeRecord(record, "walk", 6, 0x7FFFFFFF, 1);
    EXPECT_EQ(ReadArticle(index_, kTabW, record), "{walking}{wall}") << "size past the end";
    MakeRecord(record, "zz", 0, 10, 0);
    EXPECT_EQ(ReadArticle(index_, 'Z' - 'A', record), "") << "missing user file";
    EXPECT_TRUE(std::filesystem::exists(dict_.Dir() / "eg" / "user_z.ref")) << "created empty";
}

} // namespace
