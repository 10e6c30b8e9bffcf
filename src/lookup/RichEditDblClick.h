#pragma once

#include "lookup/LookupControls.h"
#include "lookup/NoteStrip.h"

#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lookup {

// Read-only rich-text view that reports a double-click after its own
// handling has selected the word under the pointer, so the handler finds the
// clicked word already selected.
class TRichEditDblClick : public QTextEdit, public TArticlePane {
public:
    explicit TRichEditDblClick(QWidget* parent = nullptr);

    std::function<void(TRichEditDblClick* sender)> OnDblClick;
    // The content changed (an article, a page or lines were loaded).
    std::function<void()> OnChange;
    // Whether the interface is English: the note that ends an article too
    // long to be shown whole is written in its language.
    std::function<bool()> EnglishInterface;
    // A head-word of the line above the content was clicked.
    std::function<void(const std::string& headWord)> OnNoteClick;

    // Replaces the content with the first RTF document of bytes, or with the
    // bytes as plain code-page-1251 text when they are not RTF; a document
    // too large to lay out is shown cut, with a note (rtf::LoadRtf).
    void LoadArticle(std::string_view bytes) override;
    void Clear() override;
    void ShowHintLines(const QStringList& lines) override;
    // Shown in a strip above the scrolled content, so that the article below
    // keeps its own layout, selection and double-click.
    void ShowNote(const std::vector<TNotePart>& parts) override;
    // The strip's text as shown, links as their words; empty when hidden.
    QString NoteText() const;

    // The selected text in code page 1251, stress marks and accents folded
    // away; other characters it cannot hold become '?'.
    std::string SelectedText() const override;

    // Dispatches a message code: the double-click code raises OnDblClick.
    virtual void Dispatch(int message);
    static constexpr int WM_LBUTTONDBLCLK = 0x0203;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void PlaceNote();
    // The line goes with the content it was shown over.
    void DropNote();

    TNoteStrip* note_ = nullptr;
    bool noteStale_ = false;
    QTimer dropNote_;
};

} // namespace lookup
