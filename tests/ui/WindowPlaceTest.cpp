// Windows opened over the main window stay inside the screen's available
// area, wherever the main window is.
#include "ui/WindowPlace.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

using ui::PlaceInside;

TEST(WindowPlace, AFrameIsMovedInsideTheAreaAsLittleAsPossible) {
    const QRect area(0, 24, 1024, 720); // a panel above, one below
    EXPECT_EQ(PlaceInside(QRect(100, 100, 620, 365), area), QPoint(100, 100)) << "inside stays";
    EXPECT_EQ(PlaceInside(QRect(-5, -13, 620, 365), area), QPoint(0, 24));
    EXPECT_EQ(PlaceInside(QRect(-110, 300, 620, 365), area), QPoint(0, 300));
    EXPECT_EQ(PlaceInside(QRect(600, 500, 620, 365), area), QPoint(404, 379))
        << "the right and bottom edges come back too";
    EXPECT_EQ(PlaceInside(QRect(-50, -50, 2000, 1000), area), QPoint(0, 24))
        << "too large: the top-left corner, title and line starts, stays in sight";
    EXPECT_EQ(PlaceInside(QRect(700, 40, 400, 100), QRect(1024, 0, 800, 600)), QPoint(1024, 40))
        << "a second screen's area";
}

TEST(WindowPlace, AWindowNearTheTopLeftOpensInsideTheScreen) {
    QWidget owner;
    owner.setGeometry(0, 0, 200, 120); // the compact view in the corner
    QWidget window(nullptr, Qt::Dialog);
    window.resize(620, 365);
    ui::PlaceOnScreen(window, &owner);
    const QRect area = ui::AvailableArea(&owner);
    EXPECT_TRUE(area.contains(window.frameGeometry()))
        << window.frameGeometry().x() << ", " << window.frameGeometry().y();

    owner.move(area.center() - QPoint(100, 60));
    ui::PlaceOnScreen(window, &owner);
    EXPECT_LE((window.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(),
              3)
        << "with room around the owner: centred on it";
}

} // namespace
