#include "platform/Cp1251.h"

#include <algorithm>
#include <array>

namespace platform {
namespace {

// 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F and 0x00..0x7F are ASCII.
constexpr std::array<char16_t, 64> kHighTable = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

// Upper/lower pairs outside A-Z and 0xC0..0xFF.
constexpr std::array<std::array<std::uint8_t, 2>, 15> kExtraPairs = {{
    {0x80, 0x90}, // Ђ ђ
    {0x81, 0x83}, // Ѓ ѓ
    {0x8A, 0x9A}, // Љ љ
    {0x8C, 0x9C}, // Њ њ
    {0x8D, 0x9D}, // Ќ ќ
    {0x8E, 0x9E}, // Ћ ћ
    {0x8F, 0x9F}, // Џ џ
    {0xA1, 0xA2}, // Ў ў
    {0xA3, 0xBC}, // Ј ј
    {0xA5, 0xB4}, // Ґ ґ
    {0xA8, 0xB8}, // Ё ё
    {0xAA, 0xBA}, // Є є
    {0xAF, 0xBF}, // Ї ї
    {0xB2, 0xB3}, // І і
    {0xBD, 0xBE}, // Ѕ ѕ
}};

struct CaseTables {
    std::array<std::uint8_t, 256> lower{};
    std::array<std::uint8_t, 256> upper{};
};

constexpr CaseTables MakeCaseTables() {
    CaseTables t;
    for (int b = 0; b < 256; ++b) {
        t.lower[b] = static_cast<std::uint8_t>(b);
        t.upper[b] = static_cast<std::uint8_t>(b);
    }
    for (int b = 'A'; b <= 'Z'; ++b) {
        t.lower[b] = static_cast<std::uint8_t>(AsciiLower(static_cast<char>(b)));
        t.upper[b + 32] = static_cast<std::uint8_t>(AsciiUpper(static_cast<char>(b + 32)));
    }
    for (int b = 0xC0; b <= 0xDF; ++b) {
        t.lower[b] = static_cast<std::uint8_t>(b + 32);
        t.upper[b + 32] = static_cast<std::uint8_t>(b);
    }
    for (const auto& pair : kExtraPairs) {
        t.lower[pair[0]] = pair[1];
        t.upper[pair[1]] = pair[0];
    }
    return t;
}

constexpr CaseTables kCase = MakeCaseTables();

} // namespace

char16_t Cp1251ToUnicode(std::uint8_t byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (byte >= 0xC0) {
        return static_cast<char16_t>(0x0410 + (byte - 0xC0));
    }
    return kHighTable[byte - 0x80];
}

std::optional<std::uint8_t> UnicodeToCp1251(char32_t ch) {
    if (ch < 0x80) {
        return static_cast<std::uint8_t>(ch);
    }
    if (ch >= 0x0410 && ch <= 0x044F) {
        return static_cast<std::uint8_t>(0xC0 + (ch - 0x0410));
    }
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == ch) {
            return static_cast<std::uint8_t>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos) {
    if (pos >= text.size()) {
        return std::nullopt;
    }
    const auto lead = static_cast<std::uint8_t>(text[pos]);
    int extra = 0;
    char32_t ch = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        ch = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        ch = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        ch = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (pos + extra >= text.size()) {
        return std::nullopt;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto cont = static_cast<std::uint8_t>(text[pos + i]);
        if ((cont & 0xC0) != 0x80) {
            return std::nullopt;
        }
        ch = (ch << 6) | (cont & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are malformed.
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (ch < kMinimum[extra] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += extra + 1;
    return ch;
}

void AppendUtf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        AppendUtf8(out, Cp1251ToUnicode(static_cast<std::uint8_t>(c)));
    }
    return out;
}

std::optional<std::string> Utf8ToCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto ch = DecodeUtf8(utf8, pos);
        if (!ch) {
            return std::nullopt;
        }
        const auto byte = UnicodeToCp1251(*ch);
        if (!byte) {
            return std::nullopt;
        }
        out += static_cast<char>(*byte);
    }
    return out;
}

