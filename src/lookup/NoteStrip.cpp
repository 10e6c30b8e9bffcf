#include "lookup/NoteStrip.h"

#include "ui/Palette.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace lookup {

namespace {

// Room around the text, and the rule under it that parts it from the
// article.
constexpr int kMarginX = 8;
constexpr int kMarginY = 3;
constexpr int kRule = 1;

// Splits a plain part after each run of spaces, the places where a long line
// may wrap.
void AppendPlainPieces(const QString& text, std::vector<QString>& pieces) {
    qsizetype start = 0;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i - 1] == u' ' && text[i] != u' ') {
            pieces.push_back(text.mid(start, i - start));
            start = i;
        }
    }
    if (start < text.size()) {
        pieces.push_back(text.mid(start));
    }
}

int TrailingSpaces(const QString& text) {
    int count = 0;
    for (qsizetype i = text.size() - 1; i >= 0 && text[i] == u' '; --i) {
        ++count;
    }
    return count;
}

} // namespace

TNoteStrip::TNoteStrip(QWidget* parent) : QWidget(parent) {
    // Without kerning a word is as wide as its letters: what is measured is
    // what is drawn. The rest of the font comes from the pane.
    QFont unkerned;
    unkerned.setKerning(false);
    setFont(unkerned);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void TNoteStrip::SetParts(const std::vector<TNotePart>& parts) {
    pieces_.clear();
    words_.clear();
    text_.clear();
    std::vector<QString> texts;
    for (const TNotePart& part : parts) {
        text_ += part.Text;
        if (part.HeadWord.empty()) {
            texts.clear();
            AppendPlainPieces(part.Text, texts);
            for (QString& text : texts) {
                pieces_.push_back({std::move(text)});
            }
        } else {
            pieces_.push_back({part.Text, static_cast<int>(words_.size())});
            words_.push_back(part.HeadWord);
        }
    }
    measured_ = false;
    laidOutWidth_ = -1;
    pressed_ = -1;
    current_ = -1;
    // Only a line with links has anything to reach by the keyboard.
    setFocusPolicy(words_.empty() ? Qt::NoFocus : Qt::StrongFocus);
    setAccessibleName(text_);
    update();
}

qreal TNoteStrip::AdvanceOf(const QString& text) {
    const QFontMetricsF metrics(font());
    qreal advance = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size()) {
            advance += metrics.horizontalAdvance(text.mid(i, 2));
            ++i;
            continue;
        }
        auto known = advances_.constFind(c);
        if (known == advances_.constEnd()) {
            known = advances_.insert(c, metrics.horizontalAdvance(QChar(c)));
        }
        advance += *known;
    }
    return advance;
}

void TNoteStrip::Measure() {
    if (measured_ && measuredFont_ == font()) {
        return;
    }
    if (measuredFont_ != font()) {
        advances_.clear();
        measuredFont_ = font();
    }
    const qreal space = AdvanceOf(QStringLiteral(" "));
    for (TPiece& piece : pieces_) {
        const int trailing = TrailingSpaces(piece.Text);
        piece.Advance = AdvanceOf(piece.Text);
        piece.Trailing = trailing * space;
        piece.Blank = trailing == piece.Text.size();
    }
    measured_ = true;
    laidOutWidth_ = -1;
}

void TNoteStrip::Layout(int width) {
    Measure();
    if (width == laidOutWidth_) {
        return;
    }
    const qreal right = width - kMarginX;
    qreal x = kMarginX;
    int line = 0;
    for (TPiece& piece : pieces_) {
        const qreal visible = piece.Advance - piece.Trailing;
        if (x > kMarginX && x + visible > right) {
            ++line;
            x = kMarginX;
        }
        // Spaces alone do not begin a wrapped line.
        piece.Shown = !(line > 0 && x == kMarginX && piece.Blank);
        piece.X = x;
        piece.Line = line;
        if (piece.Shown) {
            x += piece.Advance;
        }
    }
    lines_ = line + 1;
    laidOutWidth_ = width;
}

