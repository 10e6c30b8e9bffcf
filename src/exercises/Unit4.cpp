#include "exercises/Unit4.h"

#include "exercises/ExerciseTexts.h"
#include "ui/Palette.h"
#include "ui/Pictures.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace exercises {
namespace {

constexpr QSize kDesignSize(800, 600);
constexpr QRect kPanel(100, 117, 600, 366);

} // namespace

TForm4::TForm4(const TMainWindowSeams& seams, QWidget* owner)
    : TExerciseWindow(seams, kMethod, QStringLiteral("Тест 3"), kDesignSize, owner), rules_(*this) {
    setObjectName(QStringLiteral("TForm4"));
    Panel1 = ContentPanel(this, QStringLiteral("Panel1"), kPanel);
    SpeedButton1 =
        PictureButton(Panel1, QStringLiteral("SpeedButton1"), QRect(514, 8, 38, 38), HelpPicture());
    Button1 =
        PictureButton(Panel1, QStringLiteral("Button1"), QRect(554, 8, 38, 38), ExitPicture());

    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(24, 68, 392, 56);
    Edit1->setFont(WordFont(28));
    Edit1->setAlignment(Qt::AlignCenter);
    Edit1->setStyleSheet(ui::StyleSheet(u"color: @Panel;"));
    Image1 = TextLabel(Panel1, QStringLiteral("Image1"), QRect(468, 60, 72, 72), "verdict");
    Image1->setAlignment(Qt::AlignCenter);

    Button3 = TextButton(Panel1, QStringLiteral("Button3"), QRect(24, 136, 124, 34));
    Button4 = TextButton(Panel1, QStringLiteral("Button4"), QRect(158, 136, 124, 34));
    Button5 = TextButton(Panel1, QStringLiteral("Button5"), QRect(292, 136, 124, 34));
    Button6 = LargeButton(Panel1, QStringLiteral("Button6"), QRect(432, 146, 144, 90),
                          ui::Picture(ui::PictureId::IconContinue));

    Label1 = TextLabel(Panel1, QStringLiteral("Label1"), QRect(24, 184, 300, 20));
    TrackBar1 = SpeedSlider(Panel1, Qt::Horizontal, QRect(24, 208, 300, 26),
                            TMethod3Rules::kSpeedAtOpening);
    CheckBox1 = new QCheckBox(Panel1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(24, 244, 240, 24);
    CheckBox1->setCursor(Qt::PointingHandCursor);
    CheckBox1->setFocusPolicy(Qt::NoFocus);

    Rule(Panel1, QRect(16, 280, kPanel.width() - 32, 1));
    Button9 = PictureButton(Panel1, QStringLiteral("Button9"), QRect(24, 288, 44, 40), {});
    Button7 = TextButton(Panel1, QStringLiteral("Button7"), QRect(80, 290, 160, 36));
    Button8 = TextButton(Panel1, QStringLiteral("Button8"), QRect(248, 290, 160, 36));
    PrgBar1 = ProgressBar(Panel1, QRect(24, 342, kPanel.width() - 48, 8));

    Timer1 = NamedTimer(this, QStringLiteral("Timer1"));
    Timer3 = NamedTimer(this, QStringLiteral("Timer3"));
    timer1_ = std::make_unique<TTimerMirror>(Timer1);
    timer3_ = std::make_unique<TTimerMirror>(Timer3);
    start_ = std::make_unique<TStartButton>(
        Button9, ExerciseText(Method3Texts(), "Button9", ui::TTextKind::Hint, English()),
        English());

    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) { rules_.RandomOrder = on; });
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { Edit1KeyPress('\r'); });
    connect(Button9, &QToolButton::clicked, this, [this] { Button9Click(); });
    connect(Button8, &QToolButton::clicked, this, [this] { Button8Click(); });
    connect(Button6, &QToolButton::clicked, this, [this] { Button6Click(); });
    connect(Button7, &QToolButton::clicked, this, [this] { Button7Click(); });
    connect(Button3, &QToolButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QToolButton::clicked, this, [this] { Button4Click(); });
    connect(Button5, &QToolButton::clicked, this, [this] { Button5Click(); });
    connect(Button1, &QToolButton::clicked, this, [this] { Button1Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3Timer(); });
    FormCreate();
}

void TForm4::FormCreate() {
    FitToDesktop({Panel1});
    rules_.FormCreate();
    ApplyTexts(*this, Method3Texts(), English());
    if (rules_.EmptyList()) {
        Edit1->setEnabled(false);
        EmptyListNotice = ShowEmptyListNotice(Panel1, QRect(24, 62, 392, 112));
    }
    Sync();
}

void TForm4::Sync() {
    start_->Show(rules_.StartStop);
    timer1_->Apply(rules_.Timer1);
    timer3_->Apply(rules_.StartStop.Blink);
    Button6->setEnabled(rules_.Button6Enabled);
    Button7->setEnabled(rules_.Button7Enabled);
    Button8->setEnabled(rules_.Button8Enabled);
    ShowProgress(PrgBar1, rules_.Progress, rules_.ProgressMax);
}

void TForm4::TrackBar1Change() {
    rules_.TrackBar1Change(TrackBar1->value());
    Sync();
}

void TForm4::Button9Click() {
    rules_.Button9Click();
    Sync();
}

void TForm4::Button8Click() {
    rules_.Button8Click();
    Sync();
}

void TForm4::Button6Click() {
    rules_.Button6Click();
    Sync();
}

void TForm4::Button7Click() {
    rules_.Button7Click();
    Sync();
}

void TForm4::Timer1Timer() {
    rules_.Timer1Timer();
    Sync();
}

void TForm4::Button3Click() {
    rules_.Button3Click();
    Sync();
}

void TForm4::Button5Click() {
    rules_.Button5Click();
    Sync();
}

void TForm4::Button4Click() {
    rules_.Button4Click();
    Sync();
}

void TForm4::Edit1KeyPress(char key) {
    if (key == '\r') {
        Button4Click();
    }
}

void TForm4::Timer3Timer() {
    if (!rules_.StartStop.Running) {
        start_->Blink();
    }
}

void TForm4::PlayEnded() {
    rules_.PlayEnded();
    Sync();
}

} // namespace exercises