namespace {

// Marks that sit on the preceding letter: the combining diacritical marks,
// the Cyrillic ones, and their supplements.
bool IsCombiningMark(char32_t ch) {
    return (ch >= 0x0300 && ch <= 0x036F) || (ch >= 0x0483 && ch <= 0x0489) ||
           (ch >= 0x1AB0 && ch <= 0x1AFF) || (ch >= 0x1DC0 && ch <= 0x1DFF) ||
           (ch >= 0x20D0 && ch <= 0x20FF) || (ch >= 0xFE20 && ch <= 0xFE2F);
}

// The base letters of the accented Latin letters U+00C0..U+017F; '_' where a
// letter is not a base letter with marks (Æ, ß, Ł ...).
constexpr std::string_view kLatinBases = "AAAAAA_CEEEEIIII_NOOOOO__UUUUY__"
                                         "aaaaaa_ceeeeiiii_nooooo__uuuuy_y"
                                         "AaAaAaCcCcCcCcDd__EeEeEeEeEeGgGg"
                                         "GgGgHh__IiIiIiIiI___JjKk_LlLlLl_"
                                         "___NnNnNn___OoOoOo__RrRrRrSsSsSs"
                                         "SsTtTt__UuUuUuUuUuUuWwYyYZzZzZz_";
constexpr char32_t kLatinBasesStart = 0x00C0;

struct TFold {
    char16_t From;
    char16_t To;
};

// Accented Cyrillic letters the code page lacks and their base letters: the
// grave-accented е and и of Bulgarian, and those of other languages.
constexpr TFold kCyrillicBases[] = {
    {u'Ѐ', u'Е'}, {u'Ѝ', u'И'}, {u'ѐ', u'е'}, {u'ѝ', u'и'}, {u'Ӂ', u'Ж'}, {u'ӂ', u'ж'},
    {u'Ӑ', u'А'}, {u'ӑ', u'а'}, {u'Ӓ', u'А'}, {u'ӓ', u'а'}, {u'Ӗ', u'Е'}, {u'ӗ', u'е'},
    {u'Ӝ', u'Ж'}, {u'ӝ', u'ж'}, {u'Ӟ', u'З'}, {u'ӟ', u'з'}, {u'Ӣ', u'И'}, {u'ӣ', u'и'},
    {u'Ӥ', u'И'}, {u'ӥ', u'и'}, {u'Ӧ', u'О'}, {u'ӧ', u'о'}, {u'Ӭ', u'Э'}, {u'ӭ', u'э'},
    {u'Ӯ', u'У'}, {u'ӯ', u'у'}, {u'Ӱ', u'У'}, {u'ӱ', u'у'}, {u'Ӳ', u'У'}, {u'ӳ', u'у'},
    {u'Ӵ', u'Ч'}, {u'ӵ', u'ч'}, {u'Ӹ', u'Ы'}, {u'ӹ', u'ы'},
};

struct TComposition {
    char16_t Base;
    char16_t Mark;
    char16_t Letter;
};

// Letters of the code page that text may carry as base letter and mark.
constexpr TComposition kCompositions[] = {
    {u'И', 0x0306, u'Й'}, {u'и', 0x0306, u'й'}, {u'Е', 0x0308, u'Ё'}, {u'е', 0x0308, u'ё'},
    {u'І', 0x0308, u'Ї'}, {u'і', 0x0308, u'ї'}, {u'У', 0x0306, u'Ў'}, {u'у', 0x0306, u'ў'},
    {u'Г', 0x0301, u'Ѓ'}, {u'г', 0x0301, u'ѓ'}, {u'К', 0x0301, u'Ќ'}, {u'к', 0x0301, u'ќ'},
};

std::optional<char32_t> BaseLetter(char32_t ch) {
    if (ch >= kLatinBasesStart && ch < kLatinBasesStart + kLatinBases.size()) {
        const char base = kLatinBases[ch - kLatinBasesStart];
        return base == '_' ? std::nullopt : std::optional<char32_t>(base);
    }
    for (const TFold& fold : kCyrillicBases) {
        if (fold.From == ch) {
            return fold.To;
        }
    }
    return std::nullopt;
}

} // namespace

std::string FoldToCp1251(std::u32string_view text, bool* exact) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t ch = text[i];
        if (i + 1 < text.size()) {
            for (const TComposition& composition : kCompositions) {
                if (composition.Base == ch && composition.Mark == text[i + 1]) {
                    ch = composition.Letter;
                    ++i;
                    break;
                }
            }
        }
        if (const auto byte = UnicodeToCp1251(ch)) {
            out += static_cast<char>(*byte);
        } else if (IsCombiningMark(ch)) {
            continue;
        } else if (const auto base = BaseLetter(ch)) {
            out += static_cast<char>(*UnicodeToCp1251(*base));
        } else {
            out += '?';
            if (exact != nullptr) {
                *exact = false;
            }
        }
    }
    return out;
}

std::optional<std::string> FoldUtf8ToCp1251(std::string_view utf8) {
    std::u32string text;
    text.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto ch = DecodeUtf8(utf8, pos);
        if (!ch) {
            return std::nullopt;
        }
        text += *ch;
    }
    bool exact = true;
    std::string bytes = FoldToCp1251(text, &exact);
    if (!exact) {
        return std::nullopt;
    }
    return bytes;
}

std::uint8_t Cp1251Lower(std::uint8_t byte) {
    return kCase.lower[byte];
}

std::uint8_t Cp1251Upper(std::uint8_t byte) {
    return kCase.upper[byte];
}

std::string AsciiLower(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = AsciiLower(c);
    }
    return result;
}

std::string AsciiUpper(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = AsciiUpper(c);
    }
    return result;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

bool EndsWithAsciiNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsAsciiNoCase(text.substr(text.size() - suffix.size()), suffix);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (kCase.lower[static_cast<std::uint8_t>(text[i])] !=
            kCase.lower[static_cast<std::uint8_t>(prefix[i])]) {
            return false;
        }
    }
    return true;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int x = kCase.lower[static_cast<std::uint8_t>(a[i])];
        const int y = kCase.lower[static_cast<std::uint8_t>(b[i])];
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

} // namespace platform
