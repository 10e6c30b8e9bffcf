// The Method 4, Method 5 and Hangman windows, where the user types the
// answer, over fake seams of the main window and a dictionary written byte
// for byte, driven with real widget events.
#include "exercises/HANG1.h"
#include "exercises/Unit6.h"
#include "exercises/test2.h"
#include "interface/HelpWindow.h"
#include "rtf/RtfDocument.h"
#include "tests/exercises/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

using namespace exercises;

class TypedWindowsTest : public WindowFixture {};

void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// On the box or the caption, where a person clicks an option.
void Choose(QAbstractButton* option) {
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

QString Cut(const std::string& rtf) {
    QTextDocument document;
    rtf::LoadRtf(document, rtf, QFont());
    CutArticleHead(document);
    return document.toPlainText();
}

QString ColourOf(const QLabel* label) {
    return label->styleSheet();
}

// ---- Method 4 ---------------------------------------------------------------

TEST_F(TypedWindowsTest, TheArticleHeadIsCutToTheFirstBracketAndOneCharacterMore) {
    EXPECT_EQ(Cut("{\\rtf1 house [haus]\\par a building [b]}"), QStringLiteral("a building [b]"));
    EXPECT_EQ(Cut("{\\rtf1 go [g\\u601?u] to walk}"), QStringLiteral("to walk"));
    EXPECT_EQ(Cut("{\\rtf1 no transcription}"), QStringLiteral("o transcription"))
        << "without a bracket only the first character goes";
    EXPECT_EQ(Cut("{\\rtf1 only]}"), QString());
    EXPECT_EQ(Cut("{\\rtf1 }"), QString());
}

TEST_F(TypedWindowsTest, Method4ExamShowThenCheckIsOneEachAndWrongChecksGoToMe) {
    TForm6 window(Seams(true));
    window.show();
    EXPECT_EQ(window.Label1->text(), QStringLiteral("0 - 0"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("HeaderControl1Section0"))->text(),
              QStringLiteral("You"));
    EXPECT_EQ(window.Button3->text(), QStringLiteral("Verification"));
    Choose(window.CheckBox2);
    Click(window.Button5);
    EXPECT_EQ(window.RichEdit1->toPlainText(), QStringLiteral("ouse article"))
        << "an article without a bracket loses its first character";
    EXPECT_TRUE(window.Edit1->text().isEmpty());
    EXPECT_EQ(window.PrgBar1->maximum(), 3);

    Click(window.Button8);
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("house"));
    EXPECT_EQ(window.Label1->text(), QStringLiteral("0 - 1"));
    QTest::keyClick(window.Edit1, Qt::Key_Return);
    EXPECT_EQ(window.Label1->text(), QStringLiteral("1 - 1"));
    EXPECT_EQ(verdicts_, std::vector<std::string>{"da.wav"});
    EXPECT_EQ(window.RichEdit1->toPlainText(), QStringLiteral("our article"));
    EXPECT_EQ(window.PrgBar1->value(), 1);

    QStringList scoreDuringSound;
    OnVerdict = [&] { scoreDuringSound << window.Label1->text(); };
    QTest::keyClicks(window.Edit1, QStringLiteral("hours"));
    QTest::keyClick(window.Edit1, Qt::Key_Return);
    Click(window.Button3);
    EXPECT_EQ(window.Label1->text(), QStringLiteral("1 - 3"));
    EXPECT_EQ(scoreDuringSound, QStringList({"1 - 2", "1 - 3"})) << "drawn before the sound";
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("hours")) << "the word stays";
    Choose(window.CheckBox1);
    EXPECT_TRUE(window.Rules().RandomOrder());
}

