#include "dictool/Abbreviations.h"

#include "dictionary/LetterIndex.h"
#include "dictionary/Lookup.h"
#include "dictool/ArticleWriter.h"
#include "platform/Cp1251.h"
#include "rtf/RtfReader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <stdexcept>

namespace dictool {
namespace {

bool IsWordCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// Appends the gloss abbreviations of a gloss's text, each where it stands as
// a word of its own: "tr." in "(tr.) to lessen", not in "tr.ansit".
void FindGlossAbbreviations(std::string_view text, std::vector<std::string>& out) {
    std::vector<std::pair<std::size_t, std::string>> found;
    for (const std::string& abbreviation : GlossAbbreviations()) {
        for (std::size_t at = text.find(abbreviation); at != std::string_view::npos;
             at = text.find(abbreviation, at + 1)) {
            const std::size_t end = at + abbreviation.size();
            const bool startsWord = at == 0 || !IsWordCharacter(text[at - 1]);
            // "sth" ends a word before a full stop too; "tr." ends with its own.
            const bool endsWord = end == text.size() || !IsWordCharacter(text[end]) ||
                                  (abbreviation.back() != '.' && text[end] == '.' &&
                                   (end + 1 == text.size() || !IsWordCharacter(text[end + 1])));
            if (startsWord && endsWord) {
                found.emplace_back(at, abbreviation);
            }
        }
    }
    std::sort(found.begin(), found.end());
    for (auto& [at, abbreviation] : found) {
        out.push_back(std::move(abbreviation));
    }
}

class LabelSink : public rtf::TRtfSink {
public:
    explicit LabelSink(std::vector<std::string>& out) : out_(out) {}
    void Text(std::string_view utf8, const rtf::TCharFormat& format) override {
        if (IsPartOfSpeechRun(format)) {
            out_.emplace_back(utf8);
        } else if (IsGlossRun(format)) {
            FindGlossAbbreviations(utf8, out_);
        }
    }
    void ParagraphEnd(const rtf::TParagraphFormat&, const rtf::TCharFormat&) override {}
    void LineBreak(const rtf::TCharFormat&) override {}
    void Tab(const rtf::TCharFormat&) override {}
    void DocumentEnd(const rtf::TParagraphFormat&) override {}

private:
    std::vector<std::string>& out_;
};

// Collects, per paragraph, the text before its first " — ".
class KeySink : public rtf::TRtfSink {
public:
    explicit KeySink(std::set<std::string>& out) : out_(out) {}
    void Text(std::string_view utf8, const rtf::TCharFormat&) override { paragraph_ += utf8; }
    void ParagraphEnd(const rtf::TParagraphFormat&, const rtf::TCharFormat&) override { End(); }
    void LineBreak(const rtf::TCharFormat&) override { paragraph_ += ' '; }
    void Tab(const rtf::TCharFormat&) override { paragraph_ += ' '; }
    void DocumentEnd(const rtf::TParagraphFormat&) override { End(); }

private:
    void End() {
        const std::size_t dash = paragraph_.find(kSeparator);
        if (dash != std::string::npos) {
            const std::string head = paragraph_.substr(0, dash);
            const std::size_t first = head.find_first_not_of(' ');
            if (first != std::string::npos) {
                out_.insert(head.substr(first));
            }
        }
        paragraph_.clear();
    }

    static constexpr std::string_view kSeparator = " \u2014 ";
    std::set<std::string>& out_;
    std::string paragraph_;
};

} // namespace

const std::vector<std::string>& GlossAbbreviations() {
    static const std::vector<std::string> abbreviations = {
        "e.g.",  "i.e.", "etc.", "esp.",    "cf.",  "sb",   "sth",  "US",     "UK",
        "intr.", "tr.",  "fig.", "colloq.", "gen.", "spp.", "var.", "subsp.", "ssp."};
    return abbreviations;
}

std::vector<std::string> ArticleAbbreviations(std::string_view articleRtf) {
    std::vector<std::string> labels;
    LabelSink sink(labels);
    rtf::ParseRtf(articleRtf, sink);
    return labels;
}

std::map<std::string, std::size_t> UsedAbbreviations(const dictionary::DictionaryIndex& index) {
    std::map<std::string, std::size_t> used;
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        const auto& letter = index.Letter(tab);
        for (std::size_t p = 0; p < letter.Size(); ++p) {
            std::vector<std::string> labels =
                ArticleAbbreviations(dictionary::ReadArticle(index, tab, letter.Record(p)));
            const std::set<std::string> distinct(labels.begin(), labels.end());
            for (const std::string& label : distinct) {
                ++used[label];
            }
        }
    }
    return used;
}

std::set<std::string> KeyAbbreviations(std::string_view keyRtf) {
    std::set<std::string> entries;
    KeySink sink(entries);
    rtf::ParseRtf(keyRtf, sink);
    return entries;
}

std::vector<std::string> UnexplainedAbbreviations(const std::map<std::string, std::size_t>& used,
                                                  const std::set<std::string>& key) {
    std::vector<std::string> missing;
    for (const auto& [label, count] : used) {
        if (!key.contains(label)) {
            missing.push_back(label);
        }
    }
    return missing;
}

std::string EscapeRtfPage(std::string_view utf8Rtf) {
    std::string out;
    out.reserve(utf8Rtf.size() * 2);
    std::size_t pos = 0;
    while (pos < utf8Rtf.size()) {
        const std::size_t start = pos;
        const auto ch = platform::DecodeUtf8(utf8Rtf, pos);
        if (!ch) {
            throw std::runtime_error("not UTF-8 at byte " + std::to_string(start));
        }
        char escape[16];
        if (*ch < 0x80) {
            out += static_cast<char>(*ch);
        } else if (const auto byte = platform::UnicodeToCp1251(*ch)) {
            std::snprintf(escape, sizeof escape, "\\'%02x", *byte);
            out += escape;
        } else if (*ch <= 0xFFFF) {
            // RTF's \u takes a signed 16-bit number.
            std::snprintf(escape, sizeof escape, "\\u%d?", static_cast<std::int16_t>(*ch));
            out += escape;
        } else {
            throw std::runtime_error("character outside the Basic Multilingual Plane at byte " +
                                     std::to_string(start));
        }
    }
    return out;
}

} // namespace dictool
