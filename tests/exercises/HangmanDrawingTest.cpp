#include "exercises/HangmanDrawing.h"

#include <gtest/gtest.h>

#include <QRect>

#include <string>
#include <vector>

// The gallows on its pixels, and the fill on made-up pictures.
namespace {

using namespace exercises;

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kGreen = 0xff00ff00;

int Count(const QImage& image, QRgb colour, QRect outside = {}) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == colour && !outside.contains(x, y) ? 1 : 0;
        }
    }
    return count;
}

TEST(HangmanDrawingTest, EachStrokeAppearsWithItsMissAndStays) {
    // A pixel on each stroke, with the miss that draws it; the smile is
    // erased by the loss and the frown drawn.
    const struct {
        int Stage;
        QPoint Pixel;
    } probes[] = {{1, {10, 60}}, {2, {25, 10}}, {3, {70, 60}},  {4, {40, 20}},  {5, {30, 40}},
                  {5, {34, 37}}, {5, {41, 37}}, {6, {35, 65}},  {6, {39, 70}},  {7, {25, 70}},
                  {8, {55, 70}}, {9, {40, 80}}, {9, {25, 100}}, {10, {55, 100}}};
    for (int misses = 0; misses <= 10; ++misses) {
        const QImage stage = DrawGallows(misses);
        ASSERT_EQ(stage.size(), QSize(kGallowsWidth, kGallowsHeight));
        for (const auto& probe : probes) {
            EXPECT_EQ(stage.pixel(probe.Pixel) == kGallowsInk, misses >= probe.Stage)
                << probe.Pixel.x() << "," << probe.Pixel.y() << " after " << misses;
        }
        EXPECT_EQ(stage.pixel(36, 43) == kGallowsInk, misses >= 5 && misses < 10) << "smile";
        EXPECT_EQ(stage.pixel(36, 44) == kGallowsInk, misses == 10) << "frown";
        if (misses < 10) {
            EXPECT_EQ(Count(stage, kGallowsInk) + Count(stage, GallowsBackground()),
                      kGallowsWidth * kGallowsHeight)
                << "colours before the loss";
        }
    }
    EXPECT_EQ(DrawGallows(-2), DrawGallows(0));
    EXPECT_EQ(DrawGallows(14), DrawGallows(10));
    EXPECT_EQ(DrawGallows(9, 1), DrawGallows(9)) << "only the loss figure swings its legs";
}

TEST(HangmanDrawingTest, TheLossFigureIsColouredInsideItsOutlinesAndSwingsItsLegs) {
    const QImage loss = DrawGallows(10);
    EXPECT_EQ(loss.pixel(36, 37), kGallowsEyes);
    EXPECT_EQ(loss.pixel(43, 37), kGallowsEyes);
    EXPECT_EQ(loss.pixel(40, 40), kGallowsSkin);
    EXPECT_EQ(loss.pixel(36, 43), kGallowsSkin) << "where the smile was";
    EXPECT_EQ(loss.pixel(40, 60), kGallowsSkin);
    EXPECT_EQ(loss.pixel(38, 72), kGallowsSkin) << "around the navel";
    EXPECT_EQ(loss.pixel(39, 71), GallowsBackground()) << "the navel itself";
    EXPECT_GT(Count(loss, kGallowsSkin), 300);
    EXPECT_EQ(Count(loss, kGallowsSkin, QRect(30, 30, 20, 50)), 0) << "leaked out of the figure";
    EXPECT_EQ(Count(loss, kGallowsEyes, QRect(34, 35, 12, 5)), 0) << "leaked out of the eyes";

    const QImage swung = DrawGallows(10, 1);
    EXPECT_EQ(swung.pixel(27, 100), kGallowsInk);
    EXPECT_EQ(swung.pixel(25, 100), GallowsBackground());
    EXPECT_EQ(swung.pixel(53, 100), kGallowsInk);
    EXPECT_EQ(swung.pixel(55, 100), GallowsBackground());

    TGallowsKick kick;
    EXPECT_FALSE(kick.Tick());
    kick.Start();
    std::string phases;
    while (kick.Tick()) {
        phases += static_cast<char>('0' + kick.Phase());
    }
    EXPECT_EQ(phases, "1010101010");
    EXPECT_EQ(DrawGallows(10, kick.Phase()), loss) << "ends at rest";
}

TEST(FloodFillBorderTest, FillsTheEnclosedRegionOnly) {
    // A diamond of diagonal steps: closed only for a fill that moves up,
    // down, left and right.
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(kWhite);
    for (int i = 0; i <= 10; ++i) {
        for (const QPoint p : {QPoint(5 + i, 15 - i), QPoint(5 + i, 15 + i), QPoint(25 - i, 15 - i),
                               QPoint(25 - i, 15 + i)}) {
            image.setPixel(p, kGallowsInk);
        }
    }
    image.setPixel(15, 12, kGreen); // other colours inside are filled over
    const QImage outline = image;
    FloodFillBorder(image, {15, 15}, kGallowsInk, kGallowsEyes);
    EXPECT_EQ(Count(image, kGallowsEyes), 181) << "2 * 10 * 9 + 1 pixels inside";
    EXPECT_EQ(image.pixel(0, 0), kWhite);

    QImage unchanged = outline;
    FloodFillBorder(unchanged, {5, 15}, kGallowsInk, kGreen);
    FloodFillBorder(unchanged, {-1, 3}, kGallowsInk, kGreen);
    FloodFillBorder(unchanged, {3, 30}, kGallowsInk, kGreen);
    EXPECT_EQ(unchanged, outline) << "a seed on the border or outside fills nothing";

    image.setPixel(20, 10, kWhite); // a gap lets the fill out
    FloodFillBorder(image, {15, 15}, kGallowsInk, kGallowsSkin);
    EXPECT_EQ(Count(image, kWhite) + Count(image, kGallowsEyes), 0);
}

TEST(FloodFillBorderTest, FollowsAWindingCorridorWithoutRecursion) {
    // Every turn of the corridor sends the fill back along the rows.
    const int size = 401;
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(kWhite);
    for (int y = 1; y < size; y += 2) {
        for (int x = 0; x < size; ++x) {
            image.setPixel(x, y, kGallowsInk);
        }
        image.setPixel((y / 2) % 2 == 0 ? size - 1 : 0, y, kWhite);
    }
    FloodFillBorder(image, {0, 0}, kGallowsInk, kGreen);
    EXPECT_EQ(Count(image, kWhite), 0);
    EXPECT_EQ(image.pixel(0, size - 1), kGreen);
}

} // namespace
