#include "exercises/Unit4.h"

#include "ui/Palette.h"
#include "ui/Pictures.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

namespace exercises {
namespace {

constexpr QRect kPanel(100, 117, 600, 366);

} // namespace

TForm4::TForm4(const TMainWindowSeams& seams, QWidget* owner)
    : TMethodWindow(seams, kMethod, QStringLiteral("Тест 3"), owner) {
    setObjectName(QStringLiteral("TForm4"));
    Panel1 = ContentPanel(this, QStringLiteral("Panel1"), kPanel);
    SpeedButton1 =
        PictureButton(Panel1, QStringLiteral("SpeedButton1"), QRect(514, 8, 38, 38), HelpPicture());
    Button1 =
        PictureButton(Panel1, QStringLiteral("Button1"), QRect(554, 8, 38, 38), ExitPicture());

    Edit1 = WordEdit(Panel1, QRect(24, 68, 392, 56), 28, ui::StyleSheet(u"color: @Panel;"),
                     TWordEdit::Answer);
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
    CheckBox1 = OptionBox(Panel1, QStringLiteral("CheckBox1"), QRect(24, 244, 240, 24), false);

    Rule(Panel1, QRect(16, 280, kPanel.width() - 32, 1));
    Button9 = PictureButton(Panel1, QStringLiteral("Button9"), QRect(24, 288, 44, 40), {});
    Button7 = TextButton(Panel1, QStringLiteral("Button7"), QRect(80, 290, 160, 36));
    Button8 = TextButton(Panel1, QStringLiteral("Button8"), QRect(248, 290, 160, 36));
    PrgBar1 = ProgressBar(Panel1, QRect(24, 342, kPanel.width() - 48, 8));

    Timer1 = NamedTimer(this, QStringLiteral("Timer1"));
    Timer3 = NamedTimer(this, QStringLiteral("Timer3"));
    timer1_ = std::make_unique<TTimerMirror>(Timer1);

    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) { rules_.SetRandomOrder(on); });
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { Edit1KeyPress('\r'); });
    OnSignal(this, &QAbstractButton::clicked,
             {{Button9, &TForm4::Button9Click},
              {Button8, &TForm4::Button8Click},
              {Button6, &TForm4::Button6Click},
              {Button7, &TForm4::Button7Click},
              {Button3, &TForm4::Button3Click},
              {Button4, &TForm4::Button4Click},
              {Button5, &TForm4::Button5Click},
              {Button1, &TForm4::Button1Click},
              {SpeedButton1, &TForm4::SpeedButton1Click}});
    OnSignal(this, &QTimer::timeout,
             {{Timer1, &TForm4::Timer1Timer}, {Timer3, &TForm4::Timer3Timer}});
    FormCreate(Method3Texts(), {Button9, Timer3, QRect(24, 62, 392, 112), {Edit1}});
}

void TForm4::ShowState() {
    timer1_->Apply(rules_.MemorisingTimer());
    Button6->setEnabled(rules_.NextWordEnabled());
    Button7->setEnabled(rules_.PreviousEnabled());
    Button8->setEnabled(rules_.NextInListEnabled());
}

void TForm4::TrackBar1Change() {
    Run(&TMethod3Rules::SetMemorisingTime, TrackBar1->value());
}

} // namespace exercises
