#include "app/Splash.h"
#include "ui/Pictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

// Pixels in the label's area that are close to the dots' amber.
int AmberPixels(TSplash& splash) {
    const QImage shot = splash.grab().toImage();
    const QRect area = splash.Label1->geometry();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            const QRgb amber = ui::palette::Amber;
            if (std::abs(qRed(pixel) - qRed(amber)) < 40 &&
                std::abs(qGreen(pixel) - qGreen(amber)) < 40 &&
                std::abs(qBlue(pixel) - qBlue(amber)) < 40) {
                ++count;
            }
        }
    }
    return count;
}

TEST(Splash, LayoutOfWindowAndLabel) {
    TSplash splash;
    EXPECT_EQ(splash.size(), QSize(406, 193));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash.windowType(), Qt::SplashScreen);
    EXPECT_EQ(splash.Label1->pos(), QPoint(88, 119));
    EXPECT_TRUE(splash.Label1->text().isEmpty());
    const QFont font = splash.Label1->font();
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(font.pixelSize(), 24);
    EXPECT_EQ(font.family(), "MS Sans Serif");
    EXPECT_FALSE(splash.Label1->autoFillBackground());
}

TEST(Splash, ShownCentredOnTheScreen) {
    TSplash splash;
    splash.show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint offset = splash.geometry().center() - screen.center();
    EXPECT_LE(offset.manhattanLength(), 2);
}

TEST(Splash, DotsCycleThroughSixAndBlank) {
    TSplash splash;
    const QStringList expected = {".",  "..",  "...",  "....",  ".....",  "......", "", ".",
                                  "..", "...", "....", ".....", "......", "",       "."};
    for (const QString& text : expected) {
        splash.AdvanceProgress();
        EXPECT_EQ(splash.Label1->text(), text);
    }
}

TEST(Splash, PaintsThePictureAndTheDots) {
    TSplash splash;
    splash.show();
    const QImage picture = ui::Picture(ui::PictureId::Splash).toImage();
    const QImage shot = splash.grab().toImage();
    for (const QPoint at : {QPoint(10, 10), QPoint(200, 40), QPoint(400, 180)}) {
        EXPECT_EQ(shot.pixel(at), picture.pixel(at));
    }
    EXPECT_EQ(AmberPixels(splash), 0);
    for (int step = 0; step < 3; ++step) {
        splash.AdvanceProgress();
    }
    const int threeDots = AmberPixels(splash);
    EXPECT_GT(threeDots, 0);
    for (int step = 0; step < 3; ++step) {
        splash.AdvanceProgress();
    }
    EXPECT_GT(AmberPixels(splash), threeDots);
    splash.AdvanceProgress();
    EXPECT_EQ(AmberPixels(splash), 0);
}

} // namespace
