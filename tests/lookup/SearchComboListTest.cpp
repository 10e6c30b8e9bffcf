#include "lookup/SearchComboList.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace lookup {
namespace {

class SearchComboListTest : public ::testing::Test {
protected:
    // 18 head-words: with 10 visible rows the list scrolls to row 8 at most.
    const std::vector<std::string_view> words_ = {
        "hat",  "hot",  "hotel", "house", "household", "hour",  "hub",  "hue",   "hug",
        "huge", "hull", "hum",   "human", "humble",    "humid", "hunt", "hurry", "hurt",
    };
    TSearchComboList list_{10};

    void SetUp() override { list_.SetItems(words_); }
};

TEST_F(SearchComboListTest, NewItemsStartWithoutSelectionAtTheTop) {
    list_.SetItemIndex(12);
    ASSERT_EQ(list_.TopIndex(), 3);
    const std::vector<std::string_view> other = {"a", "b"};
    list_.SetItems(other);
    EXPECT_EQ(list_.Count(), 2);
    EXPECT_EQ(list_.ItemIndex(), -1);
    EXPECT_EQ(list_.TopIndex(), 0);
    EXPECT_EQ(list_.Item(1), "b");
    EXPECT_EQ(list_.Item(2), "");
    list_.ClearItems();
    EXPECT_EQ(list_.Count(), 0);
    EXPECT_EQ(list_.ItemIndex(), -1);
}

TEST_F(SearchComboListTest, SelectingNormalisesAndReportsChange) {
    EXPECT_TRUE(list_.SetItemIndex(3));
    EXPECT_FALSE(list_.SetItemIndex(3));
    EXPECT_TRUE(list_.SetItemIndex(99));
    EXPECT_EQ(list_.ItemIndex(), -1);
    EXPECT_FALSE(list_.SetItemIndex(-5));
    EXPECT_FALSE(list_.SetItemIndex(18));
}

TEST_F(SearchComboListTest, SelectingScrollsTheRowIntoView) {
    list_.SetItemIndex(15);
    EXPECT_EQ(list_.TopIndex(), 6); // the row becomes the last visible one
    list_.SetItemIndex(2);
    EXPECT_EQ(list_.TopIndex(), 2);
    list_.SetItemIndex(8);
    EXPECT_EQ(list_.TopIndex(), 2); // already visible
}

TEST_F(SearchComboListTest, TopIndexKeepsTheLastPageFull) {
    list_.SetTopIndex(5);
    EXPECT_EQ(list_.TopIndex(), 5);
    list_.SetTopIndex(12);
    EXPECT_EQ(list_.TopIndex(), 8);
    list_.SetTopIndex(-3);
    EXPECT_EQ(list_.TopIndex(), 0);
    const std::vector<std::string_view> few = {"a", "b", "c"};
    list_.SetItems(few);
    list_.SetTopIndex(2);
    EXPECT_EQ(list_.TopIndex(), 0);
}

TEST_F(SearchComboListTest, OpenListFollowsTheTextWithoutRegardToCase) {
    list_.FollowText("hou", true);
    EXPECT_EQ(list_.ItemIndex(), 3);
    EXPECT_EQ(list_.TopIndex(), 3);
    list_.FollowText("HOUR", true);
    EXPECT_EQ(list_.ItemIndex(), 5);
    EXPECT_EQ(list_.TopIndex(), 5);
    list_.FollowText("hur", true); // row 16 cannot reach the top: as close as it gets
    EXPECT_EQ(list_.ItemIndex(), 16);
    EXPECT_EQ(list_.TopIndex(), 8);
    list_.FollowText("hx", true);
    EXPECT_EQ(list_.ItemIndex(), -1);
    EXPECT_EQ(list_.TopIndex(), 0);
    list_.FollowText("hum", true);
    list_.FollowText("", true);
    EXPECT_EQ(list_.ItemIndex(), -1);
    EXPECT_EQ(list_.TopIndex(), 0);
}

TEST_F(SearchComboListTest, ClosedListScrollsButSelectsNothing) {
    list_.SetItemIndex(1);
    list_.FollowText("hum", false);
    EXPECT_EQ(list_.ItemIndex(), -1);
    EXPECT_EQ(list_.TopIndex(), 8);
    list_.FollowText("hou", false);
    EXPECT_EQ(list_.TopIndex(), 3);
    list_.FollowText("q", false);
    EXPECT_EQ(list_.TopIndex(), 0);
}

TEST_F(SearchComboListTest, CyrillicMatchesWithoutRegardToCase) {
    // ад, кабел, Къща, къщичка, кът in code page 1251
    const std::vector<std::string_view> words = {"\xE0\xE4", "\xEA\xE0\xE1\xE5\xEB",
                                                 "\xCA\xFA\xF9\xE0", "\xEA\xFA\xF9\xE8\xF7\xEA\xE0",
                                                 "\xEA\xFA\xF2"};
    list_.SetItems(words);
    EXPECT_EQ(list_.FindPrefix("\xEA\xFA\xF9"), 2);     // къщ
    EXPECT_EQ(list_.FindPrefix("\xCA\xDA\xD9\xC8"), 3); // КЪЩИ
    EXPECT_EQ(list_.FindPrefix("\xCA\xDA\xD2"), 4);     // КЪТ
    EXPECT_EQ(list_.FindPrefix("\xEA\xEE"), -1);
}

TEST_F(SearchComboListTest, MovingStartsFromTheTopRowAndStaysInView) {
    list_.SetTopIndex(4);
    EXPECT_TRUE(list_.Move(1));
    EXPECT_EQ(list_.ItemIndex(), 4);
    list_.SetItemIndex(-1);
    list_.SetTopIndex(4);
    EXPECT_TRUE(list_.Move(-1));
    EXPECT_EQ(list_.ItemIndex(), 4);
    EXPECT_TRUE(list_.Move(10));
    EXPECT_EQ(list_.ItemIndex(), 14);
    EXPECT_EQ(list_.TopIndex(), 5);
    EXPECT_TRUE(list_.Move(10));
    EXPECT_EQ(list_.ItemIndex(), 17);
    EXPECT_FALSE(list_.Move(1));
    EXPECT_EQ(list_.ItemIndex(), 17);
    EXPECT_TRUE(list_.Move(-10));
    EXPECT_EQ(list_.ItemIndex(), 7);
    EXPECT_EQ(list_.TopIndex(), 7);
    EXPECT_TRUE(list_.Move(-100));
    EXPECT_EQ(list_.ItemIndex(), 0);
    EXPECT_FALSE(list_.Move(-1));
    list_.ClearItems();
    EXPECT_FALSE(list_.Move(1));
    EXPECT_EQ(list_.ItemIndex(), -1);
}

} // namespace
} // namespace lookup
