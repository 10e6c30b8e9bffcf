#pragma once

#include <QString>

// The windows ask for the font families they were designed with; none of
// them exists on Linux, so each is mapped to an installed family that has
// Cyrillic letters.
namespace ui {

inline constexpr const char* kFontHebarU = "HebarU";             // search box
inline constexpr const char* kFontTimok = "Timok";               // article pane
inline constexpr const char* kFontMsSansSerif = "MS Sans Serif"; // labels and dialogs

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
