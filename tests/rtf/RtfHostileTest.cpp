// Damaged and hostile documents: each must end in a partial result, with
// output and work bounded by the size of the input.
#include "tests/rtf/RecordingSink.h"

#include "platform/Cp1251.h"
#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

using rtf::ParseRtf;
using rtf::RtfDocumentLength;
using rtf::RtfToPlainText;
using rtf::TParseStatus;

namespace {

bool IsValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size())
        if (!platform::DecodeUtf8(text, pos))
            return false;
    return true;
}

// Counts every report, to bound the work a document can cause.
class TCountingSink : public TRecordingSink {
public:
    void Text(std::string_view utf8, const rtf::TCharFormat& format) override {
        ++Calls;
        TRecordingSink::Text(utf8, format);
    }
    void ParagraphEnd(const rtf::TParagraphFormat& f, const rtf::TCharFormat& m) override {
        ++Calls;
        TRecordingSink::ParagraphEnd(f, m);
    }
    void LineBreak(const rtf::TCharFormat& format) override {
        ++Calls;
        TRecordingSink::LineBreak(format);
    }
    void Tab(const rtf::TCharFormat& format) override {
        ++Calls;
        TRecordingSink::Tab(format);
    }
    std::size_t Calls = 0;
};

// The properties every input must keep, whatever its bytes.
void CheckBounded(const std::string& data) {
    TCountingSink sink;
    const auto result = ParseRtf(data, sink);
    ASSERT_LE(result.BytesUsed, data.size());
    ASSERT_LE(sink.Calls, data.size());
    ASSERT_EQ(sink.Ends, result.Status == TParseStatus::NotRtf ? 0 : 1);
    const std::string plain = RtfToPlainText(data);
    ASSERT_LE(plain.size(), 3 * data.size());
    ASSERT_TRUE(IsValidUtf8(plain));
    const auto length = RtfDocumentLength(data);
    if (result.Status == TParseStatus::Complete) {
        ASSERT_EQ(length, result.BytesUsed);
        // Bytes after a complete document never change it.
        ASSERT_EQ(RtfDocumentLength(data + "}{\\bin99 x"), length);
    } else {
        ASSERT_EQ(length, std::nullopt);
    }
}

} // namespace

TEST(RtfHostile, UnbalancedBraces) {
    TRecordingSink sink;
    auto result = ParseRtf(R"({\rtf1 {\b bold {\i more)", sink);
    EXPECT_EQ(result.Status, TParseStatus::Incomplete);
    EXPECT_EQ(sink.Plain, "bold more");
    EXPECT_EQ(sink.Ends, 1);

    sink = TRecordingSink{};
    const std::string early = R"({\rtf1 a}})";
    result = ParseRtf(early + "b}", sink);
    EXPECT_EQ(result.Status, TParseStatus::Complete);
    EXPECT_EQ(result.BytesUsed, early.size() - 1);
    EXPECT_EQ(sink.Plain, "a");
}

TEST(RtfHostile, DeepNesting) {
    const std::size_t depth = 100'000;
    const std::string open(depth, '{');
    const std::string close(depth, '}');
    const std::string balanced = R"({\rtf1 )" + open + R"(\b x)" + close + "y}";
    TRecordingSink sink;
    const auto result = ParseRtf(balanced, sink);
    EXPECT_EQ(result.Status, TParseStatus::Complete);
    EXPECT_EQ(result.BytesUsed, balanced.size());
    EXPECT_EQ(sink.Plain, "xy");
    ASSERT_EQ(sink.Runs.size(), 2u);
    EXPECT_TRUE(sink.Runs[0].Format.Bold);
    EXPECT_FALSE(sink.Runs[1].Format.Bold);

    sink = TRecordingSink{};
    EXPECT_EQ(ParseRtf(R"({\rtf1 )" + open + "z", sink).Status, TParseStatus::Incomplete);
    EXPECT_EQ(sink.Plain, "z");
    // Deep groups inside a skipped destination stay skipped.
    EXPECT_EQ(RtfToPlainText(R"({\rtf1 {\*\x )" + open + "hidden" + close + "}shown}"), "shown");
}

TEST(RtfHostile, TruncatedEscapesAndControlWords) {
    const std::array<std::pair<const char*, const char*>, 10> cases = {{
        {R"({\rtf1 a\)", "a"},
        {R"({\rtf1 a\')", "a"},
        {R"({\rtf1 a\'e)", "a"},
        {R"({\rtf1 a\'e0)", "aа"},
        {R"({\rtf1 a\u)", "a"},
        {R"({\rtf1 a\u-)", "a-"},
        {R"({\rtf1 a\u1078)", "aж"},
        {R"({\rtf1 a\par)", "a\n"},
        {R"({\rtf1 a\bin)", "a"},
        {R"({\rtf1 a\'zz)", "azz"},
    }};
    for (const auto& [data, plain] : cases) {
        SCOPED_TRACE(data);
        TRecordingSink sink;
        EXPECT_EQ(ParseRtf(data, sink).Status, TParseStatus::Incomplete);
        EXPECT_EQ(RtfToPlainText(data), plain);
    }
}

