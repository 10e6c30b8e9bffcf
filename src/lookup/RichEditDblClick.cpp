#include "lookup/RichEditDblClick.h"

#include "rtf/RtfDocument.h"
#include "ui/Captions.h"
#include "ui/CodePageText.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"

#include <QEvent>
#include <QRegularExpression>

#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>

namespace lookup {

namespace {

constexpr Qt::TextInteractionFlags kLinkFlags =
    Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard;

} // namespace

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
    note_ = new QLabel(this);
    note_->setTextInteractionFlags(kLinkFlags);
    note_->setContentsMargins(8, 3, 8, 3);
    note_->setStyleSheet(ui::StyleSheet(u"QLabel { background: @TipPaper; color: @Black;"
                                        u" border-bottom: 1px solid @Teal; }"));
    note_->hide();
    dropNote_.setSingleShot(true);
    dropNote_.setInterval(0);
    QObject::connect(&dropNote_, &QTimer::timeout, this, [this] {
        if (noteStale_) {
            ShowNote({});
        }
    });
    QObject::connect(note_, &QLabel::linkActivated, this, [this](const QString& link) {
        const auto at = static_cast<std::size_t>(link.toULongLong());
        if (OnNoteClick && at < noteWords_.size()) {
            // A copy: the handler loads an article, which replaces the note.
            const std::string headWord = noteWords_[at];
            OnNoteClick(headWord);
        }
    });
}

void TRichEditDblClick::ShowNote(const std::vector<TNotePart>& parts) {
    noteWords_.clear();
    noteStale_ = false;
    if (parts.empty()) {
        if (!note_->isHidden()) {
            note_->hide();
            PlaceNote();
        }
        return;
    }
    // A line without links is laid out as plain text, which costs less.
    const bool links =
        std::ranges::any_of(parts, [](const TNotePart& part) { return !part.HeadWord.empty(); });
    QString text;
    for (const TNotePart& part : parts) {
        if (!links) {
            text += part.Text;
        } else if (part.HeadWord.empty()) {
            text += part.Text.toHtmlEscaped();
        } else {
            text += QStringLiteral("<a href=\"%1\" style=\"color:%2\">%3</a>")
                        .arg(noteWords_.size())
                        .arg(QColor(ui::palette::WordBlue).name(), part.Text.toHtmlEscaped());
            noteWords_.push_back(part.HeadWord);
        }
    }
    // A plain line needs no text control of its own, whose document would
    // be laid out again for every copied form.
    note_->setTextInteractionFlags(links ? kLinkFlags : Qt::NoTextInteraction);
    note_->setTextFormat(links ? Qt::RichText : Qt::PlainText);
    note_->setWordWrap(links);
    note_->setText(text);
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
    if (note_->isHidden() || noteStale_) {
        return {};
    }
    QString text = note_->text();
    return note_->textFormat() == Qt::PlainText
               ? text
               : text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
}

void TRichEditDblClick::PlaceNote() {
    // Eight suggestions do not fit a narrow pane on one line: they wrap. A
    // plain line is one line of the strip's font, whatever it says, so one
    // form's line replacing another's moves nothing.
    const int height = note_->isHidden()   ? 0
                       : note_->wordWrap() ? note_->heightForWidth(viewport()->width())
                                           : PlainNoteHeight();
    if (height != viewportMargins().top()) {
        setViewportMargins(0, height, 0, 0);
    }
    const QRect area = viewport()->geometry();
    note_->setGeometry(area.left(), area.top() - height, area.width(), height);
}

int TRichEditDblClick::PlainNoteHeight() {
    if (plainNoteHeight_ == 0) {
        // The style sheet's border and the margins, measured once.
        QLabel probe(QStringLiteral("Ag"), this);
        probe.setStyleSheet(note_->styleSheet());
        probe.setContentsMargins(note_->contentsMargins());
        plainNoteHeight_ = probe.sizeHint().height();
    }
    return plainNoteHeight_;
}

void TRichEditDblClick::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    PlaceNote();
}

void TRichEditDblClick::changeEvent(QEvent* event) {
    QTextEdit::changeEvent(event);
    // The font is set before the strip is made.
    if (note_ != nullptr &&
        (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)) {
        plainNoteHeight_ = 0;
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
