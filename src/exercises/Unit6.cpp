#include "exercises/Unit6.h"

#include "ui/Palette.h"
#include "ui/Pictures.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace exercises {
namespace {

constexpr QRect kPanel(80, 77, 640, 446);

} // namespace

void CutArticleHead(QTextDocument& document) {
    // The plain text counts one character per paragraph break, as the
    // document's positions do.
    const int bracket = static_cast<int>(document.toPlainText().indexOf(QLatin1Char(']')));
    const int end = std::min(bracket + 2, document.characterCount() - 1);
    if (end <= 0) {
        return;
    }
    QTextCursor cursor(&document);
    cursor.setPosition(0);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

TForm6::TForm6(const TMainWindowSeams& seams, QWidget* owner)
    : TMethodWindow(seams, kMethod, QStringLiteral("Тест 4"), owner,
                    static_cast<TArticleHead&>(*this)) {
    setObjectName(QStringLiteral("TForm6"));
    Panel1 = ContentPanel(this, QStringLiteral("Panel1"), kPanel);
    SpeedButton1 =
        PictureButton(Panel1, QStringLiteral("SpeedButton1"), QRect(554, 8, 38, 38), HelpPicture());
    Button2 =
        PictureButton(Panel1, QStringLiteral("Button2"), QRect(594, 8, 38, 38), ExitPicture());

    RichEdit1 = ArticleEdit(Panel1, QRect(24, 64, 400, 226));
    Edit1 = WordEdit(Panel1, QRect(24, 302, 400, 54), 26, ui::StyleSheet(u"color: @Panel;"),
                     TWordEdit::Answer);

    score_ = std::make_unique<TScoreBoard>(Panel1, QRect(444, 60, 172, 104),
                                           QStringLiteral("ScoreBox"), QStringLiteral("Label1"));
    Label1 = score_->Score;
    Label4 = score_->Caption;
    HeaderControl1 = score_->Header;
    CheckBox1 = OptionBox(Panel1, QStringLiteral("CheckBox1"), QRect(448, 170, 168, 22), false);
    CheckBox2 = OptionBox(Panel1, QStringLiteral("CheckBox2"), QRect(448, 192, 168, 22), false);
    Button3 = TextButton(Panel1, QStringLiteral("Button3"), QRect(444, 222, 172, 32));
    Button8 = TextButton(Panel1, QStringLiteral("Button8"), QRect(444, 258, 172, 32));
    Button4 = LargeButton(Panel1, QStringLiteral("Button4"), QRect(444, 296, 172, 60),
                          ui::Picture(ui::PictureId::IconContinue));

    Rule(Panel1, QRect(16, 368, kPanel.width() - 32, 1));
    Button5 = PictureButton(Panel1, QStringLiteral("Button5"), QRect(24, 376, 44, 40), {});
    Button6 = TextButton(Panel1, QStringLiteral("Button6"), QRect(80, 378, 160, 36));
    Button7 = TextButton(Panel1, QStringLiteral("Button7"), QRect(248, 378, 160, 36));
    PrgBar1 = ProgressBar(Panel1, QRect(24, 426, kPanel.width() - 48, 8));
    Timer3 = NamedTimer(this, QStringLiteral("Timer3"));

    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) { rules_.SetRandomOrder(on); });
    connect(CheckBox2, &QCheckBox::toggled, this, [this](bool on) { rules_.SetExam(on); });
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { Edit1KeyPress('\r'); });
    OnSignal(this, &QAbstractButton::clicked,
             {{Button5, &TForm6::Button5Click},
              {Button4, &TForm6::Button4Click},
              {Button7, &TForm6::Button7Click},
              {Button6, &TForm6::Button6Click},
              {Button3, &TForm6::Button3Click},
              {Button8, &TForm6::Button8Click},
              {Button2, &TForm6::Button2Click},
              {SpeedButton1, &TForm6::SpeedButton1Click}});
    OnSignal(this, &QTimer::timeout, {{Timer3, &TForm6::Timer3Timer}});
    FormCreate(Method4Texts(), {Button5,
                                Timer3,
                                QRect(24, 64, 400, 292),
                                {Edit1, Button3, Button8, CheckBox1, CheckBox2}});
}

void TForm6::ShowState() {
    Button4->setEnabled(rules_.NextWordEnabled());
    Button6->setEnabled(rules_.PreviousEnabled());
    Button7->setEnabled(rules_.NextInListEnabled());
    const QString score = QString::fromStdString(rules_.ScoreText());
    if (Label1->text() != score) {
        score_->Show(score);
    }
}

void TForm6::PlayVerdict(bool right) {
    // The score a Check has just changed shows before the verdict sound.
    ShowState();
    TExerciseWindow::PlayVerdict(right);
}

void TForm6::CutArticleHead() {
    exercises::CutArticleHead(*RichEdit1->document());
}

} // namespace exercises
