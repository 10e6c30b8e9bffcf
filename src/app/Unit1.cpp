#include "Unit1.h"

#include "Pictures.h"
#include "Splash.h"
#include "lookup/ClipboardWatcher.h"
#include "lookup/RichEditDblClick.h"
#include "lookup/SearchCombo.h"
#include "lookup/TabControl.h"
#include "studylist/NewWord.h"
#include "studylist/UserDictionary.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>
#include <ctime>

namespace app {
namespace {

// Icons are drawn on the panel colour; a disabled button shows its icon sunk
// into that colour rather than Qt's grey wash, which would show the square.
QIcon ButtonIcon(const QPixmap& picture) {
    QIcon icon(picture);
    QPixmap dimmed = picture;
    QPainter painter(&dimmed);
    QColor veil = QColor::fromRgb(palette::Panel);
    veil.setAlpha(170);
    painter.fillRect(dimmed.rect(), veil);
    painter.end();
    icon.addPixmap(dimmed, QIcon::Disabled);
    return icon;
}

// The flat buttons of the button bar and the right column: white captions on
// the navy panels, a light wash under the pointer. Set once on each panel.
constexpr const char* kFlatButtonStyle =
    "QToolButton { color: white; border: none; background: transparent; }"
    "QToolButton:hover { background: rgba(255, 255, 255, 28); border-radius: 4px; }"
    "QToolButton:pressed { background: rgba(242, 165, 65, 60); border-radius: 4px; }"
    "QToolButton:disabled { color: #5d6f8c; }";

QToolButton* FlatButton(QWidget* parent, const QRect& geometry, const QString& hint,
                        const QPixmap& icon = {}, const QString& caption = {}) {
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setGeometry(geometry);
    button->setToolTip(hint);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    if (!icon.isNull()) {
        button->setIcon(ButtonIcon(icon));
        button->setIconSize(icon.size());
    }
    if (!caption.isEmpty()) {
        button->setText(caption);
        button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly
                                                 : Qt::ToolButtonTextUnderIcon);
    }
    return button;
}

QLabel* Picture(QWidget* parent, const QRect& geometry, PictureId id) {
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setPixmap(
        app::Picture(id).scaled(geometry.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return label;
}

QAction* CheckItem(QMenu* menu, const QString& caption, bool checked) {
    QAction* action = menu->addAction(caption);
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
    QMessageBox::critical(parent, QString::fromUtf8(kCaption), text);
};

TForm1::TForm1() {
    setWindowTitle(QString::fromUtf8(kCaption));
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    BuildMenus();
    BuildTopPanel(client);
    mainPanel = new QWidget(client);
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
                                         ButtonIcon(app::Picture(PictureId::IconRecord)),
                                         ButtonIcon(app::Picture(PictureId::IconStop))});
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
    N18 = bar->addMenu(QStringLiteral("Файл"));
    N19 = N18->addAction(QStringLiteral("&Нов"));
    N20 = N18->addAction(QStringLiteral("&Отвори"));
    N21 = N18->addAction(QStringLiteral("&Запиши"));
    N22 = N18->addAction(QStringLiteral("&Изход"));
    connect(N22, &QAction::triggered, this, [this] { PostQuit(); });

    N1 = bar->addMenu(QStringLiteral("Опции"));
    N10 = N1->addMenu(QStringLiteral("&Вид"));
    N11 = CheckItem(N10, QStringLiteral("&Стандартен"), true);
    N10->setDefaultAction(N11);
    N12 = CheckItem(N10, QStringLiteral("&Компактен"), false);
    N13 = N1->addMenu(QStringLiteral("&Език"));
    N14 = CheckItem(N13, QStringLiteral("&Български"), true);
    N15 = CheckItem(N13, QStringLiteral("&Английски"), false);
    for (QAction* item : {N11, N12, N14, N15}) {
        KeepCheckMark(item);
    }
    ControlC1 = CheckItem(N1, QStringLiteral("Control-C"), true);
    PopUp1 = CheckItem(N1, QStringLiteral("PopUp"), true);
    connect(ControlC1, &QAction::triggered, this, [this] { ControlC1Click(); });
    connect(PopUp1, &QAction::triggered, this, [this] { PopUp1Click(); });

    N9 = bar->addMenu(QStringLiteral("Специални"));
    N16 = N9->addAction(QStringLiteral("&Транскрипция"));
    N17 = N9->addMenu(QStringLiteral("&Съкращения"));
    N5 = N17->addAction(QStringLiteral("Български"));
    N6 = N17->addAction(QStringLiteral("Английски"));

    N2 = bar->addMenu(QStringLiteral("Помощ"));
    F11 = N2->addAction(QStringLiteral("&Помощ") + QString(24, u' ') + QStringLiteral("F1"));
    N3 = N2->addAction(QStringLiteral("&За нас ..."));
    N4 = N2->addAction(QStringLiteral("&За програмата"));
    N7 = N2->addAction(QStringLiteral("Информация за поръчки"));
    MultilingualOnlineDictionary1 = N2->addAction(QStringLiteral("Multilingual Online Dictionary"));

    N8 = bar->addMenu(QStringLiteral("Поръчай"));
    G0 = N8->addAction(QStringLiteral("Информация"));
    G1 = N8->addAction(QStringLiteral("Поръчай Hangman Trainer"));
    G1->setShortcut(QKeySequence(Qt::Key_F2));
    G2 = N8->addAction(QStringLiteral("Поръчай Phrase Book"));
    G2->setShortcut(QKeySequence(Qt::Key_F3));

    Action1 = new QAction(this);
    Action1->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(Action1);
}

void TForm1::BuildTopPanel(QWidget* client) {
    topPanel = new QWidget(client);
    topPanel->setObjectName(QStringLiteral("topPanel"));
    topPanel->setGeometry(0, 0, kClientWidth, 58);
    Picture(topPanel, QRect(0, 0, kClientWidth, 58), PictureId::TopPanel);
    Image1 = Picture(topPanel, QRect(0, 0, 90, 58), PictureId::Logo);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(QStringLiteral("Посетете нашата страница в Internet"));

    TabControl1 = new lookup::TTabControl(topPanel);
    TabControl1->setGeometry(kClientWidth - 521, 0, 521, 58);
    for (int tab = 0; tab < dictionary::kLatinCount; ++tab) {
        TabControl1->AddTab(dictionary::TabCaption(tab));
    }
    Combo = new lookup::TSearchCombo(TabControl1);
    const QRect content = TabControl1->ContentRect();
    Combo->setGeometry(8, content.top() + (content.height() - 24) / 2, 505, 24);
    Combo->setToolTip(QStringLiteral("Напишете дума за превод"));
}

void TForm1::BuildArticleArea() {
    Panel2 = new QWidget(mainPanel);
    Panel2->setGeometry(0, 0, kClientWidth - 210, mainPanel->height());
    RichEdit1 = new lookup::TRichEditDblClick(Panel2);
    RichEdit1->setGeometry(0, 0, Panel2->width(), Panel2->height() - 40);

    Panel3 = new QWidget(Panel2);
    Panel3->setGeometry(0, Panel2->height() - 40, Panel2->width(), 40);
    Panel3->setStyleSheet(QString::fromLatin1(kFlatButtonStyle));
    Image2 = Picture(Panel3, QRect(0, 0, Panel3->width(), 40), PictureId::ButtonBar);
    Button7 =
        FlatButton(Panel3, QRect(4, 2, 76, 36), QStringLiteral("Изговори показаната дума/фраза"),
                   app::Picture(PictureId::IconPronounce));
    SpeedButton1 = FlatButton(Panel3, QRect(83, 2, 76, 36), QStringLiteral("Запис"),
                              app::Picture(PictureId::IconRecord));
    SpeedButton2 = FlatButton(Panel3, QRect(162, 2, 76, 36), QStringLiteral("Възпроизвеждане"),
                              app::Picture(PictureId::IconPlay));
    SpeedButton2->setEnabled(false);
    Button1 =
        FlatButton(Panel3, QRect(241, 2, 76, 36), QStringLiteral("Прибавяне в списъка от думи"),
                   app::Picture(PictureId::IconAddWord));
    Button3 =
        FlatButton(Panel3, QRect(320, 2, 76, 36), QStringLiteral("Отваряне на списък от думи"),
                   app::Picture(PictureId::IconOpenList));
    SpeedButton3 = FlatButton(Panel3, QRect(320, 2, 76, 36), QStringLiteral("Продължи"),
                              app::Picture(PictureId::IconContinue));
    SpeedButton3->hide();
}

void TForm1::BuildRightPanel() {
    rightPanel1 = new QWidget(mainPanel);
    rightPanel1->setGeometry(kClientWidth - 210, 0, 210, mainPanel->height());
    rightPanel1->setStyleSheet(QString::fromLatin1(kFlatButtonStyle));
    const int height = rightPanel1->height();

    ListBox1 = new QListWidget(rightPanel1);
    ListBox1->setGeometry(0, 0, 132, 225);
    ListBox1->setCursor(Qt::ArrowCursor);
    ListBox1->setContextMenuPolicy(Qt::NoContextMenu);
    PopupMenu1 = new QMenu(this);
    Delete1 = PopupMenu1->addAction(QStringLiteral("&Изтрий"));

    Image4 = Picture(rightPanel1, QRect(0, 225, 100, height - 225), PictureId::ListStripLeft);
    Image5 = Picture(rightPanel1, QRect(100, 225, 32, height - 225), PictureId::ListStripRight);
    Label1 = new QLabel(rightPanel1);
    Label1->setGeometry(8, 225 + (height - 225 - 16) / 2, 83, 16);
    Label1->setAlignment(Qt::AlignCenter);
    QFont labelFont(QStringLiteral("MS Sans Serif"));
    labelFont.setPixelSize(13);
    labelFont.setBold(true);
    Label1->setFont(labelFont);
    Label1->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    Button4 = FlatButton(rightPanel1, QRect(101, 225 + (height - 225 - 30) / 2, 30, 30),
                         QStringLiteral("Изчистване на списъка от думи"),
                         app::Picture(PictureId::IconClear));
    Button4->hide();

    const int column = 134;
    Image3 = Picture(rightPanel1, QRect(column, 0, 76, height), PictureId::ButtonColumn);
    const QString methods[] = {QStringLiteral("Метод 1"), QStringLiteral("Метод 2"),
                               QStringLiteral("Метод 3"), QStringLiteral("Метод 4"),
                               QStringLiteral("Метод 5")};
    QToolButton** methodButtons[] = {&Button5, &Button9, &Button11, &Button16, &Button12};
    for (int i = 0; i < 5; ++i) {
        *methodButtons[i] =
            FlatButton(rightPanel1, QRect(column, 2 + 23 * i, 76, 22), methods[i], {}, methods[i]);
    }
    Button10 =
        FlatButton(rightPanel1, QRect(column, 118, 76, 40),
                   QStringLiteral("Да поиграем на бесеница"), app::Picture(PictureId::Hangman));
    Button2 = FlatButton(rightPanel1, QRect(column, 161, 76, 40),
                         QStringLiteral("Запис на списъка от думи"),
                         app::Picture(PictureId::IconSaveList));
    Button2->setEnabled(false);
    Button13 = FlatButton(rightPanel1, QRect(column, 204, 76, 40),
                          QStringLiteral("Добавяне към списъка от думи"),
                          app::Picture(PictureId::IconAddItems));
}

void TForm1::BuildPronunciationKey() {
    Panel4 = new QWidget(Panel2);
    Panel4->setGeometry(0, 0, 398, 213);
    Panel4->setAutoFillBackground(true);
    struct Group {
        QGroupBox** Box;
        const char* Caption;
        QRect Geometry;
        int First;
        int Last;
    };
    const Group groups[] = {
        {&RzGroupBox2, "  Гласни  ", QRect(4, 2, 390, 50), 1, 12},
        {&RzGroupBox3, "  Двугласни", QRect(4, 54, 290, 50), 13, 21},
        {&RzGroupBox1, "  Тригласни", QRect(298, 54, 96, 50), 22, 24},
        {&RzGroupBox4, "  Полугласни", QRect(4, 106, 70, 66), 25, 26},
        {&RzGroupBox5, "  Съгласни", QRect(78, 106, 316, 100), 27, 48},
    };
    static const char* const kSymbols[] = {
        "iː", "i",  "e",  "æ",  "ə",  "əː", "ʌ",  "aː", "ɔ",  "ɔː",  "u",   "uː",
        "ei", "ai", "ɔi", "au", "ou", "ɛə", "iə", "uə", "ɔə", "auə", "aiə", "eiə",
        "j",  "w",  "p",  "b",  "t",  "d",  "k",  "g",  "θ",  "ð",   "s",   "z",
        "f",  "v",  "ʃ",  "tʃ", "ʒ",  "dʒ", "m",  "n",  "ŋ",  "r",   "l",   "h"};
    for (const Group& group : groups) {
        auto* box = new QGroupBox(QString::fromUtf8(group.Caption), Panel4);
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
            button->setToolTip(QStringLiteral("Прослушване на транскрипция"));
            button->setGeometry(4 + column * 31, 16 + row * 27, 31, 27);
        }
    }
    RzRichEdit1 = new QTextEdit(Panel4);
    RzRichEdit1->setGeometry(11, 176, 311, 27);
    RzRichEdit1->setEnabled(false);
    RzRichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RzRichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Panel4->hide();
}

