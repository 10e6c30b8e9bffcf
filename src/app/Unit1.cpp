#include "app/Unit1.h"

#include "app/Composition.h"
#include "dictionary/Letters.h"
#include "exercises/HANG1.h"
#include "exercises/Launcher.h"
#include "exercises/Unit3.h"
#include "exercises/Unit4.h"
#include "exercises/Unit5.h"
#include "exercises/Unit6.h"
#include "exercises/test2.h"
#include "interface/HelpWindow.h"
#include "lookup/ClipboardWatcher.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

namespace app {

TForm1::TForm1(const platform::TPaths& paths, ui::TEnvironment& environment)
    : paths_(paths), environment_(environment) {
    layout_.Build(*this, [this](QObject* sender) { transButtonClick(sender); });
    composition_ = std::make_unique<TComposition>(*this, layout_, paths, environment);
    ConnectHandlers();
}

TForm1::~TForm1() {
    FormDestroy();
}

void TForm1::FormCreate() {
    composition_->StartUp();
}

void TForm1::FormDestroy() {
    composition_->ShutDown();
}

TRooms& TForm1::Rooms() const {
    return composition_->Rooms();
}

void TForm1::ConnectHandlers() {
    const TMainLayout& l = layout_;
    l.TabControl1->OnChange = [this] { TabControl1Change(); };
    l.Combo->OnChange = [this] { ComboBox1Change(); };
    l.Combo->OnKeyDown = [this](int& key, lookup::TShiftState shift) {
        Rooms().Lookup->ComboKeyDown(key, shift);
    };
    l.Combo->OnKeyPress = [this](char& key) { Rooms().Lookup->ComboKeyPress(key); };
    l.Combo->OnKeyUp = [this](int& key, lookup::TShiftState shift) {
        Rooms().Lookup->ComboKeyUp(key, shift);
    };
    l.RichEdit1->OnChange = [this] { RichEdit1Change(); };
    l.RichEdit1->OnDblClick = [this](lookup::TRichEditDblClick*) { RichEdit1DblClick(); };
    l.RichEdit1->OnNoteClick = [this](const std::string& headWord) {
        RichEdit1NoteClick(headWord);
    };
    Rooms().Clipboard->OnClipboardChanged = [this] { ClipboardChanged(); };

    const std::pair<QToolButton*, void (TForm1::*)()> buttons[] = {
        {l.Button7, &TForm1::Button7Click},           {l.SpeedButton1, &TForm1::SpeedButton1Click},
        {l.SpeedButton2, &TForm1::SpeedButton2Click}, {l.Button1, &TForm1::Button1Click},
        {l.Button13, &TForm1::Button13Click},         {l.Button2, &TForm1::Button2Click},
        {l.Button3, &TForm1::Button3Click},           {l.Button4, &TForm1::Button4Click},
        {l.Button5, &TForm1::Button5Click},           {l.Button9, &TForm1::Button9Click},
        {l.Button11, &TForm1::Button11Click},         {l.Button16, &TForm1::Button16Click},
        {l.Button12, &TForm1::Button12Click},         {l.Button10, &TForm1::Button10Click},
        {l.SpeedButton3, &TForm1::SpeedButton3Click}, {l.Button14, &TForm1::Button14Click},
    };
    for (const auto& [button, handler] : buttons) {
        connect(button, &QToolButton::clicked, this,
                [this, handler = handler] { (this->*handler)(); });
    }
    const std::pair<QAction*, void (TForm1::*)()> items[] = {
        {l.N22, &TForm1::PostQuit},
        {l.ControlC1, &TForm1::ControlC1Click},
        {l.PopUp1, &TForm1::PopUp1Click},
        {l.N19, &TForm1::N19Click},
        {l.N20, &TForm1::N20Click},
        {l.N21, &TForm1::N21Click},
        {l.N23, &TForm1::N23Click},
        {l.N24, &TForm1::N24Click},
        {l.N25, &TForm1::N25Click},
        {l.N14, &TForm1::N14Click},
        {l.N15, &TForm1::N15Click},
        {l.N11, &TForm1::N11Click},
        {l.N12, &TForm1::N12Click},
        {l.N5, &TForm1::N5Click},
        {l.N6, &TForm1::N6Click},
        {l.N7, &TForm1::N7Click},
        {l.G0, &TForm1::G0Click},
        {l.N16, &TForm1::N16Click},
        {l.F11, &TForm1::F11Click},
        {l.Action1, &TForm1::F11Click},
        {l.N3, &TForm1::N3Click},
        {l.N4, &TForm1::N4Click},
        {l.MultilingualOnlineDictionary1, &TForm1::MultilingualOnlineDictionary1Click},
        {l.G1, &TForm1::G1Click},
        {l.G2, &TForm1::G2Click},
    };
    // The menus with Review and Progress: the record is got ready while the
    // pointer moves to the item.
    for (QMenu* menu : {l.N18, l.N2}) {
        connect(menu, &QMenu::aboutToShow, this, [this] { Rooms().Learning->Prepare(); });
    }
    for (const auto& [item, handler] : items) {
        connect(item, &QAction::triggered, this, [this, handler = handler] { (this->*handler)(); });
    }
    const std::pair<QWidget*, void (TForm1::*)()> clicks[] = {
        {l.Image1, &TForm1::Image1Click}, {l.Image2, &TForm1::Image2Click},
        {l.Image3, &TForm1::Image3Click}, {l.Image4, &TForm1::Image4Click},
        {l.Image5, &TForm1::Image5Click}, {l.mainPanel, &TForm1::mainPanelClick},
        {l.Panel1, &TForm1::Panel1Click}, {l.topPanel, &TForm1::topPanelClick},
        {l.Label1, &TForm1::Label1Click},
    };
    for (const auto& [widget, handler] : clicks) {
        interface::OnClick(widget, [this, handler = handler] { (this->*handler)(); });
    }
}

void TForm1::ClipboardChanged() {
    Rooms().Lookup->ClipboardChanged(Rooms().Clipboard->FirstLine());
}

void TForm1::N23Click() {
    composition_->Learning().Review();
}

void TForm1::N24Click() {
    composition_->Learning().Export();
}

void TForm1::N25Click() {
    composition_->Learning().ShowProgress();
}

void TForm1::ExerciseClosed() {
    composition_->Learning().RefreshDueCount();
}

void TForm1::Button5Click() {
    exercises::OpenMethod<exercises::TForm3>(composition_->Launcher());
    ExerciseClosed();
}

void TForm1::Button9Click() {
    exercises::OpenMethod<exercises::TForm5>(composition_->Launcher());
    ExerciseClosed();
}

void TForm1::Button11Click() {
    exercises::OpenMethod<exercises::TForm4>(composition_->Launcher());
    ExerciseClosed();
}

void TForm1::Button16Click() {
    exercises::OpenMethod<exercises::TForm6>(composition_->Launcher());
    ExerciseClosed();
}

void TForm1::Button12Click() {
    exercises::OpenMethod<exercises::TForm2>(composition_->Launcher());
    ExerciseClosed();
}

void TForm1::Button10Click() {
    exercises::OpenHangman(composition_->Launcher(), HangmanScore);
    ExerciseClosed();
}

void TForm1::F11Click() {
    interface::ShowHelpPage(this, paths_.DataFile(interface::HelpPageFragment(English())),
                            English(), environment_);
}

interface::THeadWordCounts TForm1::HeadWordCounts() const {
    interface::THeadWordCounts counts;
    for (int tab = 0; tab < dictionary::kLetterCount; ++tab) {
        const std::size_t size = Index().Letter(tab).Size();
        (dictionary::IsEnglishTab(tab) ? counts.English : counts.Bulgarian) += size;
    }
    return counts;
}

void TForm1::OpenWebLink(interface::TWebLink link) {
    interface::OpenWebLink(link, composition_->InterfaceHost(), environment_);
}

exercises::TMainWindowSeams TForm1::ExerciseSeams() {
    return composition_->Launcher().ExerciseSeams();
}

void TForm1::PostQuit() {
    // An edited study list is offered for saving first; Cancel keeps the
    // program running.
    if (!quitting_ && !StudyList().QuerySave()) {
        return;
    }
    quitting_ = true;
    // Like a posted quit message: the event loop ends when it gets there, and
    // no window is asked whether it may close.
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void TForm1::BringForward() {
    if (!isActiveWindow()) {
        // Minimising and restoring brings the window to the front where the
        // window manager would refuse a plain raise.
        showMinimized();
        showNormal();
        raise();
        activateWindow();
    }
    setFocus();
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    // A right press on the window's own surface adds the current word to the
    // study list, then the window handles the press as usual. Presses that
    // controls leave to their parents (pictures, letter tabs, the article
    // pane) arrive here too and add nothing. The press is the add button's
    // other way in: while page mode or a recording locks that button, it
    // adds nothing either.
    if (event->button() == Qt::RightButton && layout_.Button1->isEnabled() &&
        OnOwnSurface(event->position().toPoint())) {
        Button1Click();
    }
    QMainWindow::mousePressEvent(event);
}

bool TForm1::OnOwnSurface(const QPoint& position) const {
    // The panels only divide the surface; whatever they hold is a control.
    const QWidget* under = childAt(position);
    const TMainLayout& l = layout_;
    return under == nullptr || under == centralWidget() || under == l.topPanel ||
           under == l.mainPanel || under == l.Panel1 || under == l.Panel2 || under == l.Panel3 ||
           under == l.rightPanel1;
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!quitting_ && !StudyList().QuerySave()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

} // namespace app
