#pragma once

#include "exercises/ExerciseRules.h"
#include "exercises/MainWindowSeams.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QTextEdit;

namespace exercises {

// What every exercise window is built on: a borderless, maximised window
// whose content panels stay centred on the desktop, the shared steps over
// the main window's seams, the verdict, the method's help page, F1, Exit and
// closing. A window derives from it, builds its panels in its constructor
// (at the design size it passes), calls FitToDesktop with them, and names the
// controls the shared steps work on by overriding ArticleBox, VerdictBox and
// WordBox.
class TExerciseWindow : public QDialog, public TExerciseSteps, public TPlayEndListener {
public:
    // method: 1..5, or 6 for Hangman; it names the help page. layoutTitle:
    // the window's title ("Тест 1" ...). designSize: the size the window's
    // panels are laid out in. The window joins the play-end listeners until
    // it closes.
    TExerciseWindow(const TMainWindowSeams& seams, int method, const QString& layoutTitle,
                    QSize designSize, QWidget* owner = nullptr);
    ~TExerciseWindow() override;

    bool English() const { return seams_.English; }
    int Method() const { return method_; }
    const TMainWindowSeams& Seams() const { return seams_; }

    // The window takes the desktop's size; each panel moves right by half
    // the width gained and down by half the height gained (halves rounded
    // toward zero), so it stays centred. Later resizes of the window keep
    // the panels centred the same way.
    void FitToDesktop(std::initializer_list<QWidget*> panels);

    // Shows the method's help page ("\hlp\metod" + N + ".htm", English
    // "e.htm", a data file) modally.
    void OpenMethodHelp();
    static std::filesystem::path MethodHelpPage(const platform::TPaths& paths, int method,
                                                bool english);

    // Exit: stops the main window's playback (nothing when none runs) and
    // closes the window with the result OK.
    void ExitClick();

    // A boxed message over area of the panel saying that the study list
    // holds no word.
    QLabel* ShowEmptyListNotice(QWidget* panel, const QRect& area);

    // The verdict picture for a right or a wrong answer: "\a.bmp" or
    // "\b.bmp" beside the dictionary, a drawn one when it is missing.
    QPixmap VerdictPicture(bool right) const;

    // TExerciseSteps over the main window's seams and this window's controls.
    int Count() const override;
    std::string Entry(int position) const override;
    void SelectStudyEntry(int position) override;
    TStudyWordHit FindStudyWord(const std::string& word, bool putHeadWordInBox) override;
    void LoadArticle(const TStudyWordHit& hit) override;
    bool PronounceSelectedWord() override;
    bool PlayerBusy() override;
    void StopPlayer() override;
    // The picture (when the window has a verdict box) is painted while the
    // sound plays; the window takes no input until the sound has ended.
    void PlayVerdict(bool right) override;
    void ClearVerdictPicture() override;
    std::string WordBoxText() const override;
    void SetWordBoxText(const std::string& text) override;
    void FocusWordBox() override;

    // F1: the window's Help button handler.
    QAction* Action1 = nullptr;

protected:
    // The controls the shared steps work on; none by default.
    virtual QTextEdit* ArticleBox() const { return nullptr; }
    virtual QLabel* VerdictBox() const { return nullptr; }
    virtual QLineEdit* WordBox() const { return nullptr; }
    // The Help button's handler; F1 runs it too.
    virtual void HelpClick() { OpenMethodHelp(); }
    // Runs once when the window closes, by any means, after every timer of
    // the window has been switched off.
    virtual void FormClose() {}

    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;
    // Escape does not close an exercise: Exit does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    TMainWindowSeams seams_;
    int method_;
    std::optional<TPlayEndMembership> playEnd_;
    std::vector<QWidget*> centredPanels_;
    QSize fittedSize_;
    bool closed_ = false;
};

} // namespace exercises
