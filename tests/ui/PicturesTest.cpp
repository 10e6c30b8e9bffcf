#include "ui/Pictures.h"

#include "platform/JpegImage.h"

#include <QPixmapCache>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

namespace {

using ui::PictureDescription;
using ui::PictureId;

PictureId Id(int index) {
    return static_cast<PictureId>(index);
}

int Distance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

QImage Decoded(PictureId id) {
    auto image = platform::LoadJpeg(ui::PictureBytes(id));
    return image ? image->convertToFormat(QImage::Format_RGB32) : QImage();
}

double Luminance(QRgb colour) {
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

TEST(Pictures, EveryPictureIsEmbeddedAndHasItsSize) {
    for (int i = 0; i < ui::kPictureCount; ++i) {
        const auto& info = PictureDescription(Id(i));
        ASSERT_EQ(info.id, Id(i)) << "table out of order at " << i;
        const auto image = platform::LoadJpeg(ui::PictureBytes(info.id));
        ASSERT_TRUE(image) << info.name << ": " << image.Problem();
        EXPECT_EQ(image->size(), info.size) << info.name;

        const QPixmap pixmap = ui::Picture(info.id);
        EXPECT_EQ(pixmap.size(), info.size) << info.name;
        EXPECT_EQ(pixmap.toImage().convertToFormat(QImage::Format_RGB32),
                  image->convertToFormat(QImage::Format_RGB32))
            << info.name;
    }
}

TEST(Pictures, NamesFindTheirPicturesAndResultsAreCached) {
    std::set<std::string> names;
    for (int i = 0; i < ui::kPictureCount; ++i) {
        const auto& info = PictureDescription(Id(i));
        EXPECT_TRUE(names.insert(info.name).second) << info.name;
        EXPECT_EQ(ui::PictureByName(info.name), info.id);
    }
    EXPECT_EQ(ui::Picture("logo").cacheKey(), ui::Picture(PictureId::Logo).cacheKey());
    EXPECT_FALSE(ui::PictureByName("no-such-picture"));
    EXPECT_TRUE(ui::Picture("no-such-picture").isNull());

    // An emptied cache is filled again with the same picture.
    const QImage before = ui::Picture(PictureId::Hangman).toImage();
    QPixmapCache::clear();
    EXPECT_EQ(ui::Picture(PictureId::Hangman).toImage(), before);

    // A picture shown once is decoded alike but kept by nobody else.
    const QPixmap once = ui::UncachedPicture(PictureId::Hangman);
    EXPECT_EQ(once.toImage(), before);
    EXPECT_NE(once.cacheKey(), ui::Picture(PictureId::Hangman).cacheKey());
    EXPECT_NE(ui::UncachedPicture(PictureId::Hangman).cacheKey(), once.cacheKey());
}

TEST(Pictures, UndecodableBytesGiveAFilledPictureOfTheRightSize) {
    const QColor fill = QColor::fromRgb(ui::palette::Teal);
    const QByteArray logo = ui::PictureBytes(PictureId::Logo);
    for (const QByteArray& bytes : {QByteArray(), QByteArray("not a picture"), logo.left(300)}) {
        const QPixmap pixmap = ui::PictureFromJpeg(bytes, QSize(30, 20), fill);
        EXPECT_EQ(pixmap.size(), QSize(30, 20));
        const QImage image = pixmap.toImage();
        EXPECT_EQ(image.pixel(0, 0), fill.rgb());
        EXPECT_EQ(image.pixel(29, 19), fill.rgb());
    }
    EXPECT_EQ(ui::PictureFromJpeg(logo, QSize(30, 20), fill).size(), QSize(90, 58));
}

// JPEG has no transparency: icons only blend in when their ground is the
// colour of the panels they sit on.
TEST(Pictures, IconsAndPanelsShareTheirGround) {
    const QRgb panel = ui::palette::Panel;
    for (int i = static_cast<int>(PictureId::IconPronounce); i < ui::kPictureCount; ++i) {
        const QImage image = Decoded(Id(i));
        const int right = image.width() - 1;
        const int bottom = image.height() - 1;
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)}) {
            EXPECT_LE(Distance(image.pixel(corner), panel), 6)
                << PictureDescription(Id(i)).name << " at " << corner.x() << "," << corner.y();
        }
    }
    EXPECT_LE(Distance(Decoded(PictureId::ButtonBar).pixel(200, 20), panel), 3);
    EXPECT_LE(Distance(Decoded(PictureId::ButtonColumn).pixel(38, 150), panel), 3);
}

// The white count label sits on the strips: they must be dark enough for it.
TEST(Pictures, CountLabelReadsOnTheStrips) {
    for (const PictureId strip : {PictureId::ListStripLeft, PictureId::ListStripRight}) {
        const QImage image = Decoded(strip);
        double worst = 0.0;
        for (int y = 4; y < 20; ++y) {
            for (int x = 24; x < 108; ++x) {
                worst = std::max(worst, Luminance(image.pixel(x, y)));
            }
        }
        const double contrast = (Luminance(ui::palette::Text) + 0.05) / (worst + 0.05);
        EXPECT_GE(contrast, 4.5) << PictureDescription(strip).name;
    }
}

// The splash's progress dots are drawn from (88, 119): no edges there.
TEST(Pictures, SplashLeavesTheProgressAreaCalm) {
    const QImage image = Decoded(PictureId::Splash);
    int steepest = 0;
    for (int y = 110; y < 155; ++y) {
        for (int x = 80; x < 260; ++x) {
            steepest = std::max({steepest, Distance(image.pixel(x, y), image.pixel(x + 1, y)),
                                 Distance(image.pixel(x, y), image.pixel(x, y + 1))});
        }
    }
    EXPECT_LE(steepest, 6);
}

} // namespace
