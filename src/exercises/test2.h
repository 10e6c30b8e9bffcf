#pragma once

#include "exercises/ExerciseLook.h"
#include "exercises/ExerciseWindow.h"
#include "exercises/Method5Rules.h"

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTimer;
class QToolButton;

namespace exercises {

// Method 5, a dictation: the study word at the main window's study-list
// selection is spoken, not shown; the user types it and has it checked.
class TForm2 : public TExerciseWindow {
public:
    static constexpr int kMethod = 5;

    explicit TForm2(const TMainWindowSeams& seams, QWidget* owner = nullptr);

    void Button9Click();
    void Button8Click();
    void Button4Click();
    void Button7Click();
    void Button3Click();
    void Button2Click();
    void Button1Click();
    void Edit1KeyPress(char key);
    void CheckBox1Click();
    void Timer1Timer();
    void Button5Click() { ExitClick(); }
    void Button6Click() { OpenMethodHelp(); }
    void PlayEnded() override;

    const TMethod5Rules& Rules() const { return rules_; }
    const TStartButton& StartButton() const { return *start_; }

    QWidget* Panel1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Image1 = nullptr;
    QProgressBar* PrgBar1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QToolButton* Button3 = nullptr;
    QToolButton* Button2 = nullptr;
    QToolButton* Button1 = nullptr;
    QToolButton* Button4 = nullptr;
    QToolButton* Button9 = nullptr;
    QToolButton* Button7 = nullptr;
    QToolButton* Button8 = nullptr;
    QToolButton* Button5 = nullptr;
    QToolButton* Button6 = nullptr;
    QTimer* Timer1 = nullptr;
    QLabel* EmptyListNotice = nullptr;

protected:
    QLabel* VerdictBox() const override { return Image1; }
    QLineEdit* WordBox() const override { return Edit1; }
    void HelpClick() override { Button6Click(); }

private:
    void FormCreate();
    void Sync();

    TMethod5Rules rules_;
    std::unique_ptr<TStartButton> start_;
    std::unique_ptr<TTimerMirror> timer1_;
};

} // namespace exercises