TEST(RtfHostile, HugeParametersAreClamped) {
    TRecordingSink sink;
    ParseRtf(R"({\rtf1 \fs99999999999999999999 a\fs-5 b\fs0 c\li-99999999999 \par})", sink);
    ASSERT_EQ(sink.Runs.size(), 2u);
    EXPECT_EQ(sink.Runs[0].Format.FontSizeHalfPoints, 3276);
    EXPECT_EQ(sink.Runs[1].Text, "bc");
    EXPECT_EQ(sink.Runs[1].Format.FontSizeHalfPoints, 24);
    ASSERT_EQ(sink.Paragraphs.size(), 1u);
    EXPECT_EQ(sink.Paragraphs[0].LeftIndentTwips, -1'000'000'000);

    EXPECT_EQ(RtfToPlainText(R"({\rtf1 \u99999999999 ?x\u-99999999999 ?y})"),
              "\xef\xbf\xbdx\xef\xbf\xbdy");
    EXPECT_EQ(RtfToPlainText(R"({\rtf1 \uc99999999999 \u1078 abc\par{d}})"), "жd");
    EXPECT_EQ(RtfToPlainText(R"({\rtf1 \f99999999999 \'e0\cf-7 \cf99999999999 b})"), "аb");
    TRecordingSink binary;
    EXPECT_EQ(ParseRtf(R"({\rtf1 a\bin99999999999999999 }}}})", binary).Status,
              TParseStatus::Incomplete);
    EXPECT_EQ(binary.Plain, "a");
    EXPECT_EQ(RtfToPlainText(R"({\rtf1 \bin-5 x})"), "x");
    const std::string longWord = "{\\rtf1 \\" + std::string(100'000, 'b') + " x}";
    EXPECT_EQ(RtfToPlainText(longWord), "x");
    const std::string longNumber = "{\\rtf1 \\b" + std::string(100'000, '9') + " x}";
    EXPECT_EQ(RtfToPlainText(longNumber), "x");
}

TEST(RtfHostile, NulBytesAreDropped) {
    const std::string data("{\\rtf1 a\0b\0\\'00c}", 17);
    TRecordingSink sink;
    EXPECT_EQ(ParseRtf(data, sink).Status, TParseStatus::Complete);
    EXPECT_EQ(sink.Plain, "abc");
}

TEST(RtfHostile, TokenSoupFuzz) {
    const std::array<std::string, 28> fragments = {"{",
                                                   "}",
                                                   "{",
                                                   "}",
                                                   "\\b ",
                                                   "\\b0 ",
                                                   "\\i",
                                                   "\\u-3913?",
                                                   "\\u55357?",
                                                   "\\'e0",
                                                   "\\'",
                                                   "\\uc2 ",
                                                   "\\bin",
                                                   "\\bin4 ",
                                                   "{\\*\\x ",
                                                   "{\\fonttbl{\\f0\\fcharset204 A;}",
                                                   "{\\colortbl;\\red1;",
                                                   "\\par ",
                                                   "\\line",
                                                   "\\tab",
                                                   "\\f1 ",
                                                   "\\cf2 ",
                                                   "text ",
                                                   "\xe0\xff",
                                                   std::string(1, '\0'),
                                                   "\\",
                                                   "\\\n",
                                                   "\\pard\\qc "};
    std::mt19937 random(20240611);
    for (int iteration = 0; iteration < 3000; ++iteration) {
        std::string data = iteration % 10 == 0 ? "" : "{\\rtf1 ";
        const int count = static_cast<int>(random() % 200);
        for (int i = 0; i < count; ++i) {
            if (random() % 8 == 0)
                data.push_back(static_cast<char>(random() % 256));
            else
                data += fragments[random() % fragments.size()];
        }
        ASSERT_NO_FATAL_FAILURE(CheckBounded(data)) << "iteration " << iteration;
    }
}

TEST(RtfHostile, MutatedArticleFuzz) {
    const std::string article =
        R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fnil\fcharset204 Timok;}})"
        R"({\colortbl;\red0\green64\blue160;}\uc1\pard\plain\ql\f0\fs32{\b house} )"
        R"({\cf1 [\u712?ha\u650?s]}\line\par{\i n}\par 1. \'ea\'fa\'f9\'e0\bin2 ab\par})";
    std::mt19937 random(7);
    for (int iteration = 0; iteration < 3000; ++iteration) {
        std::string data = article;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < edits && !data.empty(); ++i) {
            const std::size_t at = random() % data.size();
            switch (random() % 3) {
            case 0:
                data[at] = static_cast<char>(random() % 256);
                break;
            case 1:
                data.erase(at, 1 + random() % 16);
                break;
            default:
                data.insert(at, 1, "{}\\'0123456789-"[random() % 15]);
                break;
            }
        }
        ASSERT_NO_FATAL_FAILURE(CheckBounded(data)) << "iteration " << iteration;
    }
}
