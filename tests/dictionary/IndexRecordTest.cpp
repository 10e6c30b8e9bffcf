#include "dictionary/IndexRecord.h"
#include "dictionary/Letters.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace dictionary;

TEST(IndexRecord, LayoutByteForByte) {
    IndexRecord record;
    ASSERT_TRUE(MakeRecord(record, "house", 0x01020304, -2, 1));
    unsigned char bytes[111];
    std::memcpy(bytes, &record, sizeof bytes);
    EXPECT_EQ(bytes[0], 5);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes + 1), 5), "house");
    EXPECT_EQ(bytes[6], 0) << "unused head-word bytes are zero";
    const unsigned char offset[4] = {0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(std::memcmp(bytes + 102, offset, 4), 0) << "little-endian offset at 102";
    const unsigned char size[4] = {0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(std::memcmp(bytes + 106, size, 4), 0) << "signed size at 106";
    EXPECT_EQ(bytes[110], 1);
    EXPECT_EQ(record.HeadWord(), "house");

    EXPECT_TRUE(MakeRecord(record, std::string(101, 'x'), 0, 0, 0));
    EXPECT_FALSE(MakeRecord(record, std::string(102, 'x'), 0, 0, 0));
}

TEST(IndexRecord, DamagedLengthByteNeverReadsPastTheRecord) {
    IndexRecord record;
    MakeRecord(record, "", 0, 0, 1);
    EXPECT_EQ(record.HeadWord(), "");
    std::memset(record.HeadWordChars, 'q', sizeof record.HeadWordChars);
    record.HeadWordLength = 255;
    EXPECT_EQ(record.HeadWord().size(), 101u);
}

TEST(Scrambling, TwoStepsAndTheirInverseOverAllBytes) {
    for (int b = 0; b < 256; ++b) {
        const auto s = static_cast<std::uint8_t>(b);
        const auto expected = static_cast<std::uint8_t>(((b - 0xA7) & 0xFF) ^ 0x71);
        EXPECT_EQ(Unscramble(s), expected);
        EXPECT_EQ(Unscramble(Scramble(s)), s);
        EXPECT_EQ(Scramble(Unscramble(s)), s);
    }
    EXPECT_EQ(Scramble('{'), 0xB1);
    EXPECT_EQ(Unscramble(0xB1), '{');
}

TEST(Letters, TabOfEveryCharacterIsALetterOrNone) {
    for (int c = 0; c < 256; ++c) {
        const int tab = TabOfChar(static_cast<std::uint8_t>(c));
        EXPECT_GE(tab, kNoTab) << c;
        EXPECT_LT(tab, kLetterCount) << c;
    }
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(TabOfChar(static_cast<std::uint8_t>('A' + i)), i);
        EXPECT_EQ(TabOfChar(static_cast<std::uint8_t>('a' + i)), i);
    }
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(TabOfChar(static_cast<std::uint8_t>(0xC0 + i)), 26 + i);
        EXPECT_EQ(TabOfChar(static_cast<std::uint8_t>(0xE0 + i)), 26 + i);
        EXPECT_EQ(static_cast<std::uint8_t>(TabCaption(26 + i)), 0xC0 + i);
    }
    EXPECT_EQ(TabOfChar('1'), 16);
    EXPECT_EQ(TabOfChar(0x5B), 26);
    EXPECT_EQ(TabOfChar(0x40), kNoTab);
    EXPECT_EQ(TabOfChar(0x60), kNoTab);
    EXPECT_EQ(TabOfChar(0x80), kNoTab);
    EXPECT_EQ(TabOfWord(""), kNoTab);
}

TEST(Letters, FileNames) {
    EXPECT_EQ(IndexFragment(0), "\\eg\\base_a.dak");
    EXPECT_EQ(IndexFragment(25), "\\eg\\base_z.dak");
    EXPECT_EQ(IndexFragment(26), "\\bg\\base_1.dak");
    EXPECT_EQ(IndexFragment(57), "\\bg\\base_32.dak");
    EXPECT_EQ(ArticleFragment(7, true), "\\eg\\base_h.ref");
    EXPECT_EQ(ArticleFragment(7, false), "\\eg\\user_h.ref");
    EXPECT_EQ(ArticleFragment(30, false), "\\bg\\user_5.ref");
}

} // namespace
