#pragma once

#include "rtf/RtfReader.h"

#include <string>
#include <vector>

// Records what the reader reports, with the formatting copied out of the
// reader's short-lived views.
struct TRecordedRun {
    std::string Text;
    rtf::TCharFormat Format;
    std::string FontName;
};

class TRecordingSink : public rtf::TRtfSink {
public:
    void Text(std::string_view utf8, const rtf::TCharFormat& format) override {
        Runs.push_back({std::string(utf8), format, std::string(format.FontName)});
        Runs.back().Format.FontName = {};
        Plain += utf8;
    }
    void ParagraphEnd(const rtf::TParagraphFormat& format, const rtf::TCharFormat&) override {
        Paragraphs.push_back(format);
        Plain += '\n';
    }
    void LineBreak(const rtf::TCharFormat&) override { Plain += "<br>"; }
    void Tab(const rtf::TCharFormat&) override { Plain += "<tab>"; }
    void DocumentEnd(const rtf::TParagraphFormat& lastParagraph) override {
        ++Ends;
        LastParagraph = lastParagraph;
    }

    // The first run whose text contains fragment, or nullptr.
    const TRecordedRun* RunWith(std::string_view fragment) const {
        for (const TRecordedRun& run : Runs)
            if (run.Text.find(fragment) != std::string::npos)
                return &run;
        return nullptr;
    }

    std::vector<TRecordedRun> Runs;
    std::vector<rtf::TParagraphFormat> Paragraphs;
    rtf::TParagraphFormat LastParagraph;
    std::string Plain;
    int Ends = 0;
};
