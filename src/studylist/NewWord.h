#pragma once

#include "studylist/UserDictionary.h"
#include "ui/Dialogs.h"

#include <QDialog>
#include <QTextCharFormat>

#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QTextEdit;
class QToolButton;

namespace studylist {

// The add-word dialog: a head-word and its translation as formatted text,
// saved into the user dictionary. Its texts are fixed; only its messages
// follow the interface language.
class TNewWord : public QDialog {
public:
    TNewWord(TUserDictionary& dictionary, ui::TDialogs& dialogs, const ui::TDialogLook& look,
             bool english, QWidget* parent = nullptr);

    // The set-up: the word (code page 1251) goes into Edit1; the tab that was
    // selected when it was typed is kept.
    void Init(const std::string& word, int tab);
    int Tab() const { return tab_; }

    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    // Saves and closes; a word that cannot be saved gets a message and the
    // dialog stays open with nothing written.
    void Button1Click();
    void Button2Click();

    // Where the word went, once saved.
    const std::optional<TSavedWord>& Saved() const { return saved_; }
    // Raised the moment the index holds the new word, before the dialog
    // closes: views of the letter's head-words must be refreshed at once.
    std::function<void(const TSavedWord&)> OnSaved;

    QFrame* LeftPanel = nullptr;
    QFrame* RightPanel = nullptr;
    QLineEdit* Edit1 = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    QToolButton* Button1 = nullptr;
    QToolButton* Button2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyStyle(QCheckBox* box, const std::function<void(QTextCharFormat&, bool)>& set);

    TUserDictionary& dictionary_;
    ui::TDialogs& dialogs_;
    bool english_;
    int tab_ = dictionary::kNoTab;
    std::optional<TSavedWord> saved_;
};

// The opening of the add-word dialog for a word typed while a letter tab was
// selected: made afresh, given the word and the tab, run modally through the
// dialogs and released when it closes. saved learns where a saved word went,
// the moment the index holds it.
void RunNewWordDialog(TUserDictionary& dictionary, ui::TDialogs& dialogs,
                      const ui::TDialogLook& look, bool english, QWidget* parent,
                      const std::string& word, int tab,
                      const std::function<void(const TSavedWord&)>& saved);

} // namespace studylist
