#pragma once

#include <QtCore/qnamespace.h>

#include <cstdint>
#include <optional>

class QKeyEvent;

// The key numbers and shift states the search box's key rules are written in:
// the platform's virtual-key codes, independent of the keyboard layout for
// letters and digits. This is the one place that maps Qt's key events to them.
namespace lookup {

inline constexpr int VK_BACK = 8;
inline constexpr int VK_TAB = 9;
inline constexpr int VK_CLEAR = 12;
inline constexpr int VK_RETURN = 13;
inline constexpr int VK_SHIFT = 16;
inline constexpr int VK_CONTROL = 17;
inline constexpr int VK_MENU = 18; // Alt
inline constexpr int VK_PAUSE = 19;
inline constexpr int VK_CAPITAL = 20;
inline constexpr int VK_ESCAPE = 27;
inline constexpr int VK_SPACE = 32;
inline constexpr int VK_PRIOR = 33; // Page Up
inline constexpr int VK_NEXT = 34;  // Page Down
inline constexpr int VK_END = 35;
inline constexpr int VK_HOME = 36;
inline constexpr int VK_LEFT = 37;
inline constexpr int VK_UP = 38;
inline constexpr int VK_RIGHT = 39;
inline constexpr int VK_DOWN = 40;
inline constexpr int VK_SNAPSHOT = 44;
inline constexpr int VK_INSERT = 45;
inline constexpr int VK_DELETE = 46;
inline constexpr int VK_HELP = 47;
// '0'..'9' are 48..57 and 'A'..'Z' 65..90, the characters' own codes.
inline constexpr int VK_LWIN = 91;
inline constexpr int VK_RWIN = 92;
inline constexpr int VK_APPS = 93;
inline constexpr int VK_NUMPAD0 = 96; // .. VK_NUMPAD9 = 105
inline constexpr int VK_MULTIPLY = 106;
inline constexpr int VK_ADD = 107;
inline constexpr int VK_SUBTRACT = 109;
inline constexpr int VK_DECIMAL = 110;
inline constexpr int VK_DIVIDE = 111;
inline constexpr int VK_F1 = 112;
inline constexpr int VK_F2 = 113;
inline constexpr int VK_F3 = 114;
inline constexpr int VK_F4 = 115;
inline constexpr int VK_F5 = 116;
inline constexpr int VK_F6 = 117;
inline constexpr int VK_F7 = 118;
inline constexpr int VK_F8 = 119;
inline constexpr int VK_F9 = 120;
inline constexpr int VK_F10 = 121;
inline constexpr int VK_F11 = 122;
inline constexpr int VK_F12 = 123; // F13..F24 continue up to 135
inline constexpr int VK_NUMLOCK = 144;
inline constexpr int VK_SCROLL = 145;
inline constexpr int VK_OEM_1 = 186;      // ;
inline constexpr int VK_OEM_PLUS = 187;   // =
inline constexpr int VK_OEM_COMMA = 188;  // ,
inline constexpr int VK_OEM_MINUS = 189;  // -
inline constexpr int VK_OEM_PERIOD = 190; // .
inline constexpr int VK_OEM_2 = 191;      // /
inline constexpr int VK_OEM_3 = 192;      // `
inline constexpr int VK_OEM_4 = 219;      // [
inline constexpr int VK_OEM_5 = 220;      // backslash
inline constexpr int VK_OEM_6 = 221;      // ]
inline constexpr int VK_OEM_7 = 222;      // '
inline constexpr int VK_OEM_8 = 223;      // any other printable key
inline constexpr int VK_OEM_102 = 226;    // the extra key beside left Shift

enum TShiftFlag : std::uint8_t {
    ssShift = 0x01,
    ssAlt = 0x02,
    ssCtrl = 0x04,
    ssLeft = 0x08,
    ssRight = 0x10,
    ssMiddle = 0x20,
};

// The modifier keys and mouse buttons held when a key event happened.
class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(TShiftFlag flag) : bits_(flag) {}

    constexpr bool Contains(TShiftFlag flag) const { return (bits_ & flag) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::uint8_t Bits() const { return bits_; }

    constexpr TShiftState& operator|=(TShiftState other) {
        bits_ = static_cast<std::uint8_t>(bits_ | other.bits_);
        return *this;
    }
    constexpr TShiftState& operator-=(TShiftState other) {
        bits_ = static_cast<std::uint8_t>(bits_ & ~other.bits_);
        return *this;
    }
    friend constexpr TShiftState operator|(TShiftState a, TShiftState b) { return a |= b; }
    friend constexpr bool operator==(TShiftState a, TShiftState b) = default;

private:
    std::uint8_t bits_ = 0;
};

constexpr TShiftState operator|(TShiftFlag a, TShiftFlag b) {
    return TShiftState(a) | TShiftState(b);
}

// The virtual key of a Qt key. keypad: the key is on the numeric keypad.
// x11Keycode: the X11/xkb keycode of the physical key (0 when unknown); a
// printable key Qt has no fixed number for (a Cyrillic letter, say) takes the
// number of the key at that place on a US layout, else VK_OEM_8. 0 for keys
// that have no virtual key.
int VirtualKey(int qtKey, bool keypad, std::uint32_t x11Keycode);

// The virtual key of a key event; the native scan code is used where it is an
// X11/xkb keycode.
int VirtualKeyOf(const QKeyEvent& event);

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

// The shift state of a key event as the platform reports it: pressing a
// modifier key already counts it as held, releasing it no longer does.
TShiftState KeyShiftState(const QKeyEvent& event);

// The character a key event types, as a code page 1251 byte: Enter 13,
// Backspace 8, Escape 27, Ctrl+letter the control codes 1..26; nothing for
// keys that type no character, for Alt combinations and for characters the
// code page cannot hold.
std::optional<char> KeyCharOf(const QKeyEvent& event);

} // namespace lookup
