#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dictionary {

// 58 letter tabs: 0..25 the Latin letters A..Z (English head-words, folder
// "eg", letter key "a".."z"), 26..57 the Cyrillic capitals 0xC0..0xDF of code
// page 1251 (Bulgarian head-words, folder "bg", letter number 1..32).
constexpr int kLetterCount = 58;
constexpr int kLatinCount = 26;
constexpr int kNoTab = -1;

constexpr bool IsEnglishTab(int tab) {
    return tab >= 0 && tab < kLatinCount;
}

constexpr bool IsValidTab(int tab) {
    return tab >= 0 && tab < kLetterCount;
}

// (c AND 31) - 1, plus 27 above 128. -1 (no tab) for 0x40, 0x60 and 0x80.
constexpr int TabOfChar(std::uint8_t c) {
    int tab = (c & 31) - 1;
    if (c > 128) {
        tab += 27;
    }
    return tab;
}

// The tab of a text's first character; kNoTab for an empty text.
int TabOfWord(std::string_view word);

// The tab's caption as one code-page-1251 byte: 'A'..'Z', 0xC0..0xDF.
char TabCaption(int tab);

// The order of a letter's index: alphabetical without regard to case, in
// code-page order; a capitalised head-word comes before the same word in
// lower case. Both the dictionary builder and the saving of a user word keep
// it, so a new word lands where a reader of the list expects it.
bool HeadWordLess(std::string_view a, std::string_view b);

// "a".."z" for Latin tabs, "1".."32" for Cyrillic ones.
std::string LetterKey(int tab);

// "\eg\" or "\bg\".
std::string_view FolderFragment(int tab);

// "\eg\base_a.dak", "\bg\base_32.dak".
std::string IndexFragment(int tab);

// "\eg\base_h.ref" for a base record, "\bg\user_5.ref" for a user record.
std::string ArticleFragment(int tab, bool isBase);

} // namespace dictionary
