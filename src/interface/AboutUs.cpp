#include "interface/AboutUs.h"

#include "interface/AboutButtons.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"
#include "ui/Pictures.h"
#include "ui/WindowPlace.h"

#include <QFontMetrics>
#include <QLabel>
#include <QRegularExpression>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace interface {

QString LabelLines(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1String(kLineEnd), QLatin1String("\n"));
}

TAboutForm::TAboutForm(QWidget* owner, bool english) : QDialog(owner) {
    setObjectName(QStringLiteral("TAboutForm"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(kWidth, kHeight);
    auto* background = new QLabel(this);
    background->setGeometry(rect());
    background->setPixmap(ui::Picture(ui::PictureId::AboutUs));

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(175, 83, 220, 100);
    Panel1->setStyleSheet(ui::StyleSheet(u"background: @Black;"));
    Viewport = new QWidget(Panel1);
    Viewport->setObjectName(QStringLiteral("Viewport"));
    Viewport->setGeometry(6, 5, 180, kViewportHeight);

    Label1 = new QLabel(Viewport);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    QFont font(QString::fromLatin1(ui::kFontMsSansSerif));
    font.setPixelSize(11);
    Label1->setFont(font);
    Label1->setStyleSheet(ui::StyleSheet(u"color: @White; background: transparent;"));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setText(LabelLines(CreditsText(english)));
    Label1->setGeometry(10, 0, kNarrowWidth, kViewportHeight);

    // The strip at the foot of the viewport, which the credits pass under.
    auto* strip = new QWidget(Viewport);
    strip->setGeometry(0, kViewportHeight - kStripHeight, 180, kStripHeight);
    strip->setStyleSheet(ui::StyleSheet(u"background: @Teal;"));

    SpeedButton4 = AboutButton(Panel1, TAboutButton::UpArrow, QPoint(192, 4));
    SpeedButton3 = AboutButton(Panel1, TAboutButton::Stop, QPoint(192, 27));
    SpeedButton2 = AboutButton(Panel1, TAboutButton::DownArrow, QPoint(192, 50));
    SpeedButton1 = AboutButton(Panel1, TAboutButton::Cross, QPoint(192, 73));
    SpeedButton4->setObjectName(QStringLiteral("SpeedButton4"));
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { SpeedButton4Click(); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });

    // The timer runs from the window's creation; the credits move once they
    // have their place.
    Timer1 = new QTimer(this);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(std::max(kTimerInterval, kClockTick));
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();
    ui::PlaceOnScreen(*this, owner);
}

void TAboutForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TAboutForm::FormShow() {
    // Laid out at the narrow width the label is built with, where a word
    // wider than that keeps a line of its own, then widened keeping that
    // height: a blank stretch follows the text before it comes round again.
    const int height = Label1->heightForWidth(kNarrowWidth);
    Label1->resize(kLabelWidth, height);
    scroller_.Start(kViewportHeight, kStripHeight, height);
    shown_ = true;
    FollowScroller();
}

void TAboutForm::Timer1Timer() {
    if (!shown_) {
        return;
    }
    scroller_.Tick();
    FollowScroller();
}

void TAboutForm::FollowScroller() {
    Label1->move(Label1->x(), scroller_.Top());
}

void TAboutForm::SpeedButton4Click() {
    scroller_.UpArrow();
    Timer1->start();
}

void TAboutForm::SpeedButton2Click() {
    scroller_.DownArrow();
    Timer1->start();
}

void TAboutForm::SpeedButton3Click() {
    scroller_.Stop();
    Timer1->stop();
}

void TAboutForm::SpeedButton1Click() {
    done(QDialog::Accepted);
}

void ShowAboutUs(QWidget* owner, bool english, const ui::TEnvironment& environment) {
    TAboutForm window(owner, english);
    environment.RunAbout(window);
}

} // namespace interface
