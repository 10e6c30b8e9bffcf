#include "lookup/SearchCombo.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace lookup {
namespace {

// 18 head-words: with 10 visible rows the list scrolls to row 8 at most.
const std::vector<std::string> kEnglish = {
    "hat",  "hot",  "hotel", "house", "household", "hour",  "hub",  "hue",   "hug",
    "huge", "hull", "hum",   "human", "humble",    "humid", "hunt", "hurry", "hurt",
};
// ад, кабел, Къща, къщичка, кът in code page 1251.
const std::vector<std::string> kBulgarian = {"\xE0\xE4", "\xEA\xE0\xE1\xE5\xEB", "\xCA\xFA\xF9\xE0",
                                             "\xEA\xFA\xF9\xE8\xF7\xEA\xE0", "\xEA\xFA\xF2"};

class SearchComboTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(320, 300);
        combo_ = new TSearchCombo(window_.get());
        combo_->setGeometry(10, 10, 220, 23);
        other_ = new QPushButton(QStringLiteral("Other"), window_.get());
        other_->setGeometry(240, 250, 70, 30);
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        Edit()->setFocus();
        ASSERT_TRUE(Edit()->hasFocus());
        combo_->OnChange = [this] {
            ++changes_;
            log_.push_back("change");
        };
        SetWords(kEnglish);
    }

    void SetWords(const std::vector<std::string>& words) {
        views_.assign(words.begin(), words.end());
        combo_->SetItems(views_);
    }

    // Records every event, by number, in the order it is raised.
    void LogKeys() {
        combo_->OnKeyDown = [this](int& key, TShiftState shift) {
            log_.push_back("down " + std::to_string(key) + " " + std::to_string(shift.Bits()));
        };
        combo_->OnKeyPress = [this](char& key) {
            log_.push_back("press " + std::to_string(static_cast<unsigned char>(key)));
        };
        combo_->OnKeyUp = [this](int& key, TShiftState shift) {
            log_.push_back("up " + std::to_string(key) + " " + std::to_string(shift.Bits()));
        };
    }

    QLineEdit* Edit() const { return combo_->Edit(); }

    void Type(const char* latin) { QTest::keyClicks(Edit(), QString::fromLatin1(latin)); }

    // Cyrillic letters as a Bulgarian layout delivers them.
    void TypeUnicode(const QString& text) {
        for (const QChar ch : text) {
            QTest::sendKeyEvent(QTest::Click, Edit(), static_cast<Qt::Key>(ch.toUpper().unicode()),
                                QString(ch), Qt::NoModifier);
        }
    }

    void ClickRow(int row) {
        QAbstractScrollArea* list = combo_->DropList();
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(list->isVisible());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, combo_->ItemRect(row).center());
    }

    std::unique_ptr<QWidget> window_;
    TSearchCombo* combo_ = nullptr;
    QPushButton* other_ = nullptr;
    std::vector<std::string_view> views_;
    std::vector<std::string> log_;
    int changes_ = 0;
};

TEST_F(SearchComboTest, TypingWithTheListOpenHighlightsTheFirstMatch) {
    combo_->SetDroppedDown(true);
    Type("hou");
    EXPECT_EQ(combo_->Text(), "hou");
    EXPECT_EQ(combo_->ItemIndex(), 3);
    EXPECT_EQ(combo_->TopIndex(), 3);
    EXPECT_EQ(combo_->DropList()->verticalScrollBar()->value(), 3);
    EXPECT_EQ(changes_, 3);
    Type("r");
    EXPECT_EQ(combo_->ItemIndex(), 5);
    QTest::keyClick(Edit(), Qt::Key_Backspace);
    QTest::keyClick(Edit(), Qt::Key_Backspace);
    EXPECT_EQ(combo_->Text(), "ho");
    EXPECT_EQ(combo_->ItemIndex(), 1);
    EXPECT_EQ(changes_, 6);
    // Near the end the list scrolls as far as it can.
    Edit()->clear();
    Type("hum");
    EXPECT_EQ(combo_->ItemIndex(), 11);
    EXPECT_EQ(combo_->TopIndex(), 8);
    EXPECT_TRUE(combo_->DroppedDown());
}

TEST_F(SearchComboTest, TypingIgnoresCaseAndKeepsTheTypedText) {
    combo_->SetDroppedDown(true);
    QTest::keyClicks(Edit(), QStringLiteral("HOUS"));
    EXPECT_EQ(combo_->Text(), "HOUS");
    EXPECT_EQ(combo_->ItemIndex(), 3);
}

