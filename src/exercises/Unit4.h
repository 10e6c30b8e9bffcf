#pragma once

#include "exercises/Method3Rules.h"
#include "exercises/MethodWindow.h"

#include <memory>

namespace exercises {

// Method 3: a study word is shown and spoken, disappears after the
// memorising time, and the user types it back and has it checked.
class TForm4 : public TMethodWindow<TMethod3Rules> {
public:
    static constexpr int kMethod = 3;

    explicit TForm4(const TMainWindowSeams& seams, QWidget* owner = nullptr);

    void TrackBar1Change();
    void Button9Click() { Run(&TMethod3Rules::StartOrStop); }
    void Button8Click() { Run(&TMethod3Rules::NextInListOrder); }
    void Button6Click() { Run(&TMethod3Rules::NextWord); }
    void Button7Click() { Run(&TMethod3Rules::PreviousWord); }
    void Timer1Timer() { Run(&TMethod3Rules::MemorisingOver); }
    void Button3Click() { Run(&TMethod3Rules::Repeat); }
    void Button5Click() { Run(&TMethod3Rules::Show); }
    void Button4Click() { Run(&TMethod3Rules::Check); }
    void Edit1KeyPress(char key) { CheckOnEnter(key); }
    void Timer3Timer() { BlinkTick(); }
    void Button1Click() { ExitClick(); }
    void SpeedButton1Click() { OpenMethodHelp(); }

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
    QTimer* Timer1 = nullptr;
    QTimer* Timer3 = nullptr;

protected:
    QLabel* VerdictBox() const override { return Image1; }
    void HelpClick() override { SpeedButton1Click(); }
    void ShowState() override;

private:
    std::unique_ptr<TTimerMirror> timer1_;
};

} // namespace exercises
