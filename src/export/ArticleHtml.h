#pragma once

#include <string>
#include <string_view>

namespace exporting {

// An article taken apart for a flash card. Articles begin with a head line,
// "head-word [transcription]", and give the translation below it.
struct TArticleParts {
    std::string Transcription;   // UTF-8, without its brackets; empty when the head line has none
    std::string TranslationHtml; // the lines below the head line, bold and italic kept
};

// headWord is UTF-8; a first line that does not begin with it is no head
// line and stays part of the translation. Text that is not RTF gives nothing.
TArticleParts SplitArticle(std::string_view rtf, std::string_view headWord);

// Text made safe for HTML: & < > " escaped.
std::string EscapeHtml(std::string_view text);

} // namespace exporting
