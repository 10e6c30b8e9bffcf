#include "lookup/SearchCombo.h"

#include "ui/CodePageText.h"
#include "ui/Fonts.h"

#include "platform/Cp1251.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScrollBar>
#include <QValidator>

#include <algorithm>

namespace lookup {
namespace {

constexpr int kButtonWidth = 18;
constexpr int kMinRowHeight = 13;
constexpr int kMaxRowHeight = 16;
constexpr int kTextPadding = 4;

// The box holds code page 1251 text only: edits that would bring in anything
// else (typed, pasted or dropped) are refused.
class TCp1251Validator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        for (const QChar ch : input) {
            if (ch.isSurrogate() || !platform::UnicodeToCp1251(ch.unicode())) {
                return Invalid;
            }
        }
        return Acceptable;
    }
};

bool HasPrintableText(const QKeyEvent& event) {
    const QString text = event.text();
    return !text.isEmpty() && text.front().isPrint();
}

} // namespace

class TSearchComboEdit : public QLineEdit {
public:
    explicit TSearchComboEdit(TSearchCombo* combo) : QLineEdit(combo), combo_(combo) {}

    void BaseKeyPress(QKeyEvent* event) { QLineEdit::keyPressEvent(event); }
    void BaseKeyRelease(QKeyEvent* event) { QLineEdit::keyReleaseEvent(event); }

protected:
    bool event(QEvent* event) override {
        // Escape closes an open list before a dialog could take it as Cancel.
        if (event->type() == QEvent::ShortcutOverride && combo_->DroppedDown() &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
        return QLineEdit::event(event);
    }
    void keyPressEvent(QKeyEvent* event) override { combo_->EditKeyPress(event); }
    void keyReleaseEvent(QKeyEvent* event) override { combo_->EditKeyRelease(event); }
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        combo_->update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        combo_->SetDroppedDown(false);
        QLineEdit::focusOutEvent(event);
        combo_->update();
    }

private:
    TSearchCombo* combo_;
};

class TSearchComboButton : public QWidget {
public:
    explicit TSearchComboButton(TSearchCombo* combo) : QWidget(combo), combo_(combo) {
        setFocusPolicy(Qt::NoFocus);
        setCursor(Qt::ArrowCursor);
        setAttribute(Qt::WA_Hover);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            combo_->SetDroppedDown(!combo_->DroppedDown());
        }
        event->accept();
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (underMouse() || combo_->DroppedDown()) {
            QColor tint = palette().color(QPalette::Highlight);
            tint.setAlpha(combo_->DroppedDown() ? 60 : 30);
            painter.fillRect(rect(), tint);
        }
        painter.setRenderHint(QPainter::Antialiasing);
        QPen pen(palette().color(QPalette::Text), 1.4);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        const QPointF centre = QRectF(rect()).center();
        QPainterPath chevron;
        chevron.moveTo(centre + QPointF(-3.5, -1.5));
        chevron.lineTo(centre + QPointF(0, 2));
        chevron.lineTo(centre + QPointF(3.5, -1.5));
        painter.drawPath(chevron);
    }

private:
    TSearchCombo* combo_;
};

// Rows are drawn straight from the code page bytes, so a list of thousands of
// head-words costs nothing until a row is shown.
class TSearchComboDropList : public QAbstractScrollArea {
public:
    TSearchComboDropList(TSearchCombo* combo, QWidget* parent)
        : QAbstractScrollArea(parent), combo_(combo) {
        setFocusPolicy(Qt::NoFocus);
        // A click anywhere in the list finds the edit line already focused
        // and leaves the focus there.
        setFocusProxy(combo->Edit());
        setFont(combo->font());
        setFrameStyle(QFrame::Box | QFrame::Plain);
        QPalette pal = palette();
        pal.setColor(QPalette::WindowText, pal.color(QPalette::Mid));
        setPalette(pal);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
        verticalScrollBar()->setSingleStep(1);
        verticalScrollBar()->setPageStep(TSearchCombo::kVisibleRows);
        viewport()->setMouseTracking(true);
        viewport()->setCursor(Qt::ArrowCursor);
        connect(verticalScrollBar(), &QScrollBar::valueChanged, combo,
                [combo](int value) { combo->ListScrolled(value); });
    }

    int RowAt(QPoint pos) const {
        if (pos.y() < 0 || !viewport()->rect().contains(pos)) {
            return -1;
        }
        const int row = combo_->TopIndex() + pos.y() / combo_->RowHeight();
        return row < combo_->Count() ? row : -1;
    }

