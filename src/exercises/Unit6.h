#pragma once

#include "exercises/Method4Rules.h"
#include "exercises/MethodWindow.h"
#include "exercises/ScoreBoard.h"

#include <memory>

class QTextDocument;

namespace exercises {

// Deletes an article's head part from a loaded document: up to the first
// "]" and the one character after it, or only the first character when
// there is no "]".
void CutArticleHead(QTextDocument& document);

// Method 4: the article of a study word without its head part; the user
// types the word. In exam mode the window keeps a score between "You" and
// "Me". The article head is cut by the window, so it is constructed first.
class TForm6 : private TArticleHead, public TMethodWindow<TMethod4Rules> {
public:
    static constexpr int kMethod = 4;

    explicit TForm6(const TMainWindowSeams& seams, QWidget* owner = nullptr);

    void Button5Click() { Run(&TMethod4Rules::StartOrStop); }
    void Button4Click() { Run(&TMethod4Rules::NextWord); }
    void Button7Click() { Run(&TMethod4Rules::NextInListOrder); }
    void Button6Click() { Run(&TMethod4Rules::PreviousWord); }
    void Button3Click() { Run(&TMethod4Rules::Check); }
    void Button8Click() { Run(&TMethod4Rules::Show); }
    void Edit1KeyPress(char key) { CheckOnEnter(key); }
    void Timer3Timer() { BlinkTick(); }
    void Button2Click() { ExitClick(); }
    void SpeedButton1Click() { OpenMethodHelp(); }
    void PlayVerdict(bool right) override;

    QTextEdit* RichEdit1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QLabel* Label1 = nullptr; // the score
    QLabel* Label4 = nullptr;
    QWidget* HeaderControl1 = nullptr;
    QToolButton* Button3 = nullptr;
    QToolButton* Button8 = nullptr;
    QToolButton* Button4 = nullptr;
    QToolButton* Button5 = nullptr;
    QToolButton* Button6 = nullptr;
    QToolButton* Button7 = nullptr;
    QToolButton* Button2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QTimer* Timer3 = nullptr;

protected:
    QTextEdit* ArticleBox() const override { return RichEdit1; }
    void HelpClick() override { SpeedButton1Click(); }
    void ShowState() override;

private:
    void CutArticleHead() override;

    std::unique_ptr<TScoreBoard> score_;
};

} // namespace exercises
