#include "dictionary/LookupService.h"

#include "dictionary/Lookup.h"
#include "platform/Cp1251.h"

#include <algorithm>

namespace dictionary {
namespace {

// Positions as the callers count them; no letter comes near INT_MAX entries.
int PositionOf(std::vector<std::string_view>::const_iterator at,
               const std::vector<std::string_view>& words) {
    return static_cast<int>(at - words.begin());
}

} // namespace

int TLookupService::FindHeadWord(int tab, std::string_view headWord) const {
    if (!IsValidTab(tab)) {
        return -1;
    }
    const LetterIndex& letter = index_.Letter(tab);
    const auto& words = letter.HeadWords();
    // Equal head-words sort next to each other, the first one first.
    const auto at = letter.Sorted() ? std::lower_bound(words.begin(), words.end(), headWord,
                                                       [](std::string_view a, std::string_view b) {
                                                           return HeadWordLess(a, b);
                                                       })
                                    : std::find(words.begin(), words.end(), headWord);
    return at != words.end() && *at == headWord ? PositionOf(at, words) : -1;
}

int TLookupService::FindPrefix(int tab, std::string_view text) const {
    if (!IsValidTab(tab)) {
        return -1;
    }
    const LetterIndex& letter = index_.Letter(tab);
    const auto& words = letter.HeadWords();
    if (!letter.Sorted()) {
        return FindWord(words, text);
    }
    // Head-word order compares the folded letters first, so the head-words
    // that begin with the text stand together, starting at the first one not
    // below it.
    const auto at = std::lower_bound(words.begin(), words.end(), text,
                                     [](std::string_view head, std::string_view wanted) {
                                         return platform::CompareNoCase(head, wanted) < 0;
                                     });
    return at != words.end() && platform::StartsWithNoCase(*at, text) ? PositionOf(at, words) : -1;
}

bool TLookupService::HoldsNoCase(int tab, std::string_view word, int prefixPosition) const {
    const LetterIndex& letter = index_.Letter(tab);
    if (prefixPosition < 0) {
        return false;
    }
    // In head-word order a head-word equal to the word without regard to case
    // is the first one that begins with it.
    if (letter.HeadWord(static_cast<std::size_t>(prefixPosition)).size() == word.size()) {
        return true;
    }
    return !letter.Sorted() &&
           std::ranges::any_of(letter.HeadWords(), [word](std::string_view head) {
               return platform::CompareNoCase(head, word) == 0;
           });
}

namespace {

// What the look-ups of outside text read of it: the text from its first
// character that is no space on, and its word.
struct TCutText {
    std::string_view Text;
    std::string_view Word;
};

std::optional<TCutText> CutText(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(start);
    // No head-word is longer than a record holds, so nothing past that length
    // can be found: a long copied text is not shortened from its full length.
    std::string_view word = text.substr(0, kMaxHeadWordLength);
    return TCutText{text, word.substr(0, word.find(' '))};
}

} // namespace

void TLookupService::TakeFault(TTextLookup& result) const {
    if (auto fault = resolver_->TakeFault()) {
        result.Fault = std::move(fault);
    }
}

bool TLookupService::ResolveForm(std::string_view text, std::string_view word,
                                 TTextLookup& result) const {
    auto resolved = resolver_->Resolve(text);
    if (!resolved) {
        return false;
    }
    const int tab = TabOfWord(resolved->HeadWord);
    const int found = FindHeadWord(tab, resolved->HeadWord);
    if (found < 0) {
        return false;
    }
    result.Tab = tab;
    result.Position = found;
    result.Word = std::string(word);
    result.Resolved = std::move(*resolved);
    return true;
}

std::optional<TTextLookup> TLookupService::FindText(std::string_view text) const {
    const auto cut = CutText(text);
    if (!cut) {
        return std::nullopt;
    }
    std::string_view word = cut->Word;
    const int tab = TabOfWord(word);
    if (!IsValidTab(tab)) {
        return std::nullopt;
    }
    TTextLookup result;
    result.Tab = tab;
    if (resolver_ != nullptr) {
        // Of head-words alike but for case ("May", "may"), the one spelled so.
        if (const int same = FindHeadWord(tab, word); same >= 0) {
            result.Position = same;
            result.Word = std::string(word);
            return result;
        }
    }
    int position = FindPrefix(tab, word);
    if (resolver_ != nullptr && !HoldsNoCase(tab, word, position)) {
        const bool resolved = ResolveForm(cut->Text, word, result);
        if (!resolved) {
            result.Suggestions = resolver_->Suggest(cut->Text);
        }
        TakeFault(result);
        if (resolved) {
            return result;
        }
    }
    while (position < 0 && word.size() > 1) {
        word.remove_suffix(1);
        position = FindPrefix(tab, word);
    }
    if (position >= 0) {
        result.Position = position;
        result.Word = std::string(word);
    }
    return result;
}

std::optional<TTextLookup> TLookupService::FindForm(std::string_view text) const {
    const auto cut = CutText(text);
    if (!cut) {
        return std::nullopt;
    }
    const int tab = TabOfWord(cut->Word);
    if (!IsValidTab(tab)) {
        return std::nullopt;
    }
    TTextLookup result;
    result.Tab = tab;
    if (resolver_ != nullptr && !HoldsNoCase(tab, cut->Word, FindPrefix(tab, cut->Word))) {
        ResolveForm(cut->Text, cut->Word, result);
        TakeFault(result);
    }
    return result;
}

std::vector<std::string> TLookupService::Suggest(std::string_view text) const {
    if (resolver_ == nullptr) {
        return {};
    }
    return resolver_->Suggest(text);
}

bool TLookupService::Holds(int tab, int position) const {
    return IsValidTab(tab) && position >= 0 &&
           static_cast<std::size_t>(position) < index_.Letter(tab).Size();
}

std::optional<std::string_view> TLookupService::HeadWordAt(int tab, int position) const {
    if (!Holds(tab, position)) {
        return std::nullopt;
    }
    return index_.Letter(tab).HeadWord(static_cast<std::size_t>(position));
}

std::optional<TArticleRead> TLookupService::ReadArticleChecked(int tab, int position) const {
    if (!Holds(tab, position)) {
        return std::nullopt;
    }
    return dictionary::ReadArticleChecked(index_, tab, static_cast<std::size_t>(position));
}

std::string TLookupService::ReadArticle(int tab, int position) const {
    const auto read = ReadArticleChecked(tab, position);
    return read ? read->Bytes : std::string();
}

} // namespace dictionary
