#include "export/ArticleHtml.h"

#include "rtf/RtfReader.h"

#include <vector>

namespace exporting {

namespace {

struct TRun {
    std::string Text;
    bool Bold = false;
    bool Italic = false;
};

using TLine = std::vector<TRun>;

// Collects the document as lines of runs; paragraph ends and line breaks
// both end a line, a tab becomes a blank.
class TLineSink : public rtf::TRtfSink {
public:
    void Text(std::string_view utf8, const rtf::TCharFormat& format) override {
        Append(utf8, format);
    }
    void ParagraphEnd(const rtf::TParagraphFormat&, const rtf::TCharFormat&) override {
        lines_.emplace_back();
    }
    void LineBreak(const rtf::TCharFormat&) override { lines_.emplace_back(); }
    void Tab(const rtf::TCharFormat& format) override { Append(" ", format); }
    void DocumentEnd(const rtf::TParagraphFormat&) override {}

    std::vector<TLine> TakeLines() {
        while (!lines_.empty() && lines_.back().empty()) {
            lines_.pop_back();
        }
        return std::move(lines_);
    }

private:
    void Append(std::string_view text, const rtf::TCharFormat& format) {
        TLine& line = lines_.back();
        if (!line.empty() && line.back().Bold == format.Bold &&
            line.back().Italic == format.Italic) {
            line.back().Text += text;
        } else {
            line.push_back({std::string(text), format.Bold, format.Italic});
        }
    }

    std::vector<TLine> lines_{1};
};

std::string PlainText(const TLine& line) {
    std::string text;
    for (const TRun& run : line) {
        text += run.Text;
    }
    return text;
}

std::string LineHtml(const TLine& line) {
    std::string html;
    for (const TRun& run : line) {
        std::string text = EscapeHtml(run.Text);
        if (run.Italic) {
            text = "<i>" + text + "</i>";
        }
        if (run.Bold) {
            text = "<b>" + text + "</b>";
        }
        html += text;
    }
    return html;
}

} // namespace

std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

TArticleParts SplitArticle(std::string_view rtf, std::string_view headWord) {
    TLineSink sink;
    if (rtf::ParseRtf(rtf, sink).Status == rtf::TParseStatus::NotRtf) {
        return {};
    }
    std::vector<TLine> lines = sink.TakeLines();
    TArticleParts parts;
    std::size_t first = 0;
    if (!lines.empty()) {
        const std::string head = PlainText(lines[0]);
        if (!headWord.empty() && head.starts_with(headWord)) {
            first = 1;
            const std::size_t open = head.find('[', headWord.size());
            const std::size_t close = open == std::string::npos ? open : head.find(']', open);
            if (close != std::string::npos) {
                parts.Transcription = head.substr(open + 1, close - open - 1);
            }
        }
    }
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (!parts.TranslationHtml.empty()) {
            parts.TranslationHtml += "<br>";
        }
        parts.TranslationHtml += LineHtml(lines[i]);
    }
    return parts;
}

} // namespace exporting
