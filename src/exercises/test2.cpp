#include "exercises/test2.h"

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

constexpr QRect kPanel(100, 115, 600, 370);

} // namespace

TForm2::TForm2(const TMainWindowSeams& seams, QWidget* owner)
    : TMethodWindow(seams, kMethod, QStringLiteral("Тест 5"), owner) {
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
    CheckBox1 = OptionBox(Panel1, QStringLiteral("CheckBox1"), QRect(380, 96, 196, 24), false);

    Edit1 = WordEdit(Panel1, QRect(24, 166, 420, 56), 28, ui::StyleSheet(u"color: @Panel;"),
                     TWordEdit::Answer);
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

    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { Edit1KeyPress('\r'); });
    OnSignal(this, &QAbstractButton::clicked,
             {{Button9, &TForm2::Button9Click},
              {Button8, &TForm2::Button8Click},
              {Button4, &TForm2::Button4Click},
              {Button7, &TForm2::Button7Click},
              {Button3, &TForm2::Button3Click},
              {Button2, &TForm2::Button2Click},
              {Button1, &TForm2::Button1Click},
              {Button5, &TForm2::Button5Click},
              {Button6, &TForm2::Button6Click}});
    OnSignal(this, &QTimer::timeout, {{Timer1, &TForm2::Timer1Timer}});
    FormCreate(Method5Texts(),
               {Button9, Timer1, QRect(24, 62, 552, 210), {Edit1, Button1, Button2, CheckBox1}});
}

void TForm2::ShowState() {
    Button3->setEnabled(rules_.PronounceEnabled());
    Button4->setEnabled(rules_.LargeNextEnabled());
    Button7->setEnabled(rules_.PreviousEnabled());
    Button8->setEnabled(rules_.NextEnabled());
}

void TForm2::CheckBox1Click() {
    rules_.SetRandomOrder(CheckBox1->isChecked());
    Edit1->setFocus();
}

} // namespace exercises
