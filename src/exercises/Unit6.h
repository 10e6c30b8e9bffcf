#pragma once

#include "exercises/ExerciseLook.h"
#include "exercises/ExerciseWindow.h"
#include "exercises/Method4Rules.h"
#include "exercises/ScoreBoard.h"

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTextDocument;
class QTextEdit;
class QTimer;
class QToolButton;

namespace exercises {

// Deletes an article's head part from a loaded document: up to the first
// "]" and the one character after it, or only the first character when
// there is no "]".
void CutArticleHead(QTextDocument& document);

// Method 4: the article of a study word without its head part; the user
// types the word. In exam mode the window keeps a score between "You" and
// "Me".
class TForm6 : public TExerciseWindow, private TArticleHead {
public:
    static constexpr int kMethod = 4;

    explicit TForm6(const TMainWindowSeams& seams, QWidget* owner = nullptr);

    void Button5Click();
    void Button4Click();
    void Button7Click();
    void Button6Click();
    void Button3Click();
    void Button8Click();
    void Edit1KeyPress(char key);
    void Timer3Timer();
    void Button2Click() { ExitClick(); }
    void SpeedButton1Click() { OpenMethodHelp(); }
    void PlayEnded() override;
    void PlayVerdict(bool right) override;

    const TMethod4Rules& Rules() const { return rules_; }
    const TStartButton& StartButton() const { return *start_; }

    QWidget* Panel1 = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QProgressBar* PrgBar1 = nullptr;
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
    QLabel* EmptyListNotice = nullptr;

protected:
    QTextEdit* ArticleBox() const override { return RichEdit1; }
    QLineEdit* WordBox() const override { return Edit1; }
    void HelpClick() override { SpeedButton1Click(); }

private:
    void FormCreate();
    void Sync();
    void CutArticleHead() override;

    TMethod4Rules rules_;
    std::unique_ptr<TScoreBoard> score_;
    std::unique_ptr<TStartButton> start_;
    std::unique_ptr<TTimerMirror> timer3_;
};

} // namespace exercises
