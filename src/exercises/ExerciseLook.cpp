#include "exercises/ExerciseLook.h"

#include "exercises/ExerciseTexts.h"
#include "ui/FlatButtons.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"

#include <algorithm>

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QSlider>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>
#include <QtMath>

namespace exercises {
namespace {

constexpr int kIcon = 28;
// The word box's own letter size, kept for ShowWholeWord.
constexpr const char* kWordPixels = "wordPixels";
// The smallest letters a long word is shrunk to.
constexpr int kMinWordPixels = 8;
constexpr const char* kWrappedWordName = "WrappedWord";
constexpr int kDrawn = kIcon * 4;

QColor Colour(QRgb rgb) {
    return QColor::fromRgb(rgb);
}

// Drawn four times larger and scaled down onto the panel colour, as the
// program's button icons are.
template <typename Draw> QPixmap DrawIcon(Draw draw) {
    QPixmap big(kDrawn, kDrawn);
    big.fill(Colour(ui::palette::Panel));
    {
        QPainter painter(&big);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
    }
    QPixmap icon(kIcon, kIcon);
    icon.fill(Colour(ui::palette::Panel));
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(2, 2, kIcon - 4, kIcon - 4), big);
    return icon;
}

QPen Stroke(QRgb rgb, qreal width) {
    QPen pen(Colour(rgb), width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

} // namespace

QString ExerciseStyleSheet() {
    return ui::StyleSheet(
        u"QDialog { background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,"
        " stop: 0 @NavyDeep, stop: 1 @NavyFade); }"
        "QWidget[role=\"panel\"] { background: @Panel; border: 2px solid @Teal;"
        " border-radius: 12px; }"
        "QWidget[role=\"rule\"] { background: @Teal; border: none; }"
        "QLabel { color: @White; background: transparent; border: none; }"
        "QLabel[role=\"heading\"] { color: @Amber; font-size: 20px; font-weight: bold; }"
        "QLabel[role=\"caption\"] { color: @TealLight; font-size: 13px; font-weight: bold; }"
        "QLabel[role=\"mark\"] { color: @Amber; font-size: 18px; font-weight: bold; }"
        "QLabel[role=\"verdict\"] { background: @Paper; border: 2px solid @Teal;"
        " border-radius: 8px; }"
        "QLabel[role=\"notice\"] { color: @White; background: @NavyNotice; border: 2px solid "
        "@Amber;"
        " border-radius: 8px; font-size: 15px; padding: 14px; }"
        "QLineEdit { background: @White; border: 2px solid @Teal; border-radius: 6px;"
        " padding: 0px 10px; selection-background-color: @Teal; selection-color: @White; }"
        "QLineEdit:focus { border: 2px solid @Amber; }"
        "QTextEdit { background: @White; border: 2px solid @Teal; border-radius: 6px;"
        " padding: 4px; }"
        "QToolButton { color: @White; border: none; background: transparent; border-radius: 6px;"
        " font-size: 13px; font-weight: bold; }"
        "QToolButton:hover { background: @White/28; }"
        "QToolButton:pressed { background: @Amber/60; }"
        "QToolButton:disabled { color: @DisabledText; }"
        "QToolButton[role=\"framed\"] { border: 1px solid @Teal;"
        " background: @Teal/50; padding: 4px 10px; }"
        "QToolButton[role=\"framed\"]:hover { background: @Teal/120; }"
        "QToolButton[role=\"framed\"]:pressed { background: @Amber/90;"
        " border: 1px solid @Amber; }"
        "QToolButton[role=\"framed\"]:focus { border: 1px solid @Amber; }"
        "QToolButton[role=\"framed\"]:disabled { border: 1px solid @DisabledFrame;"
        " background: transparent; }"
        "QToolButton[role=\"large\"] { border: 1px solid @Teal; background: transparent; }"
        "QToolButton[role=\"large\"]:hover { border: 1px solid @Amber; }"
        "QToolButton[role=\"large\"]:pressed { border: 2px solid @Amber; }"
        "QToolButton[role=\"large\"]:disabled { border: 1px solid @DisabledFrame; }"
        "QCheckBox { color: @White; spacing: 8px; font-size: 13px; font-weight: bold;"
        " background: transparent; }"
        "QCheckBox::indicator { width: 12px; height: 12px; border-radius: 3px;"
        " border: 2px solid @Teal; background: @NavyDeep; }"
        "QCheckBox::indicator:checked { background: @Amber; border: 2px solid @White; }"
        "QCheckBox:focus { color: @AmberLight; }"
        "QCheckBox:disabled { color: @DisabledText; }"
        "QCheckBox::indicator:disabled { border: 2px solid @DisabledFrame; background: "
        "transparent; }"
        "QProgressBar { background: @NavyDeep; border: 1px solid @Teal; border-radius: 4px; }"
        "QProgressBar::chunk { border-radius: 3px; background: qlineargradient(x1: 0, y1: 0,"
        " x2: 1, y2: 0, stop: 0 @Teal, stop: 1 @Amber); }"
        "QSlider { background: transparent; }"
        "QSlider::groove:vertical { background: @NavyDeep; border: 1px solid @Teal; width: 6px;"
        " border-radius: 3px; }"
        "QSlider::handle:vertical { background: @Amber; border: 2px solid @White; height: 14px;"
        " margin: 0px -7px; border-radius: 9px; }"
        "QSlider::groove:horizontal { background: @NavyDeep; border: 1px solid @Teal;"
        " height: 6px; border-radius: 3px; }"
        "QSlider::handle:horizontal { background: @Amber; border: 2px solid @White; width: 14px;"
        " margin: -7px 0px; border-radius: 9px; }"
        "QScrollBar:vertical { background: @Paper; width: 12px; margin: 0px; border: none; }"
        "QScrollBar::handle:vertical { background: @Teal; min-height: 24px; border-radius: 4px;"
        " margin: 2px; }"
        "QScrollBar::handle:vertical:hover { background: @TealDark; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"
        "QToolTip { color: @Panel; background: @TipPaper; border: 1px solid @Amber; }");
}

QFont WordFont(int pixelSize) {
    QFont font(QString::fromLatin1(ui::kFontTimok));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

QFont ArticleFont() {
    QFont font(QString::fromLatin1(ui::kFontTimok));
    font.setPixelSize(16);
    return font;
}

QPixmap HelpPicture() {
    return DrawIcon([](QPainter& painter) {
        painter.setPen(Stroke(ui::palette::Text, 8));
        painter.drawEllipse(QPointF(56, 56), 38, 38);
        QPainterPath hook;
        hook.moveTo(42, 44);
        hook.cubicTo(42, 28, 70, 28, 70, 44);
        hook.cubicTo(70, 56, 56, 56, 56, 68);
        painter.setPen(Stroke(ui::palette::Amber, 10));
        painter.drawPath(hook);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Colour(ui::palette::Amber));
        painter.drawEllipse(QPointF(56, 84), 6, 6);
    });
}

QPixmap ExitPicture() {
    return DrawIcon([](QPainter& painter) {
        // A door frame open on the right, and an arrow leaving through it.
        painter.setPen(Stroke(ui::palette::Text, 8));
        painter.drawPolyline(
            QPolygonF({QPointF(62, 26), QPointF(26, 26), QPointF(26, 86), QPointF(62, 86)}));
        painter.setPen(Stroke(ui::palette::Amber, 10));
        painter.drawLine(QPointF(46, 56), QPointF(90, 56));
        painter.drawPolyline(QPolygonF({QPointF(74, 40), QPointF(90, 56), QPointF(74, 72)}));
    });
}

QPixmap StartFallbackPicture(int phase) {
    const bool lit = phase == 2;
    return DrawIcon([lit](QPainter& painter) {
        painter.setPen(Stroke(lit ? ui::palette::Amber : ui::palette::Text, 8));
        painter.drawEllipse(QPointF(56, 56), 38, 38);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Colour(lit ? ui::palette::AmberLight : ui::palette::TealLight));
        painter.drawPolygon(QPolygonF({QPointF(46, 36), QPointF(80, 56), QPointF(46, 76)}));
    });
}

QPixmap StopFallbackPicture() {
    return DrawIcon([](QPainter& painter) {
        painter.setPen(Stroke(ui::palette::Text, 8));
        painter.drawEllipse(QPointF(56, 56), 38, 38);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Colour(ui::palette::Red));
        painter.drawRoundedRect(QRectF(40, 40, 32, 32), 4, 4);
    });
}

