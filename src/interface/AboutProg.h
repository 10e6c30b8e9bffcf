#pragma once

#include "interface/Credits.h"
#include "ui/Environment.h"

#include <QDialog>

class QFrame;
class QLabel;
class QToolButton;
class QWidget;

namespace interface {

// The about-program window: a borderless picture, a bevelled frame with the
// four lines on the dictionary's word bases, and a cross that closes it.
class TAboutProgForm : public QDialog {
public:
    static constexpr int kWidth = 406;
    static constexpr int kHeight = 194;

    // english: the language of the text, fixed at creation; counts: the
    // head-words of the data folder's bases.
    TAboutProgForm(QWidget* owner, bool english, THeadWordCounts counts);

    void SpeedButton1Click();

    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
};

// Creates the window centred on its owner, shows it modally through the
// environment and releases it.
void ShowAboutProgram(QWidget* owner, bool english, THeadWordCounts counts,
                      const ui::TEnvironment& environment);

} // namespace interface
