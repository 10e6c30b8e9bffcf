#include "interface/InterfaceRules.h"

#include <array>

namespace interface {
namespace {

// In the order of the key's buttons: vowels, diphthongs, triphthongs,
// semivowels, consonants.
constexpr std::array<std::string_view, kKeyButtonCount> kKeySymbols{
    "iː", "i",  "e",  "æ",  "ə",  "əː",  "ʌ",   "aː",  "ɔ", "ɔː", "u", "uː", "ei", "ai", "ɔi", "au",
    "ou", "ɛə", "iə", "uə", "ɔə", "auə", "aiə", "eiə", "j", "w",  "p", "b",  "t",  "d",  "k",  "g",
    "θ",  "ð",  "s",  "z",  "f",  "v",   "ʃ",   "tʃ",  "ʒ", "dʒ", "m", "n",  "ŋ",  "r",  "l",  "h"};

constexpr std::string_view kLengthMark = "ː";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string_view PageFragment(TPage page, bool english) {
    switch (page) {
    case TPage::BulgarianAbbreviations:
        return "\\rtf\\bg.rtf";
    case TPage::EnglishAbbreviations:
        // Named with a doubled backslash; the path resolution drops the
        // empty component.
        return "\\rtf\\\\eng.rtf";
    case TPage::OrderInfo:
        return english ? "\\rtf\\orderEn.rtf" : "\\rtf\\order.rtf";
    }
    return {};
}

std::string_view HelpPageFragment(bool english) {
    return english ? "\\hlp\\helpe.htm" : "\\hlp\\help.htm";
}

int KeyButtonNumber(std::string_view name) {
    const std::size_t size = name.size();
    if (size >= 2 && IsDigit(name[size - 2]) && IsDigit(name[size - 1])) {
        return (name[size - 2] - '0') * 10 + (name[size - 1] - '0');
    }
    if (size >= 1 && IsDigit(name[size - 1])) {
        return name[size - 1] - '0';
    }
    return 0;
}

std::string KeySampleFragment(int n) {
    return "\\trans\\" + std::to_string(n) + ".mp3";
}

std::string_view KeySymbol(int n) {
    if (n < 1 || n > kKeyButtonCount) {
        return {};
    }
    return kKeySymbols[static_cast<std::size_t>(n - 1)];
}

std::string KeyButtonLabel(int n) {
    std::string_view symbol = KeySymbol(n);
    std::string label;
    for (std::size_t at = symbol.find(kLengthMark); at != std::string_view::npos;
         at = symbol.find(kLengthMark)) {
        label += symbol.substr(0, at);
        label += ':';
        symbol.remove_prefix(at + kLengthMark.size());
    }
    label += symbol;
    return label;
}

TViewWidths CompactWidths(const TViewWidths& before, int rightPanelWidth) {
    TViewWidths compact;
    compact.TabControl = before.TabControl - rightPanelWidth;
    compact.Combo = compact.TabControl - 16;
    compact.Window = kCompactWindowWidth;
    return compact;
}

std::string_view WebAddress(TWebLink link) {
    switch (link) {
    case TWebLink::Logo:
        return "https://freedict.org/";
    case TWebLink::OnlineDictionary:
        return "https://en.wiktionary.org/";
    case TWebLink::Downloads:
        return "https://freedict.org/downloads/";
    case TWebLink::MoreDictionaries:
        return "https://wikdict.com/";
    }
    return {};
}

} // namespace interface
