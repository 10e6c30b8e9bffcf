// The Method 1, 2 and 3 windows over fake seams of the main window and a
// dictionary written byte for byte, driven with real widget events.
#include "exercises/ExerciseLook.h"
#include "exercises/Unit3.h"
#include "exercises/Unit4.h"
#include "exercises/Unit5.h"
#include "interface/HelpWindow.h"
#include "tests/exercises/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

using namespace exercises;

class ExerciseWindowsTest : public WindowFixture {};

void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

TEST_F(ExerciseWindowsTest, WindowsFillTheDesktopBorderlessWithTheirPanelsCentred) {
    TForm3 method1(Seams());
    TForm5 method2(Seams());
    TForm4 method3(Seams());
    for (TExerciseWindow* window :
         std::initializer_list<TExerciseWindow*>{&method1, &method2, &method3}) {
        EXPECT_EQ(window->geometry(), QRect(0, 0, 1280, 1024));
        EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(window->windowState().testFlag(Qt::WindowMaximized));
    }
    // Laid out in 800 x 600: moved by half of 480 and of 424.
    EXPECT_EQ(method1.Panel1->pos(), QPoint(80 + 240, 80 + 212));
    EXPECT_EQ(method2.Panel1->size(), QSize(399, 337));
    for (QWidget* panel : {method1.Panel1, method2.Panel1, method3.Panel1}) {
        EXPECT_LE((panel->geometry().center() - QPoint(640, 512)).manhattanLength(), 2);
    }

    // Halves of an odd gain are rounded toward zero, also when the desktop
    // is smaller than the layout.
    env_.DesktopRect = [] { return QRect(0, 0, 799, 601); };
    TForm3 small(Seams());
    EXPECT_EQ(small.Panel1->pos(), QPoint(80, 80));
}

TEST_F(ExerciseWindowsTest, CaptionsAndHintsComeFromTheLanguageAtOpening) {
    TForm3 bulgarian(Seams(false));
    TForm3 english(Seams(true));
    EXPECT_EQ(bulgarian.Label5->text(), QStringLiteral("Значение"));
    EXPECT_EQ(english.CheckBox1->text(), QStringLiteral("Speach"));
    EXPECT_EQ(english.Button7->toolTip(), QStringLiteral("Pronounce this word/phrase"));
    EXPECT_EQ(english.TrackBar1->toolTip(), QStringLiteral("Скорост на смяна на думите"));
    EXPECT_EQ(english.findChild<QLabel*>(QStringLiteral("Heading"))->text(),
              QStringLiteral("Method 1"));
    TForm5 method2(Seams(true));
    EXPECT_EQ(method2.SpeedButton1->text(), QStringLiteral("Translation"));
    EXPECT_EQ(method2.SpeedButton2->toolTip(), QStringLiteral("Help"));
    TForm4 method3(Seams(false));
    EXPECT_EQ(method3.Label1->text(), QStringLiteral("Време за запаметяване"));
    EXPECT_EQ(method3.Button6->text(), QStringLiteral("Следваща дума"));
}

TEST_F(ExerciseWindowsTest, TheStartHintIsStopAfterStartAndStartAfterStop) {
    for (const bool english : {false, true}) {
        TForm3 method1(Seams(english));
        method1.show();
        EXPECT_EQ(method1.Button3->toolTip(),
                  english ? QStringLiteral("Start/Stop") : QStringLiteral("Старт/Стоп"));
        Click(method1.Button3);
        EXPECT_EQ(method1.Button3->toolTip(),
                  english ? QStringLiteral("Stop") : QStringLiteral("Стоп"));
        Click(method1.Button3);
        EXPECT_EQ(method1.Button3->toolTip(), QStringLiteral("Старт")) << "in both languages";

        TForm4 method3(Seams(english));
        method3.show();
        Click(method3.Button9);
        EXPECT_EQ(method3.Button9->toolTip(),
                  english ? QStringLiteral("Stop") : QStringLiteral("Стоп"));
    }
}

TEST_F(ExerciseWindowsTest, StartPicturesBlinkEveryHalfSecondOnlyWhileStopped) {
    TForm3 window(Seams());
    EXPECT_TRUE(window.Timer2->isActive());
    EXPECT_EQ(window.Timer2->interval(), 500);
    EXPECT_EQ(window.StartButton().Phase(), 1);
    window.Timer2Timer();
    EXPECT_EQ(window.StartButton().Phase(), 2);
    window.Timer2Timer();
    EXPECT_EQ(window.StartButton().Phase(), 1);
    window.Timer2Timer();
    window.Button3Click();
    EXPECT_FALSE(window.Timer2->isActive());
    window.Timer2Timer();
    EXPECT_EQ(window.StartButton().Phase(), 2) << "no blinking while running";
    window.Button3Click();
    EXPECT_TRUE(window.Timer2->isActive());
    EXPECT_EQ(window.StartButton().Phase(), 1) << "Stop shows the first Start picture";
}

