#include "exercises/HangmanDrawing.h"

#include <gtest/gtest.h>

#include <QRect>

#include <string>
#include <vector>

// The gallows on its pixels: each stroke appears with its miss and not
// before, the loss figure's fills stay inside their outlines, the legs swing
// and come back; and the fill itself on made-up pictures.
namespace {

using namespace exercises;

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kGreen = 0xff00ff00;

struct Probe {
    int Stage;
    QPoint Pixel;
    const char* Stroke;
};

// A pixel on each stroke, with the miss that draws it.
const std::vector<Probe> kProbes = {
    {1, {10, 60}, "left post"}, {2, {25, 10}, "beam"},        {3, {70, 60}, "right post"},
    {4, {40, 20}, "rope"},      {5, {30, 40}, "head"},        {5, {34, 37}, "left eye"},
    {5, {41, 37}, "right eye"}, {6, {35, 65}, "body"},        {6, {39, 70}, "navel"},
    {7, {25, 70}, "left arm"},  {8, {55, 70}, "right arm"},   {9, {40, 80}, "hips"},
    {9, {25, 100}, "left leg"}, {10, {55, 100}, "right leg"},
};

// The smile, drawn with the head and erased at the loss.
const QPoint kSmile{36, 43};
const QPoint kFrown{36, 44};

TEST(HangmanDrawingTest, EachStrokeAppearsWithItsMissAndStays) {
    std::vector<QImage> stages;
    for (int misses = 0; misses <= 10; ++misses) {
        stages.push_back(DrawGallows(misses));
        EXPECT_EQ(stages.back().size(), QSize(kGallowsWidth, kGallowsHeight));
    }
    for (const Probe& probe : kProbes) {
        for (int misses = 0; misses <= 10; ++misses) {
            const bool inked = stages[misses].pixel(probe.Pixel) == kGallowsInk;
            EXPECT_EQ(inked, misses >= probe.Stage)
                << probe.Stroke << " after " << misses << " misses";
        }
    }
    for (int misses = 0; misses <= 9; ++misses) {
        EXPECT_EQ(stages[misses].pixel(kSmile) == kGallowsInk, misses >= 5) << misses;
        EXPECT_EQ(stages[misses].pixel(kFrown), GallowsBackground()) << misses;
    }
    EXPECT_EQ(stages[0].pixel(0, 0), GallowsBackground());
    EXPECT_EQ(stages[10].pixel(79, 129), GallowsBackground());
    EXPECT_EQ(DrawGallows(-2), stages[0]);
    EXPECT_EQ(DrawGallows(14), stages[10]);
    EXPECT_EQ(DrawGallows(9, 1), stages[9]) << "only the loss figure swings its legs";
}

TEST(HangmanDrawingTest, TheLossFigureIsColouredInsideItsOutlines) {
    const QImage loss = DrawGallows(10);
    for (const QPoint eye : {QPoint(36, 37), QPoint(43, 37)}) {
        EXPECT_EQ(loss.pixel(eye), kGallowsEyes);
    }
    for (const QPoint skin : {QPoint(40, 40), QPoint(33, 41), QPoint(40, 60), QPoint(38, 72)}) {
        EXPECT_EQ(loss.pixel(skin), kGallowsSkin) << skin.x() << "," << skin.y();
    }
    EXPECT_EQ(loss.pixel(kSmile), kGallowsSkin) << "the smile is erased";
    EXPECT_EQ(loss.pixel(kFrown), kGallowsInk);
    EXPECT_EQ(loss.pixel(39, 71), GallowsBackground()) << "the navel is not filled";

    const QRect head(30, 30, 20, 20);
    const QRect body(35, 50, 10, 30);
    const QRect leftEye(34, 35, 5, 5);
    const QRect rightEye(41, 35, 5, 5);
    int skin = 0;
    for (int y = 0; y < loss.height(); ++y) {
        for (int x = 0; x < loss.width(); ++x) {
            const QRgb pixel = loss.pixel(x, y);
            if (pixel == kGallowsSkin) {
                ++skin;
                EXPECT_TRUE(head.contains(x, y) || body.contains(x, y)) << x << "," << y;
            } else if (pixel == kGallowsEyes) {
                EXPECT_TRUE(leftEye.contains(x, y) || rightEye.contains(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(skin, 300) << "the face and the body are filled";

    for (int misses = 0; misses < 10; ++misses) {
        const QImage stage = DrawGallows(misses);
        for (int y = 0; y < stage.height(); ++y) {
            for (int x = 0; x < stage.width(); ++x) {
                ASSERT_TRUE(stage.pixel(x, y) == kGallowsInk ||
                            stage.pixel(x, y) == GallowsBackground())
                    << "colour before the loss, " << misses << " misses";
            }
        }
    }
}

TEST(HangmanDrawingTest, TheLegsSwingTenTicksAndEndAtRest) {
    const QImage rest = DrawGallows(10, 0);
    const QImage swung = DrawGallows(10, 1);
    EXPECT_EQ(swung.pixel(27, 100), kGallowsInk);
    EXPECT_EQ(swung.pixel(25, 100), GallowsBackground());
    EXPECT_EQ(swung.pixel(53, 100), kGallowsInk);
    EXPECT_EQ(swung.pixel(55, 100), GallowsBackground());
    EXPECT_EQ(swung.pixel(40, 60), kGallowsSkin);

    TGallowsKick kick;
    EXPECT_FALSE(kick.Tick());
    kick.Start();
    std::string phases;
    while (kick.Tick()) {
        phases += static_cast<char>('0' + kick.Phase());
    }
    EXPECT_EQ(phases, "1010101010");
    EXPECT_FALSE(kick.Running());
    EXPECT_EQ(DrawGallows(10, kick.Phase()), rest);

    kick.Start();
    kick.Tick();
    kick.Stop();
    EXPECT_EQ(kick.Phase(), 0);
    EXPECT_FALSE(kick.Tick());
}

QImage Blank(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kWhite);
    return image;
}

int Count(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

// A diamond whose sides are diagonal steps: closed only for a fill that
// moves up, down, left and right.
void Diamond(QImage& image, QPoint centre, int radius) {
    for (int i = 0; i <= radius; ++i) {
        for (const QPoint p : {QPoint(centre.x() - radius + i, centre.y() - i),
                               QPoint(centre.x() - radius + i, centre.y() + i),
                               QPoint(centre.x() + radius - i, centre.y() - i),
                               QPoint(centre.x() + radius - i, centre.y() + i)}) {
            image.setPixel(p, kGallowsInk);
        }
    }
}

TEST(FloodFillBorderTest, FillsTheEnclosedRegionOnly) {
    QImage image = Blank(30, 30);
    Diamond(image, {15, 15}, 10);
    image.setPixel(15, 12, kGreen); // other colours inside are filled over
    FloodFillBorder(image, {15, 15}, kGallowsInk, kGallowsEyes);
    // Inside a diamond of radius 10: 2 * 10 * 9 + 1 pixels strictly within.
    EXPECT_EQ(Count(image, kGallowsEyes), 181);
    EXPECT_EQ(image.pixel(0, 0), kWhite);
    EXPECT_EQ(image.pixel(15, 4), kWhite);

    image.setPixel(20, 10, kWhite); // a gap in the side lets the fill out
    FloodFillBorder(image, {15, 15}, kGallowsInk, kGallowsSkin);
    EXPECT_EQ(image.pixel(0, 0), kGallowsSkin);
    EXPECT_EQ(Count(image, kWhite), 0);
    EXPECT_EQ(Count(image, kGallowsEyes), 0) << "its own earlier colour does not stop a fill";
}

TEST(FloodFillBorderTest, SeedsOnTheBorderOrOutsideFillNothing) {
    QImage image = Blank(10, 10);
    image.setPixel(4, 4, kGallowsInk);
    const QImage before = image;
    FloodFillBorder(image, {4, 4}, kGallowsInk, kGreen);
    FloodFillBorder(image, {-1, 3}, kGallowsInk, kGreen);
    FloodFillBorder(image, {3, 10}, kGallowsInk, kGreen);
    EXPECT_EQ(image, before);
}

TEST(FloodFillBorderTest, FollowsAWindingCorridorWithoutRecursion) {
    // A serpentine corridor through a large picture: every turn needs the
    // fill to go back along the rows it came from.
    const int size = 401;
    QImage image = Blank(size, size);
    for (int y = 1; y < size; y += 2) {
        for (int x = 0; x < size; ++x) {
            image.setPixel(x, y, kGallowsInk);
        }
        image.setPixel((y / 2) % 2 == 0 ? size - 1 : 0, y, kWhite);
    }
    FloodFillBorder(image, {0, 0}, kGallowsInk, kGreen);
    EXPECT_EQ(Count(image, kWhite), 0);
    EXPECT_EQ(image.pixel(0, size - 1), kGreen);

    QImage indexed = Blank(20, 20).convertToFormat(QImage::Format_RGB16);
    FloodFillBorder(indexed, {5, 5}, kGallowsInk, kGreen);
    EXPECT_EQ(indexed.pixel(19, 19), kGreen) << "other formats are filled too";
}

} // namespace
