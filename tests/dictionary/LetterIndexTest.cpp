#include "dictionary/LetterIndex.h"
#include "tests/dictionary/TestDictionary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace {

using namespace dictionary;

std::vector<char> Records(const std::vector<std::pair<std::string, std::uint8_t>>& words) {
    std::vector<char> buffer;
    for (const auto& [word, isBase] : words) {
        IndexRecord record;
        MakeRecord(record, word, 0, 0, isBase);
        const auto* bytes = reinterpret_cast<const char*>(&record);
        buffer.insert(buffer.end(), bytes, bytes + sizeof record);
    }
    return buffer;
}

TEST(LetterIndex, SoundNumbersCountBaseRecordsPerLetter) {
    LetterIndex letter;
    letter.Assign(Records({{"a", 1}, {"b", 0}, {"c", 1}, {"d", 0x80}, {"e", 0xFF}}), true);
    EXPECT_EQ(letter.SoundNumber(0), "1");
    EXPECT_EQ(letter.SoundNumber(1), "0");
    EXPECT_EQ(letter.SoundNumber(2), "2");
    EXPECT_EQ(letter.SoundNumber(3), "3") << "any non-zero IsBase is a base record";
    EXPECT_EQ(letter.SoundNumber(4), "4");

    LetterIndex next;
    next.Assign(Records({{"b", 1}}), true);
    EXPECT_EQ(next.SoundNumber(0), "1") << "numbering restarts for every letter";

    LetterIndex bulgarian;
    bulgarian.Assign(Records({{"\xe0", 1}}), false);
    EXPECT_TRUE(bulgarian.SoundNumbers().empty());
    EXPECT_EQ(bulgarian.SoundNumber(0), "");
}

TEST(LetterIndex, OddSizesKeepWholeRecordsOnly) {
    LetterIndex empty;
    empty.Assign({}, true);
    EXPECT_EQ(empty.Size(), 0u);

    std::vector<char> buffer = Records({{"one", 1}, {"two", 1}});
    buffer.resize(250, '\x55'); // 28 stray bytes
    LetterIndex letter;
    letter.Assign(buffer, true);
    ASSERT_EQ(letter.Size(), 2u);
    EXPECT_EQ(letter.HeadWord(1), "two");
    EXPECT_EQ(letter.Record(1).HeadWord(), "two");

    letter.Insert(1, *reinterpret_cast<const IndexRecord*>(Records({{"new", 0}}).data()));
    ASSERT_EQ(letter.Size(), 3u);
    EXPECT_EQ(letter.HeadWord(0), "one");
    EXPECT_EQ(letter.HeadWord(1), "new");
    EXPECT_EQ(letter.HeadWord(2), "two");
    EXPECT_EQ(letter.SoundNumber(2), "2");
    std::vector<char> saved = Records({{"one", 1}, {"new", 0}, {"two", 1}});
    EXPECT_TRUE(letter.MatchesFile(saved)) << "the saved file holds whole records only";
}

// The combo box and the exercises keep views of head-words across saves: no
// insert, however many, may move the bytes of a head-word seen before.
TEST(LetterIndex, InsertedHeadWordsLeaveEveryEarlierViewValid) {
    LetterIndex letter;
    letter.Assign(Records({{"apple", 1}, {"kiwi", 1}, {"pear", 1}}), true);
    std::vector<std::pair<std::string_view, std::string>> seen;
    for (const std::string_view word : letter.HeadWords()) {
        seen.emplace_back(word, std::string(word));
    }
    for (int i = 0; i < 300; ++i) {
        std::string word = "w";
        word += std::to_string(i);
        IndexRecord record;
        MakeRecord(record, word, i, 1, 0);
        const auto p = static_cast<std::size_t>(i % 3 == 0 ? 0 : (i % 3 == 1 ? letter.Size() : 2));
        letter.Insert(p, record);
        seen.emplace_back(letter.HeadWord(p), word);
        for (const auto& [view, bytes] : seen) {
            ASSERT_EQ(view, bytes) << "after inserting " << word;
        }
    }
    ASSERT_EQ(letter.Size(), 303u);
    std::size_t same = 0;
    for (const auto& [view, bytes] : seen) {
        for (const std::string_view now : letter.HeadWords()) {
            same += now.data() == view.data() && now == bytes ? 1 : 0;
        }
    }
    EXPECT_EQ(same, seen.size()) << "every head-word still views the bytes it viewed";
}

