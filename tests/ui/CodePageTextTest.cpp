#include "ui/CodePageText.h"

#include <gtest/gtest.h>

namespace {

// Text taken from the screen (article selections, the search box) and the
// clipboard: accents the code page lacks must not turn into '?', which would
// cut the word short in a look-up.
TEST(CodePageTextTest, StressMarksAndAccentedLettersBecomeTheirBaseLetters) {
    EXPECT_EQ(ui::ToCodePage(QStringLiteral("къ\u0301ща")), "\xea\xfa\xf9\xe0");
    EXPECT_EQ(ui::ToCodePage(QStringLiteral("стопа\u0300нство")),
              "\xf1\xf2\xee\xef\xe0\xed\xf1\xf2\xe2\xee");
    EXPECT_EQ(ui::ToCodePage(QStringLiteral("\u045D \u040D \u0450 \u0400")), "\xe8 \xc8 \xe5 \xc5")
        << "ѝ Ѝ ѐ Ѐ";
    EXPECT_EQ(ui::ToCodePage(QStringLiteral("caf\u00e9 na\u00efve")), "cafe naive");
    // A letter of its own that the code page holds stays itself, also when
    // it arrives as base letter and mark.
    EXPECT_EQ(ui::ToCodePage(QStringLiteral("\u0439 \u0438\u0306 \u0451 \u0435\u0308")),
              "\xe9 \xe9 \xb8 \xb8");
    EXPECT_EQ(ui::ToCodePage(QStringLiteral("a\u4e00b\U0001F600")), "a?b?")
        << "one '?' for each character the code page cannot hold";

    EXPECT_EQ(ui::ToCodePageExactly(QStringLiteral("къ\u0301ща")), "\xea\xfa\xf9\xe0");
    EXPECT_FALSE(ui::ToCodePageExactly(QStringLiteral("ha\u028As")));
}

} // namespace
