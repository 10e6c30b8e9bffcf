#include "lookup/TabControl.h"

#include "ui/CodePageText.h"
#include "ui/Palette.h"

#include <QResizeEvent>

namespace lookup {
namespace {

// Every letter tab has the size the style sheet fixes, whatever its letter.
// Qt lays all tabs out again for each one added, asking each for its size
// through the style sheet: asked once, the 58 tabs are added in a fraction of
// the time.
class TLetterTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override {
        if (!size_.isValid()) {
            size_ = QTabBar::tabSizeHint(index);
        }
        return size_;
    }

    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange) {
            size_ = QSize();
        }
        QTabBar::changeEvent(event);
    }

private:
    mutable QSize size_;
};

} // namespace

TTabControl::TTabControl(QWidget* parent) : QWidget(parent), tabs_(new TLetterTabBar(this)) {
    tabs_->setExpanding(false);
    tabs_->setUsesScrollButtons(true);
    tabs_->setDrawBase(false);
    tabs_->setFocusPolicy(Qt::NoFocus);
    tabs_->setStyleSheet(
        ui::StyleSheet(u"QTabBar::tab { width: %1px; height: %2px; padding: 0; margin: 0;"
                       " border: 1px solid @TabFrame; border-bottom: none; background: @TabPaper; "
                       "color: @TabText; }"
                       "QTabBar::tab:hover { background: @AmberLight; }"
                       "QTabBar::tab:selected { background: @White; font-weight: bold; }"
                       // Locked tabs look locked: faded letters on a paler paper.
                       "QTabBar::tab:disabled, QTabBar::tab:selected:disabled {"
                       " background: @KeyDisabled; color: @DisabledTextLight;"
                       " border-color: @KeyDisabledFrame; }")
            .arg(kTabWidth - 2)
            .arg(kTabHeight));
    connect(tabs_, &QTabBar::currentChanged, this, [this](int) {
        if (!settingFromCode_ && OnChange) {
            OnChange();
        }
    });
}

void TTabControl::AddTab(char caption) {
    settingFromCode_ = true;
    tabs_->addTab(ui::FromCodePage(std::string_view(&caption, 1)));
    settingFromCode_ = false;
}

int TTabControl::SetTabIndex(int index) {
    if (index >= 0 && index < tabs_->count()) {
        settingFromCode_ = true;
        tabs_->setCurrentIndex(index);
        settingFromCode_ = false;
    }
    return tabs_->currentIndex();
}

QRect TTabControl::ContentRect() const {
    return QRect(0, kTabHeight + 2, width(), height() - kTabHeight - 2);
}

void TTabControl::resizeEvent(QResizeEvent* event) {
    tabs_->setGeometry(0, 0, event->size().width(), kTabHeight + 2);
}

} // namespace lookup
