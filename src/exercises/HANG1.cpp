#include "exercises/HANG1.h"

#include "exercises/ExerciseTexts.h"
#include "ui/CodePageText.h"
#include "ui/Palette.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace exercises {
namespace {

constexpr QSize kDesignSize(800, 600);
constexpr QRect kPanel(60, 75, 680, 450);
// The translation covers the gallows and the score once a game is over.
constexpr QRect kTranslationInPanel(356, 138, 308, 296);

constexpr int kPatternMaxPixels = 40;
constexpr int kPatternMinPixels = 8;
constexpr QSize kPatternMargin(14, 3);
constexpr int kPatternBorder = 2;

QRadioButton* RadioButton(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* button = new QRadioButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// The largest word font up to kPatternMaxPixels in which the whole pattern
// fits the area, wrapped between its letters where one line is too short:
// long words get smaller letters, never lose their ends.
QFont PatternFont(const QString& pattern, const QSize& area) {
    for (int pixels = kPatternMaxPixels; pixels > kPatternMinPixels; --pixels) {
        const QFont font = WordFont(pixels);
        const QRect needed = QFontMetrics(font).boundingRect(
            QRect(QPoint(0, 0), area), Qt::AlignCenter | Qt::TextWordWrap, pattern);
        if (needed.width() <= area.width() && needed.height() <= area.height()) {
            return font;
        }
    }
    return WordFont(kPatternMinPixels);
}

} // namespace

QString TriedLettersText(const std::string& tried) {
    QString text;
    for (const char c : tried) {
        switch (c) {
        case '\r':
        case '\n':
            text += QChar(0x21B5); // ↵
            break;
        case '\b':
            text += QChar(0x232B); // ⌫
            break;
        case ' ':
            text += QChar(0x2423); // ␣
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
                text += QChar(0x00B7); // ·
            } else {
                text += ui::FromCodePage(std::string_view(&c, 1));
            }
        }
    }
    return text;
}

