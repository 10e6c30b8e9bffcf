#include "app/Unit1.h"

#include "app/Splash.h"
#include "dictionary/Lookup.h"
#include "exercises/HANG1.h"
#include "exercises/Unit3.h"
#include "exercises/Unit4.h"
#include "exercises/Unit5.h"
#include "exercises/Unit6.h"
#include "exercises/test2.h"
#include "interface/HelpWindow.h"
#include "interface/PronunciationKey.h"
#include "lookup/ClipboardWatcher.h"
#include "lookup/RichEditDblClick.h"
#include "lookup/SearchCombo.h"
#include "lookup/TabControl.h"
#include "platform/Paths.h"
#include "studylist/NewWord.h"
#include "studylist/UserDictionary.h"
#include "ui/Captions.h"
#include "ui/FileMessages.h"
#include "ui/FlatButtons.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"
#include "ui/Pictures.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace app {
namespace {

using ui::PictureId;
using ui::TTextKind;

QString Caption(const char* control) {
    return ui::BuiltInText(control, TTextKind::Caption);
}

QString Hint(const char* control) {
    return ui::BuiltInText(control, TTextKind::Hint);
}

// Components carry the names the window layout gives them, which the
// caption table uses.
template <typename T> T* Named(T* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

// A menu of the menu bar or a submenu; its item carries its name too.
template <typename TParent> QMenu* AddMenu(TParent* parent, const char* name) {
    QMenu* menu = Named(parent->addMenu(Caption(name)), name);
    Named(menu->menuAction(), name);
    return menu;
}

QAction* AddItem(QMenu* menu, const char* name) {
    return Named(menu->addAction(Caption(name)), name);
}

QAction* CheckItem(QMenu* menu, const char* name, bool checked) {
    QAction* action = AddItem(menu, name);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

// The view and language items change their check marks only through their
// switches: Qt's own toggle is undone before the switch looks at them.
void KeepCheckMark(QAction* action) {
    QObject::connect(action, &QAction::triggered, action,
                     [action](bool checked) { action->setChecked(!checked); });
}

} // namespace

std::function<void()> TForm1::SystemBeep = [] { QApplication::beep(); };

std::function<void(QWidget*, const QString&)> TForm1::ShowError = [](QWidget* parent,
                                                                     const QString& text) {
    QMessageBox::critical(parent, Caption("TForm1"), text);
};

TForm1::TForm1() {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(Caption("TForm1"));
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    BuildMenus();
    BuildTopPanel(client);
    mainPanel = Named(new QWidget(client), "mainPanel");
    mainPanel->setGeometry(0, 58, kClientWidth, kClientHeight - 58);
    BuildArticleArea();
    BuildRightPanel();
    BuildPronunciationKey();
    setFixedSize(sizeHint());

    lookup_ =
        std::make_unique<lookup::TLookupWindow>(index_, *TabControl1, *Combo, *RichEdit1, *this);
    TabControl1->OnChange = [this] { TabControl1Change(); };
    Combo->OnChange = [this] { ComboBox1Change(); };
    Combo->OnKeyDown = [this](int& key, lookup::TShiftState shift) {
        lookup_->ComboKeyDown(key, shift);
    };
    Combo->OnKeyPress = [this](char& key) { lookup_->ComboKeyPress(key); };
    Combo->OnKeyUp = [this](int& key, lookup::TShiftState shift) {
        lookup_->ComboKeyUp(key, shift);
    };
    RichEdit1->OnChange = [this] { RichEdit1Change(); };
    RichEdit1->OnDblClick = [this](lookup::TRichEditDblClick*) { RichEdit1DblClick(); };
    RichEdit1->EnglishInterface = [this] { return EnglishInterface(); };
    sound_ = std::make_unique<sound::TMainWindowSound>(
        *this, index_,
        sound::TMainWindowSound::Buttons{Button7, SpeedButton1, SpeedButton2, Panel3, Panel4,
                                         ui::ButtonIcon(ui::Picture(PictureId::IconRecord)),
                                         ui::ButtonIcon(ui::Picture(PictureId::IconStop))});
    sound_->OnPlayEnded = [this] { NotifyPlayEnded(); };
    connect(Button7, &QToolButton::clicked, this, [this] { Button7Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    clipboard_ = new lookup::TClipboardWatcher(this);
    clipboard_->OnClipboardChanged = [this] { ClipboardChanged(); };
    BuildStudyList();
    BuildInterface();
    connect(Button5, &QToolButton::clicked, this, [this] { Button5Click(); });
    connect(Button9, &QToolButton::clicked, this, [this] { Button9Click(); });
    connect(Button11, &QToolButton::clicked, this, [this] { Button11Click(); });
    connect(Button16, &QToolButton::clicked, this, [this] { Button16Click(); });
    connect(Button12, &QToolButton::clicked, this, [this] { Button12Click(); });
    connect(Button10, &QToolButton::clicked, this, [this] { Button10Click(); });

    FormCreate();
}

TForm1::~TForm1() {
    FormDestroy();
}

void TForm1::BuildMenus() {
    QMenuBar* bar = menuBar();
    N18 = AddMenu(bar, "N18");
    N19 = AddItem(N18, "N19");
    N20 = AddItem(N18, "N20");
    N21 = AddItem(N18, "N21");
    N22 = AddItem(N18, "N22");
    connect(N22, &QAction::triggered, this, [this] { PostQuit(); });

    N1 = AddMenu(bar, "N1");
    N10 = AddMenu(N1, "N10");
    N11 = CheckItem(N10, "N11", true);
    N10->setDefaultAction(N11);
    N12 = CheckItem(N10, "N12", false);
    N13 = AddMenu(N1, "N13");
    N14 = CheckItem(N13, "N14", true);
    N15 = CheckItem(N13, "N15", false);
    for (QAction* item : {N11, N12, N14, N15}) {
        KeepCheckMark(item);
    }
    ControlC1 = CheckItem(N1, "ControlC1", true);
    PopUp1 = CheckItem(N1, "PopUp1", true);
    connect(ControlC1, &QAction::triggered, this, [this] { ControlC1Click(); });
    connect(PopUp1, &QAction::triggered, this, [this] { PopUp1Click(); });

    N9 = AddMenu(bar, "N9");
    N16 = AddItem(N9, "N16");
    N17 = AddMenu(N9, "N17");
    N5 = AddItem(N17, "N5");
    N6 = AddItem(N17, "N6");

    N2 = AddMenu(bar, "N2");
    F11 = AddItem(N2, "F11");
    N3 = AddItem(N2, "N3");
    N4 = AddItem(N2, "N4");
    N7 = AddItem(N2, "N7");
    MultilingualOnlineDictionary1 = AddItem(N2, "MultilingualOnlineDictionary1");

    N8 = AddMenu(bar, "N8");
    G0 = AddItem(N8, "G0");
    G1 = AddItem(N8, "G1");
    G1->setShortcut(QKeySequence(Qt::Key_F2));
    G2 = AddItem(N8, "G2");
    G2->setShortcut(QKeySequence(Qt::Key_F3));

    Action1 = Named(new QAction(this), "Action1");
    Action1->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(Action1);
}

void TForm1::BuildTopPanel(QWidget* client) {
    topPanel = Named(new QWidget(client), "topPanel");
    topPanel->setGeometry(0, 0, kClientWidth, 58);
    ui::PictureLabel(topPanel, QRect(0, 0, kClientWidth, 58), PictureId::TopPanel);
    Image1 = Named(ui::PictureLabel(topPanel, QRect(0, 0, 90, 58), PictureId::Logo), "Image1");
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(Hint("Image1"));

    TabControl1 = Named(new lookup::TTabControl(topPanel), "TabControl1");
    TabControl1->setGeometry(kClientWidth - 521, 0, 521, 58);
    for (int tab = 0; tab < dictionary::kLatinCount; ++tab) {
        TabControl1->AddTab(dictionary::TabCaption(tab));
    }
    Combo = Named(new lookup::TSearchCombo(TabControl1), "Combo");
    const QRect content = TabControl1->ContentRect();
    Combo->setGeometry(8, content.top() + (content.height() - 24) / 2, 505, 24);
    Combo->setToolTip(Hint("Combo"));
}

void TForm1::BuildArticleArea() {
    Panel2 = Named(new QWidget(mainPanel), "Panel2");
    Panel2->setGeometry(0, 0, kClientWidth - 210, mainPanel->height());
    RichEdit1 = Named(new lookup::TRichEditDblClick(Panel2), "RichEdit1");
    RichEdit1->setGeometry(0, 0, Panel2->width(), Panel2->height() - 40);

    Panel3 = Named(new QWidget(Panel2), "Panel3");
    Panel3->setGeometry(0, Panel2->height() - 40, Panel2->width(), 40);
    Panel3->setStyleSheet(ui::FlatButtonStyle());
    Image2 = Named(ui::PictureLabel(Panel3, QRect(0, 0, Panel3->width(), 40), PictureId::ButtonBar),
                   "Image2");
    const auto button = [this](const char* name, int left, PictureId icon) {
        return Named(ui::FlatButton(Panel3, QRect(left, 2, 76, 36), Hint(name), ui::Picture(icon)),
                     name);
    };
    Button7 = button("Button7", 4, PictureId::IconPronounce);
    SpeedButton1 = button("SpeedButton1", 83, PictureId::IconRecord);
    SpeedButton2 = button("SpeedButton2", 162, PictureId::IconPlay);
    SpeedButton2->setEnabled(false);
    Button1 = button("Button1", 241, PictureId::IconAddWord);
    Button3 = button("Button3", 320, PictureId::IconOpenList);
    SpeedButton3 = button("SpeedButton3", 320, PictureId::IconContinue);
    SpeedButton3->hide();
}

void TForm1::BuildRightPanel() {
    rightPanel1 = Named(new QWidget(mainPanel), "rightPanel1");
    rightPanel1->setGeometry(kClientWidth - 210, 0, 210, mainPanel->height());
    rightPanel1->setStyleSheet(ui::FlatButtonStyle());
    const int height = rightPanel1->height();

    Panel1 = Named(new QWidget(rightPanel1), "Panel1");
    Panel1->setGeometry(0, 0, 134, height);
    ListBox1 = Named(new QListWidget(Panel1), "ListBox1");
    ListBox1->setGeometry(0, 0, 132, 225);
    ListBox1->setCursor(Qt::ArrowCursor);
    ListBox1->setContextMenuPolicy(Qt::NoContextMenu);
    PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
    Delete1 = AddItem(PopupMenu1, "Delete1");

    Image4 =
        Named(ui::PictureLabel(Panel1, QRect(0, 225, 100, height - 225), PictureId::ListStripLeft),
              "Image4");
    Image5 = Named(
        ui::PictureLabel(Panel1, QRect(100, 225, 32, height - 225), PictureId::ListStripRight),
        "Image5");
    Label1 = Named(new QLabel(Panel1), "Label1");
    Label1->setGeometry(8, 225 + (height - 225 - 16) / 2, 83, 16);
    Label1->setAlignment(Qt::AlignCenter);
    QFont labelFont(QString::fromLatin1(ui::kFontMsSansSerif));
    labelFont.setPixelSize(13);
    labelFont.setBold(true);
    Label1->setFont(labelFont);
    Label1->setStyleSheet(ui::StyleSheet(u"color: @White; background: transparent;"));
    Button4 = Named(ui::FlatButton(Panel1, QRect(101, 225 + (height - 225 - 30) / 2, 30, 30),
                                   Hint("Button4"), ui::Picture(PictureId::IconClear)),
                    "Button4");
    Button4->hide();

    const int column = 134;
    Image3 =
        Named(ui::PictureLabel(rightPanel1, QRect(column, 0, 76, height), PictureId::ButtonColumn),
              "Image3");
    const char* const methods[] = {"Button5", "Button9", "Button11", "Button16", "Button12"};
    QToolButton** methodButtons[] = {&Button5, &Button9, &Button11, &Button16, &Button12};
    for (int i = 0; i < 5; ++i) {
        *methodButtons[i] = Named(ui::FlatButton(rightPanel1, QRect(column, 2 + 23 * i, 76, 22),
                                                 Hint(methods[i]), {}, Caption(methods[i])),
                                  methods[i]);
    }
    const auto button = [&](const char* name, int top, PictureId picture) {
        return Named(ui::FlatButton(rightPanel1, QRect(column, top, 76, 40), Hint(name),
                                    ui::Picture(picture)),
                     name);
    };
    Button10 = button("Button10", 118, PictureId::Hangman);
    Button2 = button("Button2", 161, PictureId::IconSaveList);
    Button2->setEnabled(false);
    Button13 = button("Button13", 204, PictureId::IconAddItems);
}

void TForm1::BuildPronunciationKey() {
    const interface::TKeyPanel key = interface::BuildPronunciationKey(
        Panel2, RichEdit1->geometry(), [this](QObject* sender) { transButtonClick(sender); });
    Panel4 = key.Panel4;
    RzGroupBox1 = key.RzGroupBox1;
    RzGroupBox2 = key.RzGroupBox2;
    RzGroupBox3 = key.RzGroupBox3;
    RzGroupBox4 = key.RzGroupBox4;
    RzGroupBox5 = key.RzGroupBox5;
    RzRichEdit1 = key.RzRichEdit1;
}

namespace {

// A settings file that could not be read is left alone for the run; one that
// could not be created is just named.
QString SettingsProblem(const platform::TFileResult& read, ui::TLanguage language) {
    if (read.Ok()) {
        return {};
    }
    QString text = ui::FileErrorMessage(read.Error(), language);
    if (read.Error().Operation == platform::TFileOperation::Open) {
        text += QLatin1Char(' ') + ui::Phrase(ui::TPhrase::SettingsLeftAlone, language);
    }
    return text;
}

} // namespace

void TForm1::FormCreate() {
    // The splash is painted at once: no events are processed while loading.
    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();
    // The exercises draw from the system-wide generator.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    // Widths the view switch restores; the recorded streams are absent until
    // the first recording.
    view_->RememberWidths();
    // The start-up directory is the working directory now.
    std::error_code ec;
    startDir_ = std::filesystem::current_path(ec);
    const platform::TFileResult settingsRead = settings_.Load(startDir_);
    ApplyStoredSettings(settings_.Stored());
    // The index, counting progress in dots on the splash; the Cyrillic tabs
    // are added as their letters are read.
    const dictionary::LoadReport report =
        index_.Load(startDir_, [&](int tab, dictionary::LoadStep step) {
            if (step == dictionary::LoadStep::BeforeRead) {
                TabControl1->AddTab(dictionary::TabCaption(tab));
            } else {
                splash->AdvanceProgress();
            }
        });
    // The search box lists the selected letter.
    lookup_->SelectLetter(TabControl1->TabIndex());
    Combo->repaint();
    // Usage hints in the interface language.
    lookup_->ShowUsageHints(EnglishInterface());
    splash.reset();
    show();
    repaint();
    // What start-up found wrong, in one box once the window shows.
    QString problems = SettingsProblem(settingsRead, ui::LanguageOf(EnglishInterface()));
    if (!report.Complete()) {
        problems += (problems.isEmpty() ? "" : "\n\n") + QString::fromStdString(report.Message());
    }
    if (!problems.isEmpty()) {
        ShowError(this, problems);
    }
    // Text already on the clipboard is looked up at once.
    clipboard_->Register();
    FocusSearchBox();
}

void TForm1::ApplyStoredSettings(bool fileExisted) {
    if (!fileExisted) {
        return;
    }
    ControlC1->setChecked(settings_.IsFirst(TSettings::ControlC));
    PopUp1->setChecked(settings_.IsFirst(TSettings::PopUp));
    // The menu's own switches, which do not rewrite the file at start.
    view_->ApplyStored(settings_.IsFirst(TSettings::View));
    language_->ApplyStored(settings_.IsFirst(TSettings::Language));
}

void TForm1::FormDestroy() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    // Stopping the sound lets queued events through while it waits for the
    // device: a clipboard change must not look a word up and bring the
    // closing window forward again.
    if (clipboard_ != nullptr) {
        clipboard_->Leave();
    }
    sound_->Shutdown();
}

void TForm1::SaveSettings() {
    if (const platform::TFileResult saved = settings_.Save(); !saved.Ok()) {
        ShowError(this, ui::FileErrorMessage(saved.Error(), ui::LanguageOf(EnglishInterface())));
    }
}

void TForm1::ControlC1Click() {
    // Qt has already toggled the check mark: switching translation on or off
    // switches the pop-up with it.
    const bool on = ControlC1->isChecked();
    PopUp1->setChecked(on);
    settings_.Set(TSettings::ControlC, on);
    settings_.Set(TSettings::PopUp, on);
    SaveSettings();
}

void TForm1::PopUp1Click() {
    settings_.Set(TSettings::PopUp, PopUp1->isChecked());
    SaveSettings();
}

bool TForm1::PronounceButtonEnabled() const {
    return Button7->isEnabled();
}

void TForm1::SetPronounceButtonEnabled(bool enabled) {
    sound_->SearchTextChanged(enabled);
}

bool TForm1::PronounceButtonVisible() const {
    return !Button7->isHidden();
}

void TForm1::ApplyPronounceAvailability(int tab) {
    sound_->ApplyPronounceAvailability(tab);
}

void TForm1::SetRecordingLock(bool locked) {
    const bool enabled = !locked;
    for (QWidget* control : std::initializer_list<QWidget*>{
             Combo, TabControl1, ListBox1, Button1, Button13, Button3, Button4, Button10, Button5,
             Button9, Button11, Button16, Button12}) {
        control->setEnabled(enabled);
    }
    // The save-list button stays disabled after a recording.
    if (locked) {
        Button2->setEnabled(false);
    }
    for (QMenu* menu : {N18, N1, N9, N2}) {
        menu->menuAction()->setEnabled(enabled);
    }
}

void TForm1::PostQuit() {
    // An edited study list is offered for saving first; Cancel keeps the
    // program running.
    if (!quitting_ && !studyList_->QuerySave()) {
        return;
    }
    quitting_ = true;
    // Like a posted quit message: the event loop ends when it gets there, and
    // no window is asked whether it may close.
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

bool TForm1::TranslateCopiedText() const {
    return ControlC1->isChecked();
}

bool TForm1::BringForwardOnCopy() const {
    return PopUp1->isChecked();
}

bool TForm1::ContinueVisible() const {
    return !SpeedButton3->isHidden();
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

void TForm1::Beep() {
    SystemBeep();
}

int TForm1::TabIndex() const {
    return TabControl1->TabIndex();
}

int TForm1::SetTabIndex(int tab) {
    return TabControl1->SetTabIndex(tab);
}

void TForm1::FillSearchBox() {
    lookup_->SelectLetter(TabControl1->TabIndex());
}

void TForm1::ClipboardChanged() {
    lookup_->ClipboardChanged(lookup::TClipboardWatcher::FirstLine());
}

int TForm1::SearchBoxItemIndex() const {
    return Combo->ItemIndex();
}

void TForm1::SetSearchBoxItemIndex(int position) {
    Combo->SetItemIndex(position);
}

std::string TForm1::SearchBoxText() const {
    return Combo->Text();
}

void TForm1::SetSearchBoxText(const std::string& text) {
    Combo->SetText(text);
}

bool TForm1::EnglishInterface() const {
    return N15->isChecked();
}

std::string TForm1::ReadArticle(int tab, int position) const {
    if (!dictionary::IsValidTab(tab) || position < 0 ||
        static_cast<std::size_t>(position) >= index_.Letter(tab).Size()) {
        return {};
    }
    return dictionary::ReadArticle(index_, tab,
                                   index_.Letter(tab).Record(static_cast<std::size_t>(position)));
}

bool TForm1::PronounceSelectedWord() {
    return sound_->PronounceHeadWord(TabIndex(), SearchBoxItemIndex());
}

void TForm1::Join(exercises::TPlayEndListener& listener) {
    if (std::find(playEndListeners_.begin(), playEndListeners_.end(), &listener) ==
        playEndListeners_.end()) {
        playEndListeners_.push_back(&listener);
    }
}

void TForm1::Leave(exercises::TPlayEndListener& listener) {
    std::erase(playEndListeners_, &listener);
}

void TForm1::NotifyPlayEnded() {
    // A listener may leave while it is told.
    const auto listeners = playEndListeners_;
    for (exercises::TPlayEndListener* listener : listeners) {
        if (std::find(playEndListeners_.begin(), playEndListeners_.end(), listener) !=
            playEndListeners_.end()) {
            listener->PlayEnded();
        }
    }
}

void TForm1::Button5Click() {
    exercises::OpenMethod<exercises::TForm3>(*this);
}

void TForm1::Button9Click() {
    exercises::OpenMethod<exercises::TForm5>(*this);
}

void TForm1::Button11Click() {
    exercises::OpenMethod<exercises::TForm4>(*this);
}

void TForm1::Button16Click() {
    exercises::OpenMethod<exercises::TForm6>(*this);
}

void TForm1::Button12Click() {
    exercises::OpenMethod<exercises::TForm2>(*this);
}

void TForm1::Button10Click() {
    exercises::OpenHangman(*this, HangmanScore);
}

exercises::TMainWindowSeams TForm1::ExerciseSeams() {
    return {*this, *this, *this, *this, EnglishInterface()};
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    // A right press on the window's own surface adds the current word to the
    // study list, then the window handles the press as usual. Presses that
    // controls leave to their parents (pictures, letter tabs, the article
    // pane) arrive here too and add nothing.
    if (event->button() == Qt::RightButton && OnOwnSurface(event->position().toPoint())) {
        Button1Click();
    }
    QMainWindow::mousePressEvent(event);
}

bool TForm1::OnOwnSurface(const QPoint& position) const {
    // The panels only divide the surface; whatever they hold is a control.
    const QWidget* under = childAt(position);
    return under == nullptr || under == centralWidget() || under == topPanel ||
           under == mainPanel || under == Panel1 || under == Panel2 || under == Panel3 ||
           under == rightPanel1;
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!quitting_ && !studyList_->QuerySave()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TForm1::BuildStudyList() {
    StudyDialogs.Error = [](QWidget* parent, const QString& text) { ShowError(parent, text); };
    userDictionary_ = std::make_unique<studylist::TUserDictionary>(index_);
    studyList_ = std::make_unique<studylist::TStudyList>(
        studylist::TStudyListControls{ListBox1, Label1, Button2, Button4, PopupMenu1, Delete1},
        *this, StudyDialogs, ui::ProgramDialogLook(), this);
    connect(Button1, &QToolButton::clicked, this, [this] { Button1Click(); });
    connect(Button13, &QToolButton::clicked, this, [this] { Button13Click(); });
    connect(Button2, &QToolButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QToolButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QToolButton::clicked, this, [this] { Button4Click(); });
    connect(N19, &QAction::triggered, this, [this] { N19Click(); });
    connect(N20, &QAction::triggered, this, [this] { N20Click(); });
    connect(N21, &QAction::triggered, this, [this] { N21Click(); });
}

void TForm1::BuildInterface() {
    language_ = std::make_unique<interface::TLanguageSwitch>(
        interface::TLanguageControls{this, N14, N15, Label1}, *this);
    view_ = std::make_unique<interface::TViewModes>(
        interface::TViewControls{N11, N12, this, centralWidget(), topPanel, TabControl1, Combo,
                                 mainPanel, rightPanel1},
        *this);
    pages_ = std::make_unique<interface::TReferencePages>(
        interface::TPageControls{
            Combo,
            TabControl1,
            ListBox1,
            Button7,
            Button1,
            Button3,
            SpeedButton1,
            SpeedButton2,
            Button10,
            Button13,
            Button2,
            Button4,
            {Button5, Button9, Button11, Button16, Button12},
            SpeedButton3,
            {N18->menuAction(), N1->menuAction(), N9->menuAction(), N2->menuAction()},
            Panel3,
            Panel4,
            RzRichEdit1},
        *this);
    const auto onTrigger = [this](QAction* item, void (TForm1::*handler)()) {
        connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    onTrigger(N14, &TForm1::N14Click);
    onTrigger(N15, &TForm1::N15Click);
    onTrigger(N11, &TForm1::N11Click);
    onTrigger(N12, &TForm1::N12Click);
    onTrigger(N5, &TForm1::N5Click);
    onTrigger(N6, &TForm1::N6Click);
    onTrigger(N7, &TForm1::N7Click);
    onTrigger(G0, &TForm1::G0Click);
    onTrigger(N16, &TForm1::N16Click);
    onTrigger(F11, &TForm1::F11Click);
    onTrigger(Action1, &TForm1::F11Click);
    onTrigger(N3, &TForm1::N3Click);
    onTrigger(N4, &TForm1::N4Click);
    onTrigger(MultilingualOnlineDictionary1, &TForm1::MultilingualOnlineDictionary1Click);
    onTrigger(G1, &TForm1::G1Click);
    onTrigger(G2, &TForm1::G2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
    const std::pair<QWidget*, void (TForm1::*)()> clicks[] = {
        {Image1, &TForm1::Image1Click}, {Image2, &TForm1::Image2Click},
        {Image3, &TForm1::Image3Click}, {Image4, &TForm1::Image4Click},
        {Image5, &TForm1::Image5Click}, {mainPanel, &TForm1::mainPanelClick},
        {Panel1, &TForm1::Panel1Click}, {topPanel, &TForm1::topPanelClick},
        {Label1, &TForm1::Label1Click},
    };
    for (const auto& click : clicks) {
        interface::OnClick(click.first, [this, handler = click.second] { (this->*handler)(); });
    }
}

void TForm1::F11Click() {
    interface::ShowHelpPage(this,
                            platform::ResolvePath(std::filesystem::current_path(),
                                                  interface::HelpPageFragment(EnglishInterface())),
                            EnglishInterface());
}

void TForm1::StoreSetting(interface::TStoredSetting setting, bool firstChoice) {
    settings_.Set(static_cast<TSettings::Position>(setting), firstChoice);
    SaveSettings();
}

void TForm1::LoadPage(std::string_view rtf) {
    RichEdit1->LoadArticle(rtf);
}

void TForm1::ClearArticle() {
    RichEdit1->Clear();
}

void TForm1::FocusSearchBox() {
    lookup_->FocusSearchBox();
}

void TForm1::OpenNewWordDialog(const std::string& word, int tab) {
    studylist::TNewWord dialog(*userDictionary_, StudyDialogs, ui::ProgramDialogLook(),
                               EnglishInterface(), this);
    dialog.Init(word, tab);
    const auto showSaved = [this](const studylist::TSavedWord& saved) {
        if (TabIndex() != saved.Tab) {
            TabControl1->SetTabIndex(saved.Tab);
            lookup_->SelectLetter(saved.Tab);
        }
        if (Combo->ItemIndex() != static_cast<int>(saved.Position)) {
            Combo->SetItemIndex(static_cast<int>(saved.Position));
            ComboBox1Change();
        }
    };
    dialog.OnSaved = [this, showSaved](const studylist::TSavedWord& saved) {
        // The search box lists views into the letter's index, which the new
        // record has just moved: it gets the new list before anything reads it.
        TabControl1->SetTabIndex(saved.Tab);
        lookup_->SelectLetter(saved.Tab);
        showSaved(saved);
    };
    StudyDialogs.Exec(dialog);
    if (const auto saved = dialog.Saved(); saved) {
        // The search box's Enter handling looks the typed text up once the
        // dialog is gone; when the word was edited, that finds another
        // head-word, so the saved one is chosen again afterwards.
        QTimer::singleShot(0, this, [showSaved, word = *saved] { showSaved(word); });
    }
}

} // namespace app
