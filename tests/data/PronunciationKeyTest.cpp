// The pronunciation key against what the default data folder shows and
// speaks: every symbol of an article's transcription is one the key or its
// pages explain.
#include "dictionary/Lookup.h"
#include "dictool/Abbreviations.h"
#include "dictool/ArticleWriter.h"
#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRunDir = DICT_RUN_DIR;

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The symbol of each line of the key: between the no-break space that pads
// the line and the two after the symbol.
std::vector<std::string> KeyLineSymbols() {
    const std::string text = rtf::RtfToPlainText(FileBytes(kRunDir / "rtf/trans.rtf"));
    const std::string pad = "\u00a0";
    std::vector<std::string> symbols;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        const std::size_t from = line.find(pad);
        const std::size_t to = line.find(pad + pad, from + pad.size());
        if (from != std::string::npos && to != std::string::npos) {
            symbols.push_back(line.substr(from + pad.size(), to - from - pad.size()));
        }
        start = end + 1;
    }
    return symbols;
}

class TranscriptionSink : public rtf::TRtfSink {
public:
    explicit TranscriptionSink(std::vector<std::string>& out) : out_(out) {}
    void Text(std::string_view utf8, const rtf::TCharFormat& format) override {
        if (dictool::IsTranscriptionRun(format)) {
            out_.emplace_back(utf8);
        }
    }
    void ParagraphEnd(const rtf::TParagraphFormat&, const rtf::TCharFormat&) override {}
    void LineBreak(const rtf::TCharFormat&) override {}
    void Tab(const rtf::TCharFormat&) override {}
    void DocumentEnd(const rtf::TParagraphFormat&) override {}

private:
    std::vector<std::string>& out_;
};

TEST(Transcriptions, EverySymbolAnArticleShowsIsExplainedByTheKey) {
    std::vector<std::string> symbols = KeyLineSymbols();
    ASSERT_EQ(symbols.size(), 48u);
    // The marks the key's symbols do not hold are explained on the pages.
    for (const char* page : {"bg", "eng"}) {
        const auto explained =
            dictool::KeyAbbreviations(FileBytes(kRunDir / "rtf" / (std::string(page) + ".rtf")));
        for (const char* mark : {"ˈ", "ˌ", "ː"}) {
            EXPECT_TRUE(explained.contains(mark)) << page << " does not explain " << mark;
        }
    }
    symbols.insert(symbols.end(), {"ˈ", "ˌ", " "});
    std::sort(symbols.begin(), symbols.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });

    dictionary::DictionaryIndex index;
    ASSERT_TRUE(index.Load(kRunDir).Complete());
    std::map<std::string, std::pair<std::size_t, std::string>> unexplained; // count, example
    std::size_t transcriptions = 0;
    std::size_t twoVariants = 0;
    for (int tab = 0; tab < dictionary::kLatinCount; ++tab) {
        const auto& letter = index.Letter(tab);
        for (std::size_t p = 0; p < letter.Size(); ++p) {
            std::vector<std::string> runs;
            TranscriptionSink sink(runs);
            rtf::ParseRtf(dictionary::ReadArticle(index, tab, letter.Record(p)), sink);
            for (std::string run : runs) {
                ASSERT_TRUE(run.size() >= 2 && run.front() == '[' && run.back() == ']') << run;
                run = run.substr(1, run.size() - 2);
                ++transcriptions;
                const auto comma = run.find(", ");
                EXPECT_EQ(run.find(", ", comma + 1), std::string::npos)
                    << "more than two variants: " << run;
                twoVariants += comma != std::string::npos ? 1 : 0;
                for (std::size_t at = 0; at < run.size();) {
                    if (at == comma) {
                        at += 2;
                        continue;
                    }
                    const auto symbol =
                        std::find_if(symbols.begin(), symbols.end(), [&](const std::string& s) {
                            return run.compare(at, s.size(), s) == 0;
                        });
                    if (symbol != symbols.end()) {
                        at += symbol->size();
                        continue;
                    }
                    // One character, however many bytes it takes.
                    std::size_t next = at + 1;
                    while (next < run.size() &&
                           (static_cast<unsigned char>(run[next]) & 0xC0) == 0x80) {
                        ++next;
                    }
                    auto& [count, example] = unexplained[run.substr(at, next - at)];
                    if (count++ == 0) {
                        example = std::string(letter.HeadWords[p]) + " [" + run + "]";
                    }
                    at = next;
                }
            }
        }
    }
    EXPECT_GT(transcriptions, 28000u);
    EXPECT_GT(twoVariants, 1000u) << "British and American variants";
    for (const auto& [character, seen] : unexplained) {
        ADD_FAILURE() << "\"" << character << "\" appears " << seen.first
                      << " times, unexplained by the key; e.g. " << seen.second;
    }
}

} // namespace
