#include "exercises/HangmanDrawing.h"

#include "ui/Palette.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace exercises {

namespace {

// Ellipses and arcs are given by their bounding box (left, top, right,
// bottom; the right column and the bottom row lie outside it); an arc runs
// counter-clockwise from the ray towards one point to the ray towards another.
struct Box {
    int Left, Top, Right, Bottom;
};

QRectF Rect(const Box& box) {
    return QRectF(box.Left, box.Top, box.Right - box.Left - 1, box.Bottom - box.Top - 1);
}

// A painter with a one-pixel pen, for one stroke.
class Pen {
public:
    Pen(QImage& image, QRgb colour) : painter_(&image) {
        painter_.setPen(QPen(QColor::fromRgb(colour), 1));
    }
    QPainter* operator->() { return &painter_; }

private:
    QPainter painter_;
};

void Line(QImage& image, std::initializer_list<QPoint> points) {
    Pen(image, kGallowsInk)->drawPolyline(std::data(points), static_cast<int>(points.size()));
}

// Ellipses are rasterised here rather than by the painter so that small ones
// keep their rounded shape: the painter turns the 4 x 3 box of the navel into
// a rectangle, whose corner would stop the fill seeded beside it. The outline
// has a pixel in every column and every row of the box, so it is closed for
// a fill; the inside is painted with the ground, covering what lies under it.
void Ellipse(QImage& image, const Box& box) {
    const double cx = (box.Left + box.Right - 1) / 2.0;
    const double cy = (box.Top + box.Bottom - 1) / 2.0;
    const double rx = std::max((box.Right - box.Left - 1) / 2.0, 0.5);
    const double ry = std::max((box.Bottom - box.Top - 1) / 2.0, 0.5);
    auto set = [&image](int x, int y, QRgb colour) {
        if (image.rect().contains(x, y)) {
            image.setPixel(x, y, colour);
        }
    };
    auto reach = [](double offset, double radius) {
        const double t = offset / radius;
        return std::sqrt(std::max(0.0, 1.0 - t * t));
    };
    for (int y = box.Top; y < box.Bottom; ++y) {
        for (int x = box.Left; x < box.Right; ++x) {
            const double dx = (x - cx) / rx;
            const double dy = (y - cy) / ry;
            if (dx * dx + dy * dy < 1.0) {
                set(x, y, GallowsBackground());
            }
        }
    }
    // Mirrored about the centre, so the outline is symmetric.
    for (int x = box.Left; x < box.Right; ++x) {
        const int top = static_cast<int>(std::lround(cy - ry * reach(x - cx, rx)));
        set(x, top, kGallowsInk);
        set(x, box.Top + box.Bottom - 1 - top, kGallowsInk);
    }
    for (int y = box.Top; y < box.Bottom; ++y) {
        const int left = static_cast<int>(std::lround(cx - rx * reach(y - cy, ry)));
        set(left, y, kGallowsInk);
        set(box.Left + box.Right - 1 - left, y, kGallowsInk);
    }
}

// Angle, in 16ths of a degree, of the point where the ray from the centre
// towards target meets the ellipse, measured as the painter measures arcs
// (on the ellipse's own circle, counter-clockwise from three o'clock).
double ArcAngle(const QRectF& rect, QPoint target) {
    const QPointF centre = rect.center();
    const double dx = target.x() - centre.x();
    const double dy = centre.y() - target.y();
    const double angle = std::atan2(dy * rect.width(), dx * rect.height());
    return angle * 180.0 / std::numbers::pi * 16.0;
}

void Arc(QImage& image, QRgb colour, const Box& box, QPoint from, QPoint to) {
    const QRectF rect = Rect(box);
    const double start = ArcAngle(rect, from);
    double span = ArcAngle(rect, to) - start;
    if (span <= 0) {
        span += 360 * 16;
    }
    Pen(image, colour)
        ->drawArc(rect, static_cast<int>(std::lround(start)), static_cast<int>(std::lround(span)));
}

const Box kSmile{32, 35, 48, 45};
const QPoint kSmileFrom{0, 40};
const QPoint kSmileTo{80, 40};

// The loss: red eyes, the smile turned into a frown on an orange face, and an
// orange body.
void Colour(QImage& image) {
    FloodFillBorder(image, {37, 37}, kGallowsInk, kGallowsEyes);
    FloodFillBorder(image, {43, 37}, kGallowsInk, kGallowsEyes);
    Arc(image, GallowsBackground(), kSmile, kSmileFrom, kSmileTo);
    FloodFillBorder(image, {40, 40}, kGallowsInk, kGallowsSkin);
    FloodFillBorder(image, {38, 70}, kGallowsInk, kGallowsSkin);
    Arc(image, kGallowsInk, {35, 43, 45, 53}, {80, 20}, {0, 40});
}

} // namespace