QPixmap StartPicture(const platform::TPaths& paths, int phase) {
    const QPixmap picture(
        QString::fromStdString(paths.DataFile("Start" + std::to_string(phase) + ".bmp").string()));
    return picture.isNull() ? StartFallbackPicture(phase) : picture;
}

QPixmap StopPicture(const platform::TPaths& paths) {
    const QPixmap picture(QString::fromStdString(paths.DataFile("Stop2.bmp").string()));
    return picture.isNull() ? StopFallbackPicture() : picture;
}

QWidget* ContentPanel(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setProperty("role", "panel");
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setGeometry(geometry);
    auto* heading = TextLabel(panel, QStringLiteral("Heading"), QRect(20, 12, 300, 30), "heading");
    heading->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Rule(panel, QRect(16, 50, geometry.width() - 32, 2));
    return panel;
}

QWidget* Rule(QWidget* parent, const QRect& geometry) {
    auto* rule = new QWidget(parent);
    rule->setProperty("role", "rule");
    rule->setAttribute(Qt::WA_StyledBackground);
    rule->setGeometry(geometry);
    return rule;
}

QProgressBar* ProgressBar(QWidget* parent, const QRect& geometry) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QStringLiteral("PrgBar1"));
    bar->setGeometry(geometry);
    bar->setTextVisible(false);
    return bar;
}