TEST_F(TypedWindowsTest, MethodsFourAndFiveOnAnEmptyListSayItAndDisableTheirControls) {
    study_.Entries.clear();
    TForm6 method4(Seams());
    TForm2 method5(Seams(true));
    method4.show();
    method5.show();
    ASSERT_NE(method4.EmptyListNotice, nullptr);
    ASSERT_NE(method5.EmptyListNotice, nullptr);
    EXPECT_TRUE(method4.EmptyListNotice->isVisible());
    EXPECT_TRUE(method5.EmptyListNotice->text().contains(QStringLiteral("empty")));
    for (QWidget* control : std::initializer_list<QWidget*>{
             method4.Button5, method4.Button4, method4.Button6, method4.Button7, method4.Button3,
             method4.Button8, method4.Edit1, method5.Button9, method5.Button3, method5.Button4,
             method5.Button7, method5.Button8, method5.Button2, method5.Edit1}) {
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    }
    method4.Button5Click();
    method4.Button4Click();
    method4.Button6Click();
    method4.Button8Click();
    method4.Button3Click();
    method5.Button9Click();
    method5.Button8Click();
    method5.Button7Click();
    method5.Button3Click();
    method5.Button2Click();
    playEnd_.Notify(*pronouncer_);
    EXPECT_EQ(method4.Label1->text(), QStringLiteral("0 - 0"));
    EXPECT_TRUE(pronouncer_->Spoken.empty());
    EXPECT_TRUE(verdicts_.empty());
    EXPECT_EQ(study_.SelectedPosition, -1);
    EXPECT_EQ(method5.PrgBar1->value(), 0);
}

// ---- Method 5 ---------------------------------------------------------------

TEST_F(TypedWindowsTest, Method5DictatesFromTheSelectionWrapsAndTakesUpperCaseAnswers) {
    TForm2 window(Seams());
    window.show();
    EXPECT_EQ(study_.SelectedPosition, 0);
    EXPECT_EQ(window.PrgBar1->maximum(), 2);
    EXPECT_FALSE(window.Button4->isEnabled());
    EXPECT_EQ(window.Button3->text(), QStringLiteral("Изговори"));

    Click(window.Button9);
    EXPECT_EQ(pronouncer_->Spoken, std::vector<std::string>{"house"});
    EXPECT_FALSE(window.Button3->isEnabled() || window.Button7->isEnabled() ||
                 window.Button8->isEnabled());
    playEnd_.Notify(*pronouncer_);
    EXPECT_TRUE(window.Button3->isEnabled() && window.Button4->isEnabled() &&
                window.Button7->isEnabled() && window.Button8->isEnabled());

    bool pictureWhilePlaying = false;
    OnVerdict = [&] { pictureWhilePlaying = !window.Image1->pixmap().isNull(); };
    QTest::keyClicks(window.Edit1, QStringLiteral("HOUSE"));
    QTest::keyClick(window.Edit1, Qt::Key_Return);
    EXPECT_EQ(verdicts_, std::vector<std::string>{"da.wav"});
    EXPECT_TRUE(pictureWhilePlaying);
    EXPECT_TRUE(window.Image1->pixmap().isNull());
    EXPECT_EQ((pronouncer_->Spoken), (std::vector<std::string>{"house", "hour"}))
        << "the next word is spoken at once";
    EXPECT_EQ(study_.SelectedPosition, 1);
    EXPECT_TRUE(window.Edit1->text().isEmpty());
    EXPECT_FALSE(window.Button8->isEnabled()) << "until that playback ends";
    playEnd_.Notify(*pronouncer_);

    Click(window.Button8);
    EXPECT_EQ(study_.SelectedPosition, 2);
    EXPECT_EQ(window.PrgBar1->value(), window.PrgBar1->maximum()) << "full at the last word";
    EXPECT_EQ(pronouncer_->Spoken.size(), 2u) << "a Bulgarian word is not spoken";
    Click(window.Button4);
    EXPECT_EQ(study_.SelectedPosition, 0) << "after the last, the first";
    playEnd_.Notify(*pronouncer_);
    Click(window.Button7);
    EXPECT_EQ(study_.SelectedPosition, 2) << "before the first, the last";
}

TEST_F(TypedWindowsTest, Method5OnAOneWordListShowsTheBarFull) {
    study_.Entries = {"hour"};
    TForm2 window(Seams());
    EXPECT_EQ(window.PrgBar1->value(), window.PrgBar1->maximum()) << "one word is the last";
    EXPECT_GT(window.PrgBar1->maximum(), 0) << "no busy animation";
}

// ---- Hangman ------------------------------------------------------------------

class HangmanWindowTest : public WindowFixture {
protected:
    THangmanScore score_;
};

