#include "wordforms/Words.h"

#include "platform/Cp1251.h"

namespace wordforms {

bool IsLatinLetter(std::uint8_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsCyrillicLetter(std::uint8_t c) {
    return c >= 0xC0;
}

TAlphabet AlphabetOf(std::string_view word) {
    if (word.empty()) {
        return TAlphabet::None;
    }
    const auto c = static_cast<std::uint8_t>(word.front());
    return IsLatinLetter(c)      ? TAlphabet::Latin
           : IsCyrillicLetter(c) ? TAlphabet::Cyrillic
                                 : TAlphabet::None;
}

std::string Fold(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        c = static_cast<char>(platform::Cp1251Lower(static_cast<std::uint8_t>(c)));
    }
    return folded;
}

std::string_view UncutFirstWord(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return {};
    }
    text.remove_prefix(start);
    return text.substr(0, text.find(' '));
}

std::string_view FirstWord(std::string_view text) {
    std::string_view word = UncutFirstWord(text);
    while (!word.empty()) {
        const auto last = static_cast<std::uint8_t>(word.back());
        if (IsLatinLetter(last) || IsCyrillicLetter(last)) {
            break;
        }
        word.remove_suffix(1);
    }
    return word;
}

} // namespace wordforms
