#include "ui/WindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ui {

QPoint PlaceInside(const QRect& frame, const QRect& area) {
    // The right and bottom edges first, so that a frame larger than the area
    // ends at its top-left corner.
    const int x = std::max(area.left(), std::min(frame.left(), area.right() - frame.width() + 1));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() - frame.height() + 1));
    return {x, y};
}

QRect AvailableArea(const QWidget* widget) {
    const QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

void PlaceOnScreen(QWidget& window, const QWidget* owner) {
    const QRect area = AvailableArea(owner != nullptr ? owner : &window);
    const QPoint centre = owner != nullptr ? owner->frameGeometry().center() : area.center();
    QRect frame = window.frameGeometry();
    frame.moveTopLeft(centre - QPoint(frame.width() / 2, frame.height() / 2));
    window.move(PlaceInside(frame, area));
}

} // namespace ui