void ShowProgress(QProgressBar* bar, int progress, int max) {
    // A range of 0 to 0 would make the bar an endless busy indicator.
    bar->setRange(0, std::max(max, 1));
    bar->setValue(progress);
}

QTimer* NamedTimer(QObject* owner, const QString& name) {
    auto* timer = new QTimer(owner);
    timer->setObjectName(name);
    return timer;
}

QToolButton* TextButton(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setProperty("role", "framed");
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::TabFocus);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

QToolButton* LargeButton(QWidget* parent, const QString& name, const QRect& geometry,
                         const QPixmap& picture) {
    // A caption of its own comes later, from the window's texts.
    QToolButton* button = ui::FlatButton(parent, geometry, {}, picture, QStringLiteral(" "));
    button->setObjectName(name);
    button->setProperty("role", "large");
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QToolButton* PictureButton(QWidget* parent, const QString& name, const QRect& geometry,
                           const QPixmap& picture) {
    QToolButton* button = ui::FlatButton(parent, geometry, {}, picture);
    button->setObjectName(name);
    return button;
}

QLineEdit* WordEdit(QWidget* parent, const QRect& geometry, int pixelSize,
                    const QString& styleSheet, TWordEdit kind) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QStringLiteral("Edit1"));
    box->setGeometry(geometry);
    if (kind == TWordEdit::Shows) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
    }
    box->setFont(WordFont(pixelSize));
    box->setProperty(kWordPixels, pixelSize);
    if (kind == TWordEdit::Answer) {
        box->setAlignment(Qt::AlignCenter);
    }
    box->setStyleSheet(styleSheet);
    return box;
}

