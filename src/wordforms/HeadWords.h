#pragma once

#include "wordforms/Words.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dictionary {
class DictionaryIndex;
}

namespace wordforms {

class TFormTable;

// The head-words the resolution may answer with, copied from the dictionary
// when the word forms are first needed: found by their spelling (case first,
// then any case), with their word frequency, and searched for spellings close
// to a misspelt word.
class THeadWords {
public:
    THeadWords() = default;
    // The head-words in index order (letter by letter, each letter in file
    // order): where two spell alike without regard to case, the first wins.
    explicit THeadWords(const std::vector<std::string>& headWords);
    static THeadWords FromIndex(const dictionary::DictionaryIndex& index);

    std::size_t Size() const { return entries_.size(); }

    // The head-word spelled exactly so, else the first in index order that
    // equals the word without regard to case.
    std::optional<std::string_view> Find(std::string_view word) const;

    // Head-words that begin with the word and a space ("according" gives
    // "according to"), without regard to case, in index order; at most max.
    std::vector<std::string_view> PhrasesOf(std::string_view word, std::size_t max) const;

    // Whether the text, after its leading spaces, begins with a head-word that
    // holds a space, followed by the text's end or a character that is no
    // letter: a phrase copied whole.
    bool BeginsWithPhrase(std::string_view text) const;

    // Scores from the frequency file (greater: more frequent; 0 when the
    // file does not list the word); a head-word takes the score of its lower-
    // case spelling.
    void SetFrequencies(const TFormTable& frequency);
    std::uint32_t Frequency(std::string_view headWord) const;

    // Up to max head-words of the word's alphabet within optimal-string-
    // alignment distance 2 of it (without regard to case), nearest first,
    // then the most frequent, then in index order. None for a word in
    // neither alphabet or longer than kMaxWordLength.
    std::vector<std::string_view> Suggest(std::string_view word, std::size_t max) const;

private:
    struct TEntry {
        std::uint32_t Offset;
        std::uint8_t Length;
        TAlphabet Alphabet;
        std::uint32_t Frequency;
        std::uint64_t Letters; // one bit per letter the head-word holds
    };
    std::string_view TextOf(const TEntry& entry) const;
    std::string_view FoldedOf(const TEntry& entry) const;
    // The entries whose folded spelling is folded, in index order.
    std::pair<std::size_t, std::size_t> FoldedRange(std::string_view folded) const;

    std::string text_;
    std::string folded_; // text_ in lower case, at the same offsets
    std::vector<TEntry> entries_;
    std::vector<std::uint32_t> byFolded_; // entries sorted by folded spelling, then index order
    // Per alphabet, entries sorted by length; lengthStart_[a][n] is where those
    // of length n begin.
    std::vector<std::uint32_t> byLength_[2];
    std::vector<std::size_t> lengthStart_[2];
};

// The optimal-string-alignment distance of a and b (a letter dropped, added,
// replaced, or swapped with its neighbour, each counting one), when it is at
// most limit; limit + 1 otherwise. The bytes are compared as they are.
int OsaDistance(std::string_view a, std::string_view b, int limit);

} // namespace wordforms
