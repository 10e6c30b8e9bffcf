#pragma once

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

    // english: the language of the text, fixed at creation.
    TAboutProgForm(QWidget* owner, bool english);

    void SpeedButton1Click();

    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
};

// Creates the window centred on its owner, shows it modally through the
// environment and releases it.
void ShowAboutProgram(QWidget* owner, bool english, const ui::TEnvironment& environment);

} // namespace interface