namespace {

// The frame, the padding of the style sheet and the box's own margins
// around the text, a side.
constexpr int kTextInsetX = 14;
constexpr int kTextInsetY = 3;
// The cover lies inside the frame and its rounded corners, over all of the
// box's own text.
constexpr int kCoverInset = 3;
constexpr qreal kCoverRadius = 3;
// The caret, beside the text of one line.
constexpr int kCaret = 6;

// Lines of at most width pixels, broken between words where they can be and
// inside a word where they must; returns their height.
int LayOutLines(QTextLayout& layout, int width) {
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return qCeil(height);
}

QTextOption WrappingOption(Qt::Alignment alignment) {
    QTextOption option(alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

// A word too long for one line of its box, painted over the box's text in
// the box's colours, wrapped onto as many lines as the box is high. The box
// keeps the word as its text; the cover goes away when the text changes.
class TWrappedWord final : public QWidget {
public:
    explicit TWrappedWord(QLineEdit& box) : QWidget(&box), box_(box) {
        setObjectName(QString::fromLatin1(kWrappedWordName));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        QObject::connect(&box, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (text != text_) {
                hide();
            }
        });
    }

    void Show(const QString& text) {
        text_ = text;
        setGeometry(box_.rect().adjusted(kCoverInset, kCoverInset, -kCoverInset, -kCoverInset));
        show();
        update();
    }

    QString Text() const { return text_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(box_.palette().color(QPalette::Base));
        painter.drawRoundedRect(rect(), kCoverRadius, kCoverRadius);
        const QRect text = rect().adjusted(kTextInsetX - kCoverInset, kTextInsetY - kCoverInset,
                                           kCoverInset - kTextInsetX, kCoverInset - kTextInsetY);
        QTextLayout layout(text_, box_.font());
        layout.setTextOption(WrappingOption(box_.alignment()));
        const int height = LayOutLines(layout, text.width());
        painter.setPen(box_.palette().color(QPalette::Text));
        layout.draw(&painter,
                    QPointF(text.left(), text.top() + std::max(0, (text.height() - height) / 2)));
    }

private:
    QLineEdit& box_;
    QString text_;
};

TWrappedWord* WrappedWordOf(const QLineEdit& box) {
    return box.findChild<TWrappedWord*>(QString::fromLatin1(kWrappedWordName),
                                        Qt::FindDirectChildrenOnly);
}

// The largest letters from the box's own size down to the smallest for
// which fits holds, or 0.
template <typename Fits> int LargestFitting(int ownPixels, Fits fits) {
    for (int pixels = ownPixels; pixels >= kMinWordPixels; --pixels) {
        if (fits(WordFont(pixels))) {
            return pixels;
        }
    }
    return 0;
}

} // namespace

int WrappedWordHeight(const QFont& font, Qt::Alignment alignment, int width, const QString& text) {
    QTextLayout layout(text, font);
    layout.setTextOption(WrappingOption(alignment));
    return LayOutLines(layout, width);
}

void ShowWholeWord(QLineEdit& box, const QString& text) {
    const QRect inner = box.rect().adjusted(kTextInsetX, kTextInsetY, -kTextInsetX, -kTextInsetY);
    const QVariant ownSize = box.property(kWordPixels);
    const int ownPixels = ownSize.isValid() ? ownSize.toInt() : box.font().pixelSize();
    const int oneLine = LargestFitting(ownPixels, [&](const QFont& font) {
        return QFontMetrics(font).horizontalAdvance(text) <= inner.width() - kCaret;
    });
    const int wrapped =
        oneLine == ownPixels ? 0 : LargestFitting(ownPixels, [&](const QFont& font) {
            return WrappedWordHeight(font, box.alignment(), inner.width(), text) <= inner.height();
        });
    // A word that fits no box at all shows its start, wrapped.
    const bool wrap = wrapped > oneLine || oneLine == 0;
    box.setFont(WordFont(wrap ? std::max(wrapped, kMinWordPixels) : oneLine));
    box.setText(text);
    box.setCursorPosition(0);
    TWrappedWord* cover = WrappedWordOf(box);
    if (wrap) {
        if (cover == nullptr) {
            cover = new TWrappedWord(box);
        }
        cover->Show(text);
    } else if (cover != nullptr) {
        cover->hide();
    }
}

QString WrappedWordShown(const QLineEdit& box) {
    const TWrappedWord* cover = WrappedWordOf(box);
    return cover != nullptr && cover->isVisible() ? cover->Text() : QString();
}

QTextEdit* ArticleEdit(QWidget* parent, const QRect& geometry) {
    auto* box = new QTextEdit(parent);
    box->setObjectName(QStringLiteral("RichEdit1"));
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setFont(ArticleFont());
    box->document()->setDefaultFont(ArticleFont());
    return box;
}

QCheckBox* OptionBox(QWidget* parent, const QString& name, const QRect& geometry, bool takesFocus) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setCursor(Qt::PointingHandCursor);
    if (!takesFocus) {
        box->setFocusPolicy(Qt::NoFocus);
    }
    return box;
}

