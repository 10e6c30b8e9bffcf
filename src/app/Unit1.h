#pragma once

#include "app/MainLayout.h"
#include "app/Rooms.h"
#include "exercises/HangmanGame.h"
#include "interface/AboutProg.h"
#include "interface/AboutUs.h"
#include "interface/WebLinks.h"
#include "platform/Paths.h"
#include "ui/Environment.h"

#include <QMainWindow>

#include <memory>

namespace app {

class TComposition;

// The main window: its layout, its rooms (made by the composition) and the
// handlers of its components, which keep their names and forward to the
// rooms' rules. The window owns the shared state for the whole run.
class TForm1 : public QMainWindow {
public:
    static constexpr const char* kApplicationTitle =
        "Marendov & Tamir English - Bulgarian Dictionary";

    // Builds the widgets and composes the rooms; nothing is read yet.
    // paths: where the dictionary, the data files and the program's own state
    // are; environment: the desktop's boxes, beep and modal runs. Both outlive
    // the window.
    TForm1(const platform::TPaths& paths, ui::TEnvironment& environment);
    ~TForm1() override;

    // The start-up sequence, which the program's entry runs once the window
    // is made, and the shutdown sequence, which destruction runs.
    void FormCreate();
    void FormDestroy();

    // Look-up handlers.
    void ComboBox1Change() { Rooms().Lookup->ComboBox1Change(); }
    void TabControl1Change() { Rooms().Lookup->TabControl1Change(); }
    void RichEdit1Change() { Rooms().Lookup->RichEdit1Change(); }
    void RichEdit1DblClick() { Rooms().Lookup->RichEdit1DblClick(); }
    void RichEdit1NoteClick(const std::string& headWord) {
        Rooms().Lookup->RichEdit1NoteClick(headWord);
    }
    void ClipboardChanged();
    void ControlC1Click() { Rooms().Options->ControlC1Click(); }
    void PopUp1Click() { Rooms().Options->PopUp1Click(); }

    // Study-list handlers.
    void Button1Click() { Rooms().StudyList->Button1Click(); }
    void Button13Click() { Rooms().StudyList->Button13Click(); }
    void Button2Click() { Rooms().StudyList->Button2Click(); }
    void Button3Click() { Rooms().StudyList->Button3Click(); }
    void Button4Click() { Rooms().StudyList->Button4Click(); }
    void N19Click() { Rooms().StudyList->N19Click(); }
    void N20Click() { Rooms().StudyList->N20Click(); }
    void N21Click() { Rooms().StudyList->N21Click(); }
    void ListBox1Click() { Rooms().StudyList->ListBox1Click(); }
    void Delete1Click() { Rooms().StudyList->Delete1Click(); }
    // Review, File > Export… and Help > Progress, over the learning record.
    void N23Click();
    void Button14Click() { N23Click(); }
    void N24Click();
    void N25Click();

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
    void Button7Click() { Rooms().Sound->Button7Click(); }
    void SpeedButton1Click() { Rooms().Sound->SpeedButton1Click(); }
    void SpeedButton2Click() { Rooms().Sound->SpeedButton2Click(); }
    void MPEG1PlayEnd() { Rooms().Sound->MPEG1PlayEnd(); }

    // Interface language and view.
    void N14Click() { Rooms().Language->N14Click(); }
    void N15Click() { Rooms().Language->N15Click(); }
    void N11Click() { Rooms().View->N11Click(); }
    void N12Click() { Rooms().View->N12Click(); }
    // Reference pages, the pronunciation key and page mode.
    void N5Click() { Rooms().Pages->ShowPage(interface::TPage::BulgarianAbbreviations); }
    void N6Click() { Rooms().Pages->ShowPage(interface::TPage::EnglishAbbreviations); }
    void N7Click() { Rooms().Pages->ShowPage(interface::TPage::OrderInfo); }
    void G0Click() { Rooms().Pages->ShowPage(interface::TPage::OrderInfo); }
    void N16Click() { Rooms().Pages->N16Click(); }
    void transButtonClick(QObject* sender) { Rooms().Pages->transButtonClick(sender); }
    void SpeedButton3Click() { Rooms().Pages->SpeedButton3Click(); }
    // Clicks on the locked window's decorations and panels.
    void Image2Click() { Rooms().Pages->LockedPartClick(); }
    void Image3Click() { Rooms().Pages->LockedPartClick(); }
    void Image4Click() { Rooms().Pages->LockedPartClick(); }
    void Image5Click() { Rooms().Pages->LockedPartClick(); }
    void mainPanelClick() { Rooms().Pages->LockedPartClick(); }
    void Panel1Click() { Rooms().Pages->LockedPartClick(); }
    void topPanelClick() { Rooms().Pages->LockedPartClick(); }
    void Label1Click() { Rooms().Pages->LockedPartClick(); }
    // Help, the about windows and the web links.
    void F11Click();
    void N3Click() { interface::ShowAboutUs(this, English(), environment_); }
    void N4Click() { interface::ShowAboutProgram(this, English(), HeadWordCounts(), environment_); }
    void Image1Click() { OpenWebLink(interface::TWebLink::Logo); }
    void MultilingualOnlineDictionary1Click() {
        OpenWebLink(interface::TWebLink::OnlineDictionary);
    }
    void G1Click() { OpenWebLink(interface::TWebLink::Downloads); }
    void G2Click() { OpenWebLink(interface::TWebLink::MoreDictionaries); }

    // Ends the program like a posted quit message, once an edited study list
    // has been offered for saving; Cancel keeps it running.
    void PostQuit();
    // Brings the window to the front and gives it the focus.
    void BringForward();

    const TMainLayout& Layout() const { return layout_; }
    const dictionary::DictionaryIndex& Index() const { return Rooms().Index; }
    // The head-words of the folder's English and Bulgarian letters, user
    // words included.
    interface::THeadWordCounts HeadWordCounts() const;
    const TSettings& Settings() const { return Rooms().Options->Settings(); }
    const lookup::TLookupWindow& Lookup() const { return *Rooms().Lookup; }
    studylist::TStudyList& StudyList() { return *Rooms().StudyList; }
    sound::TMainWindowSound& Sound() { return *Rooms().Sound; }
    const interface::TViewModes& View() const { return *Rooms().View; }
    const interface::TReferencePages& Pages() const { return *Rooms().Pages; }
    // What the exercise windows are given of this window when they open.
    exercises::TMainWindowSeams ExerciseSeams();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // Closing the window offers an edited study list for saving; Cancel
    // keeps it open.
    void closeEvent(QCloseEvent* event) override;

private:
    TRooms& Rooms() const;
    bool English() const { return Rooms().Language->English(); }
    void OpenWebLink(interface::TWebLink link);
    void ConnectHandlers();
    // An exercise has closed: its answers change the due count.
    void ExerciseClosed();
    // Whether a point lies on the window's own surface, where no control
    // covers it.
    bool OnOwnSurface(const QPoint& position) const;

    const platform::TPaths& paths_;
    ui::TEnvironment& environment_;
    TMainLayout layout_;
    std::unique_ptr<TComposition> composition_;
    // A quit was posted: the study list is not asked about again.
    bool quitting_ = false;
};

} // namespace app
