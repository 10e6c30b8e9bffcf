#include "tests/rtf/RecordingSink.h"

#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <string>

using rtf::ParseRtf;
using rtf::RtfDocumentLength;
using rtf::RtfToPlainText;
using rtf::TAlignment;
using rtf::TParseStatus;

namespace {

// An article as the dictionary builder writes it.
const std::string Article =
    R"rtf({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fnil\fcharset204 Timok;})rtf"
    R"rtf({\f1\fnil\fcharset0 DejaVu Sans;}}{\colortbl;\red0\green0\blue0;\red0\green64\blue160;)rtf"
    R"rtf(\red128\green0\blue0;}\uc1\pard\plain\ql\f0\fs32{\b house} {\cf2 [\u712?ha\u650?s]})rtf"
    R"rtf(\line\par{\i n}\par 1. \'ea\'fa\'f9\'e0, \'e4\'ee\'ec\par})rtf";

TRecordingSink Parse(const std::string& data) {
    TRecordingSink sink;
    ParseRtf(data, sink);
    return sink;
}

std::string Doc(const std::string& body) {
    return R"({\rtf1\ansi\deff0{\fonttbl{\f0\fcharset204 Timok;}{\f1\fcharset0 Arial;})"
           R"({\f2\fcharset2 Symbol;}})" +
           body + "}";
}

} // namespace

TEST(RtfReader, ArticleTextAndRuns) {
    TRecordingSink sink;
    const auto result = ParseRtf(Article, sink);
    EXPECT_EQ(result.Status, TParseStatus::Complete);
    EXPECT_EQ(result.BytesUsed, Article.size());
    EXPECT_EQ(sink.Plain, "house [ˈhaʊs]<br>\nn\n1. къща, дом\n");
    EXPECT_EQ(sink.Ends, 1);

    const TRecordedRun* house = sink.RunWith("house");
    ASSERT_NE(house, nullptr);
    EXPECT_EQ(house->Text, "house");
    EXPECT_TRUE(house->Format.Bold);
    EXPECT_FALSE(house->Format.Italic);
    EXPECT_EQ(house->Format.FontSizeHalfPoints, 32);
    EXPECT_EQ(house->FontName, "Timok");
    EXPECT_EQ(house->Format.FontCharset, 204);
    EXPECT_FALSE(house->Format.Color.has_value());

    const TRecordedRun* transcription = sink.RunWith("ha");
    ASSERT_NE(transcription, nullptr);
    EXPECT_EQ(transcription->Text, "[ˈhaʊs]");
    ASSERT_TRUE(transcription->Format.Color.has_value());
    EXPECT_EQ(*transcription->Format.Color, (rtf::TRgb{0, 64, 160}));
    EXPECT_FALSE(transcription->Format.Bold);

    const TRecordedRun* n = sink.RunWith("n");
    ASSERT_NE(n, nullptr);
    EXPECT_TRUE(n->Format.Italic);
    const TRecordedRun* meaning = sink.RunWith("къща");
    ASSERT_NE(meaning, nullptr);
    EXPECT_EQ(meaning->Text, "1. къща, дом");
    EXPECT_FALSE(meaning->Format.Italic);
    ASSERT_EQ(sink.Paragraphs.size(), 3u);
    EXPECT_EQ(sink.Paragraphs[0].Alignment, TAlignment::Left);
}

TEST(RtfReader, PlainTextAndDocumentLength) {
    EXPECT_EQ(RtfToPlainText(Article), "house [ˈhaʊs]\n\nn\n1. къща, дом\n");
    EXPECT_EQ(RtfToPlainText(Doc(R"(a\tab b\line c)")), "a\tb\nc");
    EXPECT_EQ(RtfDocumentLength(Article), Article.size());
    EXPECT_EQ(RtfDocumentLength(" \r\n\t" + Article), Article.size() + 4);
    EXPECT_EQ(RtfDocumentLength(Article + "{\\rtf1 second}garbage\x01\xff"), Article.size());
    EXPECT_EQ(RtfDocumentLength(Article.substr(0, Article.size() - 1)), std::nullopt);
    EXPECT_EQ(RtfDocumentLength("plain words"), std::nullopt);
    EXPECT_EQ(RtfDocumentLength(""), std::nullopt);
}