QRgb GallowsBackground() {
    return ui::palette::Paper;
}

QImage DrawGallows(int misses, int legsPhase) {
    misses = std::clamp(misses, 0, 10);
    const int phase = misses == 10 && legsPhase != 0 ? 1 : 0;

    QImage image(kGallowsWidth, kGallowsHeight, QImage::Format_RGB32);
    image.fill(GallowsBackground());
    for (int stroke = 1; stroke <= misses; ++stroke) {
        switch (stroke) {
        case 1:
            Line(image, {{10, 120}, {10, 10}});
            break;
        case 2:
            Line(image, {{10, 10}, {70, 10}});
            break;
        case 3:
            Line(image, {{70, 10}, {70, 120}});
            break;
        case 4: // the rope
            Line(image, {{40, 10}, {40, 30}});
            break;
        case 5: // head, eyes, smile
            Ellipse(image, {30, 30, 50, 50});
            Ellipse(image, {34, 35, 39, 40});
            Ellipse(image, {41, 35, 46, 40});
            Arc(image, kGallowsInk, kSmile, kSmileFrom, kSmileTo);
            break;
        case 6: // body
            Ellipse(image, {35, 50, 45, 80});
            Ellipse(image, {38, 70, 42, 73});
            break;
        case 7: // left arm
            Line(image, {{35, 55}, {25, 70}, {34, 54}});
            break;
        case 8: // right arm
            Line(image, {{44, 55}, {55, 70}, {45, 54}});
            break;
        case 9: // left leg
            Line(image, {{37, 80}, {42, 80}});
            Line(image, {{37, 80}, {25 + 2 * phase, 100}, {35, 75}});
            break;
        case 10: // right leg
            Line(image, {{42, 80}, {55 - 2 * phase, 100}, {44, 75}});
            Colour(image);
            break;
        }
    }
    return image;
}

void FloodFillBorder(QImage& image, QPoint seed, QRgb border, QRgb fill) {
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
        image.convertTo(QImage::Format_RGB32);
    }
    if (!image.rect().contains(seed)) {
        return;
    }
    const int width = image.width();
    const int height = image.height();
    std::vector<bool> done(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    auto row = [&image](int y) { return reinterpret_cast<QRgb*>(image.scanLine(y)); };
    auto open = [&](int x, int y) {
        return !done[static_cast<std::size_t>(y) * width + x] && row(y)[x] != border;
    };

    // Scanline fill: each popped seed fills its whole run, and one seed is
    // pushed per open run above and below it. Every pixel is filled once.
    std::vector<QPoint> pending{seed};
    while (!pending.empty()) {
        const QPoint point = pending.back();
        pending.pop_back();
        const int y = point.y();
        if (!open(point.x(), y)) {
            continue;
        }
        int left = point.x();
        while (left > 0 && open(left - 1, y)) {
            --left;
        }
        int right = point.x();
        while (right < width - 1 && open(right + 1, y)) {
            ++right;
        }
        QRgb* line = row(y);
        for (int x = left; x <= right; ++x) {
            line[x] = fill;
            done[static_cast<std::size_t>(y) * width + x] = true;
        }
        for (const int next : {y - 1, y + 1}) {
            if (next < 0 || next >= height) {
                continue;
            }
            bool inRun = false;
            for (int x = left; x <= right; ++x) {
                const bool isOpen = open(x, next);
                if (isOpen && !inRun) {
                    pending.emplace_back(x, next);
                }
                inRun = isOpen;
            }
        }
    }
}

bool TGallowsKick::Tick() {
    if (ticks_ <= 0) {
        return false;
    }
    --ticks_;
    phase_ = 1 - phase_;
    return true;
}

} // namespace exercises
