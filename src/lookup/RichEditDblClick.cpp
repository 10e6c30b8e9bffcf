#include "lookup/RichEditDblClick.h"

#include "rtf/RtfDocument.h"
#include "ui/Captions.h"
#include "ui/CodePageText.h"
#include "ui/Fonts.h"

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
    QFont font(QString::fromLatin1(ui::kFontTimok));
    font.setPixelSize(16);
    setFont(font);
    document()->setDefaultFont(font);
}

void TRichEditDblClick::LoadArticle(std::string_view bytes) {
    const auto result =
        rtf::LoadRtf(*document(), bytes, font(),
                     ui::Phrase(ui::TPhrase::ArticleCut, EnglishInterface && EnglishInterface()));
    if (result.Status == rtf::TParseStatus::NotRtf) {
        // Plain text reads from the left, unlike the centred hint lines.
        QTextCursor cursor(document());
        cursor.select(QTextCursor::Document);
        QTextBlockFormat format;
        format.setAlignment(Qt::AlignLeft);
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

void TRichEditDblClick::ShowHintLines(const QStringList& lines) {
    document()->clear();
    document()->setDefaultFont(font());
    QTextCursor cursor(document());
    QTextBlockFormat format;
    format.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(format);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            cursor.insertBlock(format);
        }
        cursor.insertText(lines[i]);
    }
    if (OnChange) {
        OnChange();
    }
}

std::string TRichEditDblClick::SelectedText() const {
    // The selection separates paragraphs with U+2029.
    return ui::ToCodePage(textCursor().selectedText().replace(QChar(0x2029), u'\n'));
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