TEST(LetterIndex, KnowsWhetherItsHeadWordsStandInHeadWordOrder) {
    const auto insert = [](LetterIndex& letter, std::size_t p, const std::string& word) {
        IndexRecord record;
        MakeRecord(record, word, 0, 0, 0);
        letter.Insert(p, record);
    };
    LetterIndex letter;
    letter.Assign(Records({{"Polish", 1}, {"polish", 1}, {"pot", 1}}), true);
    EXPECT_TRUE(letter.Sorted());
    insert(letter, 2, "Pot");
    insert(letter, 0, "Pa");
    insert(letter, 5, "pz");
    EXPECT_TRUE(letter.Sorted()) << "saves put new words where they belong";
    insert(letter, 1, "a");
    EXPECT_FALSE(letter.Sorted()) << "a word before its place";

    LetterIndex other;
    other.Assign(Records({{"polish", 1}, {"Polish", 1}}), true);
    EXPECT_FALSE(other.Sorted()) << "the capitalised word belongs first";
    other.Assign(Records({}), true);
    EXPECT_TRUE(other.Sorted());
    insert(other, 0, "b");
    insert(other, 1, "a");
    EXPECT_FALSE(other.Sorted()) << "a word after its place";
}

// Writers rebuild records from memory: byte for byte the records the file
// held, whatever their article places and IsBase bytes.
TEST(LetterIndex, RebuiltRecordsAreTheFilesRecords) {
    std::vector<char> file;
    const std::string longest(kMaxHeadWordLength, '\xe0');
    for (const auto& [word, offset, size, isBase] :
         std::vector<std::tuple<std::string, std::int32_t, std::int32_t, std::uint8_t>>{
             {"walk", 0, 17, 1}, {"", -5, 0x7FFFFFFF, 0x80}, {longest, 1 << 30, -1, 0}}) {
        IndexRecord record;
        MakeRecord(record, word, offset, size, isBase);
        const auto* bytes = reinterpret_cast<const char*>(&record);
        file.insert(file.end(), bytes, bytes + sizeof record);
    }
    LetterIndex letter;
    letter.Assign(file, true);
    ASSERT_EQ(letter.Size(), 3u);
    for (std::size_t p = 0; p < letter.Size(); ++p) {
        const IndexRecord record = letter.Record(p);
        EXPECT_EQ(std::memcmp(&record, file.data() + p * sizeof record, sizeof record), 0) << p;
    }
    EXPECT_EQ(letter.Article(1).IsBase, 0x80);
    EXPECT_EQ(letter.HeadWord(2), longest);

    IndexRecord damaged;
    std::memcpy(&damaged, file.data(), sizeof damaged);
    damaged.HeadWordLength = 200;
    letter.Assign({reinterpret_cast<const char*>(&damaged), sizeof damaged}, true);
    EXPECT_EQ(letter.Record(0).HeadWordLength, kMaxHeadWordLength) << "clamped as readers see it";
}

// A save must notice that another program rewrote the index file, even to the
// same size; bytes that no reader looks at do not count.
TEST(LetterIndex, MatchesOnlyTheFileItWasReadFrom) {
    const std::vector<char> file = Records({{"walk", 1}, {"wall", 0}});
    LetterIndex letter;
    letter.Assign(file, true);
    EXPECT_TRUE(letter.MatchesFile(file));

    const auto changed = [&](std::size_t at, char to) {
        std::vector<char> other = file;
        other[at] = to;
        return other;
    };
    constexpr std::size_t kSecond = sizeof(IndexRecord);
    EXPECT_FALSE(letter.MatchesFile(changed(kSecond + 4, 'k'))) << "a head-word";
    EXPECT_FALSE(letter.MatchesFile(changed(kSecond, 3))) << "a head-word's length";
    EXPECT_FALSE(letter.MatchesFile(changed(kSecond + 102, 9))) << "an article offset";
    EXPECT_FALSE(letter.MatchesFile(changed(kSecond + 109, 1))) << "an article size";
    EXPECT_FALSE(letter.MatchesFile(changed(110, '\x80'))) << "an IsBase byte";
    EXPECT_FALSE(letter.MatchesFile(Records({{"wall", 0}, {"walk", 1}}))) << "the order";
    EXPECT_FALSE(letter.MatchesFile(Records({{"walk", 1}}))) << "a record fewer";
    std::vector<char> longer = file;
    longer.push_back('\0');
    EXPECT_FALSE(letter.MatchesFile(longer)) << "a stray byte more";
    EXPECT_TRUE(letter.MatchesFile(changed(kSecond + 50, 'x'))) << "past a head-word's end";
}

