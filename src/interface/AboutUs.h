#pragma once

#include "interface/Credits.h"
#include "ui/Environment.h"

#include <QDialog>

class QLabel;
class QTimer;
class QToolButton;
class QWidget;

namespace interface {

// The about-us window: a borderless picture with a black viewport in which
// the credits scroll endlessly; arrows reverse the scroll, STOP pauses it and
// the cross closes the window.
class TAboutForm : public QDialog {
public:
    static constexpr int kWidth = 406;
    static constexpr int kHeight = 194;
    static constexpr int kViewportHeight = 91;
    static constexpr int kStripHeight = 3;
    static constexpr int kLabelWidth = 160;
    static constexpr int kNarrowWidth = 32; // the label's width as built
    // The window asks for a 3 ms timer, and the credits are paced for a
    // desktop timer that fires at most once per clock tick, about every
    // 16 ms (a pixel a tick). Qt fires every 3 ms, which would scroll them
    // five times too fast to read.
    static constexpr int kTimerInterval = 3;
    static constexpr int kClockTick = 16;

    // english: the language of the credits, fixed at creation.
    TAboutForm(QWidget* owner, bool english);

    // Sizes the credits and puts them at their start, below the viewport.
    void FormShow();
    void Timer1Timer();
    void SpeedButton4Click(); // up arrow
    void SpeedButton3Click(); // STOP
    void SpeedButton2Click(); // down arrow
    void SpeedButton1Click(); // cross

    const TCreditsScroller& Scroller() const { return scroller_; }

    QWidget* Panel1 = nullptr;   // the black panel
    QWidget* Viewport = nullptr; // the black area the credits scroll in
    QLabel* Label1 = nullptr;    // the credits
    QTimer* Timer1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FollowScroller();

    TCreditsScroller scroller_;
    bool shown_ = false;
};

// Creates the window centred on its owner, shows it modally through the
// environment and releases it.
void ShowAboutUs(QWidget* owner, bool english, const ui::TEnvironment& environment);

// The text a label shows for lines that end with LF CR: one line break each,
// where Qt would show the CR as a blank at the start of the next line.
QString LabelLines(const std::string& text);

} // namespace interface
