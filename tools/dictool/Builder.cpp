#include "dictool/Builder.h"

#include "dictionary/IndexRecord.h"
#include "dictionary/LetterIndex.h"
#include "dictionary/Letters.h"
#include "dictool/ArticleWriter.h"
#include "dictool/HeadWords.h"
#include "dictool/KeyNotation.h"
#include "dictool/LetterFiles.h"
#include "dictool/Transcriber.h"
#include "platform/Cp1251.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/TemporaryFiles.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
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

// The user's own records of an index file, in file order.
std::vector<dictionary::IndexRecord> UserRecords(std::string_view bytes) {
    std::vector<dictionary::IndexRecord> records;
    for (std::size_t at = 0; at + sizeof(dictionary::IndexRecord) <= bytes.size();
         at += sizeof(dictionary::IndexRecord)) {
        dictionary::IndexRecord record;
        std::memcpy(&record, bytes.data() + at, sizeof record);
        if (record.IsBase == 0) {
            records.push_back(record);
        }
    }
    return records;
}

std::string Quoted(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "\"" : ", \"") + word + "\"";
    }
    return text;
}

using LetterCounts = std::array<std::size_t, dictionary::kLetterCount>;

// Looks for the user's words in the folder's index files before anything is
// written, and counts them per letter. Throws when they are to be refused, or
// when an index cannot be read and so might hold some.
LetterCounts CheckUserWords(const std::filesystem::path& outDir, UserWords userWords) {
    LetterCounts perLetter{};
    if (userWords == UserWords::Drop) {
        return perLetter;
    }
    std::size_t count = 0;
    std::vector<std::string> examples;
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        const auto path = platform::ResolvePath(outDir, dictionary::IndexFragment(tab));
        std::string bytes;
        const int failure =
            platform::ReadWholeFile(path, bytes, dictionary::kMaxIndexFileBytes).Errno();
        if (failure == ENOENT || failure == ENOTDIR) {
            continue;
        }
        if (failure != 0) {
            throw std::runtime_error("cannot read " + path.string() + " (" +
                                     platform::FileErrorText(failure) +
                                     "), so the user's own words in it cannot be kept");
        }
        for (const auto& record : UserRecords(bytes)) {
            ++count;
            ++perLetter[static_cast<std::size_t>(tab)];
            if (examples.size() < 5) {
                examples.push_back(platform::Cp1251ToUtf8(record.HeadWord()));
            }
        }
    }
    if (count > 0 && userWords == UserWords::Refuse) {
        throw UserWordsFound(outDir.string() + " holds " + std::to_string(count) +
                                 (count == 1 ? " word" : " words") +
                                 " of the user's own dictionary (" + Quoted(examples) +
                                 (count > examples.size() ? ", ..." : "") + ")",
                             count);
    }
    return perLetter;
}

std::string LetterName(int tab) {
    return platform::Cp1251ToUtf8(std::string(1, dictionary::TabCaption(tab)));
}

// The program refuses an index file above its limit, and the article
// offsets are 32-bit: a letter beyond either is refused before anything is
// written, rather than built into a folder the program cannot read.
void CheckLetterFits(int tab, std::size_t records, std::size_t articleBytes = 0) {
    constexpr std::uintmax_t kMaxRecords =
        dictionary::kMaxIndexFileBytes / sizeof(dictionary::IndexRecord);
    if (records > kMaxRecords) {
        throw std::runtime_error(
            "letter " + LetterName(tab) + " would get " + std::to_string(records) +
            " index records (" + std::to_string(records * sizeof(dictionary::IndexRecord)) +
            " bytes), more than the " + std::to_string(kMaxRecords) +
            " records of the largest index file the program reads (" +
            std::to_string(dictionary::kMaxIndexFileBytes >> 20) + " MiB); nothing was built");
    }
    if (articleBytes > static_cast<std::size_t>(INT32_MAX)) {
        throw std::runtime_error("the articles of letter " + LetterName(tab) +
                                 " would exceed 2 GB; nothing was built");
    }
}

