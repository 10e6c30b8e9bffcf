#pragma once

#include "app/Settings.h"
#include "dictionary/LetterIndex.h"
#include "exercises/MainWindowSeams.h"
#include "lookup/LookupWindow.h"
#include "sound/MainWindowSound.h"
#include "studylist/StudyList.h"
#include "ui/Dialogs.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QToolButton;
class QPushButton;
class QGroupBox;
class QTextEdit;

namespace lookup {
class TClipboardWatcher;
class TRichEditDblClick;
class TSearchCombo;
class TTabControl;
} // namespace lookup

namespace studylist {
class TUserDictionary;
} // namespace studylist

namespace app {

// The main window: owns the letter tabs, the search box, the article pane,
// the study list, the letter indexes and the settings for the whole run. Its
// handlers keep their names and delegate to the subsystems.
class TForm1 : public QMainWindow,
               public lookup::TLookupHost,
               public sound::TSoundHost,
               public studylist::TStudyListHost,
               public exercises::TStudyWords,
               public exercises::TLookupSteering,
               public exercises::TPronouncer,
               public exercises::TPlayEndSubscription {
public:
    static constexpr int kClientWidth = 612;
    static constexpr int kClientHeight = 320;
    static constexpr const char* kApplicationTitle =
        "Marendov & Tamir English - Bulgarian Dictionary";

    // Shows a message to the user; replaced by tests, which cannot answer
    // modal boxes.
    static std::function<void(QWidget* parent, const QString& text)> ShowError;

    TForm1();
    ~TForm1() override;

    // Start-up (creation) and shutdown (destruction) sequences.
    void FormCreate();
    void FormDestroy();

    // Look-up handlers.
    void ComboBox1Change() { lookup_->ComboBox1Change(); }
    void TabControl1Change() { lookup_->TabControl1Change(); }
    void RichEdit1Change() { lookup_->RichEdit1Change(); }
    void RichEdit1DblClick() { lookup_->RichEdit1DblClick(); }
    void ClipboardChanged();
    void ControlC1Click();
    void PopUp1Click();

    // Study-list handlers.
    void Button1Click() { studyList_->Button1Click(); }
    void Button13Click() { studyList_->Button13Click(); }
    void Button2Click() { studyList_->Button2Click(); }
    void Button3Click() { studyList_->Button3Click(); }
    void Button4Click() { studyList_->Button4Click(); }
    void N19Click() { studyList_->N19Click(); }
    void N20Click() { studyList_->N20Click(); }
    void N21Click() { studyList_->N21Click(); }
    void ListBox1Click() { studyList_->ListBox1Click(); }
    void Delete1Click() { studyList_->Delete1Click(); }
    // The exercise launchers fill an empty study list from the default list.
    bool FillStudyListFromDefault() { return studyList_->FillFromDefaultList(); }
    studylist::TStudyList& StudyList() { return *studyList_; }
    // What the exercise windows are given of this window when they open.
    exercises::TMainWindowSeams ExerciseSeams();
    // The study list's and the add-word dialog's modal boxes; tests answer them.
    ui::TDialogs StudyDialogs;

    // Sound handlers.
    void Button7Click() { sound_->Button7Click(); }
    void SpeedButton1Click() { sound_->SpeedButton1Click(); }
    void SpeedButton2Click() { sound_->SpeedButton2Click(); }
    void MPEG1PlayEnd() { sound_->MPEG1PlayEnd(); }

    // lookup::TLookupHost
    bool PronounceButtonEnabled() const override;
    void SetPronounceButtonEnabled(bool enabled) override;
    bool PronounceButtonVisible() const override;
    void ApplyPronounceAvailability(int tab) override;
    void Pronounce() override { Button7Click(); }
    void OpenNewWordDialog(const std::string& word, int tab) override;
    void PostQuit() override;
    bool TranslateCopiedText() const override;
    bool BringForwardOnCopy() const override;
    bool ContinueVisible() const override;
    void BringForward() override;
    void Beep() override;

    // sound::TSoundHost
    int CurrentTab() const override { return TabIndex(); }
    int SelectedPosition() const override { return SearchBoxItemIndex(); }
    void SetRecordingLock(bool locked) override;
    void ShowSoundError(const std::string& text) override {
        ShowError(this, QString::fromStdString(text));
    }

    // studylist::TStudyListHost, with the look-up steering the exercises
    // share.
    const dictionary::DictionaryIndex& Index() const override { return index_; }
    int TabIndex() const override;
    int SearchBoxItemIndex() const override;
    bool EnglishInterface() const override;
    void LookUpStudyWord(const std::string& word) override { lookup_->ShowWord(word); }
    // The view switch calls this too; the compact view does not exist yet,
    // so the window is always in the standard view.
    void SwitchToStandardView() override {}
    void StopVoicePlayback() override { sound_->StopVoicePlayback(); }
    void FocusSearchBox() override;

    // exercises::TStudyWords
    int Count() const override { return studyList_->Count(); }
    std::string Entry(int position) const override { return studyList_->Item(position); }
    int Selected() const override { return studyList_->ItemIndex(); }
    void Select(int position) override { studyList_->SetItemIndex(position); }

    // exercises::TLookupSteering
    const std::filesystem::path& StartDir() const override { return startDir_; }
    int SetTabIndex(int tab) override;
    void FillSearchBox() override;
    void SetSearchBoxItemIndex(int position) override;
    std::string SearchBoxText() const override;
    void SetSearchBoxText(const std::string& text) override;
    void SearchBoxChanged() override { ComboBox1Change(); }
    std::string ReadArticle(int tab, int position) const override;

    // exercises::TPronouncer
    bool PronounceSelectedWord() override;
    bool Playing() override { return sound_->Pronouncing(); }
    void StopPlaying() override { sound_->StopPronouncing(); }

    // exercises::TPlayEndSubscription
    void Join(exercises::TPlayEndListener& listener) override;
    void Leave(exercises::TPlayEndListener& listener) override;

    const app::TSettings& Settings() const { return settings_; }
    const lookup::TLookupWindow& Lookup() const { return *lookup_; }
    sound::TMainWindowSound& Sound() { return *sound_; }

    // Components, by the names the window layout gives them.
    QWidget* topPanel = nullptr;
    QLabel* Image1 = nullptr;
    lookup::TTabControl* TabControl1 = nullptr;
    lookup::TSearchCombo* Combo = nullptr;
    QWidget* mainPanel = nullptr;
    QWidget* Panel2 = nullptr;
    lookup::TRichEditDblClick* RichEdit1 = nullptr;
    QWidget* Panel3 = nullptr;
    QLabel* Image2 = nullptr;
    QToolButton* Button7 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* Button1 = nullptr;
    QToolButton* Button3 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QWidget* rightPanel1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Image4 = nullptr;
    QLabel* Image5 = nullptr;
    QLabel* Label1 = nullptr;
    QToolButton* Button4 = nullptr;
    QToolButton* Button5 = nullptr;
    QToolButton* Button9 = nullptr;
    QToolButton* Button11 = nullptr;
    QToolButton* Button16 = nullptr;
    QToolButton* Button12 = nullptr;
    QToolButton* Button10 = nullptr;
    QToolButton* Button2 = nullptr;
    QToolButton* Button13 = nullptr;
    QWidget* Panel4 = nullptr;
    QGroupBox* RzGroupBox1 = nullptr;
    QGroupBox* RzGroupBox2 = nullptr;
    QGroupBox* RzGroupBox3 = nullptr;
    QGroupBox* RzGroupBox4 = nullptr;
    QGroupBox* RzGroupBox5 = nullptr;
    QTextEdit* RzRichEdit1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Delete1 = nullptr;

    // Menu items.
    QMenu* N18 = nullptr; // File
    QAction* N19 = nullptr;
    QAction* N20 = nullptr;
    QAction* N21 = nullptr;
    QAction* N22 = nullptr;
    QMenu* N1 = nullptr; // Options
    QMenu* N10 = nullptr;
    QAction* N11 = nullptr;
    QAction* N12 = nullptr;
    QMenu* N13 = nullptr;
    QAction* N14 = nullptr;
    QAction* N15 = nullptr;
    QAction* ControlC1 = nullptr;
    QAction* PopUp1 = nullptr;
    QMenu* N9 = nullptr; // Tools
    QAction* N16 = nullptr;
    QMenu* N17 = nullptr;
    QAction* N5 = nullptr;
    QAction* N6 = nullptr;
    QMenu* N2 = nullptr; // Help
    QAction* F11 = nullptr;
    QAction* N3 = nullptr;
    QAction* N4 = nullptr;
    QAction* N7 = nullptr;
    QAction* MultilingualOnlineDictionary1 = nullptr;
    QMenu* N8 = nullptr; // Buy Now
    QAction* G0 = nullptr;
    QAction* G1 = nullptr;
    QAction* G2 = nullptr;
    QAction* Action1 = nullptr;

    // Widths remembered at start for the view switch.
    int RememberedFormWidth = 0;
    int RememberedTabWidth = 0;
    int RememberedComboWidth = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void BuildMenus();
    void BuildTopPanel(QWidget* client);
    void BuildArticleArea();
    void BuildRightPanel();
    void BuildPronunciationKey();
    void ApplyStoredSettings(bool fileExisted);
    void SaveSettings();
    void BuildStudyList();
    void NotifyPlayEnded();

    dictionary::DictionaryIndex index_;
    std::filesystem::path startDir_;
    TSettings settings_;
    std::unique_ptr<lookup::TLookupWindow> lookup_;
    std::unique_ptr<sound::TMainWindowSound> sound_;
    lookup::TClipboardWatcher* clipboard_ = nullptr;
    std::unique_ptr<studylist::TUserDictionary> userDictionary_;
    std::unique_ptr<studylist::TStudyList> studyList_;
    std::vector<exercises::TPlayEndListener*> playEndListeners_;
    bool destroyed_ = false;
};

} // namespace app