TEST(RtfReader, OnlyTheFirstDocumentIsRead) {
    const std::string first = Doc("first");
    TRecordingSink sink;
    const auto result = ParseRtf(first + Doc("second") + "}}} trailing \\par junk", sink);
    EXPECT_EQ(result.Status, TParseStatus::Complete);
    EXPECT_EQ(result.BytesUsed, first.size());
    EXPECT_EQ(sink.Plain, "first");
    EXPECT_EQ(sink.Ends, 1);
}

TEST(RtfReader, NonRtfIsReportedAndDecodedAsCp1251) {
    TRecordingSink sink;
    EXPECT_EQ(ParseRtf("\xea\xfa\xf9\xe0 {\\rtf1 x}", sink).Status, TParseStatus::NotRtf);
    EXPECT_TRUE(sink.Runs.empty());
    EXPECT_EQ(sink.Ends, 0);
    EXPECT_EQ(RtfToPlainText("\xea\xfa\xf9\xe0\r\nhouse"), "къща\r\nhouse");
    EXPECT_EQ(ParseRtf("{\\rt", sink).Status, TParseStatus::NotRtf);
    EXPECT_EQ(ParseRtf("x{\\rtf1 a}", sink).Status, TParseStatus::NotRtf);
}

TEST(RtfReader, HexEscapesFollowTheFontCodePage) {
    // Font 0 is Cyrillic, font 1 Western, font 2 symbol (the document's code
    // page); text without a font table entry follows the document.
    EXPECT_EQ(RtfToPlainText(Doc(R"(\f0\'e0\'c1 \f1\'e9\'80\'93 \f2\'e0 \f7\'e0)")), "аБ é€“ а а");
    EXPECT_EQ(RtfToPlainText(R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset2 S;}}\'e0})"), "à");
    EXPECT_EQ(RtfToPlainText(R"({\rtf1\ansi\'e0})"), "а");
    // Unescaped high bytes are decoded the same way.
    EXPECT_EQ(RtfToPlainText(Doc("\\f1 \xe9\\f0 \xe9")), "éй");
    // \cpg overrides the charset; a code page without a table falls back.
    EXPECT_EQ(RtfToPlainText(R"({\rtf1{\fonttbl{\f0\fcharset0\cpg1251 A;}{\f1\fcharset238 B;}})"
                             R"(\f0\'e0\f1\'e0})"),
              "аа");
    // A font name written with escapes is decoded in its own code page.
    TRecordingSink sink =
        Parse(R"({\rtf1{\fonttbl{\f3\fcharset204 \'d2\'e8\'ec\'ee\'ea ;}}\f3 x})");
    ASSERT_EQ(sink.Runs.size(), 1u);
    EXPECT_EQ(sink.Runs[0].FontName, "Тимок");
}

TEST(RtfReader, UnicodeEscapesSkipTheirFallback) {
    EXPECT_EQ(RtfToPlainText(Doc(R"(\u1078?a)")), "жa");
    EXPECT_EQ(RtfToPlainText(Doc(R"(\uc0\u1078?a)")), "ж?a");
    EXPECT_EQ(RtfToPlainText(Doc(R"(\uc2\u1078\'e6\'e7a)")), "жa");
    EXPECT_EQ(RtfToPlainText(Doc(R"(\uc2\u1078 ab c)")), "ж c");
    // A control word counts as one fallback character.
    EXPECT_EQ(RtfToPlainText(Doc(R"(\uc1\u1078\emdash a)")), "жa");
    EXPECT_EQ(RtfToPlainText(Doc(R"(\uc1\u1078\par a)")), "жa");
    // Skipping stops at a group boundary.
    EXPECT_EQ(RtfToPlainText(Doc(R"(\uc5\u1078{b}c)")), "жbc");
    // Negative values are 16-bit values read as signed; surrogate pairs join.
    EXPECT_EQ(RtfToPlainText(Doc(R"(\u-3913?\u-10179?\u-8704?)")), "\xef\x82\xb7😀");
    EXPECT_EQ(RtfToPlainText(Doc(R"(\u-10179?x)")), "\xef\xbf\xbdx");
    EXPECT_EQ(RtfToPlainText(Doc(R"(\u10?\u0?\u-65535?a)")), "a");
    // \uc is part of the group state.
    EXPECT_EQ(RtfToPlainText(Doc(R"({\uc0\u1078?}\u1078?)")), "ж?ж");
}

