#pragma once

#include "exercises/ExerciseLook.h"
#include "exercises/ExerciseWindow.h"
#include "exercises/Method1Rules.h"

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QSlider;
class QTextEdit;
class QTimer;
class QToolButton;

namespace exercises {

// Method 1: the study words with their articles, spoken and moving on by
// themselves at the slider's speed.
class TForm3 : public TExerciseWindow {
public:
    static constexpr int kMethod = 1;

    explicit TForm3(const TMainWindowSeams& seams, QWidget* owner = nullptr);

    void TrackBar1Change();
    void Button3Click();
    void Timer1Timer();
    void Button5Click();
    void Button4Click();
    void Button7Click();
    void Timer2Timer();
    void Button1Click() { ExitClick(); }
    void SpeedButton1Click() { OpenMethodHelp(); }
    void PlayEnded() override;

    const TMethod1Rules& Rules() const { return rules_; }
    const TStartButton& StartButton() const { return *start_; }

    QWidget* Panel1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label5 = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    QLabel* Label1 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QToolButton* Button3 = nullptr;
    QToolButton* Button4 = nullptr;
    QToolButton* Button5 = nullptr;
    QToolButton* Button7 = nullptr;
    QToolButton* Button1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QProgressBar* PrgBar1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QLabel* EmptyListNotice = nullptr;

protected:
    QTextEdit* ArticleBox() const override { return RichEdit1; }
    QLineEdit* WordBox() const override { return Edit1; }
    void HelpClick() override { SpeedButton1Click(); }

private:
    void FormCreate();
    // Mirrors the rules' state in the controls and timers.
    void Sync();

    TMethod1Rules rules_;
    std::unique_ptr<TStartButton> start_;
    std::unique_ptr<TTimerMirror> timer1_;
    std::unique_ptr<TTimerMirror> timer2_;
};

} // namespace exercises
