#include "exercises/Unit3.h"

#include "exercises/ExerciseTexts.h"
#include "ui/Palette.h"
#include "ui/Pictures.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace exercises {
namespace {

constexpr QSize kDesignSize(800, 600);
constexpr QRect kPanel(80, 80, 640, 440);

} // namespace

TForm3::TForm3(const TMainWindowSeams& seams, QWidget* owner)
    : TExerciseWindow(seams, kMethod, QStringLiteral("Тест 1"), kDesignSize, owner), rules_(*this) {
    setObjectName(QStringLiteral("TForm3"));
    Panel1 = ContentPanel(this, QStringLiteral("Panel1"), kPanel);
    SpeedButton1 =
        PictureButton(Panel1, QStringLiteral("SpeedButton1"), QRect(548, 8, 38, 38), HelpPicture());
    Button1 =
        PictureButton(Panel1, QStringLiteral("Button1"), QRect(590, 8, 38, 38), ExitPicture());

    Label4 = TextLabel(Panel1, QStringLiteral("Label4"), QRect(24, 60, 200, 20));
    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(24, 82, 496, 50);
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::NoFocus);
    Edit1->setFont(WordFont(28));
    Edit1->setStyleSheet(ui::StyleSheet(u"color: @WordBlue;"));

    Label5 = TextLabel(Panel1, QStringLiteral("Label5"), QRect(24, 140, 200, 20));
    RichEdit1 = new QTextEdit(Panel1);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(24, 162, 496, 196);
    RichEdit1->setReadOnly(true);
    RichEdit1->setFocusPolicy(Qt::NoFocus);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setFont(ArticleFont());
    RichEdit1->document()->setDefaultFont(ArticleFont());

    Label1 = TextLabel(Panel1, QStringLiteral("Label1"), QRect(532, 60, 96, 20));
    Label1->setAlignment(Qt::AlignCenter);
    TrackBar1 =
        SpeedSlider(Panel1, Qt::Vertical, QRect(556, 84, 48, 200), TMethod1Rules::kSpeedAtOpening);
    CheckBox1 = new QCheckBox(Panel1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(540, 304, 92, 24);
    CheckBox1->setChecked(true);
    CheckBox1->setCursor(Qt::PointingHandCursor);

    Rule(Panel1, QRect(16, 366, kPanel.width() - 32, 1));
    Button3 = PictureButton(Panel1, QStringLiteral("Button3"), QRect(24, 374, 44, 40), {});
    Button4 = TextButton(Panel1, QStringLiteral("Button4"), QRect(80, 376, 160, 36));
    Button5 = TextButton(Panel1, QStringLiteral("Button5"), QRect(248, 376, 160, 36));
    Button7 = PictureButton(Panel1, QStringLiteral("Button7"), QRect(420, 374, 44, 40),
                            ui::Picture(ui::PictureId::IconPronounce));
    PrgBar1 = ProgressBar(Panel1, QRect(24, 422, 592, 8));

    Timer1 = NamedTimer(this, QStringLiteral("Timer1"));
    Timer2 = NamedTimer(this, QStringLiteral("Timer2"));
    timer1_ = std::make_unique<TTimerMirror>(Timer1);
    timer2_ = std::make_unique<TTimerMirror>(Timer2);
    start_ = std::make_unique<TStartButton>(
        Button3, ExerciseText(Method1Texts(), "Button3", ui::TTextKind::Hint, English()),
        English());

    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) { rules_.Speech = on; });
    connect(Button3, &QToolButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QToolButton::clicked, this, [this] { Button4Click(); });
    connect(Button5, &QToolButton::clicked, this, [this] { Button5Click(); });
    connect(Button7, &QToolButton::clicked, this, [this] { Button7Click(); });
    connect(Button1, &QToolButton::clicked, this, [this] { Button1Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    FormCreate();
}

void TForm3::FormCreate() {
    FitToDesktop({Panel1});
    rules_.FormCreate();
    ApplyTexts(*this, Method1Texts(), English());
    if (rules_.EmptyList()) {
        EmptyListNotice = ShowEmptyListNotice(Panel1, QRect(24, 82, 496, 276));
    }
    Sync();
}

void TForm3::Sync() {
    start_->Show(rules_.StartStop);
    timer1_->Apply(rules_.Timer1);
    timer2_->Apply(rules_.StartStop.Blink);
    Button4->setEnabled(rules_.Button4Enabled);
    Button5->setEnabled(rules_.Button5Enabled);
    Button7->setEnabled(rules_.Button7Enabled);
    ShowProgress(PrgBar1, rules_.Progress, rules_.ProgressMax);
}

void TForm3::TrackBar1Change() {
    rules_.TrackBar1Change(TrackBar1->value());
    Sync();
}

void TForm3::Button3Click() {
    rules_.Button3Click();
    Sync();
}

void TForm3::Timer1Timer() {
    rules_.Timer1Timer();
    Sync();
}

void TForm3::Button5Click() {
    rules_.Button5Click();
    Sync();
}

void TForm3::Button4Click() {
    rules_.Button4Click();
    Sync();
}

void TForm3::Button7Click() {
    rules_.Button7Click();
    Sync();
}

void TForm3::Timer2Timer() {
    if (!rules_.StartStop.Running) {
        start_->Blink();
    }
}

void TForm3::PlayEnded() {
    rules_.PlayEnded();
    Sync();
}

} // namespace exercises
