#include "lookup/VirtualKeys.h"

#include "platform/Cp1251.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <array>

namespace lookup {
namespace {

// Virtual keys of the printable keys by X11/xkb keycode (evdev code + 8), as
// they sit on a US layout: keycodes 10..61.
// clang-format off
constexpr std::array<std::uint8_t, 52> kUsLayoutKeys = {
    '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', VK_OEM_MINUS, VK_OEM_PLUS, // 10..21
    0, 0,                                                                       // 22..23
    'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', VK_OEM_4, VK_OEM_6,       // 24..35
    0, 0,                                                                       // 36..37
    'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', VK_OEM_1, VK_OEM_7, VK_OEM_3,  // 38..49
    0, VK_OEM_5,                                                                // 50..51
    'Z', 'X', 'C', 'V', 'B', 'N', 'M', VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2,   // 52..61
};
// clang-format on
constexpr std::uint32_t kFirstUsLayoutKeycode = 10;
constexpr std::uint32_t kLessGreaterKeycode = 94;

int KeypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return VK_NUMPAD0 + (qtKey - Qt::Key_0);
    }
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Plus:
        return VK_ADD;
    case Qt::Key_Minus:
        return VK_SUBTRACT;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return VK_DECIMAL;
    case Qt::Key_Slash:
        return VK_DIVIDE;
    default:
        return 0;
    }
}

// Keys whose number does not depend on the place of the key.
int FixedKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return qtKey;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return qtKey;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return VK_F1 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Clear:
        return VK_CLEAR;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return VK_MENU;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Print:
        return VK_SNAPSHOT;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Help:
        return VK_HELP;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
        return VK_LWIN;
    case Qt::Key_Super_R:
        return VK_RWIN;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
        return VK_SCROLL;
    // Punctuation and shifted digits: the key they are on in a US layout.
    case Qt::Key_ParenRight:
        return '0';
    case Qt::Key_Exclam:
        return '1';
    case Qt::Key_At:
        return '2';
    case Qt::Key_NumberSign:
        return '3';
    case Qt::Key_Dollar:
        return '4';
    case Qt::Key_Percent:
        return '5';
    case Qt::Key_AsciiCircum:
        return '6';
    case Qt::Key_Ampersand:
        return '7';
    case Qt::Key_Asterisk:
        return '8';
    case Qt::Key_ParenLeft:
        return '9';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return VK_OEM_1;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return VK_OEM_7;
    default:
        return 0;
    }
}

int UsLayoutKey(std::uint32_t x11Keycode) {
    if (x11Keycode == kLessGreaterKeycode) {
        return VK_OEM_102;
    }
    if (x11Keycode >= kFirstUsLayoutKeycode &&
        x11Keycode < kFirstUsLayoutKeycode + kUsLayoutKeys.size()) {
        return kUsLayoutKeys[x11Keycode - kFirstUsLayoutKeycode];
    }
    return 0;
}

// Qt numbers the keys that type a character by that character's code; the
// special keys live at 0x01000000 and above.
bool IsPrintableQtKey(int qtKey) {
    return qtKey > Qt::Key_Space && qtKey < Qt::Key_Escape;
}

bool UsesXkbKeycodes() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

} // namespace

int VirtualKey(int qtKey, bool keypad, std::uint32_t x11Keycode) {
    if (keypad) {
        if (const int key = KeypadKey(qtKey); key != 0) {
            return key;
        }
    }
    if (const int key = FixedKey(qtKey); key != 0) {
        return key;
    }
    if (const int key = UsLayoutKey(x11Keycode); key != 0) {
        return key;
    }
    return IsPrintableQtKey(qtKey) ? VK_OEM_8 : 0;
}

int VirtualKeyOf(const QKeyEvent& event) {
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    const std::uint32_t keycode = UsesXkbKeycodes() ? event.nativeScanCode() : 0;
    return VirtualKey(event.key(), keypad, keycode);
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState state;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        state |= ssShift;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        state |= ssAlt;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        state |= ssCtrl;
    }
    if (buttons.testFlag(Qt::LeftButton)) {
        state |= ssLeft;
    }
    if (buttons.testFlag(Qt::RightButton)) {
        state |= ssRight;
    }
    if (buttons.testFlag(Qt::MiddleButton)) {
        state |= ssMiddle;
    }
    return state;
}

TShiftState KeyShiftState(const QKeyEvent& event) {
    TShiftState state = ShiftStateOf(event.modifiers(), QGuiApplication::mouseButtons());
    TShiftState own;
    switch (event.key()) {
    case Qt::Key_Shift:
        own = ssShift;
        break;
    case Qt::Key_Control:
        own = ssCtrl;
        break;
    case Qt::Key_Alt:
        own = ssAlt;
        break;
    default:
        return state;
    }
    if (event.type() == QEvent::KeyPress) {
        state |= own;
    } else {
        state -= own;
    }
    return state;
}

std::optional<char> KeyCharOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    if (modifiers.testFlag(Qt::AltModifier) && !ctrl) {
        return std::nullopt;
    }
    const int key = event.key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        return static_cast<char>(ctrl ? '\n' : '\r');
    }
    if (key == Qt::Key_Backspace) {
        return '\b';
    }
    if (key == Qt::Key_Escape) {
        return '\x1b';
    }
    if (ctrl) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) {
            return static_cast<char>(key - Qt::Key_A + 1);
        }
        return std::nullopt;
    }
    const QString text = event.text();
    if (text.size() != 1 || text.front().unicode() < 0x20 || text.front().unicode() == 0x7F) {
        return std::nullopt;
    }
    const std::optional<std::uint8_t> byte = platform::UnicodeToCp1251(text.front().unicode());
    if (!byte) {
        return std::nullopt;
    }
    return static_cast<char>(*byte);
}

} // namespace lookup