void WriteLetter(const std::filesystem::path& outDir, int tab, LetterArticles& articles,
                 UserWords userWords, BuildReport& report) {
    std::sort(articles.begin(), articles.end(), [](const auto& a, const auto& b) {
        return dictionary::HeadWordLess(a.first, b.first);
    });
    std::vector<dictionary::IndexRecord> records;
    std::string base;
    records.reserve(articles.size());
    for (auto& [headWord, article] : articles) {
        dictionary::IndexRecord& record = records.emplace_back();
        dictionary::MakeRecord(record, headWord, static_cast<std::int32_t>(base.size()),
                               static_cast<std::int32_t>(article.size()), 1);
        dictionary::ScrambleInPlace(article.data(), article.size());
        base += article;
    }

    // The user's words are read again under the lock, so that one saved by
    // the program since the count above is not lost either.
    const auto indexPath = platform::ResolvePath(outDir, dictionary::IndexFragment(tab));
    platform::TFileLock lock;
    if (const int failure = lock.Lock(indexPath).Errno(); failure != 0) {
        throw std::runtime_error("cannot open " + indexPath.string() + ": " +
                                 platform::FileErrorText(failure));
    }
    std::string current;
    const int failure = lock.Read(current, dictionary::kMaxIndexFileBytes).Errno();
    if (failure != 0 && userWords != UserWords::Drop) {
        throw std::runtime_error("cannot read " + indexPath.string() + ": " +
                                 platform::FileErrorText(failure));
    }
    const auto user = UserRecords(current);
    if (!user.empty() && userWords == UserWords::Refuse) {
        throw UserWordsFound(indexPath.string() + " holds words of the user's own dictionary",
                             user.size());
    }
    if (userWords == UserWords::Keep) {
        // Words saved since the first count may have filled the letter.
        CheckLetterFits(tab, records.size() + user.size());
        // Each after every head-word that sorts before it or equal to it, as
        // saving a word files it.
        for (const auto& record : user) {
            auto at = std::find_if(records.begin(), records.end(), [&](const auto& other) {
                return dictionary::HeadWordLess(record.HeadWord(), other.HeadWord());
            });
            records.insert(at, record);
        }
        report.KeptUserWords += user.size();
    } else {
        report.DroppedUserWords += user.size();
    }
    ReplaceLetterFiles(platform::ResolvePath(outDir, dictionary::ArticleFragment(tab, true)),
                       indexPath, current, base, records);
}

} // namespace

BuildReport BuildDictionary(const std::vector<SourceEntry>& entries,
                            const std::filesystem::path& outDir, Transcriber& transcriber,
                            UserWords userWords) {
    const LetterCounts userCounts = CheckUserWords(outDir, userWords);
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
        // Written in the pronunciation key's notation, so that the key
        // explains every symbol the article shows.
        part.Transcriptions = KeyTranscriptions(entry.Transcriptions, entry.HeadWord);
        if (part.Transcriptions.empty()) {
            const std::string generated = transcriber.Transcribe(entry.HeadWord);
            if (!generated.empty()) {
                part.Transcriptions = KeyTranscriptions({generated}, entry.HeadWord);
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

    LetterCounts records = userCounts;
    for (const auto* order : {&englishOrder, &bulgarianOrder}) {
        for (const std::string& headWord : *order) {
            ++records[static_cast<std::size_t>(dictionary::TabOfWord(headWord))];
        }
    }
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        CheckLetterFits(tab, records[static_cast<std::size_t>(tab)]);
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
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        std::size_t bytes = 0;
        for (const auto& article : letters[static_cast<std::size_t>(tab)]) {
            bytes += article.second.size();
        }
        CheckLetterFits(tab, 0, bytes);
    }

    for (const char* folder : {"eg", "bg"}) {
        std::error_code ec;
        std::filesystem::create_directories(outDir / folder, ec);
        if (ec) {
            throw std::runtime_error("cannot make the folder " + (outDir / folder).string() + ": " +
                                     ec.message());
        }
        // What killed builds and saves left behind goes before new files come.
        platform::RemoveStaleTemporaryFiles(outDir / folder);
    }
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        WriteLetter(outDir, tab, letters[static_cast<std::size_t>(tab)], userWords, report);
    }
    return report;
}

} // namespace dictool
