#pragma once

#include "lookup/LookupControls.h"
#include "lookup/SearchComboList.h"
#include "lookup/VirtualKeys.h"

#include <QWidget>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QAbstractScrollArea;
class QLineEdit;

namespace lookup {

class TSearchComboEdit;
class TSearchComboButton;
class TSearchComboDropList;

// An editable combo box whose drop-down list never takes the keyboard: the
// edit line keeps it while the list is open, so typing goes on in the box and
// the list follows the text (the typing highlight). Texts are code page 1251
// bytes. The list is a child of the combo's window laid over it below the
// edit line, so it behaves alike with and without a window manager.
//
// Key events come in the platform's order: OnKeyDown (a virtual key; setting
// it to 0 suppresses the key's own handling: caret movement, Delete, the list
// keys, and Backspace and the Ctrl+letter commands such as copy and paste),
// then for keys that type a character OnKeyPress (setting it to 0 suppresses
// the typing and the commands; changing it types another character), then
// the handling itself (typing, the typing highlight, OnChange), and OnKeyUp
// on release. As on the platform, a printable character is still typed when
// only its OnKeyDown was suppressed. Auto-repeat repeats
// OnKeyDown/OnKeyPress without OnKeyUp in between. Programmatic changes never
// raise OnChange.
class TSearchCombo : public QWidget, public TSearchBox {
    Q_OBJECT

public:
    explicit TSearchCombo(QWidget* parent = nullptr);
    ~TSearchCombo() override;

    // A copy of the list; the views must outlive the combo or the next
    // SetItems. Empties the text, selects nothing, scrolls to the start.
    void SetItems(const std::vector<std::string_view>& items) override;
    // Removes the items and empties the text.
    void ClearItems() override;
    int Count() const override;
    std::string_view Item(int index) const override;

    // -1: nothing selected. Selecting a position puts its head-word, wholly
    // selected, into the text and scrolls it into view; selecting -1 clears
    // the text; selecting the selected position (or -1 again) changes
    // nothing. Out of range counts as -1.
    int ItemIndex() const override;
    void SetItemIndex(int index) override;

    // The first visible row of the list.
    int TopIndex() const override;
    void SetTopIndex(int index);

    bool DroppedDown() const { return dropped_; }
    void SetDroppedDown(bool dropped) override;

    // Start of the selection, or the caret when nothing is selected. Setting
    // it places the caret there with nothing selected.
    int SelStart() const override;
    void SetSelStart(int position) override;

    // Does not touch the selected position.
    std::string Text() const override;
    void SetText(const std::string& text) override;

    // The first head-word, from position 0, that begins with word without
    // regard to letter case; -1 when none does.
    int FindPrefix(std::string_view word) const override;
    void RepaintNow() override;
    void TakeFocus() override;

    QLineEdit* Edit() const;
    // The drop-down list (nullptr until first opened) and where a row of it
    // is drawn, in its viewport's coordinates.
    QAbstractScrollArea* DropList() const;
    QRect ItemRect(int index) const;
    int RowHeight() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    std::function<void(int& key, TShiftState shift)> OnKeyDown;
    std::function<void(char& key)> OnKeyPress;
    std::function<void(int& key, TShiftState shift)> OnKeyUp;
    std::function<void()> OnChange;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    friend class TSearchComboEdit;
    friend class TSearchComboButton;
    friend class TSearchComboDropList;

    void EditKeyPress(QKeyEvent* event);
    void EditKeyRelease(QKeyEvent* event);
    bool KeyDownDefault(QKeyEvent* event, int key, TShiftState shift);
    void CharDefault(QKeyEvent* event, char typed, char key, bool keyLeft);
    void TextEdited();
    void MoveSelection(int delta);
    void RowClicked(int row);
    void ListScrolled(int top);
    void PutSelectedText();
    void RaiseChange();
    void EnsureList();
    void PlaceList();
    void SyncList();

    TSearchComboList list_;
    TSearchComboEdit* edit_;
    TSearchComboButton* button_;
    TSearchComboDropList* dropList_ = nullptr;
    bool dropped_ = false;
    bool syncing_ = false;
};

} // namespace lookup