int TNoteStrip::HeightForWidth(int width) {
    Layout(width);
    const QFontMetrics metrics(font());
    return kMarginY + metrics.height() + (lines_ - 1) * metrics.lineSpacing() + kMarginY + kRule;
}

QRectF TNoteStrip::PieceRect(const TPiece& piece) const {
    const QFontMetrics metrics(font());
    return {piece.X, static_cast<qreal>(kMarginY + piece.Line * metrics.lineSpacing()),
            piece.Advance, static_cast<qreal>(metrics.height())};
}

int TNoteStrip::PieceAt(const QPointF& point) const {
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        if (pieces_[i].Word >= 0 && PieceRect(pieces_[i]).contains(point)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int TNoteStrip::NextLink(int from, bool forward) const {
    const int count = static_cast<int>(pieces_.size());
    for (int i = forward ? from + 1 : from - 1; i >= 0 && i < count; i += forward ? 1 : -1) {
        if (pieces_[i].Word >= 0) {
            return i;
        }
    }
    return -1;
}

void TNoteStrip::Activate(int piece) {
    if (piece >= 0 && OnClick) {
        // A copy: the handler may set new parts.
        const std::string headWord = words_[pieces_[piece].Word];
        OnClick(headWord);
    }
}

void TNoteStrip::paintEvent(QPaintEvent*) {
    Layout(width());
    QPainter painter(this);
    painter.fillRect(rect(), QColor(ui::palette::TipPaper));
    painter.fillRect(0, height() - kRule, width(), kRule, QColor(ui::palette::Teal));
    QFont link = font();
    link.setUnderline(true);
    const int ascent = QFontMetrics(font()).ascent();
    for (const TPiece& piece : pieces_) {
        if (!piece.Shown) {
            continue;
        }
        const bool isLink = piece.Word >= 0;
        painter.setFont(isLink ? link : font());
        painter.setPen(QColor(isLink ? ui::palette::WordBlue : ui::palette::Black));
        painter.drawText(QPointF(piece.X, PieceRect(piece).top() + ascent), piece.Text);
    }
    if (hasFocus() && current_ >= 0) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = PieceRect(pieces_[current_]).toAlignedRect().adjusted(-1, 0, 1, 0);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TNoteStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout(width());
}

void TNoteStrip::mouseMoveEvent(QMouseEvent* event) {
    const bool over = PieceAt(event->position()) >= 0;
    if (over != overLink_) {
        overLink_ = over;
        setCursor(over ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    QWidget::mouseMoveEvent(event);
}

void TNoteStrip::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton ? PieceAt(event->position()) : -1;
    event->setAccepted(pressed_ >= 0);
}

void TNoteStrip::mouseReleaseEvent(QMouseEvent* event) {
    const int pressed = pressed_;
    pressed_ = -1;
    // A click is a press and a release on the same word.
    if (event->button() == Qt::LeftButton && pressed >= 0 &&
        PieceAt(event->position()) == pressed) {
        Activate(pressed);
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void TNoteStrip::leaveEvent(QEvent* event) {
    if (overLink_) {
        overLink_ = false;
        setCursor(Qt::ArrowCursor);
    }
    QWidget::leaveEvent(event);
}

void TNoteStrip::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (current_ >= 0 && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        Activate(current_);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TNoteStrip::focusInEvent(QFocusEvent* event) {
    // Tab comes to the first word, Shift+Tab to the last.
    current_ = event->reason() == Qt::BacktabFocusReason
                   ? NextLink(static_cast<int>(pieces_.size()), false)
                   : NextLink(-1, true);
    update();
    QWidget::focusInEvent(event);
}

void TNoteStrip::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

bool TNoteStrip::focusNextPrevChild(bool next) {
    const int link = current_ >= 0 ? NextLink(current_, next) : -1;
    if (link < 0) {
        return QWidget::focusNextPrevChild(next);
    }
    current_ = link;
    update();
    return true;
}

} // namespace lookup
