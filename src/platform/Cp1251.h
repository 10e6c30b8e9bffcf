#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Every text the dictionary stores or exchanges is single-byte Windows
// Cyrillic (code page 1251). This is the one place that knows the code page.
namespace platform {

// The Unicode character of a code-page byte. Byte 0x98 is unassigned and maps
// to U+0098, as the system converters do.
char16_t Cp1251ToUnicode(std::uint8_t byte);

// The code-page byte of a Unicode character, or nothing when the code page
// cannot hold it.
std::optional<std::uint8_t> UnicodeToCp1251(char32_t ch);

std::string Cp1251ToUtf8(std::string_view bytes);

// Nothing when the text is not valid UTF-8 or holds a character the code page
// cannot hold.
std::optional<std::string> Utf8ToCp1251(std::string_view utf8);

// Text taken from the screen or the clipboard (article selections, copied and
// typed words) made fit for the code page, so that a look-up is not cut short
// at an accent: combining marks (the stress marks of articles) are dropped, a
// letter and mark that the code page holds as one letter become that letter
// (и and breve: й), and accented letters it lacks become their base letters
// (ѝ: и, é: e). Other characters it cannot hold become '?' and clear *exact.
std::string FoldToCp1251(std::u32string_view text, bool* exact = nullptr);

// FoldToCp1251 of UTF-8 text; nothing when the text is not valid UTF-8 or
// holds a character the code page cannot hold even folded.
std::optional<std::string> FoldUtf8ToCp1251(std::string_view utf8);

// Case mapping of Latin and Cyrillic letters; other bytes map to themselves.
std::uint8_t Cp1251Lower(std::uint8_t byte);
std::uint8_t Cp1251Upper(std::uint8_t byte);

// Case mapping of the Latin letters A to Z alone; every other byte, Cyrillic
// letters included, maps to itself. Names of files and libraries are matched
// with it, byte by byte, whatever their encoding.
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);
bool EqualsAsciiNoCase(std::string_view a, std::string_view b);
bool EndsWithAsciiNoCase(std::string_view text, std::string_view suffix);

// Whether text begins with prefix, compared without regard to letter case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Three-way comparison without regard to letter case (lower-case folding, then
// byte order); equal folds compare equal.
int CompareNoCase(std::string_view a, std::string_view b);

// Decodes one UTF-8 character at pos and advances pos; nothing on a malformed
// sequence (pos is then left unchanged).
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t ch);

} // namespace platform
