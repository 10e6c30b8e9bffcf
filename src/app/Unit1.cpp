#include "app/Unit1.h"

#include "app/Splash.h"
#include "dictionary/Lookup.h"
#include "lookup/ClipboardWatcher.h"
#include "lookup/RichEditDblClick.h"
#include "lookup/SearchCombo.h"
#include "lookup/TabControl.h"
#include "studylist/NewWord.h"
#include "studylist/UserDictionary.h"
#include "ui/Captions.h"
#include "ui/FlatButtons.h"
#include "ui/Fonts.h"
#include "ui/Pictures.h"

#include <QApplication>
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

QMenu* AddMenu(QMenuBar* bar, const char* name) {
    QMenu* menu = bar->addMenu(Caption(name));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QMenu* AddMenu(QMenu* parent, const char* name) {
    QMenu* menu = parent->addMenu(Caption(name));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
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

// Menu items whose work belongs to windows not built yet keep their check
// marks where they are.
void KeepCheckMark(QAction* action) {
    QObject::connect(action, &QAction::triggered, action,
                     [action](bool checked) { action->setChecked(!checked); });
}

} // namespace

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

    ListBox1 = Named(new QListWidget(rightPanel1), "ListBox1");
    ListBox1->setGeometry(0, 0, 132, 225);
    ListBox1->setCursor(Qt::ArrowCursor);
    ListBox1->setContextMenuPolicy(Qt::NoContextMenu);
    PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
    Delete1 = AddItem(PopupMenu1, "Delete1");

    Image4 = Named(
        ui::PictureLabel(rightPanel1, QRect(0, 225, 100, height - 225), PictureId::ListStripLeft),
        "Image4");
    Image5 = Named(
        ui::PictureLabel(rightPanel1, QRect(100, 225, 32, height - 225), PictureId::ListStripRight),
        "Image5");
    Label1 = Named(new QLabel(rightPanel1), "Label1");
    Label1->setGeometry(8, 225 + (height - 225 - 16) / 2, 83, 16);
    Label1->setAlignment(Qt::AlignCenter);
    QFont labelFont(QString::fromLatin1(ui::kFontMsSansSerif));
    labelFont.setPixelSize(13);
    labelFont.setBold(true);
    Label1->setFont(labelFont);
    Label1->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    Button4 = Named(ui::FlatButton(rightPanel1, QRect(101, 225 + (height - 225 - 30) / 2, 30, 30),
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
    Panel4 = Named(new QWidget(Panel2), "Panel4");
    Panel4->setGeometry(0, 0, 398, 213);
    Panel4->setAutoFillBackground(true);
    struct Group {
        QGroupBox** Box;
        const char* Name;
        QRect Geometry;
        int First;
        int Last;
    };
    const Group groups[] = {
        {&RzGroupBox2, "RzGroupBox2", QRect(4, 2, 390, 50), 1, 12},
        {&RzGroupBox3, "RzGroupBox3", QRect(4, 54, 290, 50), 13, 21},
        {&RzGroupBox1, "RzGroupBox1", QRect(298, 54, 96, 50), 22, 24},
        {&RzGroupBox4, "RzGroupBox4", QRect(4, 106, 70, 66), 25, 26},
        {&RzGroupBox5, "RzGroupBox5", QRect(78, 106, 316, 100), 27, 48},
    };
    static const char* const kSymbols[] = {
        "iː", "i",  "e",  "æ",  "ə",  "əː", "ʌ",  "aː", "ɔ",  "ɔː",  "u",   "uː",
        "ei", "ai", "ɔi", "au", "ou", "ɛə", "iə", "uə", "ɔə", "auə", "aiə", "eiə",
        "j",  "w",  "p",  "b",  "t",  "d",  "k",  "g",  "θ",  "ð",   "s",   "z",
        "f",  "v",  "ʃ",  "tʃ", "ʒ",  "dʒ", "m",  "n",  "ŋ",  "r",   "l",   "h"};
    for (const Group& group : groups) {
        auto* box = Named(new QGroupBox(Caption(group.Name), Panel4), group.Name);
        box->setGeometry(group.Geometry);
        *group.Box = box;
        for (int n = group.First; n <= group.Last; ++n) {
            const int index = n - group.First;
            int row = 0;
            int column = index;
            if (n >= 37 && n <= 46) {
                row = 1;
                column = n - 37;
            } else if (n >= 47) {
                row = 2;
                column = 8 + (n - 47);
            } else if (n >= 25 && n <= 26) {
                row = index;
                column = 0;
            }
            auto* button = new QToolButton(box);
            button->setObjectName(QStringLiteral("trans%1").arg(n));
            button->setText(QString::fromUtf8(kSymbols[n - 1]));
            button->setToolTip(Hint("trans"));
            button->setGeometry(4 + column * 31, 16 + row * 27, 31, 27);
        }
    }
    RzRichEdit1 = Named(new QTextEdit(Panel4), "RzRichEdit1");
    RzRichEdit1->setGeometry(11, 176, 311, 27);
    RzRichEdit1->setEnabled(false);
    RzRichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RzRichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Panel4->hide();
}

void TForm1::FormCreate() {
    // The splash is painted at once: no events are processed while loading.
    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();
    // The exercises draw from the system-wide generator.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    // Widths the view switch restores; the recorded streams are absent until
    // the first recording.
    RememberedFormWidth = width();
    RememberedTabWidth = TabControl1->width();
    RememberedComboWidth = Combo->width();
    // The start-up directory is the working directory now.
    std::error_code ec;
    startDir_ = std::filesystem::current_path(ec);
    const bool settingsExisted = settings_.Load(startDir_);
    ApplyStoredSettings(settingsExisted);
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
    if (!report.Complete()) {
        ShowError(this, QString::fromStdString(report.Message()));
    }
    // Text already on the clipboard is looked up at once.
    clipboard_->Register();
    FocusSearchBox();
}

void TForm1::ApplyStoredSettings(bool fileExisted) {
    if (!settings_.LastError().empty()) {
        std::fprintf(stderr, "%s\n", settings_.LastError().c_str());
    }
    if (!fileExisted) {
        return;
    }
    ControlC1->setChecked(settings_.IsFirst(TSettings::ControlC));
    PopUp1->setChecked(settings_.IsFirst(TSettings::PopUp));
    const bool standardView = settings_.IsFirst(TSettings::View);
    N11->setChecked(standardView);
    N12->setChecked(!standardView);
    const bool bulgarian = settings_.IsFirst(TSettings::Language);
    N14->setChecked(bulgarian);
    N15->setChecked(!bulgarian);
}

void TForm1::FormDestroy() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    sound_->Shutdown();
    if (clipboard_ != nullptr) {
        clipboard_->Leave();
    }
}

void TForm1::SaveSettings() {
    if (!settings_.Save()) {
        ShowError(this, QString::fromStdString(settings_.LastError()));
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
    QApplication::beep();
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
                                   *index_.Letter(tab).Records[static_cast<std::size_t>(position)]);
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

exercises::TMainWindowSeams TForm1::ExerciseSeams() {
    return {*this, *this, *this, *this, EnglishInterface()};
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    // A right press on the window's own surface adds the current word to the
    // study list, then the window handles the press as usual.
    if (event->button() == Qt::RightButton) {
        Button1Click();
    }
    QMainWindow::mousePressEvent(event);
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
