#pragma once

#include "wordforms/FormTable.h"
#include "wordforms/HeadWords.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dictionary {
class DictionaryIndex;
}

namespace wordforms {

// A word of outside text recognised as a form of a head-word: "went" of
// "go", "къщата" of "къща". The window says so in one line, From → HeadWord.
struct TResolvedForm {
    std::string From;     // the word looked at, spelled as the text spells it
    std::string HeadWord; // its base, spelled as the dictionary spells it
    TFormSource Source = TFormSource::Suffix;
    // Head-words that begin with the word and a space ("baking powder" for
    // "baking"): the resolution goes to the base, these stay one click away.
    std::vector<std::string> Phrases;
};

constexpr std::size_t kMaxSuggestions = 8;
constexpr std::size_t kMaxPhrases = 3;

// The rule over loaded data: the head-words, the form index and the
// frequency file.
class TFormResolver {
public:
    TFormResolver(THeadWords headWords, TFormTable forms, TFormTable frequency);

    // A new copy of the dictionary's head-words (after a user word was added).
    void Renew(THeadWords headWords);

    // The base head-word of the text's first word (FirstWord), or nothing:
    // always nothing when that word, as cut or without its trailing signs,
    // is itself a head-word in any case, and when the text begins with a
    // phrase head-word — those keep the answer they have without word forms.
    // English: an irregular form of WordNet's lists, else the suffix rules,
    // else a hunspell stem that an inflectional ending joins; Bulgarian: the
    // hunspell-bg stems, except for the homographs. Among several bases of
    // one step the most frequent head-word wins, then the one that keeps
    // more of the form, then the one found first.
    std::optional<TResolvedForm> Resolve(std::string_view text) const;

    // Head-words close to a misspelt first word (THeadWords::Suggest); none
    // when Resolve keeps today's answer because the word is a head-word.
    std::vector<std::string> Suggest(std::string_view text,
                                     std::size_t max = kMaxSuggestions) const;

    const THeadWords& HeadWords() const { return headWords_; }

private:
    // The word, cut from text, is a head-word or begins a phrase head-word
    // that the text holds (or is no word at all).
    bool KeepsItsAnswer(std::string_view text, std::string_view word) const;
    std::optional<std::string_view> MostFrequent(std::string_view folded,
                                                 const std::vector<std::string>& bases) const;
    std::vector<std::string> StoredBases(std::string_view folded, TFormSource source) const;

    THeadWords headWords_;
    TFormTable forms_;
    TFormTable frequency_;
};

// Why the word forms could not be loaded: the look-up then keeps today's
// rule, and the window may say this once.
struct TLoadProblem {
    enum class TKind {
        Missing,    // the file is not there
        Unreadable, // it is there but cannot be read
        Damaged,    // it was read but is not an intact file of its kind
    };
    TKind Kind = TKind::Missing;
    std::filesystem::path File;
    std::string Detail; // what was wrong, in English (the reader's words)
    int Errno = 0;      // the system's reason when the file could not be read

    // "Word forms are off: file ... is missing." and so on, in English.
    std::string Message() const;
};

// Where the data build puts the two files, below the data folder.
std::filesystem::path FormIndexPath(const std::filesystem::path& dataDir);
std::filesystem::path FrequencyPath(const std::filesystem::path& dataDir);

// One of the two files read and checked whole; nothing, and why in problem,
// when it is missing, unreadable or damaged.
std::optional<TFormTable> ReadFormTable(const std::filesystem::path& path, TTableKind kind,
                                        std::optional<TLoadProblem>& problem);

// Loaded data, or why not.
struct TLoaded {
    std::optional<TFormResolver> Resolver;
    std::optional<TLoadProblem> Problem;
};
TLoaded LoadWordForms(const std::filesystem::path& dataDir, THeadWords headWords);

// The word forms of a dictionary, read when first needed: constructing one
// reads nothing, so the program starts as fast as without it. The first
// Resolve or Suggest reads the two files and copies the head-words; when the
// dictionary gains a head-word afterwards (a user word), the copy is made
// again on the next call. When the files are missing or damaged, every call
// answers nothing (today's rule applies) and Problem says why.
class TWordForms {
public:
    // index must outlive this object.
    TWordForms(std::filesystem::path dataDir, const dictionary::DictionaryIndex& index);

    std::optional<TResolvedForm> Resolve(std::string_view text);
    std::vector<std::string> Suggest(std::string_view text, std::size_t max = kMaxSuggestions);

    bool Loaded() const { return resolver_.has_value(); }
    // Set once a load failed; it is not tried again.
    const std::optional<TLoadProblem>& Problem() const { return problem_; }

private:
    const TFormResolver* Ready();

    std::filesystem::path dataDir_;
    const dictionary::DictionaryIndex& index_;
    std::optional<TFormResolver> resolver_;
    std::optional<TLoadProblem> problem_;
    std::size_t headWordCount_ = 0;
};

} // namespace wordforms
