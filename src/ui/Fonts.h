#pragma once

#include "rtf/FontSubstitutes.h"

#include <QString>

// The windows ask for the font families they were designed with; each is
// mapped to the first installed family of its entry in rtf::kFontSubstitutes.
namespace ui {

inline constexpr const char* kFontHebarU = rtf::kFontHebarU;           // search box
inline constexpr const char* kFontTimok = rtf::kFontTimok;             // article pane
inline constexpr const char* kFontMsSansSerif = rtf::kFontMsSansSerif; // labels and dialogs

// The installed family that stands in for the search box and label fonts;
// empty when no installed family covers Cyrillic.
QString CyrillicSubstituteFamily();
// The installed family that stands in for the article font.
QString ArticleSubstituteFamily();

// Registers the substitutes with QFont. Call once after the application
// object exists and before the first window is built; calling it again is
// harmless.
void RegisterFontSubstitutes();

} // namespace ui