QLabel* TextLabel(QWidget* parent, const QString& name, const QRect& geometry, const char* role) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setProperty("role", role);
    label->setGeometry(geometry);
    return label;
}

QSlider* SpeedSlider(QWidget* parent, Qt::Orientation orientation, const QRect& markArea,
                     int position) {
    constexpr int kMark = 18;
    auto* slider = new QSlider(orientation, parent);
    slider->setObjectName(QStringLiteral("TrackBar1"));
    slider->setRange(1, 10);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    slider->setValue(position);
    slider->setCursor(Qt::PointingHandCursor);
    auto* plus = TextLabel(parent, QStringLiteral("PlusMark"), {}, "mark");
    auto* minus = TextLabel(parent, QStringLiteral("MinusMark"), {}, "mark");
    plus->setText(QStringLiteral("+"));
    minus->setText(QStringLiteral("-"));
    plus->setAlignment(Qt::AlignCenter);
    minus->setAlignment(Qt::AlignCenter);
    const QRect& a = markArea;
    if (orientation == Qt::Vertical) {
        // Position 1, the fastest, is at the top, beside the "+".
        slider->setInvertedAppearance(true);
        plus->setGeometry(a.left(), a.top(), a.width(), kMark);
        slider->setGeometry(a.left(), a.top() + kMark + 2, a.width(), a.height() - 2 * kMark - 4);
        minus->setGeometry(a.left(), a.bottom() - kMark + 1, a.width(), kMark);
    } else {
        plus->setGeometry(a.left(), a.top(), kMark, a.height());
        slider->setGeometry(a.left() + kMark + 4, a.top(), a.width() - 2 * kMark - 8, a.height());
        minus->setGeometry(a.right() - kMark + 1, a.top(), kMark, a.height());
    }
    return slider;
}

TStartButton::TStartButton(QToolButton* button, QString startStopHint, bool english,
                           const platform::TPaths& paths)
    : button_(button), startStopHint_(std::move(startStopHint)), english_(english), paths_(paths) {
    button_->setIcon(ui::ButtonIcon(StartPicture(paths_, phase_)));
    button_->setIconSize(QSize(kIcon, kIcon));
    button_->setToolTip(startStopHint_);
}

void TStartButton::Show(const TStartStop& state) {
    if (state.Face != face_) {
        face_ = state.Face;
        if (face_ == TStartFace::Start) {
            phase_ = 1;
            button_->setIcon(ui::ButtonIcon(StartPicture(paths_, phase_)));
        } else {
            button_->setIcon(ui::ButtonIcon(StopPicture(paths_)));
        }
    }
    switch (state.Hint) {
    case TStartHint::StartStop:
        button_->setToolTip(startStopHint_);
        break;
    case TStartHint::Stop:
        button_->setToolTip(ExercisePhrase(TExercisePhrase::StopHint, english_));
        break;
    case TStartHint::Start:
        button_->setToolTip(ExercisePhrase(TExercisePhrase::StartHint, english_));
        break;
    }
    button_->setEnabled(state.Enabled);
}

void TStartButton::Blink() {
    if (face_ != TStartFace::Start) {
        return;
    }
    phase_ = phase_ == 1 ? 2 : 1;
    button_->setIcon(ui::ButtonIcon(StartPicture(paths_, phase_)));
    button_->repaint();
}

void TTimerMirror::Apply(const TTimerState& state) {
    if (!state.On) {
        timer_->stop();
        appliedStarts_ = state.Starts;
        return;
    }
    if (timer_->interval() != state.Interval) {
        timer_->setInterval(state.Interval);
    }
    if (!timer_->isActive() || appliedStarts_ != state.Starts) {
        timer_->start();
    }
    appliedStarts_ = state.Starts;
}

} // namespace exercises
