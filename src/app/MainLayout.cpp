#include "app/MainLayout.h"

#include "dictionary/Letters.h"
#include "interface/PronunciationKey.h"
#include "lookup/RichEditDblClick.h"
#include "lookup/SearchCombo.h"
#include "lookup/TabControl.h"
#include "ui/Captions.h"
#include "ui/FlatButtons.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"
#include "ui/Pictures.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QTextEdit>
#include <QToolButton>

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

void TMainLayout::Build(QMainWindow& window, std::function<void(QObject* sender)> keyPress) {
    window.setObjectName(QStringLiteral("TForm1"));
    window.setWindowTitle(Caption("TForm1"));
    auto* client = new QWidget(&window);
    client->setFixedSize(kClientWidth, kClientHeight);
    client->setObjectName(QStringLiteral("client"));
    window.setCentralWidget(client);
    BuildMenus(window);
    BuildTopPanel(client);
    mainPanel = Named(new QWidget(client), "mainPanel");
    mainPanel->setGeometry(0, 58, kClientWidth, kClientHeight - 58);
    BuildArticleArea();
    BuildRightPanel(window);
    BuildPronunciationKey(std::move(keyPress));
    window.setFixedSize(window.sizeHint());
}

interface::TLockedControls TMainLayout::Locked() const {
    return {Combo,
            TabControl1,
            ListBox1,
            Button1,
            Button3,
            Button13,
            Button4,
            Button2,
            Button10,
            Button14,
            {Button5, Button9, Button11, Button16, Button12},
            {N18->menuAction(), N1->menuAction(), N9->menuAction(), N2->menuAction()}};
}

void TMainLayout::BuildMenus(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    N18 = AddMenu(bar, "N18");
    N19 = AddItem(N18, "N19");
    N20 = AddItem(N18, "N20");
    N21 = AddItem(N18, "N21");
    N18->addSeparator();
    N23 = AddItem(N18, "N23");
    N24 = AddItem(N18, "N24");
    N18->addSeparator();
    N22 = AddItem(N18, "N22");

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
    N2->addSeparator();
    N25 = AddItem(N2, "N25");

    N8 = AddMenu(bar, "N8");
    G0 = AddItem(N8, "G0");
    G1 = AddItem(N8, "G1");
    G1->setShortcut(QKeySequence(Qt::Key_F2));
    G2 = AddItem(N8, "G2");
    G2->setShortcut(QKeySequence(Qt::Key_F3));

    Action1 = Named(new QAction(&window), "Action1");
    Action1->setShortcut(QKeySequence(Qt::Key_F1));
    window.addAction(Action1);
}

void TMainLayout::BuildTopPanel(QWidget* client) {
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

void TMainLayout::BuildArticleArea() {
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

void TMainLayout::BuildRightPanel(QMainWindow& window) {
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
    PopupMenu1 = Named(new QMenu(&window), "PopupMenu1");
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
    // Review fills the list with the words due: under the list's own buttons.
    Button14 = Named(ui::FlatButton(rightPanel1, QRect(column, 246, 76, 15), Hint("Button14"), {},
                                    Caption("Button14")),
                     "Button14");
}

void TMainLayout::BuildPronunciationKey(std::function<void(QObject* sender)> keyPress) {
    const interface::TKeyPanel key =
        interface::BuildPronunciationKey(Panel2, RichEdit1->geometry(), std::move(keyPress));
    Panel4 = key.Panel4;
    RzGroupBox1 = key.RzGroupBox1;
    RzGroupBox2 = key.RzGroupBox2;
    RzGroupBox3 = key.RzGroupBox3;
    RzGroupBox4 = key.RzGroupBox4;
    RzGroupBox5 = key.RzGroupBox5;
    RzRichEdit1 = key.RzRichEdit1;
}

} // namespace app
