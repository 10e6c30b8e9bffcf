#include "dictool/Builder.h"

#include "dictionary/IndexRecord.h"
#include "dictionary/Letters.h"
#include "dictool/ArticleWriter.h"
#include "dictool/HeadWords.h"
#include "dictool/Transcriber.h"
#include "platform/Cp1251.h"
#include "platform/Paths.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <stdexcept>
#include <unordered_map>

namespace dictool {
namespace {

struct EnglishArticleData {
    std::string Display; // the head-word as the source writes it (UTF-8)
    std::vector<EnglishPart> Parts;
};

struct BulgarianArticleData {
    std::string Display;
    std::vector<std::string> StressedForms;
    std::vector<BulgarianSense> Senses;
};

// One letter's articles, before sorting: head-word bytes and the article.
using LetterArticles = std::vector<std::pair<std::string, std::string>>;

template <typename T> void AddUnique(std::vector<T>& items, const T& item) {
    if (std::find(items.begin(), items.end(), item) == items.end()) {
        items.push_back(item);
    }
}

void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

void WriteLetter(const std::filesystem::path& outDir, int tab, LetterArticles& articles) {
    std::sort(articles.begin(), articles.end(), [](const auto& a, const auto& b) {
        return dictionary::HeadWordLess(a.first, b.first);
    });
    std::string index;
    std::string base;
    index.reserve(articles.size() * sizeof(dictionary::IndexRecord));
    for (auto& [headWord, article] : articles) {
        if (base.size() + article.size() > static_cast<std::size_t>(INT32_MAX)) {
            throw std::runtime_error("the articles of one letter exceed 2 GB");
        }
        dictionary::IndexRecord record;
        dictionary::MakeRecord(record, headWord, static_cast<std::int32_t>(base.size()),
                               static_cast<std::int32_t>(article.size()), 1);
        index.append(reinterpret_cast<const char*>(&record), sizeof record);
        dictionary::ScrambleInPlace(article.data(), article.size());
        base += article;
    }
    WriteFile(platform::ResolvePath(outDir, dictionary::IndexFragment(tab)), index);
    WriteFile(platform::ResolvePath(outDir, dictionary::ArticleFragment(tab, true)), base);
}

} // namespace

BuildReport BuildDictionary(const std::vector<SourceEntry>& entries,
                            const std::filesystem::path& outDir, Transcriber& transcriber) {
    BuildReport report;
    report.SourceEntries = entries.size();

    std::unordered_map<std::string, EnglishArticleData> english;
    std::unordered_map<std::string, BulgarianArticleData> bulgarian;
    std::vector<std::string> englishOrder;
    std::vector<std::string> bulgarianOrder;

    for (const SourceEntry& entry : entries) {
        const auto headWord = EnglishHeadWord(entry.HeadWord);
        if (!headWord) {
            report.Skipped.push_back(entry.HeadWord +
                                     ": no form in code page 1251 that starts with a Latin letter");
            continue;
        }
        if (headWord->size() > dictionary::kMaxHeadWordLength) {
            report.Skipped.push_back(entry.HeadWord + ": longer than 101 characters");
            continue;
        }
        auto [it, inserted] = english.try_emplace(*headWord);
        if (inserted) {
            it->second.Display = entry.HeadWord;
            englishOrder.push_back(*headWord);
        }
        EnglishPart part;
        part.PartOfSpeech = entry.PartOfSpeech;
        part.Transcriptions = entry.Transcriptions;
        if (part.Transcriptions.empty()) {
            const std::string generated = transcriber.Transcribe(entry.HeadWord);
            if (!generated.empty()) {
                part.Transcriptions.push_back(generated);
                ++report.GeneratedTranscriptions;
            }
        }
        for (const Sense& sense : entry.Senses) {
            part.Senses.push_back({sense.Translations, sense.Glosses});
            for (const std::string& translation : sense.Translations) {
                const auto bgWord = BulgarianHeadWord(translation);
                if (!bgWord || bgWord->size() > dictionary::kMaxHeadWordLength) {
                    ++report.SkippedTranslations;
                    continue;
                }
                auto [bg, bgInserted] = bulgarian.try_emplace(*bgWord);
                if (bgInserted) {
                    bg->second.Display = platform::Cp1251ToUtf8(*bgWord);
                    bulgarianOrder.push_back(*bgWord);
                }
                const std::string form = WithoutRemarks(translation);
                if (StripStress(form) != form) {
                    AddUnique(bg->second.StressedForms, form);
                }
                auto sameWord = std::find_if(bg->second.Senses.begin(), bg->second.Senses.end(),
                                             [&](const BulgarianSense& s) {
                                                 return s.EnglishWord == entry.HeadWord &&
                                                        s.PartOfSpeech == entry.PartOfSpeech;
                                             });
                if (sameWord == bg->second.Senses.end()) {
                    bg->second.Senses.push_back({entry.HeadWord, entry.PartOfSpeech, {}});
                    sameWord = bg->second.Senses.end() - 1;
                }
                for (const std::string& gloss : sense.Glosses) {
                    AddUnique(sameWord->Glosses, gloss);
                }
            }
        }
        it->second.Parts.push_back(std::move(part));
    }

    std::array<LetterArticles, dictionary::kLetterCount> letters;
    for (const std::string& headWord : englishOrder) {
        const auto& data = english.at(headWord);
        const int tab = dictionary::TabOfWord(headWord);
        letters[static_cast<std::size_t>(tab)].emplace_back(
            headWord, EnglishArticle(data.Display, data.Parts));
    }
    for (const std::string& headWord : bulgarianOrder) {
        auto& data = bulgarian.at(headWord);
        const int tab = dictionary::TabOfWord(headWord);
        // The brackets hold the stressed forms where the source gives them,
        // else the head-word itself.
        if (data.StressedForms.empty()) {
            data.StressedForms.push_back(data.Display);
        }
        letters[static_cast<std::size_t>(tab)].emplace_back(
            headWord, BulgarianArticle(data.Display, data.StressedForms, data.Senses));
    }
    report.EnglishHeadWords = englishOrder.size();
    report.BulgarianHeadWords = bulgarianOrder.size();

    std::error_code ec;
    std::filesystem::create_directories(outDir / "eg", ec);
    std::filesystem::create_directories(outDir / "bg", ec);
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        WriteLetter(outDir, tab, letters[static_cast<std::size_t>(tab)]);
    }
    return report;
}

} // namespace dictool
