#pragma once

#include "exercises/Method1Rules.h"
#include "exercises/MethodWindow.h"

#include <memory>

namespace exercises {

// Method 1: the study words with their articles, spoken and moving on by
// themselves at the slider's speed.
class TForm3 : public TMethodWindow<TMethod1Rules> {
public:
    static constexpr int kMethod = 1;

    explicit TForm3(const TMainWindowSeams& seams, QWidget* owner = nullptr);

    void TrackBar1Change();
    void Button3Click() { Run(&TMethod1Rules::StartOrStop); }
    void Timer1Timer() { Run(&TMethod1Rules::AdvanceShow); }
    void Button5Click() { Run(&TMethod1Rules::NextWord); }
    void Button4Click() { Run(&TMethod1Rules::PreviousWord); }
    void Button7Click() { Run(&TMethod1Rules::Pronounce); }
    void Timer2Timer() { BlinkTick(); }
    void Button1Click() { ExitClick(); }
    void SpeedButton1Click() { OpenMethodHelp(); }

    QLabel* Label4 = nullptr;
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
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

protected:
    QTextEdit* ArticleBox() const override { return RichEdit1; }
    void HelpClick() override { SpeedButton1Click(); }
    void ShowState() override;

private:
    std::unique_ptr<TTimerMirror> timer1_;
};

} // namespace exercises
