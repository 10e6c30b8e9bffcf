#pragma once

#include "wordforms/WordForms.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dictionary {
class DictionaryIndex;
}

namespace wordforms {

// Where the look-up of an outside text (a copied or double-clicked word)
// settles, as the program's whole rule has it: the exact head-word (same case
// first, then any case); else the base head-word of a recognised form; else
// find by shortening, unchanged, with spelling suggestions beside it.
struct TOutsideLookup {
    int Tab = -1;
    int Position = -1; // -1: nothing found on that letter
    std::optional<TResolvedForm> Form;
    std::vector<std::string> Suggestions; // only when neither a head-word nor a form
};

// Nothing when the text gives no word on any letter (empty, spaces only, or
// a first character on no letter). forms may be null: today's rule alone.
std::optional<TOutsideLookup> LookUpOutsideText(const dictionary::DictionaryIndex& index,
                                                TWordForms* forms, std::string_view text);

// The position of the head-word on its letter: spelled exactly so first, else
// the first equal without regard to case; -1 when none.
int ExactPosition(const dictionary::DictionaryIndex& index, std::string_view word);

} // namespace wordforms
