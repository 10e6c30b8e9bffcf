// The about windows through their real widgets, offscreen.
#include "interface/AboutProg.h"
#include "interface/AboutUs.h"
#include "interface/Credits.h"
#include "ui/WindowPlace.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QToolButton>
#include <gtest/gtest.h>

#include <vector>

namespace {

using interface::TAboutForm;
using interface::TAboutProgForm;
using Direction = interface::TCreditsScroller::TDirection;

TEST(AboutUs, CreditsStartBelowTheViewportAndScrollBothWays) {
    TAboutForm window(nullptr, true);
    EXPECT_TRUE(window.Timer1->isActive()) << "the timer runs from creation";
    window.show();
    QLabel& label = *window.Label1;
    EXPECT_EQ(label.width(), 160);
    EXPECT_EQ(label.y(), 98);
    EXPECT_GT(label.height(), label.heightForWidth(160) + 91) << "a blank stretch follows";
    EXPECT_FALSE(label.text().contains(u'\r'));
    const int end = 100 - label.height();
    EXPECT_EQ(window.Scroller().EndPosition(), end);

    window.Timer1Timer();
    EXPECT_EQ(label.y(), 97) << "upwards";
    QTest::mouseClick(window.SpeedButton4, Qt::LeftButton);
    EXPECT_EQ(window.Scroller().Direction(), Direction::Down) << "the up arrow reverses";
    window.Timer1Timer();
    EXPECT_EQ(label.y(), end) << "reaching the start moving down jumps to the end";

    QTest::mouseClick(window.SpeedButton3, Qt::LeftButton);
    EXPECT_FALSE(window.Timer1->isActive()) << "STOP pauses";
    QTest::mouseClick(window.SpeedButton2, Qt::LeftButton);
    EXPECT_TRUE(window.Timer1->isActive()) << "an arrow resumes";
    EXPECT_EQ(window.Scroller().Direction(), Direction::Up);
    window.Timer1Timer();
    EXPECT_EQ(label.y(), 98) << "moving up, the end jumps to the start";

    QTest::mouseClick(window.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_FALSE(window.isVisible());
}

// Delivers one expiry of the timer, as the event loop would when its
// interval has passed.
void Expire(QTimer& timer) {
    QTimerEvent expiry(timer.timerId());
    QCoreApplication::sendEvent(&timer, &expiry);
}

// A pixel a clock tick: about sixty a second, slow enough to read.
TEST(AboutUs, CreditsScrollAtAReadablePace) {
    TAboutForm window(nullptr, false);
    window.show();
    QTimer& timer = *window.Timer1;
    ASSERT_TRUE(timer.isActive());
    const int ticksPerSecond = 1000 / timer.interval();
    EXPECT_GE(ticksPerSecond, 20);
    EXPECT_LE(ticksPerSecond, 70);
    const int before = window.Label1->y();
    for (int tick = 0; tick < ticksPerSecond; ++tick) {
        Expire(timer);
    }
    EXPECT_EQ(before - window.Label1->y(), ticksPerSecond) << "one pixel each expiry";
}

TEST(AboutUs, EveryWordOfTheCreditsFitsTheLabel) {
    for (const bool english : {false, true}) {
        TAboutForm window(nullptr, english);
        const QFontMetrics metrics(window.Label1->font());
        const QString text = window.Label1->text();
        for (const QString& word :
             text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
            EXPECT_LE(metrics.horizontalAdvance(word), TAboutForm::kLabelWidth)
                << word.toStdString();
        }
        EXPECT_EQ(text, interface::LabelLines(interface::CreditsText(english)));
    }
}

TEST(AboutWindows, AreBorderlessAndCentredOnTheirOwner) {
    QWidget owner;
    owner.setGeometry(100, 80, 612, 340);
    owner.show();
    QSize sizes[2];
    QPoint centres[2];
    int opened = 0;
    ui::TEnvironment environment;
    environment.RunAbout = [&](QDialog& window) {
        sizes[opened] = window.size();
        centres[opened] = window.geometry().center();
        EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
        ++opened;
    };
    interface::ShowAboutUs(&owner, false, environment);
    interface::ShowAboutProgram(&owner, true, {28498, 32573}, environment);
    ASSERT_EQ(opened, 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(sizes[i], QSize(406, 194));
        EXPECT_LE((centres[i] - owner.frameGeometry().center()).manhattanLength(), 3);
    }
}

TEST(AboutWindows, OpenInsideTheScreenWhenTheirOwnerIsInTheTopLeftCorner) {
    QWidget owner;
    owner.setGeometry(0, 0, 200, 100);
    owner.show();
    std::vector<QRect> frames;
    ui::TEnvironment environment;
    environment.RunAbout = [&](QDialog& window) {
        window.show();
        frames.push_back(window.frameGeometry());
        window.close();
    };
    interface::ShowAboutUs(&owner, false, environment);
    interface::ShowAboutProgram(&owner, true, {28498, 32573}, environment);
    ASSERT_EQ(frames.size(), 2u);
    for (const QRect& frame : frames) {
        EXPECT_TRUE(ui::AvailableArea(&owner).contains(frame))
            << "at " << frame.x() << ", " << frame.y();
    }
}

TEST(AboutProgram, FourLinesInsideTheFrame) {
    for (const bool english : {false, true}) {
        TAboutProgForm window(nullptr, english, {28498, 32573});
        EXPECT_EQ(window.Bevel1->geometry(), QRect(40, 117, 281, 65));
        EXPECT_EQ(window.Label1->pos(), QPoint(51, 123));
        EXPECT_EQ(window.Label1->text(),
                  interface::LabelLines(interface::AboutProgramText(english, {28498, 32573})));
        EXPECT_EQ(window.Label1->text().count(u'\n'), 3);
        const QRect inside = window.Bevel1->geometry().adjusted(2, 2, -2, -2);
        EXPECT_TRUE(inside.contains(window.Label1->geometry()))
            << window.Label1->width() << " x " << window.Label1->height();
        EXPECT_EQ(window.SpeedButton1->geometry(), QRect(370, 159, 23, 23));
        QTest::mouseClick(window.SpeedButton1, Qt::LeftButton);
        EXPECT_EQ(window.result(), QDialog::Accepted);
    }
}

} // namespace
