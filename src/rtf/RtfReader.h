#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A reader for the rich-text (RTF) documents that articles and reference
// pages are stored in. It reads the first complete document of a byte stream
// and reports its text and formatting to a sink; it never recurses, never
// allocates beyond a small multiple of the input and always finishes, so a
// damaged article shows as far as it can be read.
namespace rtf {

struct TRgb {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    bool operator==(const TRgb&) const = default;
};

enum class TAlignment { Left, Center, Right, Justify };

// Character formatting of a text run. FontName points into the reader's font
// table and is valid only during the sink call that receives it.
struct TCharFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int FontSizeHalfPoints = 24;
    std::optional<TRgb> Color; // nothing: the viewer's default text colour
    std::string_view FontName; // UTF-8; empty when the document names no font
    int FontCharset = 0;
};

struct TParagraphFormat {
    TAlignment Alignment = TAlignment::Left;
    int LeftIndentTwips = 0;
    int RightIndentTwips = 0;
    int FirstLineIndentTwips = 0;
    bool operator==(const TParagraphFormat&) const = default;
};

// Receives a document in reading order. Text arrives in runs of equal
// formatting; a paragraph's format is known only at its end, so it comes with
// ParagraphEnd (or with DocumentEnd for a last paragraph that has no \par).
class TRtfSink {
public:
    virtual ~TRtfSink() = default;
    virtual void Text(std::string_view utf8, const TCharFormat& format) = 0;
    // markFormat is the formatting in force at the paragraph mark; it sets the
    // height of an empty paragraph.
    virtual void ParagraphEnd(const TParagraphFormat& format, const TCharFormat& markFormat) = 0;
    virtual void LineBreak(const TCharFormat& format) = 0;
    virtual void Tab(const TCharFormat& format) = 0;
    virtual void DocumentEnd(const TParagraphFormat& lastParagraph) = 0;
};

enum class TParseStatus {
    Complete,   // the document's closing brace was found
    Incomplete, // the data ended first; what was read has been reported
    NotRtf,     // the data does not begin with "{\rtf": nothing was reported
};

struct TParseResult {
    TParseStatus Status = TParseStatus::NotRtf;
    // Bytes from the start of the data through the document's closing brace;
    // all of the data when incomplete, 0 when not RTF.
    std::size_t BytesUsed = 0;
};

// Reads the first document of data (optional leading whitespace, then
// "{\rtf" up to its matching brace) and reports it to sink; bytes after the
// document are not looked at.
TParseResult ParseRtf(std::string_view data, TRtfSink& sink);

// The document's text as UTF-8: "\n" for each paragraph end and line break,
// "\t" for each tab. Data that is not RTF is returned decoded from code page
// 1251.
std::string RtfToPlainText(std::string_view rtf);

// The length of the first complete document of data, counted from the start
// of data; nothing when data is not RTF or ends before the document does.
std::optional<std::size_t> RtfDocumentLength(std::string_view data);

// The Windows code page that a font's \fcharset value stands for; nothing
// for charsets that follow the document's own code page (default, symbol,
// Mac).
std::optional<int> CodePageOfCharset(int charset);

} // namespace rtf