    QRect RowRect(int row) const {
        const int height = combo_->RowHeight();
        return {0, (row - combo_->TopIndex()) * height, viewport()->width(), height};
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(viewport());
        const QPalette& pal = palette();
        painter.fillRect(event->rect(), pal.base());
        const int height = combo_->RowHeight();
        const int first = combo_->TopIndex() + event->rect().top() / height;
        const int last =
            std::min(combo_->Count() - 1, combo_->TopIndex() + event->rect().bottom() / height);
        const QFontMetrics metrics(font());
        for (int row = first; row <= last; ++row) {
            const QRect box = RowRect(row);
            QColor textColour = pal.color(QPalette::Text);
            if (row == combo_->ItemIndex()) {
                painter.fillRect(box, pal.highlight());
                textColour = pal.color(QPalette::HighlightedText);
            } else if (row == hoverRow_) {
                QColor tint = pal.color(QPalette::Highlight);
                tint.setAlpha(40);
                painter.fillRect(box, tint);
            }
            painter.setPen(textColour);
            const QRect textBox = box.adjusted(kTextPadding, 0, -kTextPadding, 0);
            painter.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter,
                             metrics.elidedText(ui::FromCodePage(combo_->Item(row)), Qt::ElideRight,
                                                textBox.width()));
        }
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        const int row = RowAt(event->position().toPoint());
        if (row != hoverRow_) {
            hoverRow_ = row;
            viewport()->update();
        }
    }
    void leaveEvent(QEvent*) override {
        hoverRow_ = -1;
        viewport()->update();
    }
    void mousePressEvent(QMouseEvent* event) override {
        pressedRow_ = event->button() == Qt::LeftButton ? RowAt(event->position().toPoint()) : -1;
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const int row = RowAt(event->position().toPoint());
        const bool click = event->button() == Qt::LeftButton && row >= 0 && row == pressedRow_;
        pressedRow_ = -1;
        event->accept();
        if (click) {
            combo_->RowClicked(row);
        }
    }
    void hideEvent(QHideEvent*) override { hoverRow_ = -1; }

private:
    TSearchCombo* combo_;
    int hoverRow_ = -1;
    int pressedRow_ = -1;
};

