#pragma once

#include <QColor>
#include <QString>
#include <QStringView>

namespace ui {

// Every colour the program draws or dresses a widget in. Style sheets name
// them (see StyleSheet) instead of writing their values.
namespace palette {
// The colours the pictures are drawn in, for widgets that sit on them.
inline constexpr QRgb NavyDeep = 0xff0f1c33;   // darkest: splash top, logo, top panel left
inline constexpr QRgb Panel = 0xff16284a;      // button bar and column; every icon's ground
inline constexpr QRgb NavyMid = 0xff21406b;    // light end of the gradients
inline constexpr QRgb NavyFade = 0xff1b3257;   // foot of the exercise windows' gradient
inline constexpr QRgb NavyNotice = 0xff1e3a63; // ground of the exercises' notices
inline constexpr QRgb Teal = 0xff2a9d8f;       // rules and frames
inline constexpr QRgb TealLight = 0xff8fd8cf;
inline constexpr QRgb TealDark = 0xff1e7a70;   // strips under the study list
inline constexpr QRgb Amber = 0xfff2a541;      // accents, the splash's progress dots
inline constexpr QRgb AmberLight = 0xffffd27a; // what the pointer or the focus is on
inline constexpr QRgb Text = 0xffffffff;       // text on any of the dark colours
inline constexpr QRgb Red = 0xffe05a4f;
inline constexpr QRgb Paper = 0xffe0e7ef;      // the dialog texture's mean tone
inline constexpr QRgb PaperShade = 0xffc5d3e3; // headings on paper
inline constexpr QRgb TipPaper = 0xfffdf1dc;   // tool tips of the exercise windows
inline constexpr QRgb White = 0xffffffff;      // boxes text is typed or shown in
inline constexpr QRgb Black = 0xff000000;
inline constexpr QRgb DisabledText = 0xff5d6f8c;      // on the navy panels
inline constexpr QRgb DisabledTextLight = 0xff8ea0bb; // on the dialogs' navy buttons
inline constexpr QRgb DisabledFrame = 0xff2c4a6e;
// The word boxes of Methods 1 and 2.
inline constexpr QRgb WordBlue = 0xff1f4fc4;
inline constexpr QRgb WordRed = 0xffc62f25;
// The pronunciation key's buttons.
inline constexpr QRgb KeyFrame = 0xffb7c4d4;
inline constexpr QRgb KeyHover = 0xfffff4e2;
inline constexpr QRgb KeyPressed = 0xfffde3b8;
inline constexpr QRgb KeyDisabledFrame = 0xffd0d8e2;
inline constexpr QRgb KeyDisabled = 0xfff3f5f8;
// The letter tabs.
inline constexpr QRgb TabFrame = 0xff7f93ad;
inline constexpr QRgb TabPaper = 0xffdfe7f1;
inline constexpr QRgb TabText = 0xff10253f;
// Hangman: the gallows and the verdict of a game.
inline constexpr QRgb GallowsInk = Black;
inline constexpr QRgb GallowsEyes = 0xffff0000;
inline constexpr QRgb GallowsSkin = 0xfffaa014;
inline constexpr QRgb Won = 0xff008000;
inline constexpr QRgb Lost = 0xffff0000;

struct TNamedColour {
    const char* Name;
    QRgb Rgb;
};

// The colours a style sheet can name.
inline constexpr TNamedColour kNamed[] = {
    {"NavyDeep", NavyDeep},
    {"Panel", Panel},
    {"NavyMid", NavyMid},
    {"NavyFade", NavyFade},
    {"NavyNotice", NavyNotice},
    {"Teal", Teal},
    {"TealLight", TealLight},
    {"TealDark", TealDark},
    {"Amber", Amber},
    {"AmberLight", AmberLight},
    {"Text", Text},
    {"Red", Red},
    {"Paper", Paper},
    {"PaperShade", PaperShade},
    {"TipPaper", TipPaper},
    {"White", White},
    {"Black", Black},
    {"DisabledText", DisabledText},
    {"DisabledTextLight", DisabledTextLight},
    {"DisabledFrame", DisabledFrame},
    {"WordBlue", WordBlue},
    {"WordRed", WordRed},
    {"KeyFrame", KeyFrame},
    {"KeyHover", KeyHover},
    {"KeyPressed", KeyPressed},
    {"KeyDisabledFrame", KeyDisabledFrame},
    {"KeyDisabled", KeyDisabled},
    {"TabFrame", TabFrame},
    {"TabPaper", TabPaper},
    {"TabText", TabText},
};
} // namespace palette

// A style sheet written with the palette's names: "@Teal" becomes the
// colour as "#2a9d8f", "@Teal/40" the colour with that opacity (0 to 255) as
// "rgba(42, 157, 143, 40)". A name the palette lacks is a programming error:
// it stays in the sheet, where Qt ignores the rule, and a debug build stops.
QString StyleSheet(QStringView sheet);

} // namespace ui
