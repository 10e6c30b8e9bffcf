#pragma once

#include "exercises/ExerciseLook.h"
#include "exercises/ExerciseWindow.h"
#include "exercises/HangmanDrawing.h"
#include "exercises/HangmanGame.h"
#include "exercises/Launcher.h"
#include "exercises/ScoreBoard.h"

#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QRadioButton;
class QTextEdit;
class QTimer;
class QToolButton;

namespace exercises {

// The characters tried so far as Label2 shows them: upper case as the game
// keeps them, with a visible sign for keys that print nothing (Enter, Space,
// Backspace and other control characters).
QString TriedLettersText(const std::string& tried);

// Hangman: the user guesses a word letter by letter; every wrong guess adds a
// stroke to the gallows, the tenth loses. The score lives in the main window
// and outlives the window.
class THangForm1 : public TExerciseWindow {
public:
    static constexpr int kMethod = 6;
    // The gallows is drawn at 80 x 130 and shown twice as large.
    static constexpr int kPictureScale = 2;

    THangForm1(const TMainWindowSeams& seams, THangmanScore& score, QWidget* owner = nullptr);

    // The launcher's first game, with the first study entry; one that
    // would be won before a key is pressed is passed over.
    void Init(const std::string& secretWord);

    void Button1Click(); // Next word
    void Edit1KeyPress(char key);
    void Button2Click(); // Loss
    void Button3Click(); // Translation
    void Timer1Timer();  // the legs after a loss
    void RadioButtonClick();
    void Button4Click() { accept(); }
    void Button5Click() { OpenMethodHelp(); }
    // Hangman pronounces nothing, so nothing waits for a playback's end.
    void PlayEnded() override {}

    const THangmanGame& Game() const { return game_; }
    // The option chosen among the four radio buttons.
    THangmanSource Source() const;
    // The picture Image1 shows, at its drawn size.
    const QImage& Picture() const { return picture_; }

    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr; // the pattern
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr; // the tried characters
    QWidget* Panel2 = nullptr;
    QLabel* Image1 = nullptr;
    QWidget* Panel3 = nullptr;
    QWidget* HeaderControl1 = nullptr;
    QLabel* Label3 = nullptr; // the score
    QLabel* Label4 = nullptr;
    QToolButton* Button1 = nullptr;
    QToolButton* Button2 = nullptr;
    QToolButton* Button3 = nullptr;
    QToolButton* Button4 = nullptr;
    QToolButton* Button5 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QWidget* Panel4 = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    QTimer* Timer1 = nullptr;
    // Said when Next word found no word of three letters.
    QLabel* NoWordNotice = nullptr;

protected:
    QTextEdit* ArticleBox() const override { return RichEdit1; }
    void HelpClick() override { Button5Click(); }
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void ShowGame();
    void ShowNoWordNotice();
    void ShowPattern();
    void ShowPicture(int legsPhase = 0);
    void ShowGameOver();

    THangmanGame game_;
    TSeamHangmanWords words_;
    TGallowsKick kick_;
    std::unique_ptr<TScoreBoard> score_;
    QImage picture_;
    bool shown_ = false;
};

// Opening Hangman from the main window: the recorded voice stops playing and
// the main window hides. With study words, the first one becomes selected
// when none is and the first game is played with the first entry, whichever
// is selected; without, the window chooses a random English word as it
// shows. Then the main window shows again with the keyboard focus in its
// search box. The study list is never filled from the default list here.
void OpenHangman(TLauncherHost& host, THangmanScore& score);

} // namespace exercises