TEST(RtfReader, NestedGroupsRestoreFormatting) {
    TRecordingSink sink = Parse(Doc(R"(\fs20{\b a{\i\ul\fs40\f1 b}c}d{\plain e}\b0\i f)"));
    ASSERT_EQ(sink.Runs.size(), 6u);
    EXPECT_EQ(sink.Runs[0].Text, "a");
    EXPECT_TRUE(sink.Runs[0].Format.Bold);
    EXPECT_EQ(sink.Runs[1].Text, "b");
    EXPECT_TRUE(sink.Runs[1].Format.Bold && sink.Runs[1].Format.Italic);
    EXPECT_TRUE(sink.Runs[1].Format.Underline);
    EXPECT_EQ(sink.Runs[1].Format.FontSizeHalfPoints, 40);
    EXPECT_EQ(sink.Runs[1].FontName, "Arial");
    EXPECT_EQ(sink.Runs[2].Text, "c");
    EXPECT_FALSE(sink.Runs[2].Format.Italic || sink.Runs[2].Format.Underline);
    EXPECT_EQ(sink.Runs[2].Format.FontSizeHalfPoints, 20);
    EXPECT_EQ(sink.Runs[2].FontName, "Timok");
    EXPECT_EQ(sink.Runs[3].Text, "d");
    EXPECT_FALSE(sink.Runs[3].Format.Bold);
    EXPECT_EQ(sink.Runs[3].Format.FontSizeHalfPoints, 20);
    EXPECT_EQ(sink.Runs[4].Text, "e");
    EXPECT_EQ(sink.Runs[4].Format.FontSizeHalfPoints, 24);
    EXPECT_EQ(sink.Runs[4].FontName, "Timok");
    EXPECT_EQ(sink.Runs[5].Text, "f");
    EXPECT_TRUE(sink.Runs[5].Format.Italic);
    EXPECT_EQ(sink.Runs[5].Format.FontSizeHalfPoints, 20);

    sink = Parse(Doc(R"(\ul a\ulnone b\ul c\ul0 d\uldb e\b\i\plain f)"));
    ASSERT_EQ(sink.Runs.size(), 6u);
    const bool underlined[] = {true, false, true, false, true, false};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(sink.Runs[i].Format.Underline, underlined[i]) << i;
    EXPECT_FALSE(sink.Runs[5].Format.Bold || sink.Runs[5].Format.Italic);
}

TEST(RtfReader, ColorTable) {
    TRecordingSink sink = Parse(R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue300;})"
                                R"(\cf1 a\cf2 b\cf0 c\cf9 d{\cf1 e}f})");
    ASSERT_EQ(sink.Runs.size(), 6u);
    EXPECT_EQ(sink.Runs[0].Format.Color, (rtf::TRgb{255, 0, 0}));
    EXPECT_EQ(sink.Runs[1].Format.Color, (rtf::TRgb{0, 0, 255}));
    EXPECT_FALSE(sink.Runs[2].Format.Color.has_value());
    EXPECT_FALSE(sink.Runs[3].Format.Color.has_value());
    EXPECT_EQ(sink.Runs[4].Format.Color, (rtf::TRgb{255, 0, 0}));
    EXPECT_EQ(sink.Runs[5].Text, "f");
    EXPECT_FALSE(sink.Runs[5].Format.Color.has_value());
}

