#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

// What the look-up rules need of the letter tabs, the search box and the
// article pane; the widgets implement these, and the rules test without them.
// Texts are code page 1251.
namespace lookup {

class TLetterTabs {
public:
    virtual ~TLetterTabs() = default;
    virtual int TabIndex() const = 0;
    // Out-of-range values select nothing new; returns the tab now selected.
    virtual int SetTabIndex(int index) = 0;
};

class TSearchBox {
public:
    static constexpr int kVisibleRows = 10;

    virtual ~TSearchBox() = default;
    // The views must outlive the box or the next SetItems. Empties the text,
    // selects nothing, scrolls to the start.
    virtual void SetItems(const std::vector<std::string_view>& items) = 0;
    // Removes the items and empties the text.
    virtual void ClearItems() = 0;
    virtual int Count() const = 0;
    virtual std::string_view Item(int index) const = 0;
    // -1: nothing selected. Selecting a position puts its head-word into the
    // text; selecting -1 clears the text.
    virtual int ItemIndex() const = 0;
    virtual void SetItemIndex(int index) = 0;
    // The first visible row of the list.
    virtual int TopIndex() const = 0;
    virtual void SetDroppedDown(bool dropped) = 0;
    // Start of the selection, or the caret when nothing is selected.
    virtual int SelStart() const = 0;
    virtual void SetSelStart(int position) = 0;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    // The first item that begins with word without regard to case; -1 if none.
    virtual int FindPrefix(std::string_view word) const = 0;
    // Paints at once, while a handler is still running.
    virtual void RepaintNow() = 0;
    // Gives the box the keyboard focus when it is enabled.
    virtual void TakeFocus() = 0;
};

// A piece of the line above an article: plain text, or, when HeadWord is
// set, Text as a link that looks the head-word up.
struct TNotePart {
    QString Text;
    std::string HeadWord;
};

class TArticlePane {
public:
    virtual ~TArticlePane() = default;
    // The first RTF document of bytes, or the bytes as plain text.
    virtual void LoadArticle(std::string_view bytes) = 0;
    virtual void Clear() = 0;
    // Replaces the content with lines of plain text, centred.
    virtual void ShowHintLines(const QStringList& lines) = 0;
    // One line above the content, until the next content replaces it; no
    // parts: none.
    virtual void ShowNote(const std::vector<TNotePart>& parts) = 0;
    // The selected text, stress marks and accents folded away
    // (ui::ToCodePage); other characters the code page cannot hold become '?'.
    virtual std::string SelectedText() const = 0;
};

} // namespace lookup
