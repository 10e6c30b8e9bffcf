#pragma once

#include "exercises/Method5Rules.h"
#include "exercises/MethodWindow.h"

namespace exercises {

// Method 5, a dictation: the study word at the main window's study-list
// selection is spoken, not shown; the user types it and has it checked.
class TForm2 : public TMethodWindow<TMethod5Rules> {
public:
    static constexpr int kMethod = 5;

    explicit TForm2(const TMainWindowSeams& seams, QWidget* owner = nullptr);

    void Button9Click() { Run(&TMethod5Rules::StartOrStop); }
    void Button8Click() { Run(&TMethod5Rules::NextWord); }
    void Button4Click() { Run(&TMethod5Rules::NextWord); }
    void Button7Click() { Run(&TMethod5Rules::PreviousWord); }
    void Button3Click() { Run(&TMethod5Rules::Pronounce); }
    void Button2Click() { Run(&TMethod5Rules::Check); }
    void Button1Click() { Run(&TMethod5Rules::Show); }
    void Edit1KeyPress(char key) { CheckOnEnter(key); }
    void CheckBox1Click();
    void Timer1Timer() { BlinkTick(); }
    void Button5Click() { ExitClick(); }
    void Button6Click() { OpenMethodHelp(); }

    QLabel* Image1 = nullptr;
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

protected:
    QLabel* VerdictBox() const override { return Image1; }
    void HelpClick() override { Button6Click(); }
    void ShowState() override;
};

} // namespace exercises
