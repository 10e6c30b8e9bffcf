#pragma once

#include "exercises/ExerciseLook.h"
#include "exercises/ExerciseWindow.h"
#include "exercises/Method3Rules.h"

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QSlider;
class QTimer;
class QToolButton;

namespace exercises {

// Method 3: a study word is shown and spoken, disappears after the
// memorising time, and the user types it back and has it checked.
class TForm4 : public TExerciseWindow {
public:
    static constexpr int kMethod = 3;

    explicit TForm4(const TMainWindowSeams& seams, QWidget* owner = nullptr);

    void TrackBar1Change();
    void Button9Click();
    void Button8Click();
    void Button6Click();
    void Button7Click();
    void Timer1Timer();
    void Button3Click();
    void Button5Click();
    void Button4Click();
    void Edit1KeyPress(char key);
    void Timer3Timer();
    void Button1Click() { ExitClick(); }
    void SpeedButton1Click() { OpenMethodHelp(); }
    void PlayEnded() override;

    const TMethod3Rules& Rules() const { return rules_; }
    const TStartButton& StartButton() const { return *start_; }

    QWidget* Panel1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QToolButton* Button9 = nullptr;
    QToolButton* Button7 = nullptr;
    QToolButton* Button8 = nullptr;
    QToolButton* Button6 = nullptr;
    QToolButton* Button3 = nullptr;
    QToolButton* Button4 = nullptr;
    QToolButton* Button5 = nullptr;
    QToolButton* Button1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QProgressBar* PrgBar1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer3 = nullptr;
    QLabel* EmptyListNotice = nullptr;

protected:
    QLabel* VerdictBox() const override { return Image1; }
    QLineEdit* WordBox() const override { return Edit1; }
    void HelpClick() override { SpeedButton1Click(); }

private:
    void FormCreate();
    void Sync();

    TMethod3Rules rules_;
    std::unique_ptr<TStartButton> start_;
    std::unique_ptr<TTimerMirror> timer1_;
    std::unique_ptr<TTimerMirror> timer3_;
};

} // namespace exercises
