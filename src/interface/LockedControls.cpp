#include "interface/LockedControls.h"

#include <QAction>
#include <QWidget>

namespace interface {

void TLockedControls::SetLocked(bool locked) const {
    for (QWidget* control :
         {Combo, TabControl1, ListBox1, Button1, Button3, Button13, Button4, Button10, Button14}) {
        control->setEnabled(!locked);
    }
    for (QWidget* method : Methods) {
        method->setEnabled(!locked);
    }
    for (QAction* menu : Menus) {
        menu->setEnabled(!locked);
    }
    if (locked) {
        Button2->setEnabled(false);
    }
}

} // namespace interface
