#pragma once

#include "ui/Palette.h"

#include <QByteArray>
#include <QColor>
#include <QPixmap>
#include <QSize>

#include <optional>
#include <string_view>

// The program's pictures: JPEG files compiled into the program and decoded
// with LoadJpeg, so they show the same whatever image plugins Qt has.
namespace ui {

enum class PictureId {
    Splash,         // 406 x 193, the splash window
    Logo,           // 90 x 58, Image1
    TopPanel,       // 612 x 58, behind the logo and the letter tabs
    ButtonBar,      // 402 x 40, Image2 behind the article's button bar
    ButtonColumn,   // 76 x 290, Image3 behind the right button column
    ListStripLeft,  // 132 x 24, Image4 under the study list
    ListStripRight, // 132 x 24, Image5 under the study list
    DialogTexture,  // 64 x 64, seamless tile for dialog backgrounds
    AboutUs,        // 406 x 194, the about-us window
    AboutProgram,   // 406 x 194, the about-program window
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
// Decoded afresh and not cached, for a picture that is shown once: its pixels
// go when the last copy does.
QPixmap UncachedPicture(PictureId id);

// Decodes JPEG bytes, or gives size filled with fill when they do not decode.
QPixmap PictureFromJpeg(const QByteArray& jpeg, QSize size, QColor fill);

} // namespace ui
