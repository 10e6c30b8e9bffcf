#include "interface/ViewModes.h"

#include <QAction>
#include <QWidget>

namespace interface {

TViewModes::TViewModes(const TViewControls& controls, TInterfaceHost& host)
    : c_(controls), host_(host) {}

void TViewModes::RememberWidths() {
    remembered_ = {c_.Window->width(), c_.TabControl1->width(), c_.Combo->width()};
}

bool TViewModes::Compact() const {
    return c_.N12->isChecked();
}

void TViewModes::N11Click() {
    if (c_.N12->isChecked()) {
        SwitchToStandard(true);
    }
}

void TViewModes::N12Click() {
    if (c_.N11->isChecked()) {
        SwitchToCompact(true);
    }
}

void TViewModes::ApplyStored(bool standard) {
    if (standard) {
        if (c_.N12->isChecked()) {
            SwitchToStandard(false);
        }
    } else if (c_.N11->isChecked()) {
        SwitchToCompact(false);
    }
}

void TViewModes::SwitchToCompact(bool store) {
    c_.N11->setChecked(false);
    c_.N12->setChecked(true);
    const TViewWidths compact = CompactWidths(
        {c_.Window->width(), c_.TabControl1->width(), c_.Combo->width()}, c_.RightPanel1->width());
    SetTabControlWidth(compact.TabControl);
    c_.Combo->resize(compact.Combo, c_.Combo->height());
    c_.RightPanel1->hide();
    SetWindowWidth(compact.Window);
    if (store) {
        host_.StoreSetting(TStoredSetting::View, false);
    }
}

void TViewModes::SwitchToStandard(bool store) {
    c_.N12->setChecked(false);
    c_.N11->setChecked(true);
    SetTabControlWidth(remembered_.TabControl);
    c_.Combo->resize(remembered_.Combo, c_.Combo->height());
    SetWindowWidth(remembered_.Window);
    c_.RightPanel1->show();
    if (store) {
        host_.StoreSetting(TStoredSetting::View, true);
    }
}

void TViewModes::SetTabControlWidth(int width) {
    // Right-aligned: the right edge stays at the top panel's.
    const QRect old = c_.TabControl1->geometry();
    c_.TabControl1->setGeometry(old.right() + 1 - width, old.top(), width, old.height());
}

void TViewModes::SetWindowWidth(int width) {
    // The window and its client area have fixed sizes; the panels across the
    // window follow, and the letter tabs stay right-aligned. The left edge
    // stays where it is.
    const int change = width - c_.Client->width();
    c_.Client->setFixedWidth(width);
    c_.TopPanel->resize(width, c_.TopPanel->height());
    c_.MainPanel->resize(width, c_.MainPanel->height());
    c_.TabControl1->move(c_.TabControl1->x() + change, c_.TabControl1->y());
    c_.Window->setFixedWidth(width);
}

} // namespace interface
