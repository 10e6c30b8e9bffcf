#include "RichEditDblClick.h"

#include "CodePageText.h"
#include "lookup/rtf/RtfDocument.h"

#include <QTextBlock>
#include <QTextCursor>

namespace lookup {

TRichEditDblClick::TRichEditDblClick(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::ArrowCursor);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont font(QStringLiteral("Timok"));
    font.setPixelSize(16);
    setFont(font);
    document()->setDefaultFont(font);
}

void TRichEditDblClick::LoadArticle(std::string_view bytes) {
    const auto result = rtf::LoadRtf(*document(), bytes, font());
    if (result.Status == rtf::TParseStatus::NotRtf) {
        // Plain text takes the pane's own paragraph alignment.
        QTextCursor cursor(document());
        cursor.select(QTextCursor::Document);
        QTextBlockFormat format;
        format.setAlignment(alignment_);
        cursor.mergeBlockFormat(format);
    }
    moveCursor(QTextCursor::Start);
    if (OnChange) {
        OnChange();
    }
}

void TRichEditDblClick::Clear() {
    document()->clear();
    document()->setDefaultFont(font());
    if (OnChange) {
        OnChange();
    }
}

void TRichEditDblClick::AppendLines(const QStringList& lines) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat format;
    format.setAlignment(alignment_);
    bool first = document()->isEmpty();
    for (const QString& line : lines) {
        if (!first) {
            cursor.insertBlock(format);
        } else {
            cursor.setBlockFormat(format);
            first = false;
        }
        cursor.insertText(line);
    }
    if (OnChange) {
        OnChange();
    }
}

std::string TRichEditDblClick::SelectedText() const {
    // The selection separates paragraphs with U+2029.
    return ToCodePage(textCursor().selectedText().replace(QChar(0x2029), u'\n'));
}

void TRichEditDblClick::Dispatch(int message) {
    if (message == WM_LBUTTONDBLCLK && OnDblClick) {
        OnDblClick(this);
    }
}

void TRichEditDblClick::mouseDoubleClickEvent(QMouseEvent* event) {
    QTextEdit::mouseDoubleClickEvent(event);
    Dispatch(WM_LBUTTONDBLCLK);
}

} // namespace lookup
