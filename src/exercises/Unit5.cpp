#include "exercises/Unit5.h"

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
constexpr QRect kPanel(200, 131, TForm5::kPanelWidth, TForm5::kPanelHeight);

} // namespace

TForm5::TForm5(const TMainWindowSeams& seams, QWidget* owner)
    : TExerciseWindow(seams, kMethod, QStringLiteral("Тест 2"), kDesignSize, owner), rules_(*this) {
    setObjectName(QStringLiteral("TForm5"));
    Panel1 = ContentPanel(this, QStringLiteral("Panel1"), kPanel);
    SpeedButton2 =
        PictureButton(Panel1, QStringLiteral("SpeedButton2"), QRect(315, 8, 36, 36), HelpPicture());
    Button1 =
        PictureButton(Panel1, QStringLiteral("Button1"), QRect(353, 8, 36, 36), ExitPicture());

    // The panel keeps the layout's small size: its texts are a size smaller.
    Panel1->setStyleSheet(QStringLiteral(
        "QToolButton { font-size: 12px; } QToolButton[role=\"framed\"] { padding: 2px 2px; }"
        "QCheckBox { font-size: 12px; spacing: 5px; } QLabel[role=\"caption\"] { font-size: 12px; "
        "}"));
    Label4 = TextLabel(Panel1, QStringLiteral("Label4"), QRect(18, 58, 200, 16));
    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(18, 76, 296, 42);
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::NoFocus);
    Edit1->setFont(WordFont(24));
    Edit1->setStyleSheet(ui::StyleSheet(u"color: @WordRed;"));

    SpeedButton1 = TextButton(Panel1, QStringLiteral("SpeedButton1"), QRect(18, 124, 130, 28));
    RichEdit1 = new QTextEdit(Panel1);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(18, 158, 296, 110);
    RichEdit1->setReadOnly(true);
    RichEdit1->setFocusPolicy(Qt::NoFocus);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setFont(ArticleFont());
    RichEdit1->document()->setDefaultFont(ArticleFont());
    RichEdit1->hide();

    Label1 = TextLabel(Panel1, QStringLiteral("Label1"), QRect(318, 58, 76, 16));
    Label1->setAlignment(Qt::AlignCenter);
    TrackBar1 =
        SpeedSlider(Panel1, Qt::Vertical, QRect(330, 78, 52, 140), TMethod2Rules::kSpeedAtOpening);
    CheckBox1 = new QCheckBox(Panel1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(324, 234, 70, 20);
    CheckBox1->setChecked(true);
    CheckBox1->setCursor(Qt::PointingHandCursor);

    Rule(Panel1, QRect(16, 276, kPanelWidth - 32, 1));
    Button3 = PictureButton(Panel1, QStringLiteral("Button3"), QRect(20, 282, 38, 36), {});
    Button4 = TextButton(Panel1, QStringLiteral("Button4"), QRect(62, 286, 128, 28));
    Button6 = TextButton(Panel1, QStringLiteral("Button6"), QRect(194, 286, 128, 28));
    Button7 = PictureButton(Panel1, QStringLiteral("Button7"), QRect(328, 282, 38, 36),
                            ui::Picture(ui::PictureId::IconPronounce));
    PrgBar1 = ProgressBar(Panel1, QRect(16, 325, kPanelWidth - 32, 6));

    Timer1 = NamedTimer(this, QStringLiteral("Timer1"));
    Timer2 = NamedTimer(this, QStringLiteral("Timer2"));
    timer1_ = std::make_unique<TTimerMirror>(Timer1);
    timer2_ = std::make_unique<TTimerMirror>(Timer2);
    start_ = std::make_unique<TStartButton>(
        Button3, ExerciseText(Method2Texts(), "Button3", ui::TTextKind::Hint, English()),
        English());

    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) { rules_.Speech = on; });
    connect(Button3, &QToolButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QToolButton::clicked, this, [this] { Button4Click(); });
    connect(Button6, &QToolButton::clicked, this, [this] { Button6Click(); });
    connect(Button7, &QToolButton::clicked, this, [this] { Button7Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(Button1, &QToolButton::clicked, this, [this] { Button1Click(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    FormCreate();
}

void TForm5::FormCreate() {
    rules_.FormCreate();
    FitToDesktop({Panel1});
    ApplyTexts(*this, Method2Texts(), English());
    if (rules_.EmptyList()) {
        EmptyListNotice = ShowEmptyListNotice(Panel1, QRect(18, 76, 296, 192));
    }
    Sync();
}

void TForm5::Sync() {
    start_->Show(rules_.StartStop);
    Button3->setEnabled(rules_.StartStop.Enabled && rules_.Button3Enabled);
    timer1_->Apply(rules_.Timer1);
    timer2_->Apply(rules_.StartStop.Blink);
    Button4->setEnabled(rules_.Button4Enabled);
    Button6->setEnabled(rules_.Button6Enabled);
    Button7->setEnabled(rules_.Button7Enabled);
    SpeedButton1->setEnabled(rules_.SpeedButton1Enabled);
    SpeedButton1->setText(ExercisePhrase(rules_.ShowingTranslation ? TExercisePhrase::Continue
                                                                   : TExercisePhrase::Translation,
                                         English()));
    RichEdit1->setVisible(rules_.ArticleVisible);
    ShowProgress(PrgBar1, rules_.Progress, rules_.ProgressMax);
}

void TForm5::TrackBar1Change() {
    rules_.TrackBar1Change(TrackBar1->value());
    Sync();
}

void TForm5::Button3Click() {
    rules_.Button3Click();
    Sync();
}

void TForm5::Timer1Timer() {
    rules_.Timer1Timer();
    Sync();
}

void TForm5::Button6Click() {
    rules_.Button6Click();
    Sync();
}

void TForm5::Button4Click() {
    rules_.Button4Click();
    Sync();
}

void TForm5::Button7Click() {
    rules_.Button7Click();
    Sync();
}

void TForm5::SpeedButton1Click() {
    rules_.SpeedButton1Click();
    Sync();
}

void TForm5::Timer2Timer() {
    if (rules_.BlinkAllowed()) {
        start_->Blink();
    }
}

void TForm5::PlayEnded() {
    rules_.PlayEnded();
    Sync();
}

} // namespace exercises
