#include "exercises/test2.h"

#include "exercises/ExerciseTexts.h"
#include "ui/Palette.h"
#include "ui/Pictures.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

namespace exercises {
namespace {

constexpr QSize kDesignSize(800, 600);
constexpr QRect kPanel(100, 115, 600, 370);

} // namespace

TForm2::TForm2(const TMainWindowSeams& seams, QWidget* owner)
    : TExerciseWindow(seams, kMethod, QStringLiteral("Тест 5"), kDesignSize, owner),
      rules_(*this, [this] { return Seams().Pronouncer.PlayerLoaded(); }) {
    setObjectName(QStringLiteral("TForm2"));
    Panel1 = ContentPanel(this, QStringLiteral("Panel1"), kPanel);
    Button6 =
        PictureButton(Panel1, QStringLiteral("Button6"), QRect(514, 8, 38, 38), HelpPicture());
    Button5 =
        PictureButton(Panel1, QStringLiteral("Button5"), QRect(554, 8, 38, 38), ExitPicture());

    Button3 = LargeButton(Panel1, QStringLiteral("Button3"), QRect(24, 66, 160, 80),
                          ui::Picture(ui::PictureId::IconPronounce));
    Button4 = LargeButton(Panel1, QStringLiteral("Button4"), QRect(196, 66, 160, 80),
                          ui::Picture(ui::PictureId::IconContinue));
    CheckBox1 = new QCheckBox(Panel1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(380, 96, 196, 24);
    CheckBox1->setCursor(Qt::PointingHandCursor);
    CheckBox1->setFocusPolicy(Qt::NoFocus);

    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(24, 166, 420, 56);
    Edit1->setFont(WordFont(28));
    Edit1->setAlignment(Qt::AlignCenter);
    Edit1->setStyleSheet(ui::StyleSheet(u"color: @Panel;"));
    Image1 = TextLabel(Panel1, QStringLiteral("Image1"), QRect(480, 158, 72, 72), "verdict");
    Image1->setAlignment(Qt::AlignCenter);
    Button2 = TextButton(Panel1, QStringLiteral("Button2"), QRect(24, 234, 140, 34));
    Button1 = TextButton(Panel1, QStringLiteral("Button1"), QRect(172, 234, 140, 34));

    Rule(Panel1, QRect(16, 284, kPanel.width() - 32, 1));
    Button9 = PictureButton(Panel1, QStringLiteral("Button9"), QRect(24, 292, 44, 40), {});
    Button7 = TextButton(Panel1, QStringLiteral("Button7"), QRect(80, 294, 160, 36));
    Button8 = TextButton(Panel1, QStringLiteral("Button8"), QRect(248, 294, 160, 36));
    PrgBar1 = ProgressBar(Panel1, QRect(24, 346, kPanel.width() - 48, 8));

    Timer1 = NamedTimer(this, QStringLiteral("Timer1"));
    timer1_ = std::make_unique<TTimerMirror>(Timer1);
    start_ = std::make_unique<TStartButton>(
        Button9, ExerciseText(Method5Texts(), "Button9", ui::TTextKind::Hint, English()),
        English());

    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { Edit1KeyPress('\r'); });
    connect(Button9, &QToolButton::clicked, this, [this] { Button9Click(); });
    connect(Button8, &QToolButton::clicked, this, [this] { Button8Click(); });
    connect(Button4, &QToolButton::clicked, this, [this] { Button4Click(); });
    connect(Button7, &QToolButton::clicked, this, [this] { Button7Click(); });
    connect(Button3, &QToolButton::clicked, this, [this] { Button3Click(); });
    connect(Button2, &QToolButton::clicked, this, [this] { Button2Click(); });
    connect(Button1, &QToolButton::clicked, this, [this] { Button1Click(); });
    connect(Button5, &QToolButton::clicked, this, [this] { Button5Click(); });
    connect(Button6, &QToolButton::clicked, this, [this] { Button6Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    FormCreate();
}

void TForm2::FormCreate() {
    FitToDesktop({Panel1});
    rules_.FormCreate();
    ApplyTexts(*this, Method5Texts(), English());
    if (rules_.EmptyList()) {
        for (QWidget* control :
             std::initializer_list<QWidget*>{Edit1, Button1, Button2, CheckBox1}) {
            control->setEnabled(false);
        }
        EmptyListNotice = ShowEmptyListNotice(Panel1, QRect(24, 62, 552, 210));
    }
    Sync();
}

void TForm2::Sync() {
    start_->Show(rules_.StartStop);
    timer1_->Apply(rules_.StartStop.Blink);
    Button3->setEnabled(rules_.Button3Enabled);
    Button4->setEnabled(rules_.Button4Enabled);
    Button7->setEnabled(rules_.Button7Enabled);
    Button8->setEnabled(rules_.Button8Enabled);
    if (rules_.ProgressMax > 0) {
        PrgBar1->setRange(0, rules_.ProgressMax);
        PrgBar1->setValue(rules_.Progress);
    } else {
        // A one-word list is always at its last word; an empty range would
        // make the bar run a busy animation.
        PrgBar1->setRange(0, 1);
        PrgBar1->setValue(rules_.EmptyList() ? 0 : 1);
    }
}

void TForm2::Button9Click() {
    rules_.Button9Click();
    Sync();
}

void TForm2::Button8Click() {
    rules_.Button8Click();
    Sync();
}

void TForm2::Button4Click() {
    rules_.Button4Click();
    Sync();
}

void TForm2::Button7Click() {
    rules_.Button7Click();
    Sync();
}

void TForm2::Button3Click() {
    rules_.Button3Click();
    Sync();
}

void TForm2::Button2Click() {
    rules_.Button2Click();
    Sync();
}

void TForm2::Button1Click() {
    rules_.Button1Click();
    Sync();
}

void TForm2::Edit1KeyPress(char key) {
    if (key == '\r') {
        Button2Click();
    }
}

void TForm2::CheckBox1Click() {
    rules_.RandomOrder = CheckBox1->isChecked();
    Edit1->setFocus();
}

void TForm2::Timer1Timer() {
    if (!rules_.StartStop.Running) {
        start_->Blink();
    }
}

void TForm2::PlayEnded() {
    rules_.PlayEnded();
    Sync();
}

} // namespace exercises
