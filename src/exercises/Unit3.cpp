#include "exercises/Unit3.h"

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

namespace exercises {
namespace {

constexpr QRect kPanel(80, 80, 640, 440);

} // namespace

TForm3::TForm3(const TMainWindowSeams& seams, QWidget* owner)
    : TMethodWindow(seams, kMethod, QStringLiteral("Тест 1"), owner) {
    setObjectName(QStringLiteral("TForm3"));
    Panel1 = ContentPanel(this, QStringLiteral("Panel1"), kPanel);
    SpeedButton1 =
        PictureButton(Panel1, QStringLiteral("SpeedButton1"), QRect(548, 8, 38, 38), HelpPicture());
    Button1 =
        PictureButton(Panel1, QStringLiteral("Button1"), QRect(590, 8, 38, 38), ExitPicture());

    Label4 = TextLabel(Panel1, QStringLiteral("Label4"), QRect(24, 60, 200, 20));
    Edit1 = WordEdit(Panel1, QRect(24, 82, 496, 50), 28, ui::StyleSheet(u"color: @WordBlue;"),
                     TWordEdit::Shows);
    Label5 = TextLabel(Panel1, QStringLiteral("Label5"), QRect(24, 140, 200, 20));
    RichEdit1 = ArticleEdit(Panel1, QRect(24, 162, 496, 196));

    Label1 = TextLabel(Panel1, QStringLiteral("Label1"), QRect(532, 60, 96, 20));
    Label1->setAlignment(Qt::AlignCenter);
    TrackBar1 =
        SpeedSlider(Panel1, Qt::Vertical, QRect(556, 84, 48, 200), TMethod1Rules::kSpeedAtOpening);
    CheckBox1 = OptionBox(Panel1, QStringLiteral("CheckBox1"), QRect(540, 304, 92, 24), true);
    CheckBox1->setChecked(true);

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

    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) { rules_.SetSpeech(on); });
    OnSignal(this, &QAbstractButton::clicked,
             {{Button3, &TForm3::Button3Click},
              {Button4, &TForm3::Button4Click},
              {Button5, &TForm3::Button5Click},
              {Button7, &TForm3::Button7Click},
              {Button1, &TForm3::Button1Click},
              {SpeedButton1, &TForm3::SpeedButton1Click}});
    OnSignal(this, &QTimer::timeout,
             {{Timer1, &TForm3::Timer1Timer}, {Timer2, &TForm3::Timer2Timer}});
    FormCreate(Method1Texts(), {Button3, Timer2, QRect(24, 82, 496, 276), {}});
}

void TForm3::ShowState() {
    timer1_->Apply(rules_.ShowTimer());
    Button4->setEnabled(rules_.PreviousEnabled());
    Button5->setEnabled(rules_.NextEnabled());
    Button7->setEnabled(rules_.PronounceEnabled());
}

void TForm3::TrackBar1Change() {
    Run(&TMethod1Rules::SetSpeed, TrackBar1->value());
}

} // namespace exercises
