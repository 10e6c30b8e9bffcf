#include "dictool/ArticleWriter.h"

#include "platform/Cp1251.h"

#include <cstdio>

namespace dictool {
namespace {

// Colour table entries: 1 head-word, 2 transcription, 3 part of speech,
// 4 glosses, 5 sense numbers.
constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1026"
    "{\\fonttbl{\\f0\\fnil\\fcharset204 Timok;}}"
    "{\\colortbl;\\red0\\green51\\blue102;\\red153\\green51\\blue0;\\red96\\green96\\blue96;"
    "\\red0\\green102\\blue51;\\red128\\green128\\blue128;}"
    "\\uc1\\pard\\plain\\ql\\sa40\\f0\\fs24 ";

constexpr rtf::TRgb kPartOfSpeechColor{96, 96, 96};
constexpr rtf::TRgb kGlossColor{0, 102, 51};
constexpr rtf::TRgb kTranscriptionColor{153, 51, 0};

constexpr std::string_view kHeadWord = "\\b\\fs30\\cf1";
constexpr std::string_view kTranscription = "\\cf2";
constexpr std::string_view kPartOfSpeech = "\\i\\cf3";
constexpr std::string_view kGloss = "\\cf4";
constexpr std::string_view kNumber = "\\b\\cf5";

std::string JoinTexts(const std::vector<std::string>& items, std::string_view separator) {
    std::string out;
    for (const auto& item : items) {
        out += out.empty() ? "" : std::string(separator);
        out += item;
    }
    return out;
}

// "[a, b]"
std::string Bracketed(const std::vector<std::string>& items) {
    std::string out = "[";
    out += JoinTexts(items, ", ");
    out += ']';
    return out;
}

// "2."
std::string SenseNumber(std::size_t number) {
    std::string out = std::to_string(number);
    out += '.';
    return out;
}

// "— gloss; gloss"
std::string GlossText(const std::vector<std::string>& glosses) {
    std::string out = "\u2014 ";
    out += JoinTexts(glosses, "; ");
    return out;
}

} // namespace

RtfWriter::RtfWriter() : rtf_(kHeader) {}

RtfWriter& RtfWriter::Text(std::string_view utf8) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto ch = platform::DecodeUtf8(utf8, pos);
        if (!ch) {
            ++pos;
            continue;
        }
        if (*ch == '\\' || *ch == '{' || *ch == '}') {
            rtf_ += '\\';
            rtf_ += static_cast<char>(*ch);
        } else if (*ch == '\t') {
            rtf_ += "\\tab ";
        } else if (*ch < 0x20) {
            continue;
        } else if (const auto byte = platform::UnicodeToCp1251(*ch)) {
            if (*byte < 0x80) {
                rtf_ += static_cast<char>(*byte);
            } else {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\'%02x", *byte);
                rtf_ += escape;
            }
        } else if (*ch <= 0xFFFF) {
            AppendUnicode(static_cast<char16_t>(*ch));
        } else {
            const char32_t v = *ch - 0x10000;
            AppendUnicode(static_cast<char16_t>(0xD800 + (v >> 10)));
            AppendUnicode(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        }
    }
    return *this;
}

void RtfWriter::AppendUnicode(char16_t unit) {
    // RTF's \u takes a signed 16-bit number.
    rtf_ += "\\u";
    rtf_ += std::to_string(static_cast<std::int16_t>(unit));
    rtf_ += '?';
}

RtfWriter& RtfWriter::Run(std::string_view controls, std::string_view utf8) {
    rtf_ += '{';
    rtf_ += controls;
    rtf_ += ' ';
    Text(utf8);
    rtf_ += '}';
    return *this;
}

RtfWriter& RtfWriter::Paragraph() {
    rtf_ += "\\par\n";
    return *this;
}

std::string RtfWriter::Finish() {
    rtf_ += '}';
    return std::move(rtf_);
}

