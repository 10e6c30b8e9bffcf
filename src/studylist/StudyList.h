#pragma once

#include "dictionary/LetterIndex.h"
#include "platform/FileError.h"
#include "platform/Paths.h"
#include "studylist/StudyWords.h"
#include "ui/Environment.h"
#include "ui/LookupView.h"

#include <QObject>

#include <filesystem>
#include <string>
#include <vector>

class QAbstractButton;
class QAction;
class QLabel;
class QListWidget;
class QMenu;

namespace studylist {

// What the study list needs from the main window besides its look-up and
// pronounce button.
class TStudyListHost {
public:
    virtual ~TStudyListHost() = default;
    virtual const dictionary::DictionaryIndex& Index() const = 0;
    virtual bool EnglishInterface() const = 0;
    // Selects the word's letter tab and head-word in the search box and shows
    // its article.
    virtual void LookUpStudyWord(const std::string& word) = 0;
    // A compact window shows no list: list commands bring the standard view.
    virtual void SwitchToStandardView() = 0;
    virtual void StopVoicePlayback() = 0;
};

// The main window's controls that show the list.
struct TStudyListControls {
    QListWidget* ListBox1 = nullptr;
    QLabel* Label1 = nullptr;           // count label
    QAbstractButton* Button2 = nullptr; // save
    QAbstractButton* Button4 = nullptr; // clear
    QMenu* PopupMenu1 = nullptr;
    QAction* Delete1 = nullptr;
};

// The study list's rules over the main window's list box, which mirrors the
// list's model: picking, deleting, clearing, adding, opening and saving, and
// the availability of the controls that follow the list. Entries are code
// page 1251 head-words.
class TStudyList : public QObject {
public:
    static constexpr const char* kDefaultList = "\\WAVE\\EnglishFree";

    // The default list is a data file found through paths; the boxes and
    // the beep are the environment's.
    TStudyList(const TStudyListControls& controls, TStudyListHost& host, ui::TLookupView& lookup,
               ui::TPronounceButton& pronounce, const platform::TPaths& paths,
               ui::TEnvironment& environment, ui::TDialogLook look, QWidget* window);

    const StudyWords& Words() const { return words_; }
    int Count() const { return words_.Count(); }
    std::string Item(int position) const { return words_.Entry(position); }
    const std::vector<std::string>& Items() const { return words_.Entries(); }
    // The selected position, -1 for none.
    int ItemIndex() const { return words_.Selected(); }
    // Selects without picking (the exercises move the selection this way).
    void SetItemIndex(int position);
    bool PopupArmed() const { return popupArmed_; }

    void ListBox1Click();
    void Delete1Click();
    void ListBox1KeyDown(int key);
    void ListBox1KeyUp(int key);
    void Button1Click();
    void Button13Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void N19Click();
    void N20Click() { Button3Click(); }
    void N21Click() { Button2Click(); }
    // Reads the default list into an empty list; a list with entries is left
    // alone. False when the default list cannot be read (after the message).
    // The list filled counts as unchanged.
    bool FillFromDefaultList();
    // Before the list would be lost (exit, open, new): when it changed since
    // it was last opened or saved, asks whether to save it. True when the
    // caller may go on: unchanged, saved, or not wanted; false on Cancel, a
    // cancelled save dialog or a failed save.
    bool QuerySave();

    // Replaces the entries; the count label and the controls follow.
    void SetItems(const std::vector<std::string>& entries);
    // ... counted as unchanged: a list made for the learner (Review), which
    // is not offered for saving.
    void SetItemsUnchanged(const std::vector<std::string>& entries);
    // Appends head-words that the list does not hold yet.
    void AddWords(const std::vector<std::string>& words);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DeleteSelected(bool fromMenu);
    void ListChanged();
    // The list box shows the model's entries and selection.
    void MirrorEntries();
    void MirrorSelection();
    // The user moved the list box's selection.
    void SelectionFromListBox();
    bool ReadInto(const std::filesystem::path& path);
    // The standard error box with the failure in the interface language.
    void ShowFileError(const platform::TFileError& error);
    // Writes the list to the named file; false after the error message.
    bool WriteTo(const QString& name);

    StudyWords words_;
    TStudyListControls c_;
    TStudyListHost& host_;
    ui::TLookupView& lookup_;
    ui::TPronounceButton& pronounce_;
    const platform::TPaths& paths_;
    ui::TEnvironment& environment_;
    ui::TDialogs& dialogs_;
    ui::TDialogLook look_;
    QWidget* window_;
    bool popupArmed_ = false;
    bool mouseDown_ = false;
    bool selecting_ = false;
};

} // namespace studylist
