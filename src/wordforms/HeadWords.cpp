#include "wordforms/HeadWords.h"

#include "dictionary/LetterIndex.h"
#include "wordforms/FormTable.h"

#include <algorithm>
#include <array>
#include <bit>
#include <tuple>

namespace wordforms {

namespace {

// The alphabet's slot in the per-alphabet tables.
int Slot(TAlphabet alphabet) {
    return alphabet == TAlphabet::Latin ? 0 : 1;
}

// One bit per Latin letter (0..25) and per Cyrillic letter (26..57); other
// bytes share the last six bits. A letter dropped, added or replaced changes
// at most two bits of a word's mask and a swap none, so two edits change at
// most four: a cheap test that rules out most head-words before the distance
// is worked out.
std::uint64_t LetterMask(std::string_view folded) {
    std::uint64_t mask = 0;
    for (const char ch : folded) {
        const auto c = static_cast<std::uint8_t>(ch);
        if (c >= 'a' && c <= 'z') {
            mask |= std::uint64_t{1} << (c - 'a');
        } else if (c >= 0xE0) {
            mask |= std::uint64_t{1} << (26 + (c - 0xE0));
        } else {
            mask |= std::uint64_t{1} << (58 + c % 6);
        }
    }
    return mask;
}

constexpr int kSuggestionDistance = 2;

} // namespace

THeadWords::THeadWords(const std::vector<std::string>& headWords) {
    std::size_t longest[2] = {0, 0};
    for (const std::string& word : headWords) {
        const TAlphabet alphabet = AlphabetOf(word);
        if (word.empty() || word.size() > 255) {
            continue;
        }
        const std::string folded = Fold(word);
        entries_.push_back({static_cast<std::uint32_t>(text_.size()),
                            static_cast<std::uint8_t>(word.size()), alphabet, 0,
                            LetterMask(folded)});
        text_ += word;
        folded_ += folded;
        if (alphabet != TAlphabet::None) {
            longest[Slot(alphabet)] = std::max(longest[Slot(alphabet)], word.size());
        }
    }
    byFolded_.resize(entries_.size());
    for (std::uint32_t i = 0; i < entries_.size(); ++i) {
        byFolded_[i] = i;
    }
    std::stable_sort(byFolded_.begin(), byFolded_.end(), [&](std::uint32_t a, std::uint32_t b) {
        return FoldedOf(entries_[a]) < FoldedOf(entries_[b]);
    });
    for (int slot = 0; slot < 2; ++slot) {
        std::vector<std::uint32_t>& list = byLength_[slot];
        const TAlphabet alphabet = slot == 0 ? TAlphabet::Latin : TAlphabet::Cyrillic;
        for (std::uint32_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].Alphabet == alphabet) {
                list.push_back(i);
            }
        }
        std::stable_sort(list.begin(), list.end(), [&](std::uint32_t a, std::uint32_t b) {
            return entries_[a].Length < entries_[b].Length;
        });
        std::vector<std::size_t>& start = lengthStart_[slot];
        start.assign(longest[slot] + 2, list.size());
        for (std::size_t p = list.size(); p-- > 0;) {
            start[entries_[list[p]].Length] = p;
        }
        for (std::size_t n = start.size() - 1; n-- > 0;) {
            start[n] = std::min(start[n], start[n + 1]);
        }
    }
}

THeadWords THeadWords::FromIndex(const dictionary::DictionaryIndex& index) {
    std::vector<std::string> words;
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        for (const std::string_view word : index.Letter(tab).HeadWords()) {
            words.emplace_back(word);
        }
    }
    return THeadWords(words);
}

std::string_view THeadWords::TextOf(const TEntry& entry) const {
    return std::string_view(text_).substr(entry.Offset, entry.Length);
}

std::string_view THeadWords::FoldedOf(const TEntry& entry) const {
    return std::string_view(folded_).substr(entry.Offset, entry.Length);
}

std::pair<std::size_t, std::size_t> THeadWords::FoldedRange(std::string_view folded) const {
    const auto first = std::lower_bound(byFolded_.begin(), byFolded_.end(), folded,
                                        [&](std::uint32_t entry, std::string_view text) {
                                            return FoldedOf(entries_[entry]) < text;
                                        });
    const auto last = std::upper_bound(first, byFolded_.end(), folded,
                                       [&](std::string_view text, std::uint32_t entry) {
                                           return text < FoldedOf(entries_[entry]);
                                       });
    return {static_cast<std::size_t>(first - byFolded_.begin()),
            static_cast<std::size_t>(last - byFolded_.begin())};
}

std::optional<std::string_view> THeadWords::Find(std::string_view word) const {
    if (word.empty() || word.size() > 255) {
        return std::nullopt;
    }
    const auto [first, last] = FoldedRange(Fold(word));
    if (first == last) {
        return std::nullopt;
    }
    for (std::size_t i = first; i < last; ++i) {
        if (TextOf(entries_[byFolded_[i]]) == word) {
            return TextOf(entries_[byFolded_[i]]);
        }
    }
    return TextOf(entries_[byFolded_[first]]);
}