namespace {

// Part-of-speech tags of the sources and the labels the articles show.
constexpr std::pair<std::string_view, std::string_view> kLabels[] = {
    {"n", "същ."},
    {"v", "гл."},
    {"adj", "прил."},
    {"adv", "нареч."},
    {"pn", "собств."},
    {"preposition", "предл."},
    {"pronoun", "местоим."},
    {"conjunction", "съюз"},
    {"interjection", "междум."},
    {"numeral", "числ."},
    {"determiner", "определит."},
    {"particle", "частица"},
    {"prefix", "представка"},
    {"suffix", "наставка"},
    {"phraseologicalUnit", "фраза"},
    {"proverb", "поговорка"},
    {"symbol", "символ"},
    {"postposition", "следлог"},
};

} // namespace

std::string PartOfSpeechLabel(std::string_view tag) {
    for (const auto& [from, to] : kLabels) {
        if (from == tag) {
            return std::string(to);
        }
    }
    return std::string(tag);
}

std::vector<std::string> PartOfSpeechLabels() {
    std::vector<std::string> labels;
    for (const auto& label : kLabels) {
        labels.emplace_back(label.second);
    }
    return labels;
}

bool IsPartOfSpeechRun(const rtf::TCharFormat& format) {
    return format.Italic && format.Color == kPartOfSpeechColor;
}

bool IsGlossRun(const rtf::TCharFormat& format) {
    return !format.Italic && format.Color == kGlossColor;
}

bool IsTranscriptionRun(const rtf::TCharFormat& format) {
    return format.Color == kTranscriptionColor;
}

std::string EnglishArticle(std::string_view headWord, const std::vector<EnglishPart>& parts) {
    RtfWriter rtf;
    const std::vector<std::string> headTranscriptions =
        parts.empty() ? std::vector<std::string>() : parts.front().Transcriptions;
    rtf.Run(kHeadWord, headWord).Text(" ");
    rtf.Run(kTranscription, Bracketed(headTranscriptions)).Paragraph();
    for (const auto& part : parts) {
        if (!part.PartOfSpeech.empty()) {
            rtf.Run(kPartOfSpeech, PartOfSpeechLabel(part.PartOfSpeech));
        }
        if (part.Transcriptions != headTranscriptions && !part.Transcriptions.empty()) {
            rtf.Text(" ").Run(kTranscription, Bracketed(part.Transcriptions));
        }
        if (!part.PartOfSpeech.empty() || part.Transcriptions != headTranscriptions) {
            rtf.Paragraph();
        }
        const bool numbered = part.Senses.size() > 1;
        for (std::size_t i = 0; i < part.Senses.size(); ++i) {
            const auto& sense = part.Senses[i];
            if (numbered) {
                rtf.Run(kNumber, SenseNumber(i + 1)).Text(" ");
            }
            rtf.Text(JoinTexts(sense.Translations, ", "));
            if (!sense.Glosses.empty()) {
                rtf.Text(" ").Run(kGloss, GlossText(sense.Glosses));
            }
            rtf.Paragraph();
        }
    }
    return rtf.Finish();
}

std::string BulgarianArticle(std::string_view headWord,
                             const std::vector<std::string>& stressedForms,
                             const std::vector<BulgarianSense>& senses) {
    RtfWriter rtf;
    rtf.Run(kHeadWord, headWord).Text(" ");
    rtf.Run(kTranscription, Bracketed(stressedForms)).Paragraph();
    const bool numbered = senses.size() > 1;
    for (std::size_t i = 0; i < senses.size(); ++i) {
        const auto& sense = senses[i];
        if (numbered) {
            rtf.Run(kNumber, SenseNumber(i + 1)).Text(" ");
        }
        rtf.Run("\\b", sense.EnglishWord);
        if (!sense.PartOfSpeech.empty()) {
            rtf.Text(" ").Run(kPartOfSpeech, PartOfSpeechLabel(sense.PartOfSpeech));
        }
        if (!sense.Glosses.empty()) {
            rtf.Text(" ").Run(kGloss, GlossText(sense.Glosses));
        }
        rtf.Paragraph();
    }
    return rtf.Finish();
}

} // namespace dictool
