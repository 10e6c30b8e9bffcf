#include "studylist/StudyWords.h"

#include <gtest/gtest.h>

namespace {

using studylist::StudyWords;

TEST(StudyWordsTest, AddingKeepsTheOrderAndSkipsWordsAlreadyListed) {
    StudyWords words;
    EXPECT_EQ(words.Add({"house", "hot", "house"}), 0) << "the last word given was the first";
    EXPECT_EQ(words.Entries(), (std::vector<std::string>{"house", "hot"}));
    EXPECT_EQ(words.Add({"walk"}), 2);
    EXPECT_EQ(words.Add({}), -1);
    EXPECT_EQ(words.Count(), 3);
    EXPECT_TRUE(words.Contains("hot"));
    EXPECT_FALSE(words.Contains("Hot")) << "entries are compared as stored";
}

TEST(StudyWordsTest, TheSelectionStaysInsideTheListAndIsDroppedByChanges) {
    StudyWords words;
    words.Select(0);
    EXPECT_EQ(words.Selected(), -1) << "an empty list selects nothing";
    EXPECT_EQ(words.Entry(0), "");

    words.Assign({"a", "b", "c"});
    words.Select(2);
    EXPECT_EQ(words.Selected(), 2);
    words.Select(3);
    EXPECT_EQ(words.Selected(), -1);

    words.Select(1);
    words.Add({"d"});
    EXPECT_EQ(words.Selected(), 1) << "adding keeps the selection";
    words.Remove(0);
    EXPECT_EQ(words.Selected(), -1);
    EXPECT_EQ(words.Entries(), (std::vector<std::string>{"b", "c", "d"}));
    words.Remove(7);
    EXPECT_EQ(words.Count(), 3);

    words.Select(0);
    words.Assign({"x"});
    EXPECT_EQ(words.Selected(), -1);
    words.Clear();
    EXPECT_EQ(words.Count(), 0);
}

TEST(StudyWordsTest, ChangesSinceTheLastOpenOrSaveAreTracked) {
    StudyWords words;
    EXPECT_FALSE(words.Modified()) << "the empty list at start";
    words.Add({"house"});
    EXPECT_TRUE(words.Modified());
    words.MarkSaved();
    EXPECT_FALSE(words.Modified());
    words.Select(0);
    EXPECT_FALSE(words.Modified()) << "a selection changes no entry";
    words.Remove(0);
    EXPECT_TRUE(words.Modified());
    words.Add({"house"});
    EXPECT_FALSE(words.Modified()) << "back to what was saved";
    words.Assign({"house", "walk"});
    EXPECT_TRUE(words.Modified());
    words.Clear();
    EXPECT_TRUE(words.Modified());
    words.MarkSaved();
    EXPECT_FALSE(words.Modified()) << "a new, empty list";
}

} // namespace