TEST_F(SearchComboTest, TypingWithoutAMatchSelectsNothingAndScrollsToTheStart) {
    combo_->SetDroppedDown(true);
    Type("hum");
    ASSERT_EQ(combo_->TopIndex(), 8);
    Type("x");
    EXPECT_EQ(combo_->Text(), "humx");
    EXPECT_EQ(combo_->ItemIndex(), -1);
    EXPECT_EQ(combo_->TopIndex(), 0);
    // Deleting everything matches nothing either.
    Edit()->selectAll();
    QTest::keyClick(Edit(), Qt::Key_Delete);
    EXPECT_EQ(combo_->Text(), "");
    EXPECT_EQ(combo_->ItemIndex(), -1);
    EXPECT_EQ(combo_->TopIndex(), 0);
}

TEST_F(SearchComboTest, TypingWithTheListClosedScrollsButSelectsNothing) {
    combo_->SetItemIndex(1);
    changes_ = 0;
    Edit()->end(false);
    Type("u");
    EXPECT_EQ(combo_->Text(), "hotu");
    EXPECT_EQ(combo_->ItemIndex(), -1);
    Edit()->clear();
    Type("hou");
    EXPECT_EQ(combo_->ItemIndex(), -1);
    EXPECT_EQ(combo_->TopIndex(), 3);
    EXPECT_FALSE(combo_->DroppedDown());
    EXPECT_EQ(changes_, 4);
}

TEST_F(SearchComboTest, CyrillicTypingMatchesWithoutRegardToCase) {
    SetWords(kBulgarian);
    combo_->SetDroppedDown(true);
    TypeUnicode(QStringLiteral("къщ"));
    EXPECT_EQ(combo_->Text(), "\xEA\xFA\xF9");
    EXPECT_EQ(combo_->ItemIndex(), 2);
    Edit()->clear();
    TypeUnicode(QStringLiteral("КЪТ"));
    EXPECT_EQ(combo_->Text(), "\xCA\xDA\xD2");
    EXPECT_EQ(combo_->ItemIndex(), 4);
}

TEST_F(SearchComboTest, NewItemsEmptyTheTextAndSelectNothing) {
    combo_->SetDroppedDown(true);
    Type("hum");
    changes_ = 0;
    SetWords(kBulgarian);
    EXPECT_EQ(combo_->Text(), "");
    EXPECT_EQ(combo_->Count(), 5);
    EXPECT_EQ(combo_->Item(2), kBulgarian[2]);
    EXPECT_EQ(combo_->ItemIndex(), -1);
    EXPECT_EQ(combo_->TopIndex(), 0);
    EXPECT_EQ(changes_, 0);
    // The open list shrinks to the rows it has.
    EXPECT_EQ(combo_->DropList()->viewport()->height(), 5 * combo_->RowHeight());
    combo_->SetText("x");
    combo_->ClearItems();
    EXPECT_EQ(combo_->Count(), 0);
    EXPECT_EQ(combo_->Text(), "");
}

TEST_F(SearchComboTest, SelectingAPositionPutsItsHeadWordWhollySelected) {
    combo_->SetItemIndex(15);
    EXPECT_EQ(combo_->Text(), "hunt");
    EXPECT_EQ(Edit()->selectedText(), QStringLiteral("hunt"));
    EXPECT_EQ(combo_->SelStart(), 0);
    EXPECT_EQ(combo_->TopIndex(), 6);
    // The same position again changes nothing, not even an edited text.
    combo_->SetText("hu");
    combo_->SetItemIndex(15);
    EXPECT_EQ(combo_->Text(), "hu");
    // -1 clears selection and text; out of range is -1.
    combo_->SetItemIndex(2);
    combo_->SetItemIndex(-1);
    EXPECT_EQ(combo_->ItemIndex(), -1);
    EXPECT_EQ(combo_->Text(), "");
    combo_->SetItemIndex(4);
    combo_->SetItemIndex(18);
    EXPECT_EQ(combo_->ItemIndex(), -1);
    EXPECT_EQ(combo_->Text(), "");
    // -1 with nothing selected leaves the text alone.
    combo_->SetText("abc");
    combo_->SetItemIndex(-1);
    EXPECT_EQ(combo_->Text(), "abc");
    EXPECT_EQ(changes_, 0);
}

