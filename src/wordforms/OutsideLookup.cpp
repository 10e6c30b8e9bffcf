#include "wordforms/OutsideLookup.h"

#include "dictionary/LetterIndex.h"
#include "dictionary/LookupService.h"
#include "platform/Cp1251.h"

namespace wordforms {

int ExactPosition(const dictionary::DictionaryIndex& index, std::string_view word) {
    const int tab = dictionary::TabOfWord(word);
    if (!dictionary::IsValidTab(tab)) {
        return -1;
    }
    const auto& headWords = index.Letter(tab).HeadWords();
    int anyCase = -1;
    for (std::size_t p = 0; p < headWords.size(); ++p) {
        if (headWords[p] == word) {
            return static_cast<int>(p);
        }
        if (anyCase < 0 && headWords[p].size() == word.size() &&
            platform::CompareNoCase(headWords[p], word) == 0) {
            anyCase = static_cast<int>(p);
        }
    }
    return anyCase;
}

std::optional<TOutsideLookup> LookUpOutsideText(const dictionary::DictionaryIndex& index,
                                                TWordForms* forms, std::string_view text) {
    const std::string_view word = UncutFirstWord(text);
    const int tab = dictionary::TabOfWord(word);
    if (!dictionary::IsValidTab(tab)) {
        return std::nullopt;
    }
    TOutsideLookup result;
    result.Tab = tab;
    result.Position = ExactPosition(index, word);
    if (result.Position >= 0) {
        return result;
    }
    if (forms != nullptr) {
        result.Form = forms->Resolve(text);
        if (result.Form) {
            result.Tab = dictionary::TabOfWord(result.Form->HeadWord);
            result.Position = ExactPosition(index, result.Form->HeadWord);
            return result;
        }
        result.Suggestions = forms->Suggest(text);
    }
    const auto shortened = dictionary::TLookupService(index).FindText(text);
    if (shortened) {
        result.Tab = shortened->Tab;
        result.Position = shortened->Position;
    }
    return result;
}

} // namespace wordforms