TEST_F(HangmanWindowTest, AnEmptyListOpensOnARandomEnglishWordWithTheListOptionsOff) {
    study_.Entries.clear();
    THangForm1 window(Seams(true), score_);
    EXPECT_FALSE(window.RadioButton1->isEnabled() || window.RadioButton3->isEnabled());
    EXPECT_EQ(window.Game().State(), THangmanState::NoGame);
    window.show();
    EXPECT_TRUE(window.RadioButton2->isChecked());
    EXPECT_EQ(window.RadioButton2->text(), QStringLiteral("Random english word"));
    EXPECT_EQ(window.Game().State(), THangmanState::Playing);
    const std::string word = window.Game().SecretWord();
    EXPECT_TRUE(word == "hound" || word == "hour" || word == "house") << word;
    EXPECT_EQ(window.Label1->text(), QString::fromStdString(window.Game().Pattern()));
    EXPECT_EQ(window.Label3->text(), QStringLiteral("0 - 0"));
    EXPECT_EQ(lookup_->TabIndex(), kTabH) << "the main window shows the word's letter";
    EXPECT_TRUE(study_.Entries.empty());

    std::vector<std::filesystem::path> pages;
    env_.RunHelp = [&](QDialog& help) {
        pages.push_back(dynamic_cast<interface::TForm8&>(help).HelpPage);
    };
    window.Action1->trigger();
    EXPECT_EQ(pages, std::vector<std::filesystem::path>{dictionary_.Dir() / "hlp" / "metod6e.htm"});
}

TEST_F(HangmanWindowTest, KeysAreGuessesUntilTheTenthMissAndTheLegsSwingForThreeSeconds) {
    THangForm1 window(Seams(), score_);
    EXPECT_EQ(window.Button1->text(), QStringLiteral("Следваща дума"));
    window.Init("house");
    window.show();
    EXPECT_EQ(window.Label1->text(), QStringLiteral("H _ _ _ E"));
    QTest::keyClick(window.Edit1, Qt::Key_X);
    QTest::keyClick(window.Edit1, Qt::Key_Return);
    QTest::keyClick(window.Edit1, Qt::Key_X, Qt::ShiftModifier);
    EXPECT_EQ(window.Label2->text(), QStringLiteral("X\u21B5")) << "tried once, Enter shown";
    EXPECT_EQ(window.Game().Misses(), 2);
    EXPECT_EQ(window.Picture(), DrawGallows(2));
    EXPECT_TRUE(window.Edit1->text().isEmpty());

    QTest::keyClick(window.Edit1, Qt::Key_O, Qt::ShiftModifier);
    EXPECT_EQ(window.Label1->text(), QStringLiteral("H O _ _ E")) << "either case hits";
    EXPECT_EQ(window.Game().Misses(), 2);

    QTest::keyClicks(window.Edit1, QStringLiteral("abcdfgij"));
    EXPECT_EQ(window.Game().State(), THangmanState::Lost);
    EXPECT_EQ(window.Label1->text(), QStringLiteral("H O U S E"));
    EXPECT_EQ(window.Label3->text(), QStringLiteral("0 - 1"));
    EXPECT_TRUE(ColourOf(window.Label3).contains(QStringLiteral("#ff0000")));
    EXPECT_TRUE(window.Button3->isEnabled());
    EXPECT_EQ(window.Picture(), DrawGallows(10));
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(window.Timer1->interval(), 300);

    window.Timer1Timer();
    EXPECT_EQ(window.Picture(), DrawGallows(10, 1));
    for (int tick = 1; tick < 10; ++tick) {
        window.Timer1Timer();
    }
    EXPECT_EQ(window.Picture(), DrawGallows(10, 0)) << "ten ticks end where they began";
    EXPECT_FALSE(window.Timer1->isActive());

    QTest::keyClick(window.Edit1, Qt::Key_K);
    EXPECT_EQ(window.Label2->text(), QStringLiteral("X\u21B5OABCDFGIJ")) << "the game is over";
}

