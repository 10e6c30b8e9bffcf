#include "export/ArticleHtml.h"
#include "export/Sha1.h"

#include <gtest/gtest.h>

using namespace exporting;

TEST(ArticleHtmlTest, TheHeadLineGivesTheTranscriptionAndTheRestTheTranslation) {
    // Code page 1251 Cyrillic, an IPA letter as \u, bold and italic runs.
    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1251 {\\b house} [ha\\u650?s, h\\u652?\\u650?s]"
                            "\\line {\\i \\'f1\\'fa\\'f9.}\\line 1. \\'ea\\'fa\\'f9\\'e0 "
                            "<{\\b big} & \"old\">\\par}";
    const TArticleParts parts = SplitArticle(rtf, "house");
    EXPECT_EQ(parts.Transcription, "ha\u028As, h\u028C\u028As");
    EXPECT_EQ(parts.TranslationHtml, "<i>\u0441\u044A\u0449.</i><br>1. \u043A\u044A\u0449\u0430 "
                                     "&lt;<b>big</b> &amp; &quot;old&quot;&gt;");
}

TEST(ArticleHtmlTest, AFirstLineThatIsNoHeadLineStaysInTheTranslation) {
    const TArticleParts parts = SplitArticle("{\\rtf1 first [x]\\par second\\par}", "house");
    EXPECT_EQ(parts.Transcription, "");
    EXPECT_EQ(parts.TranslationHtml, "first [x]<br>second");
    const TArticleParts noBrackets = SplitArticle("{\\rtf1 house\\par second}", "house");
    EXPECT_EQ(noBrackets.Transcription, "");
    EXPECT_EQ(noBrackets.TranslationHtml, "second");
}

TEST(ArticleHtmlTest, TextThatIsNotRtfGivesNothing) {
    const TArticleParts parts = SplitArticle("house [haus]", "house");
    EXPECT_EQ(parts.Transcription, "");
    EXPECT_EQ(parts.TranslationHtml, "");
}

TEST(ArticleHtmlTest, Sha1GivesThePublishedDigests) {
    EXPECT_EQ(Sha1Hex(""), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
    EXPECT_EQ(Sha1Hex("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d");
    // 56 bytes: the length needs a second block.
    EXPECT_EQ(Sha1Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
    EXPECT_EQ(Sha1Hex(std::string(1'000'000, 'a')), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
}
