// The RTF reader on any bytes: articles and reference pages come from data
// files a user may replace or damage.
#include "tests/fuzz/FuzzSupport.h"

#include "platform/Cp1251.h"
#include "rtf/RtfReader.h"

#include <string>

namespace {

bool IsValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (!platform::DecodeUtf8(text, pos)) {
            return false;
        }
    }
    return true;
}

// Checks every report as it arrives; the views it gets live only during the
// call.
class TCheckingSink : public rtf::TRtfSink {
public:
    void Text(std::string_view utf8, const rtf::TCharFormat& format) override {
        ++Calls;
        fuzz::Check(IsValidUtf8(utf8), "a text run is not UTF-8");
        fuzz::Check(IsValidUtf8(format.FontName), "a font name is not UTF-8");
        CheckFormat(format);
        TextBytes += utf8.size();
    }
    void ParagraphEnd(const rtf::TParagraphFormat&, const rtf::TCharFormat& markFormat) override {
        ++Calls;
        CheckFormat(markFormat);
    }
    void LineBreak(const rtf::TCharFormat& format) override {
        ++Calls;
        CheckFormat(format);
    }
    void Tab(const rtf::TCharFormat& format) override {
        ++Calls;
        CheckFormat(format);
    }
    void DocumentEnd(const rtf::TParagraphFormat&) override { ++Ends; }

    std::size_t Calls = 0;
    std::size_t TextBytes = 0;
    int Ends = 0;

private:
    static void CheckFormat(const rtf::TCharFormat& format) {
        fuzz::Check(format.FontSizeHalfPoints > 0 && format.FontSizeHalfPoints <= 3276,
                    "a font size outside the clamp");
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    TCheckingSink sink;
    const rtf::TParseResult result = rtf::ParseRtf(bytes, sink);
    fuzz::Check(result.BytesUsed <= size, "more bytes used than given");
    fuzz::Check(sink.Calls <= size, "more reports than bytes");
    // A byte of code page text becomes at most three bytes of UTF-8; \u
    // escapes take more than three bytes each.
    fuzz::Check(sink.TextBytes <= 3 * size, "the text outgrows the document");
    fuzz::Check(sink.Ends == (result.Status == rtf::TParseStatus::NotRtf ? 0 : 1),
                "not exactly one document end");
    if (result.Status == rtf::TParseStatus::NotRtf) {
        fuzz::Check(result.BytesUsed == 0, "bytes used by data that is not RTF");
        fuzz::Check(sink.Calls == 0, "reports for data that is not RTF");
    }
    if (result.Status == rtf::TParseStatus::Incomplete) {
        fuzz::Check(result.BytesUsed == size, "an incomplete document did not use all data");
    }

    const std::string plain = rtf::RtfToPlainText(bytes);
    fuzz::Check(plain.size() <= 3 * size, "the plain text outgrows the document");
    fuzz::Check(IsValidUtf8(plain), "the plain text is not UTF-8");

    const auto length = rtf::RtfDocumentLength(bytes);
    if (result.Status == rtf::TParseStatus::Complete) {
        fuzz::Check(length == result.BytesUsed, "the document length disagrees with the parse");
        // Bytes after a complete document never change it.
        std::string extended(bytes);
        extended += "}{\\bin99 x";
        fuzz::Check(rtf::RtfDocumentLength(extended) == length,
                    "bytes after the document changed its length");
    } else {
        fuzz::Check(!length.has_value(), "a length for a document that is not complete");
    }
    return 0;
}