void TForm1::FormCreate() {
    // 1. The splash, painted at once: no events are processed while loading.
    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();
    // 2. The exercises draw from the system-wide generator.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    // 3. Widths the view switch restores. (4. The recorded streams are absent
    // until the first recording.)
    RememberedFormWidth = width();
    RememberedTabWidth = TabControl1->width();
    RememberedComboWidth = Combo->width();
    // 5. and 6. Settings and the start-up directory: the working directory now.
    std::error_code ec;
    startDir_ = std::filesystem::current_path(ec);
    const bool settingsExisted = settings_.Load(startDir_);
    ApplyStoredSettings(settingsExisted);
    // 7. The index, counting progress in dots on the splash.
    const dictionary::LoadReport report =
        index_.Load(startDir_, [&](int tab, dictionary::LoadStep step) {
            if (step == dictionary::LoadStep::BeforeRead) {
                TabControl1->AddTab(dictionary::TabCaption(tab));
            } else {
                splash->AdvanceProgress();
            }
        });
    // 8. The search box lists the selected letter.
    lookup_->SelectLetter(TabControl1->TabIndex());
    Combo->repaint();
    // 9. Usage hints in the interface language.
    lookup_->ShowUsageHints(EnglishInterface());
    // 10. and 11.
    splash.reset();
    show();
    repaint();
    // What start-up found wrong, in one box once the window shows.
    std::string problems = settings_.LastError();
    if (!report.Complete()) {
        problems += (problems.empty() ? "" : "\n\n") + report.Message();
    }
    if (!problems.empty()) {
        ShowError(this, QString::fromStdString(problems));
    }
    // 12. Text already on the clipboard is looked up at once.
    clipboard_->Register();
    // 13.
    FocusSearchBox();
}