TSearchCombo::TSearchCombo(QWidget* parent)
    : QWidget(parent), list_(kVisibleRows), edit_(new TSearchComboEdit(this)),
      button_(new TSearchComboButton(this)) {
    QFont font(QString::fromLatin1(ui::kFontHebarU));
    font.setPixelSize(13);
    setFont(font);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(edit_);
    edit_->setFrame(false);
    edit_->setTextMargins(2, 0, 0, 0);
    edit_->setValidator(new TCp1251Validator(edit_));
    connect(edit_, &QLineEdit::textEdited, this, [this] { TextEdited(); });
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

TSearchCombo::~TSearchCombo() {
    qApp->removeEventFilter(this);
    delete dropList_;
}

void TSearchCombo::SetItems(const std::vector<std::string_view>& items) {
    list_.SetItems(items);
    edit_->clear();
    SyncList();
}

void TSearchCombo::ClearItems() {
    list_.ClearItems();
    edit_->clear();
    SyncList();
}

int TSearchCombo::Count() const {
    return list_.Count();
}

std::string_view TSearchCombo::Item(int index) const {
    return list_.Item(index);
}

int TSearchCombo::ItemIndex() const {
    return list_.ItemIndex();
}

void TSearchCombo::SetItemIndex(int index) {
    if (!list_.SetItemIndex(index)) {
        return;
    }
    if (list_.ItemIndex() >= 0) {
        PutSelectedText();
    } else {
        edit_->clear();
    }
    SyncList();
}

int TSearchCombo::TopIndex() const {
    return list_.TopIndex();
}

void TSearchCombo::SetTopIndex(int index) {
    list_.SetTopIndex(index);
    SyncList();
}

void TSearchCombo::SetDroppedDown(bool dropped) {
    if (dropped && !isVisible()) {
        return;
    }
    if (dropped == dropped_) {
        return;
    }
    dropped_ = dropped;
    if (dropped) {
        EnsureList();
        PlaceList();
        SyncList();
        dropList_->show();
        dropList_->raise();
        window()->installEventFilter(this);
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        window()->removeEventFilter(this);
        if (dropList_ != nullptr) {
            dropList_->hide();
        }
    }
    button_->update();
}

int TSearchCombo::SelStart() const {
    return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
}

void TSearchCombo::SetSelStart(int position) {
    edit_->setCursorPosition(std::clamp(position, 0, static_cast<int>(edit_->text().size())));
}

std::string TSearchCombo::Text() const {
    return ui::ToCodePage(edit_->text());
}

void TSearchCombo::SetText(const std::string& text) {
    edit_->setText(ui::FromCodePage(text));
}

void TSearchCombo::RepaintNow() {
    repaint();
}

void TSearchCombo::TakeFocus() {
    if (isEnabled()) {
        edit_->setFocus();
    }
}

int TSearchCombo::FindPrefix(std::string_view word) const {
    return list_.FindPrefix(word);
}

QLineEdit* TSearchCombo::Edit() const {
    return edit_;
}

QAbstractScrollArea* TSearchCombo::DropList() const {
    return dropList_;
}

QRect TSearchCombo::ItemRect(int index) const {
    return dropList_ != nullptr ? dropList_->RowRect(index) : QRect();
}

int TSearchCombo::RowHeight() const {
    return std::clamp(fontMetrics().height(), kMinRowHeight, kMaxRowHeight);
}

QSize TSearchCombo::sizeHint() const {
    return {200, fontMetrics().height() + 8};
}

QSize TSearchCombo::minimumSizeHint() const {
    return {kButtonWidth + 40, fontMetrics().height() + 4};
}

bool TSearchCombo::eventFilter(QObject* watched, QEvent* event) {
    if (!dropped_) {
        return false;
    }
    if (watched == window() && event->type() == QEvent::Resize) {
        PlaceList();
    } else if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        // A press anywhere but in the box or its list closes the list, as
        // the platform's own drop-down lists do.
        auto* widget = static_cast<QWidget*>(watched);
        const bool inside = widget == this || isAncestorOf(widget) || widget == dropList_ ||
                            dropList_->isAncestorOf(widget);
        if (!inside) {
            SetDroppedDown(false);
        }
    }
    return false;
}

