#pragma once

#include <optional>
#include <string>

namespace dictool {

// Head-words are stored in code page 1251, which has no accented Latin
// letters and no stress marks. These turn a source's UTF-8 text into the form
// a user can type, or nothing when no such form exists.

// "café" → "cafe"; nothing when a character has no code-page form or the
// first character is not a Latin letter.
std::optional<std::string> EnglishHeadWord(const std::string& utf8);

// "къ́ща" → "къща"; parenthetical remarks are dropped. Nothing when a
// character has no code-page form or the first character is not a Cyrillic
// letter.
std::optional<std::string> BulgarianHeadWord(const std::string& utf8);

// Drops parenthetical remarks at the start and end of a translation:
// "(разг.) пари (мн.)" → "пари".
std::string WithoutRemarks(const std::string& utf8);

// Removes combining stress marks (acute and grave accents) from UTF-8 text,
// also where they are part of a precomposed letter ("ѝ" → "и").
std::string StripStress(const std::string& utf8);

} // namespace dictool
