#pragma once

#include <QRect>

class QToolButton;
class QWidget;

namespace interface {

enum class TAboutButton { UpArrow, Stop, DownArrow, Cross };

// A 23 x 23 picture button of the about windows, drawn in the program's
// colours on whatever lies behind it.
QToolButton* AboutButton(QWidget* parent, TAboutButton kind, QPoint topLeft);

} // namespace interface
