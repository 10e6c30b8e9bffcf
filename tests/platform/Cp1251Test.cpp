#include "platform/Cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

using platform::Cp1251Lower;
using platform::Cp1251ToUnicode;
using platform::Cp1251Upper;

QChar SystemChar(std::uint8_t byte) {
    QStringDecoder decoder("windows-1251");
    const char raw = static_cast<char>(byte);
    const QString s = decoder(QByteArrayView(&raw, 1));
    return s.size() == 1 ? s.front() : QChar();
}

// The system converter decides what a byte means; ours must agree on all 256.
TEST(Cp1251, WholeTableMatchesSystemConverter) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        EXPECT_EQ(Cp1251ToUnicode(byte), SystemChar(byte).unicode()) << "byte " << b;
        const auto back = platform::UnicodeToCp1251(Cp1251ToUnicode(byte));
        ASSERT_TRUE(back.has_value()) << "byte " << b;
        EXPECT_EQ(*back, byte);
    }
}

TEST(Cp1251, CaseMappingMatchesUnicodeOverWholeTable) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        const QChar ch(Cp1251ToUnicode(byte));
        const auto lower = platform::UnicodeToCp1251(ch.toLower().unicode());
        const auto upper = platform::UnicodeToCp1251(ch.toUpper().unicode());
        EXPECT_EQ(Cp1251Lower(byte), lower.value_or(byte)) << "byte " << b;
        EXPECT_EQ(Cp1251Upper(byte), upper.value_or(byte)) << "byte " << b;
    }
    EXPECT_EQ(Cp1251Lower('H'), 'h');
    EXPECT_EQ(Cp1251Lower(0xC0), 0xE0); // А а
    EXPECT_EQ(Cp1251Upper(0xFF), 0xDF); // я Я
}

// Names of files and libraries fold the Latin letters only, byte by byte.
TEST(Cp1251, AsciiFoldingLeavesEveryOtherByte) {
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const bool latin = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
        EXPECT_EQ(platform::AsciiLower(c) != c || platform::AsciiUpper(c) != c, latin) << byte;
        if (byte >= 'A' && byte <= 'Z') {
            EXPECT_EQ(platform::Cp1251Lower(static_cast<std::uint8_t>(byte)),
                      static_cast<std::uint8_t>(platform::AsciiLower(c)));
        }
    }
    EXPECT_EQ(platform::AsciiLower("WAVE \xCA\xFA\xF9\xE0"), "wave \xCA\xFA\xF9\xE0");
    EXPECT_TRUE(platform::EqualsAsciiNoCase("Wave", "wAVE"));
    EXPECT_FALSE(platform::EqualsAsciiNoCase("\xCA", "\xEA")) << "Cyrillic К and к differ";
    EXPECT_FALSE(platform::EqualsAsciiNoCase("wave", "waves"));
    EXPECT_TRUE(platform::EndsWithAsciiNoCase("MPEGDLL.DLL", ".dll"));
    EXPECT_FALSE(platform::EndsWithAsciiNoCase("dll", ".dll"));
}

TEST(Cp1251, Utf8RoundTripAndRefusals) {
    const std::string utf8 = "къща house Ъ «№»";
    const auto bytes = platform::Utf8ToCp1251(utf8);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 16u);
    EXPECT_EQ(static_cast<std::uint8_t>((*bytes)[0]), 0xEA);
    EXPECT_EQ(platform::Cp1251ToUtf8(*bytes), utf8);

    EXPECT_FALSE(platform::Utf8ToCp1251("café")) << "é is not in the code page";
    EXPECT_FALSE(platform::Utf8ToCp1251("haʊs")) << "IPA is not in the code page";
    EXPECT_FALSE(platform::Utf8ToCp1251("\xC3")) << "truncated sequence";
    EXPECT_FALSE(platform::Utf8ToCp1251("\xC0\xAF")) << "overlong form";
    EXPECT_FALSE(platform::Utf8ToCp1251("\xED\xA0\x80")) << "surrogate";
}

TEST(Cp1251, CaseInsensitivePrefixAndOrder) {
    const auto cyr = [](const char* utf8) { return *platform::Utf8ToCp1251(utf8); };
    EXPECT_TRUE(platform::StartsWithNoCase("House", "hOU"));
    EXPECT_TRUE(platform::StartsWithNoCase(cyr("КЪЩА"), cyr("къ")));
    EXPECT_TRUE(platform::StartsWithNoCase("walk", "walk"));
    EXPECT_FALSE(platform::StartsWithNoCase("walk", "walks"));
    EXPECT_FALSE(platform::StartsWithNoCase("", "a"));
    EXPECT_TRUE(platform::StartsWithNoCase("a", ""));

    EXPECT_EQ(platform::CompareNoCase("Polish", "polish"), 0);
    EXPECT_LT(platform::CompareNoCase("a few", "aachen"), 0);
    EXPECT_LT(platform::CompareNoCase("zebra", cyr("ананас")), 0);
    EXPECT_GT(platform::CompareNoCase("walking", "walk"), 0);
}

} // namespace