TEST_F(ExerciseWindowsTest, ButtonPicturesComeFromTheDataFolderOrAreDrawn) {
    QImage red(28, 28, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(QString::fromStdString((dictionary_.Dir() / "Start1.bmp").string())));
    EXPECT_EQ(StartPicture(paths_, 1).toImage().pixel(14, 14), QColor(Qt::red).rgb());
    EXPECT_EQ(StartPicture(paths_, 2).toImage(), StartFallbackPicture(2).toImage());
    EXPECT_EQ(StopPicture(paths_).toImage(), StopFallbackPicture().toImage());
    EXPECT_NE(StartFallbackPicture(1).toImage(), StartFallbackPicture(2).toImage())
        << "the two phases differ, so the button blinks";
}

TEST_F(ExerciseWindowsTest, Method1ShowsWordsWithArticlesLockedWhileTheyPlay) {
    TForm3 window(Seams());
    window.show();
    Click(window.Button3);
    window.TrackBar1->setValue(1);
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(window.Timer1->interval(), 500);
    window.Timer1Timer();
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("house"));
    EXPECT_EQ(window.RichEdit1->toPlainText(), QStringLiteral("house article"));
    EXPECT_EQ(study_.SelectedPosition, 0);
    EXPECT_EQ(pronouncer_->Spoken, std::vector<std::string>{"house"});
    EXPECT_FALSE(window.Button4->isEnabled() || window.Button5->isEnabled() ||
                 window.Button7->isEnabled());
    playEnd_.Notify(*pronouncer_);
    EXPECT_TRUE(window.Button4->isEnabled() && window.Button5->isEnabled() &&
                window.Button7->isEnabled());

    // Back from the first word to the last, a Bulgarian one, never spoken.
    Click(window.Button4);
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("ад"));
    EXPECT_EQ(window.RichEdit1->toPlainText(), QStringLiteral("hell article"));
    EXPECT_EQ(lookup_->ArticleReads.back(), dictionary_.Dir() / "bg" / "base_1.ref");
    EXPECT_EQ(pronouncer_->Spoken.size(), 1u);
    EXPECT_EQ(window.PrgBar1->value(), 2);
}

TEST_F(ExerciseWindowsTest, Method2TranslationThenContinueRunsTheShowUnderAStartPicture) {
    TForm5 window(Seams(true));
    window.show();
    EXPECT_FALSE(window.SpeedButton1->isEnabled());
    Click(window.Button6);
    playEnd_.Notify(*pronouncer_);
    Click(window.SpeedButton1);
    EXPECT_FALSE(window.RichEdit1->isHidden());
    EXPECT_EQ(window.RichEdit1->toPlainText(), QStringLiteral("house article"));
    EXPECT_EQ(window.SpeedButton1->text(), QStringLiteral("Continue"));
    EXPECT_FALSE(window.Button3->isEnabled() || window.Button6->isEnabled());

    Click(window.SpeedButton1);
    EXPECT_TRUE(window.RichEdit1->isHidden());
    EXPECT_EQ(window.SpeedButton1->text(), QStringLiteral("Translation"));
    EXPECT_TRUE(window.Timer1->isActive()) << "the show runs";
    EXPECT_FALSE(window.Timer2->isActive()) << "under a Start picture that does not blink";
    EXPECT_EQ(window.Button3->toolTip(), QStringLiteral("Start/Stop"));
}

TEST_F(ExerciseWindowsTest, Method3ChecksTheTypedAnswerWithVerdictPictureAndSound) {
    TForm4 window(Seams());
    window.show();
    Click(window.Button9);
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("house"));
    EXPECT_FALSE(window.Button6->isEnabled());
    playEnd_.Notify(*pronouncer_);
    EXPECT_TRUE(window.Button6->isEnabled()) << "the large Next comes with the play end";
    window.Timer1Timer();
    EXPECT_TRUE(window.Edit1->text().isEmpty());

    bool pictureWhilePlaying = false;
    OnVerdict = [&] { pictureWhilePlaying = !window.Image1->pixmap().isNull(); };
    QTest::keyClicks(window.Edit1, QStringLiteral("house "));
    QTest::keyClick(window.Edit1, Qt::Key_Return);
    EXPECT_EQ(verdicts_, std::vector<std::string>{"ne.wav"});
    EXPECT_TRUE(pictureWhilePlaying);
    EXPECT_TRUE(window.Image1->pixmap().isNull()) << "cleared after the sound";
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("house ")) << "kept for correcting";

    window.Edit1->setText(QStringLiteral("HOUSE"));
    QTest::keyClick(window.Edit1, Qt::Key_Enter);
    EXPECT_EQ(verdicts_.back(), "da.wav");
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("hour")) << "the next word at once";
}