THangForm1::THangForm1(const TMainWindowSeams& seams, THangmanScore& score, QWidget* owner)
    : TExerciseWindow(seams, kMethod, QStringLiteral("Бесеница"), kDesignSize, owner), game_(score),
      words_(seams.Study, seams.Lookup) {
    setObjectName(QStringLiteral("THangForm1"));
    game_.SetAnswerObserver(seams.Answers);
    Panel1 = ContentPanel(this, QStringLiteral("Panel1"), kPanel);
    Panel1->setStyleSheet(ui::StyleSheet(
        u"QRadioButton { color: @White; spacing: 8px; font-size: 13px; font-weight: bold;"
        " background: transparent; }"
        "QRadioButton:disabled { color: @DisabledText; }"
        "QRadioButton::indicator { width: 12px; height: 12px; border-radius: 8px;"
        " border: 2px solid @Teal; background: @NavyDeep; }"
        "QRadioButton::indicator:checked { background: @Amber; border: 2px solid @White; }"
        "QRadioButton::indicator:disabled { border: 2px solid @DisabledFrame; }"));
    Button5 =
        PictureButton(Panel1, QStringLiteral("Button5"), QRect(596, 8, 38, 38), HelpPicture());
    Button4 =
        PictureButton(Panel1, QStringLiteral("Button4"), QRect(636, 8, 38, 38), ExitPicture());

    Label1 = TextLabel(Panel1, QStringLiteral("Label1"), QRect(24, 64, 632, 64), "word");
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    // Room inside the frame, where the pattern is laid out and wrapped.
    Label1->setContentsMargins(kPatternMargin.width(), kPatternMargin.height(),
                               kPatternMargin.width(), kPatternMargin.height());
    Label1->setStyleSheet(ui::StyleSheet(u"color: @Panel; background: @Paper;"
                                         " border: 2px solid @Teal; border-radius: 8px;"));
    NoWordNotice =
        TextLabel(Panel1, QStringLiteral("NoWordNotice"), QRect(24, 60, 632, 72), "notice");
    NoWordNotice->setAlignment(Qt::AlignCenter);
    NoWordNotice->setWordWrap(true);
    NoWordNotice->hide();

    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(24, 146, 56, 56);
    Edit1->setMaxLength(1);
    Edit1->setFont(WordFont(30));
    Edit1->setAlignment(Qt::AlignCenter);
    Edit1->setStyleSheet(ui::StyleSheet(u"color: @Panel; padding: 0px;"));
    Edit1->installEventFilter(this);
    Rule(Panel1, QRect(92, 150, 248, 1));
    Label2 = TextLabel(Panel1, QStringLiteral("Label2"), QRect(92, 156, 248, 46), "tried");
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label2->setWordWrap(true);
    QFont triedFont = WordFont(22);
    triedFont.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    Label2->setFont(triedFont);
    Label2->setStyleSheet(ui::StyleSheet(u"color: @Amber;"));

    RadioButton1 = RadioButton(Panel1, QStringLiteral("RadioButton1"), QRect(24, 218, 316, 24));
    RadioButton3 = RadioButton(Panel1, QStringLiteral("RadioButton3"), QRect(24, 244, 316, 24));
    RadioButton2 = RadioButton(Panel1, QStringLiteral("RadioButton2"), QRect(24, 270, 316, 24));
    RadioButton4 = RadioButton(Panel1, QStringLiteral("RadioButton4"), QRect(24, 296, 316, 24));
    RadioButton1->setChecked(true);

    Button1 = TextButton(Panel1, QStringLiteral("Button1"), QRect(24, 336, 154, 38));
    Button2 = TextButton(Panel1, QStringLiteral("Button2"), QRect(186, 336, 154, 38));
    Button3 = TextButton(Panel1, QStringLiteral("Button3"), QRect(24, 382, 316, 38));
    Button3->setEnabled(false);

    Panel2 = new QWidget(Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAttribute(Qt::WA_StyledBackground);
    Panel2->setStyleSheet(ui::StyleSheet(u"QWidget#Panel2 { background: @Paper;"
                                         " border: 2px solid @Teal; border-radius: 8px; }"));
    const QSize shown(kGallowsWidth * kPictureScale, kGallowsHeight * kPictureScale);
    Panel2->setGeometry(364, 146, shown.width() + 16, shown.height() + 16);
    Image1 = new QLabel(Panel2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, shown.width(), shown.height());

    score_ = std::make_unique<TScoreBoard>(Panel1, QRect(556, 146, 100, 110),
                                           QStringLiteral("Panel3"), QStringLiteral("Label3"));
    Panel3 = score_->Box;
    HeaderControl1 = score_->Header;
    Label3 = score_->Score;
    Label4 = score_->Caption;

    Panel4 = new QWidget(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setProperty("role", "panel");
    Panel4->setAttribute(Qt::WA_StyledBackground);
    Panel4->setGeometry(kTranslationInPanel.translated(kPanel.topLeft()));
    RichEdit1 = new QTextEdit(Panel4);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(10, 10, Panel4->width() - 20, Panel4->height() - 20);
    RichEdit1->setReadOnly(true);
    RichEdit1->setFocusPolicy(Qt::NoFocus);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setFont(ArticleFont());
    RichEdit1->document()->setDefaultFont(ArticleFont());
    Panel4->hide();

    Timer1 = NamedTimer(this, QStringLiteral("Timer1"));
    Timer1->setInterval(TGallowsKick::kIntervalMs);

    connect(Button1, &QToolButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QToolButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QToolButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QToolButton::clicked, this, [this] { Button4Click(); });
    connect(Button5, &QToolButton::clicked, this, [this] { Button5Click(); });
    for (QRadioButton* option : {RadioButton1, RadioButton2, RadioButton3, RadioButton4}) {
        connect(option, &QRadioButton::clicked, this, [this] { RadioButtonClick(); });
    }
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    FormCreate();
}

void THangForm1::FormCreate() {
    FitToDesktop({Panel1, Panel4});
    ApplyTexts(*this, HangmanTexts(), English());
    if (Count() <= 0) {
        RadioButton1->setEnabled(false);
        RadioButton3->setEnabled(false);
    }
    // The score is the program's: the totals so far show from the start.
    score_->Show(QString::fromStdString(game_.Score().Text()));
    ShowPicture();
}

void THangForm1::showEvent(QShowEvent* event) {
    TExerciseWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void THangForm1::FormShow() {
    // With study words the launcher has started the first game already.
    if (Count() <= 0) {
        RadioButton2->setChecked(true);
        Button1Click();
    }
    Edit1->setFocus();
}

THangmanSource THangForm1::Source() const {
    if (RadioButton1->isChecked()) {
        return THangmanSource::StudyRandom;
    }
    if (RadioButton2->isChecked()) {
        return THangmanSource::EnglishRandom;
    }
    if (RadioButton3->isChecked()) {
        return THangmanSource::StudyNext;
    }
    return THangmanSource::BulgarianRandom;
}

void THangForm1::Init(const std::string& secretWord) {
    // A first entry that would be won before a key is pressed is passed over.
    if (StartFirstStudyGame(game_, secretWord, words_)) {
        ShowGame();
    } else {
        ShowNoWordNotice();
    }
}

void THangForm1::ShowGame() {
    NoWordNotice->hide();
    Label2->clear();
    kick_.Stop();
    Timer1->stop();
    ShowPicture();
    ShowPattern();
}

void THangForm1::ShowNoWordNotice() {
    NoWordNotice->setText(ExercisePhrase(TExercisePhrase::NoHangmanWord, English()));
    NoWordNotice->raise();
    NoWordNotice->show();
}

void THangForm1::ShowPattern() {
    const QString pattern = ui::FromCodePage(game_.Pattern());
    // The frame's border counts too, before the style sheet has drawn it.
    const QSize room =
        Label1->size() - 2 * (kPatternMargin + QSize(kPatternBorder, kPatternBorder));
    Label1->setFont(PatternFont(pattern, room));
    Label1->setText(pattern);
}

void THangForm1::ShowPicture(int legsPhase) {
    picture_ = DrawGallows(game_.Misses(), legsPhase);
    Image1->setPixmap(QPixmap::fromImage(picture_).scaled(Image1->size(), Qt::IgnoreAspectRatio,
                                                          Qt::FastTransformation));
}

void THangForm1::ShowGameOver() {
    const bool won = game_.State() == THangmanState::Won;
    ShowPattern();
    score_->Show(QString::fromStdString(game_.Score().Text()),
                 QColor::fromRgb(won ? ui::palette::Won : ui::palette::Lost));
    Button3->setEnabled(game_.CanTranslate());
}

void THangForm1::Button1Click() {
    Panel4->hide();
    if (StartNextGame(game_, Source(), words_, Seams().Random)) {
        ShowGame();
    } else {
        ShowNoWordNotice();
    }
    Button3->setEnabled(false);
    Edit1->setFocus();
}

void THangForm1::Edit1KeyPress(char key) {
    const THangmanGuess guess = game_.Guess(key);
    Edit1->clear();
    if (guess == THangmanGuess::Ignored) {
        return;
    }
    Label2->setText(TriedLettersText(game_.TriedText()));
    switch (guess) {
    case THangmanGuess::Hit:
        ShowPattern();
        break;
    case THangmanGuess::Won:
        ShowGameOver();
        break;
    case THangmanGuess::Miss:
        ShowPicture();
        break;
    case THangmanGuess::Lost:
        QApplication::beep();
        ShowPicture();
        ShowGameOver();
        kick_.Start();
        Timer1->start();
        break;
    case THangmanGuess::Ignored:
        break;
    }
}

void THangForm1::Button2Click() {
    // The drawing stays as it is.
    if (game_.GiveUp()) {
        ShowGameOver();
    }
    Edit1->setFocus();
}

void THangForm1::Button3Click() {
    const TStudyWordHit hit = FindStudyWord(game_.SecretWord(), false);
    if (!hit.Found()) {
        return;
    }
    Panel4->raise();
    Panel4->show();
    LoadArticle(hit);
    QTextCursor cursor(RichEdit1->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(centred);
    RichEdit1->moveCursor(QTextCursor::Start);
}

void THangForm1::Timer1Timer() {
    if (kick_.Tick()) {
        ShowPicture(kick_.Phase());
    }
    if (!kick_.Running()) {
        Timer1->stop();
    }
}

void THangForm1::RadioButtonClick() {
    Edit1->setFocus();
}

bool THangForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Edit1 || event->type() != QEvent::KeyPress) {
        return TExerciseWindow::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    // Tab moves on, Escape belongs to the window, shortcuts are no guesses.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
        key->key() == Qt::Key_Escape ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return TExerciseWindow::eventFilter(watched, event);
    }
    const QString text = key->text();
    if (text.size() != 1) {
        return TExerciseWindow::eventFilter(watched, event);
    }
    // A character the code page cannot hold cannot be in any word.
    const auto byte = ui::ToCodePageExactly(text);
    if (byte && byte->size() == 1) {
        Edit1KeyPress((*byte)[0]);
    } else {
        Edit1->clear();
    }
    return true;
}

void OpenHangman(TLauncherHost& host, THangmanScore& score) {
    host.StopVoicePlayback();
    RunWithMainWindowHidden(host, [&score](const TMainWindowSeams& seams, QWidget* owner) {
        auto window = std::make_unique<THangForm1>(seams, score, owner);
        if (seams.Study.Count() > 0) {
            if (seams.Study.Selected() < 0) {
                seams.Study.Select(0);
            }
            window->Init(seams.Study.Entry(0));
        }
        return std::unique_ptr<TExerciseWindow>(std::move(window));
    });
    host.ExerciseSeams().Lookup.FocusSearchBox();
}

} // namespace exercises
