// The one list of controls that a voice recording and page mode lock.
#include "interface/LockedControls.h"

#include <QAction>
#include <QWidget>
#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

TEST(LockedControls, LockEverythingAndUnlockAllButTheSaveButton) {
    QWidget window;
    std::vector<QWidget*> widgets;
    for (int i = 0; i < 15; ++i) {
        widgets.push_back(new QWidget(&window));
    }
    std::array<QAction*, 4> menus{};
    for (QAction*& menu : menus) {
        menu = new QAction(&window);
    }
    const interface::TLockedControls locked {
        widgets[0], widgets[1], widgets[2], widgets[3], widgets[4], widgets[5], widgets[6],
            widgets[7], widgets[8], widgets[9],
            {widgets[10], widgets[11], widgets[12], widgets[13], widgets[14]}, menus
    };
    QWidget* save = locked.Button2;

    locked.SetLocked(true);
    for (QWidget* widget : widgets) {
        EXPECT_FALSE(widget->isEnabled());
    }
    for (QAction* menu : menus) {
        EXPECT_FALSE(menu->isEnabled());
    }

    locked.SetLocked(false);
    for (QWidget* widget : widgets) {
        EXPECT_EQ(widget->isEnabled(), widget != save);
    }
    for (QAction* menu : menus) {
        EXPECT_TRUE(menu->isEnabled());
    }
    EXPECT_FALSE(save->isEnabled()) << "the study list decides about saving";

    save->setEnabled(true);
    locked.SetLocked(false);
    EXPECT_TRUE(save->isEnabled()) << "unlocking leaves it as it is";
}

} // namespace
