#pragma once

#include <QColor>

namespace ui {

// The colours the pictures are drawn in, for widgets that sit on them.
namespace palette {
inline constexpr QRgb NavyDeep = 0xff0f1c33; // darkest: splash top, logo, top panel left
inline constexpr QRgb Panel = 0xff16284a;    // button bar and column; every icon's ground
inline constexpr QRgb NavyMid = 0xff21406b;  // light end of the gradients
inline constexpr QRgb Teal = 0xff2a9d8f;     // rules and frames
inline constexpr QRgb TealLight = 0xff8fd8cf;
inline constexpr QRgb TealDark = 0xff1e7a70; // strips under the study list
inline constexpr QRgb Amber = 0xfff2a541;    // accents, the splash's progress dots
inline constexpr QRgb Text = 0xffffffff;     // text on any of the dark colours
inline constexpr QRgb Red = 0xffe05a4f;
inline constexpr QRgb Paper = 0xffe0e7ef; // the dialog texture's mean tone
} // namespace palette

} // namespace ui
