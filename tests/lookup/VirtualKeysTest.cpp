#include "lookup/VirtualKeys.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace lookup {
namespace {

struct KeyCase {
    int qtKey;
    int expected;
};

TEST(VirtualKeys, FixedKeysTakeThePlatformNumbers) {
    const KeyCase cases[] = {
        {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},
        {Qt::Key_Return, 13},      {Qt::Key_Enter, 13},
        {Qt::Key_Shift, 16},       {Qt::Key_Control, 17},
        {Qt::Key_Alt, 18},         {Qt::Key_Escape, 27},
        {Qt::Key_Space, 32},       {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34},    {Qt::Key_End, 35},
        {Qt::Key_Home, 36},        {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},          {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},        {Qt::Key_Insert, 45},
        {Qt::Key_Delete, 46},      {Qt::Key_0, 48},
        {Qt::Key_5, 53},           {Qt::Key_9, 57},
        {Qt::Key_A, 65},           {Qt::Key_C, 67},
        {Qt::Key_Z, 90},           {Qt::Key_F1, 112},
        {Qt::Key_F4, 115},         {Qt::Key_F12, 123},
        {Qt::Key_Semicolon, 186},  {Qt::Key_Equal, 187},
        {Qt::Key_Comma, 188},      {Qt::Key_Minus, 189},
        {Qt::Key_Period, 190},     {Qt::Key_Slash, 191},
        {Qt::Key_QuoteLeft, 192},  {Qt::Key_BracketLeft, 219},
        {Qt::Key_Backslash, 220},  {Qt::Key_BracketRight, 221},
        {Qt::Key_Apostrophe, 222},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(VirtualKey(c.qtKey, false, 0), c.expected) << "Qt key 0x" << std::hex << c.qtKey;
    }
}

TEST(VirtualKeys, ShiftedCharactersNameTheKeyTheyAreOn) {
    const KeyCase cases[] = {
        {Qt::Key_Exclam, '1'},     {Qt::Key_At, '2'},         {Qt::Key_ParenLeft, '9'},
        {Qt::Key_ParenRight, '0'}, {Qt::Key_Colon, 186},      {Qt::Key_Plus, 187},
        {Qt::Key_Less, 188},       {Qt::Key_Underscore, 189}, {Qt::Key_Question, 191},
        {Qt::Key_AsciiTilde, 192}, {Qt::Key_BraceLeft, 219},  {Qt::Key_Bar, 220},
        {Qt::Key_QuoteDbl, 222},   {Qt::Key_Asterisk, '8'},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(VirtualKey(c.qtKey, false, 0), c.expected) << "Qt key 0x" << std::hex << c.qtKey;
    }
}

TEST(VirtualKeys, NumericKeypadHasItsOwnNumbers) {
    EXPECT_EQ(VirtualKey(Qt::Key_0, true, 0), VK_NUMPAD0);
    EXPECT_EQ(VirtualKey(Qt::Key_7, true, 0), VK_NUMPAD0 + 7);
    EXPECT_EQ(VirtualKey(Qt::Key_Asterisk, true, 0), VK_MULTIPLY);
    EXPECT_EQ(VirtualKey(Qt::Key_Plus, true, 0), VK_ADD);
    EXPECT_EQ(VirtualKey(Qt::Key_Minus, true, 0), VK_SUBTRACT);
    EXPECT_EQ(VirtualKey(Qt::Key_Period, true, 0), VK_DECIMAL);
    EXPECT_EQ(VirtualKey(Qt::Key_Slash, true, 0), VK_DIVIDE);
    // Without Num Lock the keypad moves the caret like the arrow block.
    EXPECT_EQ(VirtualKey(Qt::Key_Home, true, 0), VK_HOME);
    EXPECT_EQ(VirtualKey(Qt::Key_Enter, true, 0), VK_RETURN);
}

TEST(VirtualKeys, OtherPrintableKeysUseTheirPlaceOnAUsLayout) {
    const int cyrillicEf = 0x0424; // on the A key of a Bulgarian phonetic layout
    EXPECT_EQ(VirtualKey(cyrillicEf, false, 38), 'A');
    EXPECT_EQ(VirtualKey(cyrillicEf, false, 10), '1');
    EXPECT_EQ(VirtualKey(cyrillicEf, false, 24), 'Q');
    EXPECT_EQ(VirtualKey(cyrillicEf, false, 47), VK_OEM_1);
    EXPECT_EQ(VirtualKey(cyrillicEf, false, 51), VK_OEM_5);
    EXPECT_EQ(VirtualKey(cyrillicEf, false, 58), 'M');
    EXPECT_EQ(VirtualKey(cyrillicEf, false, 61), VK_OEM_2);
    EXPECT_EQ(VirtualKey(cyrillicEf, false, 94), VK_OEM_102);
    // No keycode to go by: still a key above 32.
    EXPECT_EQ(VirtualKey(cyrillicEf, false, 0), 0xDF);
    EXPECT_EQ(VirtualKey(0x00E4, false, 0), 0xDF);
    // Known keys keep their number whatever the keycode says.
    EXPECT_EQ(VirtualKey(Qt::Key_A, false, 24), 'A');
    // A special key without a platform number.
    EXPECT_EQ(VirtualKey(Qt::Key_VolumeUp, false, 0), 0);
}

TEST(VirtualKeys, LettersOfEitherCaseGiveTheCapital) {
    const QKeyEvent lower(QEvent::KeyPress, Qt::Key_H, Qt::NoModifier, QStringLiteral("h"));
    const QKeyEvent upper(QEvent::KeyPress, Qt::Key_H, Qt::ShiftModifier, QStringLiteral("H"));
    EXPECT_EQ(VirtualKeyOf(lower), 'H');
    EXPECT_EQ(VirtualKeyOf(upper), 'H');
    const QKeyEvent keypad(QEvent::KeyPress, Qt::Key_3, Qt::KeypadModifier, QStringLiteral("3"));
    EXPECT_EQ(VirtualKeyOf(keypad), VK_NUMPAD0 + 3);
}

TEST(VirtualKeys, ShiftStateFromModifiersAndButtons) {
    EXPECT_TRUE(ShiftStateOf(Qt::NoModifier, Qt::NoButton).Empty());
    EXPECT_EQ(ShiftStateOf(Qt::ControlModifier, Qt::NoButton), ssCtrl);
    EXPECT_EQ(ShiftStateOf(Qt::ShiftModifier | Qt::AltModifier, Qt::NoButton), ssShift | ssAlt);
    EXPECT_EQ(ShiftStateOf(Qt::KeypadModifier, Qt::LeftButton | Qt::MiddleButton),
              ssLeft | ssMiddle);
    EXPECT_EQ(ShiftStateOf(Qt::ControlModifier, Qt::RightButton), ssCtrl | ssRight);
    EXPECT_FALSE(TShiftState(ssCtrl) == (ssCtrl | ssShift));
}

TEST(VirtualKeys, ModifierKeyCountsAsHeldWhilePressed) {
    const QKeyEvent ctrlDown(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    const QKeyEvent ctrlUp(QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier);
    const QKeyEvent altDown(QEvent::KeyPress, Qt::Key_Alt, Qt::ShiftModifier);
    const QKeyEvent shiftUp(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_EQ(KeyShiftState(ctrlDown), ssCtrl);
    EXPECT_TRUE(KeyShiftState(ctrlUp).Empty());
    EXPECT_EQ(KeyShiftState(altDown), ssShift | ssAlt);
    EXPECT_EQ(KeyShiftState(shiftUp), ssAlt);
}

std::optional<char> CharOf(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    return KeyCharOf(event);
}

TEST(VirtualKeys, KeyCharactersAsCodePageBytes) {
    EXPECT_EQ(CharOf(Qt::Key_A, Qt::NoModifier, "a"), 'a');
    EXPECT_EQ(CharOf(Qt::Key_A, Qt::ShiftModifier, "A"), 'A');
    EXPECT_EQ(CharOf(Qt::Key_Space, Qt::NoModifier, " "), ' ');
    EXPECT_EQ(CharOf(Qt::Key_Return, Qt::NoModifier, "\r"), '\r');
    EXPECT_EQ(CharOf(Qt::Key_Enter, Qt::KeypadModifier, "\r"), '\r');
    EXPECT_EQ(CharOf(Qt::Key_Backspace, Qt::NoModifier, "\b"), '\b');
    EXPECT_EQ(CharOf(Qt::Key_Escape, Qt::NoModifier, "\x1b"), '\x1b');
    EXPECT_EQ(CharOf(Qt::Key_C, Qt::ControlModifier, "c"), '\x03');
    EXPECT_EQ(CharOf(Qt::Key_V, Qt::ControlModifier, "\x16"), '\x16');
    EXPECT_EQ(CharOf(0x0416, Qt::NoModifier, QString(QChar(0x0436))), '\xE6'); // ж
    EXPECT_EQ(CharOf(0x0416, Qt::ShiftModifier, QString(QChar(0x0416))), '\xC6');
    EXPECT_EQ(CharOf(Qt::Key_E, Qt::NoModifier, QString(QChar(0x20AC))), '\x88'); // euro sign
}

TEST(VirtualKeys, KeysThatTypeNothingTheBoxCanHold) {
    EXPECT_EQ(CharOf(Qt::Key_F4, Qt::AltModifier, ""), std::nullopt);
    EXPECT_EQ(CharOf(Qt::Key_X, Qt::AltModifier, "x"), std::nullopt);
    EXPECT_EQ(CharOf(Qt::Key_Control, Qt::ControlModifier, ""), std::nullopt);
    EXPECT_EQ(CharOf(Qt::Key_Delete, Qt::NoModifier, "\x7f"), std::nullopt);
    EXPECT_EQ(CharOf(Qt::Key_Left, Qt::NoModifier, ""), std::nullopt);
    EXPECT_EQ(CharOf(Qt::Key_1, Qt::ControlModifier, "1"), std::nullopt);
    EXPECT_EQ(CharOf(0x00C4, Qt::NoModifier, QString(QChar(0x00E4))), std::nullopt); // ä
    EXPECT_EQ(CharOf(0x4E2D, Qt::NoModifier, QString(QChar(0x4E2D))), std::nullopt);
}

} // namespace
} // namespace lookup
