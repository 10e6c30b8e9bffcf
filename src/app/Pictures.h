#pragma once

#include <QByteArray>
#include <QColor>
#include <QPixmap>
#include <QSize>

#include <optional>
#include <string_view>

// The program's pictures: JPEG files compiled into the program and decoded
// with LoadJpeg, so they show the same whatever image plugins Qt has.
namespace app {

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

enum class PictureId {
    Splash,         // 406 x 193, the splash window
    Logo,           // 90 x 58, Image1
    TopPanel,       // 612 x 58, behind the logo and the letter tabs
    ButtonBar,      // 402 x 40, Image2 behind the article's button bar
    ButtonColumn,   // 76 x 290, Image3 behind the right button column
    ListStripLeft,  // 132 x 24, Image4 under the study list
    ListStripRight, // 132 x 24, Image5 under the study list
    DialogTexture,  // 64 x 64, seamless tile for dialog backgrounds
    IconPronounce,  // 28 x 28 button icons, drawn on palette::Panel
    IconRecord,
    IconStop,
    IconPlay,
    IconAddWord,
    IconOpenList,
    IconSaveList,
    IconAddItems,
    IconClear,
    IconContinue,
    Hangman, // 64 x 34, the Hangman launcher's picture, on palette::Panel
};
inline constexpr int kPictureCount = static_cast<int>(PictureId::Hangman) + 1;

struct PictureInfo {
    PictureId id;
    const char* name; // also the resource file name without ".jpg"
    QSize size;
    QRgb fill; // what a missing picture is replaced by
};

const PictureInfo& PictureDescription(PictureId id);
std::optional<PictureId> PictureByName(std::string_view name);

// The embedded JPEG file; empty when it is missing from the program.
QByteArray PictureBytes(PictureId id);

// The decoded picture, cached. A missing or undecodable picture yields a
// pixmap of the picture's size filled with its fill colour.
QPixmap Picture(PictureId id);
// A null pixmap for an unknown name.
QPixmap Picture(std::string_view name);

// Decodes JPEG bytes, or gives size filled with fill when they do not decode.
QPixmap PictureFromJpeg(const QByteArray& jpeg, QSize size, QColor fill);

} // namespace app
