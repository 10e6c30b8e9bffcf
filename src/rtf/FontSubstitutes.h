#pragma once

#include <array>
#include <string_view>

// The font families the windows and the articles were designed with. None
// of them exists on Linux: each stands for installed families that hold
// Cyrillic letters, in order of preference. The windows take the first one
// installed; a document names them and is shown in the first.
namespace rtf {

inline constexpr const char* kFontHebarU = "HebarU";             // search box
inline constexpr const char* kFontTimok = "Timok";               // articles
inline constexpr const char* kFontMsSansSerif = "MS Sans Serif"; // labels and dialogs

struct TFontSubstitute {
    const char* Name;
    std::array<const char*, 4> Candidates;
};

// The first sans family is part of every Debian desktop. Articles carry
// stress marks (combining accents), which Qt 6.4 places over the wrong
// letters in DejaVu Sans but right in DejaVu Serif.
inline constexpr std::array<const char*, 4> kSansFamilies = {"DejaVu Sans", "Liberation Sans",
                                                             "Noto Sans", "FreeSans"};
inline constexpr std::array<const char*, 4> kSerifFamilies = {"DejaVu Serif", "Liberation Serif",
                                                              "Noto Serif", "FreeSerif"};

inline constexpr std::array<TFontSubstitute, 3> kFontSubstitutes = {{
    {kFontHebarU, kSansFamilies},
    {kFontTimok, kSerifFamilies},
    {kFontMsSansSerif, kSansFamilies},
}};

// The entry of a design family, its name compared without regard to the
// Latin letters' case; null for any other family.
const TFontSubstitute* FindFontSubstitute(std::string_view family);

} // namespace rtf