TEST(RtfReader, ParagraphsCarryAlignmentAndIndents) {
    TRecordingSink sink =
        Parse(Doc(R"(\qc\li720\ri360\fi-240 a\par\qr b\par\pard c\par{\qj d\par}e)"));
    EXPECT_EQ(sink.Plain, "a\nb\nc\nd\ne");
    ASSERT_EQ(sink.Paragraphs.size(), 4u);
    EXPECT_EQ(sink.Paragraphs[0], (rtf::TParagraphFormat{TAlignment::Center, 720, 360, -240}));
    EXPECT_EQ(sink.Paragraphs[1].Alignment, TAlignment::Right);
    EXPECT_EQ(sink.Paragraphs[1].LeftIndentTwips, 720);
    EXPECT_EQ(sink.Paragraphs[2], rtf::TParagraphFormat{});
    EXPECT_EQ(sink.Paragraphs[3].Alignment, TAlignment::Justify);
    EXPECT_EQ(sink.LastParagraph.Alignment, TAlignment::Left);
    EXPECT_EQ(Parse(Doc(R"(\qc x)")).LastParagraph.Alignment, TAlignment::Center);
    // A backslash before a line end is a paragraph end.
    EXPECT_EQ(RtfToPlainText(Doc("a\\\r\nb\\\nc")), "a\nb\nc");
}

TEST(RtfReader, SpecialCharacters) {
    EXPECT_EQ(RtfToPlainText(Doc(R"(a\~b\-c\_d\{\}\\)")), "a\u00a0b\u00adc\u2011d{}\\");
    EXPECT_EQ(RtfToPlainText(Doc(R"(\emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote)")),
              "—–•‘’“”");
    EXPECT_EQ(RtfToPlainText(Doc("a\tb\r\nc\nd")), "a\tbcd");
    EXPECT_EQ(RtfToPlainText(Doc(R"(a\cell b\row c)")), "a\tb\nc");
    EXPECT_EQ(RtfToPlainText(Doc(R"(shown{\v hidden}\v hidden\v0 too)")), "showntoo");
}

TEST(RtfReader, DestinationsAndBinaryDataAreSkipped) {
    const std::string skipped =
        R"(a{\*\generator Writer 1.0;}{\info{\title T}{\author X}})"
        R"({\stylesheet{\s0 Normal;}}{\*\unknown{\nested x}y}b{\pict\pngblip 89504e47}{\header h})"
        R"({\footer f}{\*\themedata 5041}{\object{\*\objdata 01}}c{\field{\*\fldinst HYPERLINK "u"})"
        R"({\fldrslt link}})";
    EXPECT_EQ(RtfToPlainText(Doc(skipped)), "abclink");
    // Binary data may hold braces and backslashes; text follows it.
    EXPECT_EQ(RtfToPlainText(Doc("{\\pict\\bin8 }}{\\'x}d}e\\bin3 {{{f")), "ef");
    // Escapes inside skipped groups do not end them early.
    EXPECT_EQ(RtfToPlainText(Doc(R"({\*\x \{ \} \'7d}g)")), "g");
    // The font table's embedded destinations do not leak into font names.
    TRecordingSink sink =
        Parse(R"({\rtf1{\fonttbl{\f0\fswiss{\*\panose 020b}{\*\falt Alt}Real Name;}}\f0 x})");
    ASSERT_EQ(sink.Runs.size(), 1u);
    EXPECT_EQ(sink.Runs[0].FontName, "Real Name");
    // Font tables without a group per font.
    sink = Parse(R"({\rtf1{\fonttbl\f0\froman Times;\f1\fswiss Helvetica;}\f1 x})");
    ASSERT_EQ(sink.Runs.size(), 1u);
    EXPECT_EQ(sink.Runs[0].FontName, "Helvetica");
}
