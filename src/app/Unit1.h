#pragma once

#include "app/Settings.h"
#include "dictionary/LetterIndex.h"
#include "exercises/HangmanGame.h"
#include "exercises/Launcher.h"
#include "exercises/MainWindowSeams.h"
#include "interface/AboutProg.h"
#include "interface/AboutUs.h"
#include "interface/InterfaceHost.h"
#include "interface/LanguageSwitch.h"
#include "interface/ReferencePages.h"
#include "interface/ViewModes.h"
#include "interface/WebLinks.h"
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
               public exercises::TPlayEndSubscription,
               public interface::TInterfaceHost,
               public exercises::TLauncherHost {
public:
    static constexpr int kClientWidth = 612;
    static constexpr int kClientHeight = 320;
    static constexpr const char* kApplicationTitle =
        "Marendov & Tamir English - Bulgarian Dictionary";

    // Shows a message to the user; replaced by tests, which cannot answer
    // modal boxes.
    static std::function<void(QWidget* parent, const QString& text)> ShowError;
    // The system beep; replaced by tests, which count it.
    static std::function<void()> SystemBeep;

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
    studylist::TStudyList& StudyList() { return *studyList_; }
    // The study list's and the add-word dialog's modal boxes; tests answer them.
    ui::TDialogs StudyDialogs;

    // Exercise launchers.
    void Button5Click();
    void Button9Click();
    void Button11Click();
    void Button16Click();
    void Button12Click();
    void Button10Click();
    // Hangman's games won by the user and by the program since the start.
    exercises::THangmanScore HangmanScore;

    // Sound handlers.
    void Button7Click() { sound_->Button7Click(); }
    void SpeedButton1Click() { sound_->SpeedButton1Click(); }
    void SpeedButton2Click() { sound_->SpeedButton2Click(); }
    void MPEG1PlayEnd() { sound_->MPEG1PlayEnd(); }

    // Interface language and view.
    void N14Click() { language_->N14Click(); }
    void N15Click() { language_->N15Click(); }
    void N11Click() { view_->N11Click(); }
    void N12Click() { view_->N12Click(); }
    // Reference pages, the pronunciation key and page mode.
    void N5Click() { pages_->ShowPage(interface::TPage::BulgarianAbbreviations); }
    void N6Click() { pages_->ShowPage(interface::TPage::EnglishAbbreviations); }
    void N7Click() { pages_->ShowPage(interface::TPage::OrderInfo); }
    void G0Click() { pages_->ShowPage(interface::TPage::OrderInfo); }
    void N16Click() { pages_->N16Click(); }
    void transButtonClick(QObject* sender) { pages_->transButtonClick(sender); }
    void SpeedButton3Click() { pages_->SpeedButton3Click(); }
    // Clicks on the locked window's decorations and panels.
    void Image2Click() { pages_->LockedPartClick(); }
    void Image3Click() { pages_->LockedPartClick(); }
    void Image4Click() { pages_->LockedPartClick(); }
    void Image5Click() { pages_->LockedPartClick(); }
    void mainPanelClick() { pages_->LockedPartClick(); }
    void Panel1Click() { pages_->LockedPartClick(); }
    void topPanelClick() { pages_->LockedPartClick(); }
    void Label1Click() { pages_->LockedPartClick(); }
    // Help, the about windows and the web links.
    void F11Click();
    void N3Click() { interface::ShowAboutUs(this, EnglishInterface()); }
    void N4Click() { interface::ShowAboutProgram(this, EnglishInterface()); }
    void Image1Click() { interface::OpenWebLink(interface::TWebLink::Logo, *this); }
    void MultilingualOnlineDictionary1Click() {
        interface::OpenWebLink(interface::TWebLink::OnlineDictionary, *this);
    }
    void G1Click() { interface::OpenWebLink(interface::TWebLink::Downloads, *this); }
    void G2Click() { interface::OpenWebLink(interface::TWebLink::MoreDictionaries, *this); }

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
    void ShowSoundError(const QString& text) override { ShowError(this, text); }

    // studylist::TStudyListHost, with the look-up steering the exercises
    // share.
    const dictionary::DictionaryIndex& Index() const override { return index_; }
    int TabIndex() const override;
    int SearchBoxItemIndex() const override;
    bool EnglishInterface() const override;
    void LookUpStudyWord(const std::string& word) override { lookup_->ShowWord(word); }
    void SwitchToStandardView() override { N11Click(); }
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
    bool PlayerLoaded() override { return sound_->MPEG1.IsLibraryLoaded(); }
    void StopPlaying() override { sound_->StopPronouncing(); }

    // exercises::TPlayEndSubscription
    void Join(exercises::TPlayEndListener& listener) override;
    void Leave(exercises::TPlayEndListener& listener) override;

    // interface::TInterfaceHost
    void StoreSetting(interface::TStoredSetting setting, bool firstChoice) override;
    int StudyListCount() const override { return studyList_->Count(); }
    void LoadPage(std::string_view rtf) override;
    void ClearArticle() override;
    bool LoadPlayerLibrary() override { return sound_->LoadPlayerLibrary(); }
    bool PlayKeySample(const std::filesystem::path& file) override {
        return sound_->PlayFile(file);
    }
    bool VoiceRecording() const override { return sound_->Recording(); }
    void ReportError(const QString& text) override { ShowError(this, text); }

    // exercises::TLauncherHost (with StopVoicePlayback and FocusSearchBox
    // above)
    QWidget* LauncherWindow() override { return this; }
    bool FillStudyListFromDefault() override { return studyList_->FillFromDefaultList(); }
    void ClearArticlePane() override { ClearArticle(); }
    // What the exercise windows are given of this window when they open.
    exercises::TMainWindowSeams ExerciseSeams() override;

    const app::TSettings& Settings() const { return settings_; }
    const lookup::TLookupWindow& Lookup() const { return *lookup_; }
    sound::TMainWindowSound& Sound() { return *sound_; }
    const interface::TViewModes& View() const { return *view_; }
    const interface::TReferencePages& Pages() const { return *pages_; }

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
    QWidget* Panel1 = nullptr; // the study list and the strip under it
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

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // Closing the window offers an edited study list for saving; Cancel
    // keeps it open.
    void closeEvent(QCloseEvent* event) override;

private:
    // Whether a point lies on the window's own surface, where no control
    // covers it.
    bool OnOwnSurface(const QPoint& position) const;
    void BuildMenus();
    void BuildTopPanel(QWidget* client);
    void BuildArticleArea();
    void BuildRightPanel();
    void BuildPronunciationKey();
    void ApplyStoredSettings(bool fileExisted);
    void SaveSettings();
    void BuildStudyList();
    void BuildInterface();
    void NotifyPlayEnded();

    dictionary::DictionaryIndex index_;
    std::filesystem::path startDir_;
    TSettings settings_;
    std::unique_ptr<lookup::TLookupWindow> lookup_;
    std::unique_ptr<sound::TMainWindowSound> sound_;
    lookup::TClipboardWatcher* clipboard_ = nullptr;
    std::unique_ptr<studylist::TUserDictionary> userDictionary_;
    std::unique_ptr<studylist::TStudyList> studyList_;
    std::unique_ptr<interface::TLanguageSwitch> language_;
    std::unique_ptr<interface::TViewModes> view_;
    std::unique_ptr<interface::TReferencePages> pages_;
    std::vector<exercises::TPlayEndListener*> playEndListeners_;
    bool destroyed_ = false;
    // A quit was posted: the study list is not asked about again.
    bool quitting_ = false;
};

} // namespace app
