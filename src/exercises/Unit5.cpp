#include "exercises/Unit5.h"

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

constexpr QRect kPanel(200, 131, TForm5::kPanelWidth, TForm5::kPanelHeight);

} // namespace

TForm5::TForm5(const TMainWindowSeams& seams, QWidget* owner)
    : TMethodWindow(seams, kMethod, QStringLiteral("Тест 2"), owner) {
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
    Edit1 = WordEdit(Panel1, QRect(18, 76, 296, 42), 24, ui::StyleSheet(u"color: @WordRed;"),
                     TWordEdit::Shows);

    SpeedButton1 = TextButton(Panel1, QStringLiteral("SpeedButton1"), QRect(18, 124, 130, 28));
    RichEdit1 = ArticleEdit(Panel1, QRect(18, 158, 296, 110));
    RichEdit1->hide();

    Label1 = TextLabel(Panel1, QStringLiteral("Label1"), QRect(318, 58, 76, 16));
    Label1->setAlignment(Qt::AlignCenter);
    TrackBar1 =
        SpeedSlider(Panel1, Qt::Vertical, QRect(330, 78, 52, 140), TMethod2Rules::kSpeedAtOpening);
    CheckBox1 = OptionBox(Panel1, QStringLiteral("CheckBox1"), QRect(324, 234, 70, 20), true);
    CheckBox1->setChecked(true);

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

    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) { rules_.SetSpeech(on); });
    OnSignal(this, &QAbstractButton::clicked,
             {{Button3, &TForm5::Button3Click},
              {Button4, &TForm5::Button4Click},
              {Button6, &TForm5::Button6Click},
              {Button7, &TForm5::Button7Click},
              {SpeedButton1, &TForm5::SpeedButton1Click},
              {Button1, &TForm5::Button1Click},
              {SpeedButton2, &TForm5::SpeedButton2Click}});
    OnSignal(this, &QTimer::timeout,
             {{Timer1, &TForm5::Timer1Timer}, {Timer2, &TForm5::Timer2Timer}});
    FormCreate(Method2Texts(), {Button3, Timer2, QRect(18, 76, 296, 192), {}});
}

void TForm5::ShowState() {
    timer1_->Apply(rules_.ShowTimer());
    Button4->setEnabled(rules_.PreviousEnabled());
    Button6->setEnabled(rules_.NextEnabled());
    Button7->setEnabled(rules_.PronounceEnabled());
    SpeedButton1->setEnabled(rules_.TranslationEnabled());
    SpeedButton1->setText(ExercisePhrase(rules_.ShowingTranslation() ? TExercisePhrase::Continue
                                                                     : TExercisePhrase::Translation,
                                         English()));
    RichEdit1->setVisible(rules_.ArticleVisible());
}

void TForm5::TrackBar1Change() {
    Run(&TMethod2Rules::SetSpeed, TrackBar1->value());
}

} // namespace exercises