TEST(DictionaryIndex, LoadsEnglishFirstAndReportsProgress) {
    TestDictionary dict;
    dict.WriteLetter(7, {{"house", "h1"}, {"hour", "h2"}});
    dict.WriteLetter(26 + 10, {{"\xea\xfa\xf9\xe0", "k1"}});
    dict.FillEmptyLetters();

    std::vector<std::pair<int, LoadStep>> steps;
    DictionaryIndex index;
    const LoadReport report =
        index.Load(dict.Dir(), [&](int tab, LoadStep step) { steps.emplace_back(tab, step); });
    EXPECT_TRUE(report.Complete());
    EXPECT_EQ(report.Message(), "");
    EXPECT_EQ(index.Letter(7).Size(), 2u);
    EXPECT_EQ(index.Letter(36).HeadWord(0), "\xea\xfa\xf9\xe0");

    ASSERT_EQ(steps.size(), 26u + 2 * 32u);
    EXPECT_EQ(steps[0], std::make_pair(0, LoadStep::AfterRead));
    EXPECT_EQ(steps[25], std::make_pair(25, LoadStep::AfterRead));
    EXPECT_EQ(steps[26], std::make_pair(26, LoadStep::BeforeRead));
    EXPECT_EQ(steps[27], std::make_pair(26, LoadStep::AfterRead));
    EXPECT_EQ(steps.back(), std::make_pair(57, LoadStep::AfterRead));
}

TEST(DictionaryIndex, MissingAndUnreadableFilesLeaveTheirLettersEmpty) {
    TestDictionary dict;
    dict.WriteLetter(0, {{"a", "x"}});
    dict.FillEmptyLetters();
    std::filesystem::remove(dict.Dir() / "bg" / "base_28.dak");
    std::filesystem::remove(dict.Dir() / "eg" / "base_q.dak");
    std::filesystem::remove(dict.Dir() / "eg" / "base_z.dak");
    std::filesystem::create_directory(dict.Dir() / "eg" / "base_z.dak");

    DictionaryIndex index;
    const LoadReport report = index.Load(dict.Dir());
    EXPECT_FALSE(report.Complete());
    EXPECT_FALSE(report.NoDictionary());
    ASSERT_EQ(report.Missing.size(), 2u);
    ASSERT_EQ(report.Unreadable.size(), 1u);
    const std::string message = report.Message();
    EXPECT_NE(message.find("base_q.dak"), std::string::npos);
    EXPECT_NE(message.find("base_28.dak"), std::string::npos);
    EXPECT_NE(message.find("base_z.dak"), std::string::npos);
    EXPECT_EQ(index.Letter(16).Size(), 0u);
    EXPECT_EQ(index.Letter(25).Size(), 0u);
    EXPECT_EQ(index.Letter(0).Size(), 1u);
}

TEST(DictionaryIndex, FolderWithoutDictionaryGetsOneMessageNamingIt) {
    const auto dir = std::filesystem::temp_directory_path() / "no-dictionary-here";
    DictionaryIndex index;
    const LoadReport report = index.Load(dir);
    EXPECT_TRUE(report.NoDictionary());
    const std::string message = report.Message();
    EXPECT_NE(message.find(dir.string()), std::string::npos);
    EXPECT_EQ(message.find("base_a.dak"), std::string::npos) << "one message, not 58 names";
}

} // namespace