TEST_F(HangmanWindowTest, TranslationShowsTheSecretWordsArticleUntilTheNextWord) {
    THangForm1 window(Seams(), score_);
    window.Init("Hour");
    window.show();
    EXPECT_FALSE(window.Button3->isEnabled());
    Click(window.Button2);
    EXPECT_EQ(window.Label1->text(), QStringLiteral("H O U R"));
    EXPECT_EQ(window.Picture(), DrawGallows(0)) << "giving up draws nothing";
    EXPECT_TRUE(window.Panel4->isHidden());
    Click(window.Button3);
    EXPECT_TRUE(window.Panel4->isVisible());
    EXPECT_EQ(window.RichEdit1->toPlainText(), QStringLiteral("hour article"));
    EXPECT_EQ(window.RichEdit1->document()->firstBlock().blockFormat().alignment(),
              Qt::AlignHCenter);

    Choose(window.RadioButton3);
    Click(window.Button1);
    EXPECT_TRUE(window.Panel4->isHidden());
    EXPECT_FALSE(window.Button3->isEnabled());
    EXPECT_EQ(study_.SelectedPosition, 0) << "the next study word, from no selection";
    EXPECT_EQ(window.Game().SecretWord(), "house");

    window.Init("zebra");
    Click(window.Button2);
    Click(window.Button3);
    EXPECT_TRUE(window.Panel4->isHidden()) << "a word the dictionary lacks shows nothing";
}

TEST_F(HangmanWindowTest, NextWordSaysSoWhenNoWordOfThreeLettersIsFound) {
    study_.Entries = {"ab", "x", "zzzzz"};
    THangForm1 window(Seams(true), score_);
    window.Init("ab");
    window.show();
    EXPECT_EQ(window.Game().State(), THangmanState::NoGame)
        << "entries of their given letters only are passed over, not won";
    EXPECT_EQ(window.Label3->text(), QStringLiteral("0 - 0")) << "no points for nothing";
    EXPECT_EQ(score_.You, 0);
    EXPECT_TRUE(window.NoWordNotice->isVisible());
    EXPECT_FALSE(window.Button3->isEnabled()) << "nothing was guessed to look up";

    Click(window.Button1);
    EXPECT_TRUE(window.NoWordNotice->isVisible());
    EXPECT_TRUE(window.NoWordNotice->text().startsWith(QStringLiteral("No word")));
    EXPECT_EQ(window.Game().State(), THangmanState::NoGame) << "no new game";
    Choose(window.RadioButton2);
    Click(window.Button1);
    EXPECT_FALSE(window.NoWordNotice->isVisible());
    EXPECT_EQ(window.Game().State(), THangmanState::Playing);

    THangForm1 bulgarian(Seams(false), score_);
    bulgarian.show();
    Choose(bulgarian.RadioButton3);
    Click(bulgarian.Button1);
    EXPECT_TRUE(bulgarian.NoWordNotice->text().startsWith(QStringLiteral("Не бе намерена")));
}

TEST_F(HangmanWindowTest, ThePatternOfAVeryLongWordKeepsItsGivenFirstAndLastLetters) {
    THangForm1 window(Seams(), score_);
    // A head-word of 103 letters.
    const std::string word = "p" + std::string(50, 'n') + "eumonoultramicroscopicsilicovolc" +
                             std::string(19, 'o') + "s";
    ASSERT_EQ(word.size(), 103u);
    window.Init(word);
    window.show();
    const QString pattern = window.Label1->text();
    ASSERT_TRUE(pattern.startsWith(QStringLiteral("P _")) &&
                pattern.endsWith(QStringLiteral("_ S")));
    const QRect area = window.Label1->contentsRect();
    const QRect needed = QFontMetrics(window.Label1->font())
                             .boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, pattern);
    EXPECT_TRUE(window.Label1->wordWrap());
    EXPECT_TRUE(area.contains(needed))
        << "the pattern needs " << needed.width() << " x " << needed.height() << " of "
        << area.width() << " x " << area.height();
}

TEST_F(HangmanWindowTest, TheScoreOutlivesTheWindowAndShowsAtTheNextOpening) {
    {
        THangForm1 first(Seams(), score_);
        first.Init("hour");
        Click(first.Button2);
        EXPECT_EQ(first.Label3->text(), QStringLiteral("0 - 1"));
        Click(first.Button4);
        EXPECT_EQ(first.result(), QDialog::Accepted);
    }
    THangForm1 second(Seams(), score_);
    EXPECT_EQ(second.Label3->text(), QStringLiteral("0 - 1"));
    second.Init("house");
    second.show();
    QTest::keyClicks(second.Edit1, QStringLiteral("ous"));
    EXPECT_EQ(second.Game().State(), THangmanState::Won);
    EXPECT_EQ(second.Label3->text(), QStringLiteral("1 - 1"));
    EXPECT_TRUE(second.Button3->isEnabled());
}
} // namespace