TEST_F(SearchComboTest, TextAndCaretAreSetWithoutTouchingTheSelection) {
    combo_->SetItemIndex(3);
    combo_->SetText("hou");
    EXPECT_EQ(combo_->ItemIndex(), 3);
    combo_->SetSelStart(3);
    EXPECT_EQ(combo_->SelStart(), 3);
    EXPECT_FALSE(Edit()->hasSelectedText());
    combo_->SetSelStart(1);
    Type("x");
    EXPECT_EQ(combo_->Text(), "hxou");
    combo_->SetText("\xCA\xFA\xF9\xE0");
    EXPECT_EQ(Edit()->text(), QStringLiteral("Къща"));
    EXPECT_EQ(combo_->Text(), "\xCA\xFA\xF9\xE0");
    EXPECT_EQ(changes_, 1);
}

TEST_F(SearchComboTest, ArrowsInTheOpenListSelectAndPutTheHeadWord) {
    combo_->SetDroppedDown(true);
    Type("hou");
    changes_ = 0;
    QTest::keyClick(Edit(), Qt::Key_Down);
    EXPECT_EQ(combo_->ItemIndex(), 4);
    EXPECT_EQ(combo_->Text(), "household");
    EXPECT_EQ(Edit()->selectedText(), QStringLiteral("household"));
    EXPECT_EQ(changes_, 1);
    QTest::keyClick(Edit(), Qt::Key_Up);
    QTest::keyClick(Edit(), Qt::Key_Up);
    EXPECT_EQ(combo_->ItemIndex(), 2);
    EXPECT_EQ(combo_->Text(), "hotel");
    EXPECT_EQ(combo_->TopIndex(), 2); // kept visible
    EXPECT_EQ(changes_, 3);
    QTest::keyClick(Edit(), Qt::Key_PageDown);
    EXPECT_EQ(combo_->ItemIndex(), 12);
    EXPECT_EQ(combo_->TopIndex(), 3);
    QTest::keyClick(Edit(), Qt::Key_PageDown);
    EXPECT_EQ(combo_->ItemIndex(), 17);
    EXPECT_EQ(combo_->Text(), "hurt");
    // Nothing below the last head-word: no change.
    QTest::keyClick(Edit(), Qt::Key_Down);
    EXPECT_EQ(changes_, 5);
    QTest::keyClick(Edit(), Qt::Key_PageUp);
    EXPECT_EQ(combo_->ItemIndex(), 7);
    EXPECT_TRUE(combo_->DroppedDown());
    EXPECT_EQ(QApplication::focusWidget(), Edit());
}

TEST_F(SearchComboTest, DownFromNoSelectionTakesTheTopVisibleRow) {
    combo_->SetDroppedDown(true);
    combo_->SetTopIndex(5);
    QTest::keyClick(Edit(), Qt::Key_Down);
    EXPECT_EQ(combo_->ItemIndex(), 5);
    EXPECT_EQ(combo_->Text(), "hour");
    EXPECT_EQ(changes_, 1);
}

TEST_F(SearchComboTest, ArrowsWithTheListClosedMoveTheSelection) {
    QTest::keyClick(Edit(), Qt::Key_Down);
    EXPECT_EQ(combo_->ItemIndex(), 0);
    EXPECT_EQ(combo_->Text(), "hat");
    QTest::keyClick(Edit(), Qt::Key_Down);
    EXPECT_EQ(combo_->Text(), "hot");
    EXPECT_FALSE(combo_->DroppedDown());
    EXPECT_EQ(changes_, 2);
}

TEST_F(SearchComboTest, ClickingARowChoosesItAndClosesTheList) {
    combo_->SetDroppedDown(true);
    Type("hou");
    changes_ = 0;
    ClickRow(5);
    EXPECT_EQ(combo_->ItemIndex(), 5);
    EXPECT_EQ(combo_->Text(), "hour");
    EXPECT_EQ(Edit()->selectedText(), QStringLiteral("hour"));
    EXPECT_FALSE(combo_->DroppedDown());
    EXPECT_FALSE(combo_->DropList()->isVisible());
    EXPECT_EQ(changes_, 1);
    EXPECT_EQ(QApplication::focusWidget(), Edit());
    // The highlighted row itself still replaces the typed text.
    combo_->SetDroppedDown(true);
    Type("x");
    combo_->SetItemIndex(3);
    combo_->SetText("hou");
    ClickRow(3);
    EXPECT_EQ(combo_->Text(), "house");
    EXPECT_EQ(changes_, 3);
}

