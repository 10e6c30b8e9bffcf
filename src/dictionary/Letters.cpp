#include "dictionary/Letters.h"

#include "platform/Cp1251.h"

#include <algorithm>

namespace dictionary {

int TabOfWord(std::string_view word) {
    return word.empty() ? kNoTab : TabOfChar(static_cast<std::uint8_t>(word.front()));
}

char TabCaption(int tab) {
    return IsEnglishTab(tab) ? static_cast<char>('A' + tab)
                             : static_cast<char>(0xC0 + (tab - kLatinCount));
}

bool HeadWordLess(std::string_view a, std::string_view b) {
    const int folded = platform::CompareNoCase(a, b);
    if (folded != 0) {
        return folded < 0;
    }
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

std::string LetterKey(int tab) {
    if (IsEnglishTab(tab)) {
        return std::string(1, static_cast<char>('a' + tab));
    }
    return std::to_string(tab - 25);
}

std::string_view FolderFragment(int tab) {
    return IsEnglishTab(tab) ? "\\eg\\" : "\\bg\\";
}

std::string IndexFragment(int tab) {
    return std::string(FolderFragment(tab)) + "base_" + LetterKey(tab) + ".dak";
}

std::string ArticleFragment(int tab, bool isBase) {
    return std::string(FolderFragment(tab)) + (isBase ? "base_" : "user_") + LetterKey(tab) +
           ".ref";
}

} // namespace dictionary
