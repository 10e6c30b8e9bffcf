#include "exercises/Unit6.h"

#include "exercises/ExerciseTexts.h"
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

constexpr QSize kDesignSize(800, 600);
constexpr QRect kPanel(80, 77, 640, 446);

QCheckBox* CheckBox(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setCursor(Qt::PointingHandCursor);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

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
    : TExerciseWindow(seams, kMethod, QStringLiteral("Тест 4"), kDesignSize, owner),
      rules_(*this, *this) {
    setObjectName(QStringLiteral("TForm6"));
    Panel1 = ContentPanel(this, QStringLiteral("Panel1"), kPanel);
    SpeedButton1 =
        PictureButton(Panel1, QStringLiteral("SpeedButton1"), QRect(554, 8, 38, 38), HelpPicture());
    Button2 =
        PictureButton(Panel1, QStringLiteral("Button2"), QRect(594, 8, 38, 38), ExitPicture());

    RichEdit1 = new QTextEdit(Panel1);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(24, 64, 400, 226);
    RichEdit1->setReadOnly(true);
    RichEdit1->setFocusPolicy(Qt::NoFocus);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setFont(ArticleFont());
    RichEdit1->document()->setDefaultFont(ArticleFont());

    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(24, 302, 400, 54);
    Edit1->setFont(WordFont(26));
    Edit1->setAlignment(Qt::AlignCenter);
    Edit1->setStyleSheet(ui::StyleSheet(u"color: @Panel;"));

    score_ = std::make_unique<TScoreBoard>(Panel1, QRect(444, 60, 172, 104),
                                           QStringLiteral("ScoreBox"), QStringLiteral("Label1"));
    Label1 = score_->Score;
    Label4 = score_->Caption;
    HeaderControl1 = score_->Header;
    CheckBox1 = CheckBox(Panel1, QStringLiteral("CheckBox1"), QRect(448, 170, 168, 22));
    CheckBox2 = CheckBox(Panel1, QStringLiteral("CheckBox2"), QRect(448, 192, 168, 22));
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
    timer3_ = std::make_unique<TTimerMirror>(Timer3);
    start_ = std::make_unique<TStartButton>(
        Button5, ExerciseText(Method4Texts(), "Button5", ui::TTextKind::Hint, English()),
        English());

    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) { rules_.RandomOrder = on; });
    connect(CheckBox2, &QCheckBox::toggled, this, [this](bool on) { rules_.Exam = on; });
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { Edit1KeyPress('\r'); });
    connect(Button5, &QToolButton::clicked, this, [this] { Button5Click(); });
    connect(Button4, &QToolButton::clicked, this, [this] { Button4Click(); });
    connect(Button7, &QToolButton::clicked, this, [this] { Button7Click(); });
    connect(Button6, &QToolButton::clicked, this, [this] { Button6Click(); });
    connect(Button3, &QToolButton::clicked, this, [this] { Button3Click(); });
    connect(Button8, &QToolButton::clicked, this, [this] { Button8Click(); });
    connect(Button2, &QToolButton::clicked, this, [this] { Button2Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3Timer(); });
    FormCreate();
}

void TForm6::FormCreate() {
    FitToDesktop({Panel1});
    rules_.FormCreate();
    ApplyTexts(*this, Method4Texts(), English());
    if (rules_.EmptyList()) {
        for (QWidget* control :
             std::initializer_list<QWidget*>{Edit1, Button3, Button8, CheckBox1, CheckBox2}) {
            control->setEnabled(false);
        }
        EmptyListNotice = ShowEmptyListNotice(Panel1, QRect(24, 64, 400, 292));
    }
    Sync();
}

void TForm6::Sync() {
    start_->Show(rules_.StartStop);
    timer3_->Apply(rules_.StartStop.Blink);
    Button4->setEnabled(rules_.Button4Enabled);
    Button6->setEnabled(rules_.Button6Enabled);
    Button7->setEnabled(rules_.Button7Enabled);
    if (Label1->text() != QString::fromStdString(rules_.ScoreText())) {
        score_->Show(QString::fromStdString(rules_.ScoreText()));
    }
    ShowProgress(PrgBar1, rules_.Progress, rules_.ProgressMax);
}

void TForm6::PlayVerdict(bool right) {
    // The score a Check has just changed shows before the verdict sound.
    Sync();
    TExerciseWindow::PlayVerdict(right);
}

void TForm6::CutArticleHead() {
    exercises::CutArticleHead(*RichEdit1->document());
}

void TForm6::Button5Click() {
    rules_.Button5Click();
    Sync();
}

void TForm6::Button4Click() {
    rules_.Button4Click();
    Sync();
}

void TForm6::Button7Click() {
    rules_.Button7Click();
    Sync();
}

void TForm6::Button6Click() {
    rules_.Button6Click();
    Sync();
}

void TForm6::Button3Click() {
    rules_.Button3Click();
    Sync();
}

void TForm6::Button8Click() {
    rules_.Button8Click();
    Sync();
}

void TForm6::Edit1KeyPress(char key) {
    if (key == '\r') {
        Button3Click();
    }
}

void TForm6::Timer3Timer() {
    if (!rules_.StartStop.Running) {
        start_->Blink();
    }
}

void TForm6::PlayEnded() {
    rules_.PlayEnded();
    Sync();
}

} // namespace exercises