TEST_F(SearchComboTest, TheListNeverTakesTheFocus) {
    // Even a window that takes the focus on a click leaves it in the box.
    window_->setFocusPolicy(Qt::ClickFocus);
    QWidget* arrow = combo_->childAt(combo_->rect().topRight() + QPoint(-8, 10));
    ASSERT_NE(arrow, nullptr);
    ASSERT_NE(arrow, Edit());
    QTest::mouseClick(arrow, Qt::LeftButton);
    ASSERT_TRUE(combo_->DroppedDown());
    QAbstractScrollArea* list = combo_->DropList();
    EXPECT_EQ(list->parentWidget(), window_.get());
    EXPECT_EQ(list->geometry().topLeft(), combo_->geometry().bottomLeft() + QPoint(0, 1));
    EXPECT_EQ(list->width(), combo_->width());
    EXPECT_EQ(list->viewport()->height(), 10 * combo_->RowHeight());
    EXPECT_EQ(QApplication::focusWidget(), Edit());
    // Pressing on the list or its scroll bar leaves the keyboard in the box.
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, combo_->ItemRect(2).center());
    EXPECT_EQ(QApplication::focusWidget(), Edit());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, combo_->ItemRect(7).center());
    EXPECT_EQ(combo_->ItemIndex(), -1); // released elsewhere: no choice
    EXPECT_TRUE(combo_->DroppedDown());
    QScrollBar* bar = list->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 4));
    EXPECT_GT(combo_->TopIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), Edit());
    // The arrow closes the list again.
    QTest::mouseClick(arrow, Qt::LeftButton);
    EXPECT_FALSE(combo_->DroppedDown());
    EXPECT_EQ(QApplication::focusWidget(), Edit());
}

TEST_F(SearchComboTest, ClickingElsewhereOrEscapeClosesTheList) {
    combo_->SetDroppedDown(true);
    QTest::keyClick(Edit(), Qt::Key_Escape);
    EXPECT_FALSE(combo_->DroppedDown());
    combo_->SetDroppedDown(true);
    QTest::mouseClick(other_, Qt::LeftButton);
    EXPECT_FALSE(combo_->DroppedDown());
    EXPECT_FALSE(combo_->DropList()->isVisible());
}

TEST_F(SearchComboTest, EventsComeInThePlatformOrder) {
    LogKeys();
    QTest::keyClick(Edit(), Qt::Key_A);
    const std::vector<std::string> expected = {"down 65 0", "press 97", "change", "up 65 0"};
    EXPECT_EQ(log_, expected);
    log_.clear();
    QTest::sendKeyEvent(QTest::Click, Edit(), Qt::Key_H, QStringLiteral("H"), Qt::ShiftModifier);
    const std::vector<std::string> shifted = {"down 16 1", "down 72 1", "press 72",
                                              "change",    "up 72 1",   "up 16 0"};
    EXPECT_EQ(log_, shifted);
    EXPECT_EQ(combo_->Text(), "aH");
}

