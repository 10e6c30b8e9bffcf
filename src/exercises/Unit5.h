#pragma once

#include "exercises/ExerciseLook.h"
#include "exercises/ExerciseWindow.h"
#include "exercises/Method2Rules.h"

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

// Method 2: the study words on their own, moving on by themselves; the
// Translation button pauses the show and shows the article, Continue hides it
// and runs the show on.
class TForm5 : public TExerciseWindow {
public:
    static constexpr int kMethod = 2;
    // The content panel's size in the window's layout.
    static constexpr int kPanelWidth = 399;
    static constexpr int kPanelHeight = 337;

    explicit TForm5(const TMainWindowSeams& seams, QWidget* owner = nullptr);

    void TrackBar1Change();
    void Button3Click();
    void Timer1Timer();
    void Button6Click();
    void Button4Click();
    void Button7Click();
    void SpeedButton1Click();
    void Timer2Timer();
    void Button1Click() { ExitClick(); }
    void SpeedButton2Click() { OpenMethodHelp(); }
    void PlayEnded() override;

    const TMethod2Rules& Rules() const { return rules_; }
    const TStartButton& StartButton() const { return *start_; }

    QWidget* Panel1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    QLabel* Label1 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* Button3 = nullptr;
    QToolButton* Button4 = nullptr;
    QToolButton* Button6 = nullptr;
    QToolButton* Button7 = nullptr;
    QToolButton* Button1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QProgressBar* PrgBar1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QLabel* EmptyListNotice = nullptr;

protected:
    QTextEdit* ArticleBox() const override { return RichEdit1; }
    QLineEdit* WordBox() const override { return Edit1; }
    void HelpClick() override { SpeedButton2Click(); }

private:
    void FormCreate();
    void Sync();

    TMethod2Rules rules_;
    std::unique_ptr<TStartButton> start_;
    std::unique_ptr<TTimerMirror> timer1_;
    std::unique_ptr<TTimerMirror> timer2_;
};

} // namespace exercises
