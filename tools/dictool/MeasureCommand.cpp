#include "dictionary/LetterIndex.h"
#include "dictionary/LookupService.h"
#include "dictool/FormsCommands.h"
#include "platform/Cp1251.h"
#include "platform/FileIo.h"
#include "wordforms/WordFormsResolver.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace dictool {

namespace {

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

struct SetCounts {
    std::size_t Words = 0;
    std::size_t Before = 0;       // today's rule finds the right article
    std::size_t After = 0;        // the rule with word forms does
    std::size_t PhrasesFirst = 0; // ... and would, if a phrase that begins with the word went first
    std::size_t WithPhrase = 0;   // words that some phrase head-word begins with
    std::size_t Suggested = 0;    // words given suggestions
    std::size_t FirstRight = 0;
    std::size_t InFive = 0;
    std::size_t InEight = 0;
};

std::string HeadWordAt(const dictionary::DictionaryIndex& index, int tab, int position) {
    if (!dictionary::IsValidTab(tab) || position < 0) {
        return {};
    }
    return std::string(index.Letter(tab).HeadWord(static_cast<std::size_t>(position)));
}

std::string Percent(std::size_t part, std::size_t whole) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%",
                  whole == 0 ? 0.0
                             : 100.0 * static_cast<double>(part) / static_cast<double>(whole));
    return text;
}

void Measure(const dictionary::DictionaryIndex& index, const dictionary::TLookupService& service,
             const std::string& word, const std::string& expected, bool listMisses,
             SetCounts& counts) {
    ++counts.Words;
    const auto today = dictionary::TLookupService(index).FindText(word);
    const bool before = today && HeadWordAt(index, today->Tab, today->Position) == expected;
    counts.Before += before ? 1 : 0;
    const auto now = service.FindText(word);
    const bool after = now && HeadWordAt(index, now->Tab, now->Position) == expected;
    counts.After += after ? 1 : 0;
    if (listMisses && !after) {
        std::cerr << platform::Cp1251ToUtf8(word) << '\t' << platform::Cp1251ToUtf8(expected)
                  << '\t'
                  << (now ? platform::Cp1251ToUtf8(HeadWordAt(index, now->Tab, now->Position))
                          : std::string())
                  << '\n';
    }
    const bool withPhrase = now && now->Resolved && !now->Resolved->Phrases.empty();
    counts.WithPhrase += withPhrase ? 1 : 0;
    counts.PhrasesFirst += (withPhrase ? before : after) ? 1 : 0;
    if (now && !now->Suggestions.empty()) {
        ++counts.Suggested;
        const auto& list = now->Suggestions;
        const auto at =
            static_cast<std::size_t>(std::find(list.begin(), list.end(), expected) - list.begin());
        const bool listed = at < list.size();
        counts.FirstRight += listed && at == 0 ? 1 : 0;
        counts.InFive += listed && at < 5 ? 1 : 0;
        counts.InEight += listed && at < 8 ? 1 : 0;
    }
}

} // namespace

int RunMeasure(const std::vector<std::string>& args) {
    std::string dir;
    std::vector<std::string> sets;
    bool listMisses = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--misses") {
            listMisses = true;
        } else if (args[i] == "--dir" && i + 1 < args.size()) {
            dir = args[++i];
        } else {
            sets.push_back(args[i]);
        }
    }
    if (dir.empty() || sets.empty()) {
        std::cerr << "dictool: measure needs --dir DIR and at least one SET\n"
                     "Try 'dictool --help'.\n";
        return kUsage;
    }
    dictionary::DictionaryIndex index;
    if (const auto loaded = index.Load(dir); loaded.NoDictionary()) {
        std::cerr << "dictool: " << loaded.Message() << "\n";
        return kFailure;
    }
    wordforms::TWordFormsResolver forms(dir, index);
    dictionary::TLookupService service(index);
    service.SetResolver(&forms);
    std::cout << "set\twords\ttoday\twith forms\tphrases first\twith a phrase\tsuggested"
                 "\tfirst right\tin 5\tin 8\n";
    for (const std::string& set : sets) {
        std::string text;
        if (const int failure = platform::ReadWholeFile(set, text).Errno(); failure != 0) {
            std::cerr << "dictool: cannot read " << set << ": " << platform::FileErrorText(failure)
                      << "\n";
            return kFailure;
        }
        SetCounts counts;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            end = end == std::string::npos ? text.size() : end;
            const std::string line = text.substr(start, end - start);
            start = end + 1;
            const std::size_t tab = line.find('\t');
            const auto word = platform::FoldUtf8ToCp1251(line.substr(0, tab));
            const auto expected = tab == std::string::npos
                                      ? std::nullopt
                                      : platform::Utf8ToCp1251(line.substr(tab + 1));
            if (word && expected && !word->empty()) {
                Measure(index, service, *word, *expected, listMisses, counts);
            }
        }
        if (forms.Forms().Problem()) {
            std::cerr << "dictool: " << forms.Forms().Problem()->Message() << "\n";
            return kFailure;
        }
        std::cout << set << '\t' << counts.Words << '\t' << Percent(counts.Before, counts.Words)
                  << '\t' << Percent(counts.After, counts.Words) << '\t'
                  << Percent(counts.PhrasesFirst, counts.Words) << '\t' << counts.WithPhrase << '\t'
                  << counts.Suggested << '\t' << Percent(counts.FirstRight, counts.Suggested)
                  << '\t' << Percent(counts.InFive, counts.Suggested) << '\t'
                  << Percent(counts.InEight, counts.Suggested) << '\n';
    }
    return kOk;
}

} // namespace dictool