TEST_F(SearchComboTest, AutoRepeatRepeatsKeyDownAndKeyPressOnly) {
    LogKeys();
    QKeyEvent first(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
    QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"), true);
    QKeyEvent repeatDown(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"), true);
    QKeyEvent last(QEvent::KeyRelease, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
    QApplication::sendEvent(Edit(), &first);
    QApplication::sendEvent(Edit(), &repeatUp);
    QApplication::sendEvent(Edit(), &repeatDown);
    QApplication::sendEvent(Edit(), &last);
    const std::vector<std::string> expected = {"down 90 0", "press 122", "change", "down 90 0",
                                               "press 122", "change",    "up 90 0"};
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(combo_->Text(), "zz");
}

TEST_F(SearchComboTest, KeyDownSuppressesTheKeyButNotTheCharacter) {
    combo_->SetText("abc");
    combo_->SetSelStart(1);
    combo_->OnKeyDown = [](int& key, TShiftState) { key = 0; };
    QTest::keyClick(Edit(), Qt::Key_Right);
    QTest::keyClick(Edit(), Qt::Key_Delete);
    QTest::keyClick(Edit(), Qt::Key_Down);
    EXPECT_EQ(combo_->SelStart(), 1);
    EXPECT_EQ(combo_->Text(), "abc");
    EXPECT_EQ(combo_->ItemIndex(), -1);
    QTest::keyClick(Edit(), Qt::Key_Backspace);
    EXPECT_EQ(combo_->Text(), "abc");
    // As on the platform, the character of a suppressed key is still typed.
    Type("x");
    EXPECT_EQ(combo_->Text(), "axbc");
}

// The main window's own use: a key above 32 opens the list, and the first
// character typed at the start of the box reloads the list before it is
// typed.
TEST_F(SearchComboTest, HandlersCanReloadTheListBeforeTheCharacterIsTyped) {
    std::vector<std::string_view> bulgarian(kBulgarian.begin(), kBulgarian.end());
    combo_->OnKeyDown = [this](int& key, TShiftState) {
        if (key > VK_SPACE) {
            combo_->SetDroppedDown(true);
        }
    };
    combo_->OnKeyPress = [&](char& key) {
        if (combo_->SelStart() == 0 && key != '\r') {
            combo_->SetItems(bulgarian);
        }
    };
    combo_->SetItemIndex(3);
    TypeUnicode(QStringLiteral("къ"));
    EXPECT_EQ(combo_->Count(), 5);
    EXPECT_EQ(combo_->Text(), "\xEA\xFA");
    EXPECT_EQ(combo_->ItemIndex(), 2);
    EXPECT_TRUE(combo_->DroppedDown());
    EXPECT_EQ(changes_, 2);
}

TEST_F(SearchComboTest, KeyPressSuppressesOrReplacesTheCharacter) {
    combo_->OnKeyPress = [](char& key) {
        if (key == 'x') {
            key = 0;
        } else if (key == 'a') {
            key = '\xE0'; // а
        }
    };
    Type("xax");
    EXPECT_EQ(combo_->Text(), "\xE0");
    EXPECT_EQ(changes_, 1);
}

TEST_F(SearchComboTest, EnterGivesThirteenAndIsNotTyped) {
    LogKeys();
    combo_->SetDroppedDown(true);
    Type("ho");
    log_.clear();
    QTest::keyClick(Edit(), Qt::Key_Return);
    const std::vector<std::string> expected = {"down 13 0", "press 13", "up 13 0"};
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(combo_->Text(), "ho");
    EXPECT_FALSE(combo_->DroppedDown());
    EXPECT_EQ(combo_->ItemIndex(), 1);
}

TEST_F(SearchComboTest, CtrlAloneRaisesKeyDownSeventeenWithCtrl) {
    LogKeys();
    QTest::keyClick(Edit(), Qt::Key_Control);
    const std::vector<std::string> expected = {"down 17 4", "up 17 0"};
    EXPECT_EQ(log_, expected);
    EXPECT_TRUE(combo_->OnKeyDown != nullptr);
}

TEST_F(SearchComboTest, CtrlCReachesTheHandlerAndLeavesTheText) {
    LogKeys();
    combo_->SetText("house");
    combo_->SetSelStart(5);
    QTest::keyClick(Edit(), Qt::Key_C, Qt::ControlModifier);
    const std::vector<std::string> expected = {"down 17 4", "down 67 4", "press 3", "up 67 4",
                                               "up 17 0"};
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(combo_->Text(), "house");
    EXPECT_EQ(changes_, 0);
}

TEST_F(SearchComboTest, TheHandlerDecidesOverPaste) {
    QGuiApplication::clipboard()->setText(QStringLiteral("hou"));
    combo_->SetDroppedDown(true);
    combo_->OnKeyPress = [](char& key) {
        if (key == '\x16') {
            key = 0;
        }
    };
    QTest::keyClick(Edit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(combo_->Text(), "");
    combo_->OnKeyPress = nullptr;
    combo_->OnKeyDown = [](int& key, TShiftState) {
        if (key == 'V') {
            key = 0;
        }
    };
    QTest::keyClick(Edit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(combo_->Text(), "");
    combo_->OnKeyDown = nullptr;
    QTest::keyClick(Edit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(combo_->Text(), "hou");
    EXPECT_EQ(combo_->ItemIndex(), 3);
    EXPECT_EQ(changes_, 1);
}

TEST_F(SearchComboTest, AltF4RaisesOneHundredFifteenWithAlt) {
    LogKeys();
    combo_->SetDroppedDown(true);
    QTest::keyClick(Edit(), Qt::Key_F4, Qt::AltModifier);
    const std::vector<std::string> expected = {"down 18 2", "down 115 2", "up 115 2", "up 18 0"};
    EXPECT_EQ(log_, expected);
    EXPECT_TRUE(combo_->DroppedDown());
}

TEST_F(SearchComboTest, CharactersOutsideTheCodePageAreRefused) {
    LogKeys();
    QTest::sendKeyEvent(QTest::Click, Edit(), static_cast<Qt::Key>(0x00C4), QStringLiteral("ä"),
                        Qt::NoModifier);
    const std::vector<std::string> expected = {"down 223 0", "up 223 0"};
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(Edit()->text(), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("häus"));
    QTest::keyClick(Edit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit()->text(), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("€ да"));
    QTest::keyClick(Edit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(combo_->Text(), "\x88 \xE4\xE0");
}

} // namespace
} // namespace lookup

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