// The whole text fits the box inside its frame, padding and margins (2, 10
// and 2 pixels a side), read from its first letter: on one line, or wrapped
// over the box in as many lines as the box is high.
void ExpectShownWhole(QLineEdit* box, const QString& text) {
    EXPECT_EQ(box->text(), text);
    EXPECT_EQ(box->cursorPosition(), 0);
    const QRect inner = box->rect().adjusted(14, 3, -14, -3);
    if (WrappedWordShown(*box).isEmpty()) {
        EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance(text), inner.width())
            << text.toStdString() << " in " << box->font().pixelSize() << " px";
        return;
    }
    EXPECT_EQ(WrappedWordShown(*box), text);
    EXPECT_LE(WrappedWordHeight(box->font(), box->alignment(), inner.width(), text), inner.height())
        << text.toStdString() << " wrapped in " << box->font().pixelSize() << " px";
    EXPECT_GT(QFontMetrics(box->font()).horizontalAdvance(text), inner.width() - 6)
        << "a word that fits one line is not wrapped";
}

TEST_F(ExerciseWindowsTest, LongEntriesAreShownWholeFromTheirStartInSmallerLetters) {
    const QString phrase = QStringLiteral("a friend in need is a friend indeed");
    const QString word = QStringLiteral("antidisestablishmentarianism");
    study_.Entries = {phrase.toStdString(), word.toStdString(), "hour"};

    TForm5 method2(Seams());
    method2.show();
    const int ownSize = method2.Edit1->font().pixelSize();
    Click(method2.Button6);
    ExpectShownWhole(method2.Edit1, phrase);
    playEnd_.Notify(*pronouncer_);
    Click(method2.Button6);
    ExpectShownWhole(method2.Edit1, word);
    Click(method2.Button6);
    EXPECT_EQ(method2.Edit1->text(), QStringLiteral("hour"));
    EXPECT_EQ(method2.Edit1->font().pixelSize(), ownSize) << "a short word in the box's own size";
    EXPECT_TRUE(WrappedWordShown(*method2.Edit1).isEmpty());

    TForm4 method3(Seams());
    method3.show();
    Click(method3.Button9);
    ExpectShownWhole(method3.Edit1, phrase);
    method3.Timer1Timer();
    EXPECT_EQ(method3.Edit1->font().pixelSize(), 28) << "the answer is typed in the box's size";
}

// Longer than one line of any box holds even in the smallest letters.
const QString kLongEntry = QStringLiteral(
    "to be neither fish nor fowl nor good red herring and to have a foot in both camps at once");

TEST_F(ExerciseWindowsTest, EntriesTooLongForOneLineAreWrappedWholeInEveryWordBox) {
    ASSERT_GT(kLongEntry.size(), 80);
    // Method 1 shows head-words only.
    dictionary_.WriteLetter('T' - 'A', {{kLongEntry.toStdString(), "{\\rtf1 long article}"}});
    lookup_ = std::make_unique<FakeLookup>(dictionary_.Dir());
    pronouncer_ = std::make_unique<FakePronouncer>(*lookup_);
    study_.Entries = {kLongEntry.toStdString(), "hour"};

    TForm3 method1(Seams());
    method1.show();
    Click(method1.Button3);
    method1.Timer1Timer();
    ExpectShownWhole(method1.Edit1, kLongEntry);
    EXPECT_FALSE(WrappedWordShown(*method1.Edit1).isEmpty());

    TForm5 method2(Seams());
    method2.show();
    Click(method2.Button6);
    ExpectShownWhole(method2.Edit1, kLongEntry);
    EXPECT_FALSE(WrappedWordShown(*method2.Edit1).isEmpty()) << "296 px cannot hold it on a line";
    playEnd_.Notify(*pronouncer_);
    Click(method2.Button6);
    EXPECT_EQ(method2.Edit1->text(), QStringLiteral("hour"));
    EXPECT_TRUE(WrappedWordShown(*method2.Edit1).isEmpty()) << "the next word takes the cover away";
}

