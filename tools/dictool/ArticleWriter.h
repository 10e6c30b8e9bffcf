#pragma once

#include "rtf/RtfReader.h"

#include <string>
#include <string_view>
#include <vector>

namespace dictool {

// Writes RTF documents in code page 1251: bytes above 127 as \'hh, characters
// the code page lacks (IPA symbols, stress marks) as \uN with a '?' fallback.
class RtfWriter {
public:
    RtfWriter();

    RtfWriter& Text(std::string_view utf8);
    // A formatted run: controls such as "\\b\\cf1" applied to the text only.
    RtfWriter& Run(std::string_view controls, std::string_view utf8);
    RtfWriter& Paragraph();
    std::string Finish();

private:
    void AppendUnicode(char16_t unit);
    std::string rtf_;
};

// What an English head-word's article shows of one source entry.
struct EnglishPart {
    std::string PartOfSpeech;
    std::vector<std::string> Transcriptions;
    struct SenseText {
        std::vector<std::string> Translations;
        std::vector<std::string> Glosses;
    };
    std::vector<SenseText> Senses;
};

// The article of an English head-word: "head-word [transcription]", a line
// break, then each entry's part of speech and numbered senses.
std::string EnglishArticle(std::string_view headWord, const std::vector<EnglishPart>& parts);

// One English word that translates a Bulgarian head-word.
struct BulgarianSense {
    std::string EnglishWord;
    std::string PartOfSpeech;
    std::vector<std::string> Glosses;
};

// The article of a Bulgarian head-word: "head-word [stressed forms]", a line
// break, then the English words with their glosses.
std::string BulgarianArticle(std::string_view headWord,
                             const std::vector<std::string>& stressedForms,
                             const std::vector<BulgarianSense>& senses);

// The reader's name of a source's part-of-speech tag ("n" → "същ."). Unknown
// tags are shown as they are.
std::string PartOfSpeechLabel(std::string_view tag);

// Every label PartOfSpeechLabel gives for a known tag.
std::vector<std::string> PartOfSpeechLabels();

// Whether a text run of an article is a part-of-speech label: the articles
// set labels in italics in their own colour.
bool IsPartOfSpeechRun(const rtf::TCharFormat& format);

// Whether a text run of an article is an English gloss, in its own colour.
bool IsGlossRun(const rtf::TCharFormat& format);

// Whether a text run of an article is a bracketed transcription (English
// articles) or stressed form (Bulgarian ones), in its own colour.
bool IsTranscriptionRun(const rtf::TCharFormat& format);

} // namespace dictool