std::vector<std::string_view> THeadWords::PhrasesOf(std::string_view word, std::size_t max) const {
    const std::string prefix = Fold(word) + ' ';
    auto it = std::lower_bound(byFolded_.begin(), byFolded_.end(), std::string_view(prefix),
                               [&](std::uint32_t entry, std::string_view text) {
                                   return FoldedOf(entries_[entry]) < text;
                               });
    std::vector<std::uint32_t> found;
    for (; it != byFolded_.end() && FoldedOf(entries_[*it]).starts_with(prefix); ++it) {
        found.push_back(*it);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string_view> phrases;
    for (std::size_t i = 0; i < found.size() && i < max; ++i) {
        phrases.push_back(TextOf(entries_[found[i]]));
    }
    return phrases;
}

bool THeadWords::BeginsWithPhrase(std::string_view text) const {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return false;
    }
    text = text.substr(start, 256);
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos) {
        return false;
    }
    for (std::size_t end = space + 1; end <= text.size(); ++end) {
        const bool wordEnds =
            end == text.size() || !(IsLatinLetter(static_cast<std::uint8_t>(text[end])) ||
                                    IsCyrillicLetter(static_cast<std::uint8_t>(text[end])));
        if (wordEnds && text[end - 1] != ' ' && Find(text.substr(0, end))) {
            return true;
        }
    }
    return false;
}

void THeadWords::SetFrequencies(const TFormTable& frequency) {
    for (TEntry& entry : entries_) {
        const auto records = frequency.Find(FoldedOf(entry));
        entry.Frequency = records.empty() ? 0 : records.front().Value;
    }
}

std::uint32_t THeadWords::Frequency(std::string_view headWord) const {
    const auto [first, last] = FoldedRange(Fold(headWord));
    return first == last ? 0 : entries_[byFolded_[first]].Frequency;
}

std::vector<std::string_view> THeadWords::Suggest(std::string_view word, std::size_t max) const {
    const TAlphabet alphabet = AlphabetOf(word);
    if (alphabet == TAlphabet::None || word.size() > kMaxWordLength || max == 0) {
        return {};
    }
    const int slot = Slot(alphabet);
    const std::string folded = Fold(word);
    const std::uint64_t mask = LetterMask(folded);
    const std::vector<std::size_t>& start = lengthStart_[slot];
    const std::size_t shortest =
        folded.size() > kSuggestionDistance ? folded.size() - kSuggestionDistance : 1;
    const std::size_t longest = folded.size() + kSuggestionDistance;
    // distance, then the most frequent, then index order
    std::vector<std::tuple<int, std::int64_t, std::uint32_t>> found;
    for (std::size_t length = shortest; length <= longest && length + 1 < start.size(); ++length) {
        for (std::size_t p = start[length]; p < start[length + 1]; ++p) {
            const std::uint32_t id = byLength_[slot][p];
            const TEntry& entry = entries_[id];
            if (std::popcount(mask ^ entry.Letters) > 2 * kSuggestionDistance) {
                continue;
            }
            const int distance = OsaDistance(folded, FoldedOf(entry), kSuggestionDistance);
            if (distance > 0 && distance <= kSuggestionDistance) {
                found.emplace_back(distance, -static_cast<std::int64_t>(entry.Frequency), id);
            }
        }
    }
    const std::size_t keep = std::min(max, found.size());
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(keep),
                      found.end());
    std::vector<std::string_view> suggestions;
    for (std::size_t i = 0; i < keep; ++i) {
        suggestions.push_back(TextOf(entries_[std::get<2>(found[i])]));
    }
    return suggestions;
}

namespace {

// The distance table, three rows at a time: two back (for swaps), one back and
// the row being filled, each of b's length + 1.
int OsaRows(std::string_view a, std::string_view b, int limit, std::size_t* before,
            std::size_t* previous, std::size_t* current) {
    const std::size_t n = a.size();
    const std::size_t m = b.size();
    const auto over = static_cast<std::size_t>(limit) + 1;
    for (std::size_t j = 0; j <= m; ++j) {
        previous[j] = j;
    }
    for (std::size_t i = 1; i <= n; ++i) {
        current[0] = i;
        std::size_t rowBest = i;
        for (std::size_t j = 1; j <= m; ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            std::size_t value =
                std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                value = std::min(value, before[j - 2] + 1);
            }
            current[j] = value;
            rowBest = std::min(rowBest, value);
        }
        if (rowBest >= over) {
            return limit + 1;
        }
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return static_cast<int>(std::min(previous[m], over));
}

} // namespace

int OsaDistance(std::string_view a, std::string_view b, int limit) {
    limit = std::max(limit, 0);
    const std::size_t n = a.size();
    const std::size_t m = b.size();
    if ((n > m ? n - m : m - n) > static_cast<std::size_t>(limit)) {
        return limit + 1;
    }
    // Head-words are short: their rows fit on the stack.
    constexpr std::size_t kStackRow = 260;
    if (m < kStackRow) {
        std::array<std::size_t, 3 * kStackRow> rows;
        return OsaRows(a, b, limit, rows.data(), rows.data() + kStackRow,
                       rows.data() + 2 * kStackRow);
    }
    std::vector<std::size_t> rows(3 * (m + 1));
    return OsaRows(a, b, limit, rows.data(), rows.data() + m + 1, rows.data() + 2 * (m + 1));
}

} // namespace wordforms
