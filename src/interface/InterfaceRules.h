#pragma once

#include <string>
#include <string_view>

// The interface's rules that need no widget: the reference pages' files, the
// pronunciation key's buttons and samples, the compact view's widths and the
// web addresses.
namespace interface {

// --- Reference pages --------------------------------------------------------

enum class TPage { BulgarianAbbreviations, EnglishAbbreviations, OrderInfo };

// The page's file below the working directory, as a fragment for
// platform::ResolvePath; the ordering page follows the interface language.
std::string_view PageFragment(TPage page, bool english);

// The help page in the interface language, below the working directory.
std::string_view HelpPageFragment(bool english);

// --- Pronunciation key ------------------------------------------------------

inline constexpr int kKeyButtonCount = 48;
inline constexpr std::string_view kKeyLinesFragment = "\\rtf\\trans.rtf";

// The number a key button's name ends in: its last two characters as a
// decimal number, or its last character when those two are not one ("trans7"
// → 7, "trans48" → 48). 0 when neither is a number.
int KeyButtonNumber(std::string_view name);

// Button n's sample, as a fragment below the working directory.
std::string KeySampleFragment(int n);

// The phonetic symbol of button n (1 to 48), UTF-8; empty outside the range.
std::string_view KeySymbol(int n);
// The symbol as its button shows it: the length mark written as a colon.
std::string KeyButtonLabel(int n);

// --- View modes -------------------------------------------------------------

// The window's widths in one view. The window width is that of its client
// area: Qt sizes windows without the frame, which is the window manager's.
struct TViewWidths {
    int Window = 0;
    int TabControl = 0;
    int Combo = 0;
};

// The compact view's outer width, as the layout was drawn: with a 3-pixel
// frame on each side, which leaves exactly the article area.
inline constexpr int kCompactOuterWidth = 408;
inline constexpr int kDesignedFrameWidth = 3;
inline constexpr int kCompactWindowWidth = kCompactOuterWidth - 2 * kDesignedFrameWidth;

// Widths after switching to compact from the widths before: the letter tabs
// lose the right panel's width and the search box stays 16 narrower.
TViewWidths CompactWidths(const TViewWidths& before, int rightPanelWidth);

// --- Web links --------------------------------------------------------------

enum class TWebLink { Logo, OnlineDictionary, Downloads, MoreDictionaries };

// Every address the program opens in a browser.
std::string_view WebAddress(TWebLink link);

} // namespace interface
