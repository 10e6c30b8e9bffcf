#pragma once

#include "lookup/LookupControls.h"

#include <QTabBar>
#include <QWidget>

#include <functional>

namespace lookup {

// The letter tabs: a row of narrow tabs above a content area that holds the
// search box. Setting TabIndex from code raises no change; a user's pick does.
class TTabControl : public QWidget, public TLetterTabs {
public:
    static constexpr int kTabWidth = 18;
    static constexpr int kTabHeight = 20;

    explicit TTabControl(QWidget* parent = nullptr);

    // caption: one code-page-1251 byte.
    void AddTab(char caption);
    int Count() const { return tabs_->count(); }
    int TabIndex() const override { return tabs_->currentIndex(); }
    // Out-of-range values select nothing new; returns the tab now selected.
    int SetTabIndex(int index) override;

    // The area below the tabs, where children are placed.
    QRect ContentRect() const;
    QTabBar* Tabs() const { return tabs_; }

    std::function<void()> OnChange;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* tabs_;
    bool settingFromCode_ = false;
};

} // namespace lookup
