#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace ui {

// The top-left corner that keeps a frame wholly inside the area, moved as
// little as possible; a frame larger than the area keeps its top-left corner
// at the area's, so that its title and the start of its lines stay in sight.
QPoint PlaceInside(const QRect& frame, const QRect& area);

// The part of the widget's screen that windows may cover (without the
// desktop's panels and task bars); the primary screen's for a widget not on
// any screen yet.
QRect AvailableArea(const QWidget* widget);

// Every window the program opens over another goes here before it is shown:
// centred on its owner's frame (on the screen when it has no owner) and kept
// inside the available area of the owner's screen.
void PlaceOnScreen(QWidget& window, const QWidget* owner);

} // namespace ui
