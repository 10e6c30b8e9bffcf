#pragma once

#include "exercises/Method2Rules.h"
#include "exercises/MethodWindow.h"

#include <memory>

namespace exercises {

// Method 2: the study words on their own, moving on by themselves; the
// Translation button pauses the show and shows the article, Continue hides it
// and runs the show on.
class TForm5 : public TMethodWindow<TMethod2Rules> {
public:
    static constexpr int kMethod = 2;
    // The content panel's size in the window's layout.
    static constexpr int kPanelWidth = 399;
    static constexpr int kPanelHeight = 337;

    explicit TForm5(const TMainWindowSeams& seams, QWidget* owner = nullptr);

    void TrackBar1Change();
    void Button3Click() { Run(&TMethod2Rules::StartOrStop); }
    void Timer1Timer() { Run(&TMethod2Rules::AdvanceShow); }
    void Button6Click() { Run(&TMethod2Rules::NextWord); }
    void Button4Click() { Run(&TMethod2Rules::PreviousWord); }
    void Button7Click() { Run(&TMethod2Rules::Pronounce); }
    void SpeedButton1Click() { Run(&TMethod2Rules::TranslationOrContinue); }
    void Timer2Timer() { BlinkTick(); }
    void Button1Click() { ExitClick(); }
    void SpeedButton2Click() { OpenMethodHelp(); }

    QLabel* Label4 = nullptr;
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
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

protected:
    QTextEdit* ArticleBox() const override { return RichEdit1; }
    void HelpClick() override { SpeedButton2Click(); }
    void ShowState() override;

private:
    std::unique_ptr<TTimerMirror> timer1_;
};

} // namespace exercises
