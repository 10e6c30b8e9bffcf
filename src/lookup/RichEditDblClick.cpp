#include "lookup/RichEditDblClick.h"

#include "rtf/RtfDocument.h"
#include "ui/Captions.h"
#include "ui/CodePageText.h"
#include "ui/Fonts.h"

#include <QEvent>

#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

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
    note_ = new TNoteStrip(this);
    note_->hide();
    // The handler loads an article, which replaces the note.
    note_->OnClick = [this](const std::string& headWord) {
        if (OnNoteClick) {
            OnNoteClick(headWord);
        }
    };
    dropNote_.setSingleShot(true);
    dropNote_.setInterval(0);
    QObject::connect(&dropNote_, &QTimer::timeout, this, [this] {
        if (noteStale_) {
            ShowNote({});
        }
    });
}

void TRichEditDblClick::ShowNote(const std::vector<TNotePart>& parts) {
    noteStale_ = false;
    if (parts.empty()) {
        if (!note_->isHidden()) {
            note_->hide();
            PlaceNote();
        }
        return;
    }
    note_->SetParts(parts);
    note_->show();
    PlaceNote();
}

void TRichEditDblClick::DropNote() {
    // New content usually comes with a line of its own right after it (the
    // next copied form): hiding the strip at once and showing it again would
    // move the article twice. The line goes once the event is handled, unless
    // a new one came.
    if (note_->isHidden() || noteStale_) {
        return;
    }
    noteStale_ = true;
    dropNote_.start();
}

QString TRichEditDblClick::NoteText() const {
    return note_->isHidden() || noteStale_ ? QString() : note_->Text();
}

void TRichEditDblClick::PlaceNote() {
    // Eight suggestions do not fit a narrow pane on one line: they wrap. A
    // line that fits is one line high whatever it says, so one form's line
    // replacing another's moves nothing.
    const int height = note_->isHidden() ? 0 : note_->HeightForWidth(viewport()->width());
    if (height != viewportMargins().top()) {
        setViewportMargins(0, height, 0, 0);
    }
    const QRect area = viewport()->geometry();
    note_->setGeometry(area.left(), area.top() - height, area.width(), height);
}

void TRichEditDblClick::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    PlaceNote();
}

void TRichEditDblClick::changeEvent(QEvent* event) {
    QTextEdit::changeEvent(event);
    // The font is set before the strip is made.
    if (note_ != nullptr && event->type() == QEvent::FontChange) {
        PlaceNote();
    }
}

void TRichEditDblClick::LoadArticle(std::string_view bytes) {
    DropNote();
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
    DropNote();
    document()->clear();
    document()->setDefaultFont(font());
    if (OnChange) {
        OnChange();
    }
}

void TRichEditDblClick::ShowHintLines(const QStringList& lines) {
    DropNote();
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