TEST_F(ExerciseWindowsTest, TypingIntoTheAnswerBoxUncoversItAfterAWrappedWord) {
    study_.Entries = {kLongEntry.toStdString(), "hour"};
    TForm4 method3(Seams());
    method3.show();
    Click(method3.Button9);
    ExpectShownWhole(method3.Edit1, kLongEntry);
    method3.Timer1Timer();
    EXPECT_TRUE(WrappedWordShown(*method3.Edit1).isEmpty()) << "hidden with the word";
    QTest::keyClicks(method3.Edit1, QStringLiteral("to be"));
    EXPECT_TRUE(WrappedWordShown(*method3.Edit1).isEmpty());
    EXPECT_EQ(method3.Edit1->text(), QStringLiteral("to be"));
}

TEST_F(ExerciseWindowsTest, AnEmptyStudyListIsSaidInTheWindowAndNothingReadsIt) {
    study_.Entries.clear();
    TForm3 method1(Seams());
    TForm5 method2(Seams(true));
    TForm4 method3(Seams());
    for (QWidget* window : std::initializer_list<QWidget*>{&method1, &method2, &method3}) {
        window->show();
    }
    ASSERT_NE(method1.EmptyListNotice, nullptr);
    EXPECT_TRUE(method1.EmptyListNotice->isVisible());
    EXPECT_TRUE(method1.EmptyListNotice->text().contains(QStringLiteral("празен")));
    EXPECT_TRUE(method2.EmptyListNotice->text().contains(QStringLiteral("empty")));
    EXPECT_TRUE(method3.EmptyListNotice->isVisible());
    EXPECT_FALSE(method1.Button3->isEnabled());
    EXPECT_FALSE(method2.Button3->isEnabled());
    EXPECT_FALSE(method3.Button9->isEnabled());

    method1.Button3Click();
    method1.Button5Click();
    method1.Button4Click();
    method1.Button7Click();
    method1.Timer1Timer();
    method2.Button3Click();
    method2.Button6Click();
    method2.Button4Click();
    method2.SpeedButton1Click();
    method3.Button9Click();
    method3.Button8Click();
    method3.Button6Click();
    method3.Button7Click();
    method3.Button3Click();
    method3.Button4Click();
    playEnd_.Notify(*pronouncer_);
    EXPECT_FALSE(method1.Timer1->isActive());
    EXPECT_TRUE(method1.Edit1->text().isEmpty());
    EXPECT_TRUE(verdicts_.empty());
}

TEST_F(ExerciseWindowsTest, HelpOpensTheMethodsPageInTheWindowsLanguageAlsoWithF1) {
    std::vector<std::filesystem::path> pages;
    env_.RunHelp = [&](QDialog& help) {
        pages.push_back(dynamic_cast<interface::TForm8&>(help).HelpPage);
    };
    TForm3 method1(Seams());
    method1.show();
    Click(method1.SpeedButton1);
    TForm4 method3(Seams(true));
    method3.show();
    QApplication::setActiveWindow(&method3);
    QTest::keyClick(method3.Edit1, Qt::Key_F1);
    TForm5 method2(Seams());
    method2.Action1->trigger();

    const std::filesystem::path help = dictionary_.Dir() / "hlp";
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0], help / "metod1.htm");
    EXPECT_EQ(pages[1], help / "metod3e.htm");
    EXPECT_EQ(pages[2], help / "metod2.htm");
    EXPECT_EQ(method3.Action1->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(ExerciseWindowsTest, ExitStopsThePlayerAndClosingSwitchesTimersOffAndLeavesPlayEnd) {
    TForm3 method1(Seams());
    method1.show();
    Click(method1.Button3);
    EXPECT_EQ(playEnd_.Listeners.size(), 1u);
    const int stops = pronouncer_->Stops;
    Click(method1.Button1);
    EXPECT_EQ(method1.result(), QDialog::Accepted);
    EXPECT_EQ(pronouncer_->Stops, stops + 1);
    EXPECT_FALSE(method1.isVisible());
    EXPECT_FALSE(method1.Timer1->isActive() || method1.Timer2->isActive());
    EXPECT_TRUE(playEnd_.Listeners.empty());

    TForm4 method3(Seams());
    method3.show();
    Click(method3.Button9);
    QTest::keyClick(&method3, Qt::Key_Escape);
    EXPECT_TRUE(method3.isVisible()) << "Escape does not end the exercise";
    method3.close();
    EXPECT_FALSE(method3.Timer1->isActive() || method3.Timer3->isActive());
    EXPECT_TRUE(playEnd_.Listeners.empty());
    playEnd_.Notify(*pronouncer_);
}

} // namespace