void TSearchCombo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const bool focused = edit_->hasFocus();
    painter.setPen(palette().color(focused ? QPalette::Highlight : QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TSearchCombo::resizeEvent(QResizeEvent*) {
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    button_->setGeometry(inner.right() - kButtonWidth + 1, inner.top(), kButtonWidth,
                         inner.height());
    edit_->setGeometry(inner.left(), inner.top(), inner.width() - kButtonWidth, inner.height());
    if (dropped_) {
        PlaceList();
    }
}

void TSearchCombo::moveEvent(QMoveEvent*) {
    if (dropped_) {
        PlaceList();
    }
}

void TSearchCombo::hideEvent(QHideEvent*) {
    SetDroppedDown(false);
}

void TSearchCombo::EditKeyPress(QKeyEvent* event) {
    const QPointer<TSearchCombo> alive(this);
    event->accept();
    const int virtualKey = VirtualKeyOf(*event);
    const TShiftState shift = KeyShiftState(*event);
    int key = virtualKey;
    if (virtualKey != 0 && OnKeyDown) {
        OnKeyDown(key, shift);
        if (!alive) {
            return;
        }
    }
    const bool keyLeft = virtualKey == 0 || key != 0;
    const std::optional<char> typed = KeyCharOf(*event);
    if (!typed) {
        if (keyLeft && !KeyDownDefault(event, virtualKey, shift)) {
            // A key that types a character the box cannot take (or an Alt
            // combination) types nothing.
            if (!HasPrintableText(*event)) {
                edit_->BaseKeyPress(event);
            }
        }
        return;
    }
    // Keys that also type a character: the key's own handling comes first,
    // the character's after OnKeyPress.
    if (keyLeft) {
        KeyDownDefault(event, virtualKey, shift);
    }
    char keyChar = *typed;
    if (OnKeyPress) {
        OnKeyPress(keyChar);
        if (!alive) {
            return;
        }
    }
    if (keyChar != 0) {
        CharDefault(event, *typed, keyChar, keyLeft);
    }
}

bool TSearchCombo::KeyDownDefault(QKeyEvent* event, int key, TShiftState shift) {
    switch (key) {
    case VK_UP:
    case VK_DOWN:
        if (shift.Contains(ssAlt)) {
            SetDroppedDown(!dropped_);
        } else {
            MoveSelection(key == VK_DOWN ? 1 : -1);
        }
        return true;
    case VK_PRIOR:
    case VK_NEXT:
        MoveSelection(key == VK_NEXT ? kVisibleRows : -kVisibleRows);
        return true;
    case VK_F4:
        if (shift.Empty()) {
            SetDroppedDown(!dropped_);
        }
        return true;
    case VK_RETURN:
        SetDroppedDown(false);
        return true;
    case VK_ESCAPE:
        if (!dropped_) {
            // Not ours: a dialog may take Escape as Cancel.
            event->ignore();
        }
        SetDroppedDown(false);
        return true;
    default:
        return false;
    }
}

void TSearchCombo::CharDefault(QKeyEvent* event, char typed, char key, bool keyLeft) {
    const auto byte = static_cast<std::uint8_t>(key);
    if (byte >= 0x20) {
        if (key == typed) {
            edit_->BaseKeyPress(event);
        } else {
            edit_->insert(QString(QChar(platform::Cp1251ToUnicode(byte))));
        }
    } else if (key == typed && keyLeft && key != '\r' && key != '\n' && key != '\x1b') {
        // Backspace and the Ctrl+letter commands (copy, paste, undo ...) are
        // the edit line's own; suppressing either event keeps them out.
        edit_->BaseKeyPress(event);
    }
}

void TSearchCombo::EditKeyRelease(QKeyEvent* event) {
    event->accept();
    if (event->isAutoRepeat()) {
        return;
    }
    const QPointer<TSearchCombo> alive(this);
    const int virtualKey = VirtualKeyOf(*event);
    int key = virtualKey;
    if (virtualKey != 0 && OnKeyUp) {
        OnKeyUp(key, KeyShiftState(*event));
        if (!alive) {
            return;
        }
    }
    if (virtualKey == 0 || key != 0) {
        edit_->BaseKeyRelease(event);
    }
}

void TSearchCombo::TextEdited() {
    list_.FollowText(Text(), dropped_);
    SyncList();
    RaiseChange();
}

void TSearchCombo::MoveSelection(int delta) {
    const bool moved = list_.Move(delta);
    if (moved) {
        PutSelectedText();
    }
    SyncList();
    if (moved) {
        RaiseChange();
    }
}

void TSearchCombo::RowClicked(int row) {
    list_.SetItemIndex(row);
    PutSelectedText();
    SetDroppedDown(false);
    SyncList();
    RaiseChange();
}

void TSearchCombo::ListScrolled(int top) {
    if (syncing_) {
        return;
    }
    list_.SetTopIndex(top);
    dropList_->viewport()->update();
}

void TSearchCombo::PutSelectedText() {
    edit_->setText(ui::FromCodePage(list_.Item(list_.ItemIndex())));
    edit_->selectAll();
}

void TSearchCombo::RaiseChange() {
    if (OnChange) {
        OnChange();
    }
}

void TSearchCombo::EnsureList() {
    if (dropList_ == nullptr) {
        dropList_ = new TSearchComboDropList(this, window());
        connect(dropList_, &QObject::destroyed, this, [this] { dropList_ = nullptr; });
    } else if (dropList_->parentWidget() != window()) {
        dropList_->setParent(window());
    }
}

void TSearchCombo::PlaceList() {
    if (dropList_ == nullptr) {
        return;
    }
    QWidget* host = dropList_->parentWidget();
    const int rows = std::clamp(Count(), 1, kVisibleRows);
    const int height = rows * RowHeight() + 2 * dropList_->frameWidth();
    const QPoint below = mapTo(host, QPoint(0, this->height()));
    const QPoint above = mapTo(host, QPoint(0, -height));
    // Below the box unless only above is there room for it.
    const bool useAbove = below.y() + height > host->height() && above.y() >= 0;
    dropList_->setGeometry(QRect(useAbove ? above : below, QSize(width(), height)));
}

void TSearchCombo::SyncList() {
    if (dropList_ == nullptr) {
        return;
    }
    if (dropped_) {
        PlaceList();
    }
    syncing_ = true;
    QScrollBar* bar = dropList_->verticalScrollBar();
    bar->setRange(0, list_.MaxTopIndex());
    bar->setValue(list_.TopIndex());
    syncing_ = false;
    dropList_->viewport()->update();
}

} // namespace lookup
