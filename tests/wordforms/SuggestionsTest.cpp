// Spelling suggestions: which head-words are close enough, and in which order.
#include "tests/wordforms/WordFormsSupport.h"

#include <gtest/gtest.h>

namespace wordforms {
namespace {

using testing::Cp;

std::vector<std::string> Utf8(const std::vector<std::string_view>& words) {
    std::vector<std::string> out;
    for (const std::string_view word : words) {
        out.push_back(platform::Cp1251ToUtf8(word));
    }
    return out;
}

TEST(OsaDistanceTest, EachEditCountsOneAndASwapOfNeighboursIsOneEdit) {
    EXPECT_EQ(OsaDistance("receive", "receive", 2), 0);
    EXPECT_EQ(OsaDistance("recieve", "receive", 2), 1) << "swapped neighbours";
    EXPECT_EQ(OsaDistance("recive", "receive", 2), 1) << "a letter dropped";
    EXPECT_EQ(OsaDistance("receeive", "receive", 2), 1) << "a letter doubled";
    EXPECT_EQ(OsaDistance("reseive", "receive", 2), 1) << "a letter replaced";
    EXPECT_EQ(OsaDistance("ca", "abc", 5), 3) << "no edit of a swapped pair again";
    EXPECT_EQ(OsaDistance("kitten", "sitting", 5), 3);
    EXPECT_EQ(OsaDistance("kitten", "sitting", 2), 3) << "beyond the limit: limit + 1";
    EXPECT_EQ(OsaDistance("", "abc", 5), 3);
    EXPECT_EQ(OsaDistance("abc", "", 1), 2);
    const std::string longA(400, 'a');
    std::string longB = longA;
    longB[200] = 'b';
    EXPECT_EQ(OsaDistance(longA, longB, 2), 1) << "rows longer than the stack's";
}

class SuggestionsTest : public ::testing::Test {
protected:
    SuggestionsTest()
        : headWords_(testing::HeadWordsOf({"receive", "recipe", "relieve", "deceive", "that",
                                           "than", "tact", "hat", "this", "Rhine", "your", "York",
                                           "you", "yoke", "къща", "къс", "куща"})) {
        headWords_.SetFrequencies(testing::FrequencyTable({{"that", 90},
                                                           {"than", 80},
                                                           {"tact", 20},
                                                           {"hat", 50},
                                                           {"your", 85},
                                                           {"you", 95},
                                                           {"york", 40},
                                                           {"yoke", 5},
                                                           {"receive", 60},
                                                           {"deceive", 30},
                                                           {"къща", 500}}));
    }
    std::vector<std::string> Suggest(std::string_view utf8, std::size_t max = 8) const {
        return Utf8(headWords_.Suggest(Cp(utf8), max));
    }
    THeadWords headWords_;
};

TEST_F(SuggestionsTest, NearestFirstThenTheMostFrequentThenIndexOrder) {
    EXPECT_EQ(Suggest("recieve"),
              (std::vector<std::string>{"receive", "relieve", "deceive", "recipe"}));
    EXPECT_EQ(Suggest("taht"), (std::vector<std::string>{"that", "tact", "than", "hat"}));
    EXPECT_EQ(Suggest("yor"), (std::vector<std::string>{"you", "your", "York", "yoke"}));
    EXPECT_EQ(Suggest("Yor"), Suggest("yor")) << "case does not count";
    EXPECT_EQ(Suggest("kъща").size(), 0u) << "a Latin k begins no Bulgarian word";
    EXPECT_EQ(Suggest("къшта"), (std::vector<std::string>{"къща"})) << "куща is three edits away";
}

TEST_F(SuggestionsTest, AtMostTheNumberAskedAndNeverTheWordItself) {
    EXPECT_EQ(Suggest("taht", 2), (std::vector<std::string>{"that", "tact"}));
    EXPECT_TRUE(Suggest("taht", 0).empty());
    EXPECT_EQ(Suggest("that"), (std::vector<std::string>{"than", "hat", "tact", "this"}))
        << "distance 0 is the head-word itself, for the caller's exact step";
    EXPECT_TRUE(Suggest("xylophone").empty());
}

TEST_F(SuggestionsTest, NoSuggestionsForTextInNeitherAlphabetOrTooLong) {
    EXPECT_TRUE(Suggest("").empty());
    EXPECT_TRUE(Suggest("1hat").empty());
    EXPECT_TRUE(Suggest("#hat").empty());
    EXPECT_TRUE(Suggest(std::string(10000, 'h')).empty());
    EXPECT_TRUE(headWords_.Suggest(std::string(2000, '\xE0'), 8).empty());
}

} // namespace
} // namespace wordforms
