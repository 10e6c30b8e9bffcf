#pragma once

#include "interface/InterfaceHost.h"
#include "interface/InterfaceRules.h"

class QAction;
class QWidget;

namespace interface {

struct TViewControls {
    QAction* N11 = nullptr; // standard, checked exactly in the standard view
    QAction* N12 = nullptr; // compact
    QWidget* Window = nullptr;
    QWidget* Client = nullptr; // the window's fixed-size client area
    QWidget* TopPanel = nullptr;
    QWidget* TabControl1 = nullptr; // right-aligned in the top panel
    QWidget* Combo = nullptr;
    QWidget* MainPanel = nullptr;
    QWidget* RightPanel1 = nullptr;
};

// The standard and the compact view. The compact view hides the study list
// and the exercise buttons and narrows the window to the article area; the
// standard view restores exactly the widths the window was built with.
class TViewModes {
public:
    TViewModes(const TViewControls& controls, TInterfaceHost& host);

    // Remembers the widths the standard view restores; at start, before any
    // stored view is applied.
    void RememberWidths();
    const TViewWidths& Remembered() const { return remembered_; }

    // The menu commands; choosing the current view does nothing.
    void N11Click();
    void N12Click();

    // Applies the stored view at start without rewriting the settings file.
    void ApplyStored(bool standard);

    bool Compact() const;

private:
    void SwitchToCompact(bool store);
    void SwitchToStandard(bool store);
    void SetWindowWidth(int width);
    void SetTabControlWidth(int width);

    TViewControls c_;
    TInterfaceHost& host_;
    TViewWidths remembered_;
};

} // namespace interface
