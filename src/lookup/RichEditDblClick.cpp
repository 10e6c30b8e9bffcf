#include "lookup/RichEditDblClick.h"

#include "rtf/RtfDocument.h"
#include "ui/Captions.h"
#include "ui/CodePageText.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"

#include <QRegularExpression>
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
    note_ = new QLabel(this);
    note_->setTextFormat(Qt::RichText);
    note_->setWordWrap(true);
    note_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    note_->setContentsMargins(8, 3, 8, 3);
    note_->setStyleSheet(ui::StyleSheet(u"QLabel { background: @TipPaper; color: @Black;"
                                        u" border-bottom: 1px solid @Teal; }"));
    note_->hide();
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
    QString html;
    for (const TNotePart& part : parts) {
        if (part.HeadWord.empty()) {
            html += part.Text.toHtmlEscaped();
            continue;
        }
        html += QStringLiteral("<a href=\"%1\" style=\"color:%2\">%3</a>")
                    .arg(noteWords_.size())
                    .arg(QColor(ui::palette::WordBlue).name(), part.Text.toHtmlEscaped());
        noteWords_.push_back(part.HeadWord);
    }
    note_->setText(html);
    note_->setVisible(!parts.empty());
    PlaceNote();
}

QString TRichEditDblClick::NoteText() const {
    return note_->isVisible() ? note_->text().remove(QRegularExpression(QStringLiteral("<[^>]*>")))
                              : QString();
}

void TRichEditDblClick::PlaceNote() {
    // Eight suggestions do not fit a narrow pane on one line: they wrap.
    const int height = note_->isVisible() ? note_->heightForWidth(viewport()->width()) : 0;
    setViewportMargins(0, height, 0, 0);
    const QRect area = viewport()->geometry();
    note_->setGeometry(area.left(), area.top() - height, area.width(), height);
}

void TRichEditDblClick::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    PlaceNote();
}

void TRichEditDblClick::LoadArticle(std::string_view bytes) {
    ShowNote({});
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
    ShowNote({});
    document()->clear();
    document()->setDefaultFont(font());
    if (OnChange) {
        OnChange();
    }
}

void TRichEditDblClick::ShowHintLines(const QStringList& lines) {
    ShowNote({});
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
