#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the word-form rules read of a text: its first word, its letters and
// its alphabet, all in code page 1251.
namespace wordforms {

enum class TAlphabet {
    None,     // neither: digits, signs, or empty
    Latin,    // English head-words
    Cyrillic, // Bulgarian head-words
};

bool IsLatinLetter(std::uint8_t c);
bool IsCyrillicLetter(std::uint8_t c);

// The alphabet of a word's first character.
TAlphabet AlphabetOf(std::string_view word);

// The text in lower case (Latin and Cyrillic letters; other bytes stay).
std::string Fold(std::string_view text);

// The word the look-up of an outside text is about, as find by shortening
// takes it: leading spaces removed, the text cut at its first space. The
// characters after its last letter (a comma, a full stop, a closing quote)
// are dropped too, since no form ends in them. Empty for a text without a
// letter in that word.
std::string_view FirstWord(std::string_view text);

// The same text up to its first space, without dropping anything else: what
// today's rule looks at.
std::string_view UncutFirstWord(std::string_view text);

// Longer words are no form of any head-word (a record holds 101 characters,
// and no ending adds more than a few): they are not looked at.
constexpr std::size_t kMaxWordLength = 110;

} // namespace wordforms