void TForm1::ApplyStoredSettings(bool fileExisted) {
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
    Button7->setEnabled(enabled);
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

int TForm1::StudyListCount() const {
    return studyList_->Count();
}

std::string TForm1::StudyListItem(int position) const {
    return studyList_->Item(position);
}

int TForm1::StudyListItemIndex() const {
    return studyList_->ItemIndex();
}

void TForm1::SetStudyListItemIndex(int position) {
    studyList_->SetItemIndex(position);
}

bool TForm1::EnglishInterface() const {
    return N15->isChecked();
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
        *this, *this, StudyDialogs, DialogLook(), this);
    connect(Button1, &QToolButton::clicked, this, [this] { Button1Click(); });
    connect(Button13, &QToolButton::clicked, this, [this] { Button13Click(); });
    connect(Button2, &QToolButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QToolButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QToolButton::clicked, this, [this] { Button4Click(); });
    connect(N19, &QAction::triggered, this, [this] { N19Click(); });
    connect(N20, &QAction::triggered, this, [this] { N20Click(); });
    connect(N21, &QAction::triggered, this, [this] { N21Click(); });
}

studylist::TDialogLook TForm1::DialogLook() const {
    studylist::TDialogLook look;
    look.Texture = app::Picture(PictureId::DialogTexture);
    look.SaveIcon = app::Picture(PictureId::IconSaveList);
    look.CancelIcon = app::Picture(PictureId::IconStop);
    look.AddIcon = app::Picture(PictureId::IconAddItems);
    look.Panel = QColor::fromRgb(palette::Panel);
    look.Frame = QColor::fromRgb(palette::Teal);
    look.Accent = QColor::fromRgb(palette::Amber);
    look.Warning = QColor::fromRgb(palette::Red);
    return look;
}

void TForm1::FocusSearchBox() {
    lookup_->FocusSearchBox();
}

void TForm1::OpenNewWordDialog(const std::string& word, int tab) {
    studylist::TNewWord dialog(*userDictionary_, StudyDialogs, DialogLook(), EnglishInterface(),
                               this);
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
