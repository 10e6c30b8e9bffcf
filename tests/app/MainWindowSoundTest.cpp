// Pronunciation, recording and play-back in the main window, with the real
// decoding library and SDL's dummy audio driver (no sound card needed).
#include "app/Environment.h"
#include "app/Unit1.h"
#include "dictionary/Pronunciations.h"
#include "dictool/Builder.h"
#include "dictool/Transcriber.h"
#include "dictool/TsvSource.h"
#include "lookup/SearchCombo.h"
#include "lookup/TabControl.h"
#include "platform/Wave.h"
#include "wavegen/Mp3Encoder.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using app::TForm1;

constexpr const char* kWords = "hot\thɒt\tгорещ\n"
                               "hour\taʊə\tчас\n"
                               "house\thaʊs\tкъща\n";
constexpr int kTabH = 'H' - 'A';

template <typename Predicate> bool WaitUntil(Predicate done, int milliseconds = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(10);
    }
    return done();
}

void WriteTone(const fs::path& file, double seconds) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(22050 * seconds));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(8000 * std::sin(i * 2 * M_PI * 440 / 22050));
    }
    const auto mp3 = wavegen::EncodeMp3(samples, 22050);
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(mp3.data()), static_cast<std::streamsize>(mp3.size()));
}

class MainWindowSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("mainwindow-sound-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        dictool::Transcriber transcriber;
        dictool::BuildDictionary(dictool::ParseTsv(kWords, "words"), dir_, transcriber);
        WriteTone(dir_ / "wave" / "h" / "3.mp3", 0.6); // house, the third base word of H
        // Sound an earlier test made may still linger: every test starts
        // with the sound system down, as the program does.
        platform::SetAudioLinger(0);
        ASSERT_TRUE(WaitUntil([] { return !platform::AudioRunning(); }, 3000));
        platform::SetAudioLinger(2000);
        // The window looks up what the clipboard holds when it starts; an
        // earlier test may have left a word there.
        QGuiApplication::clipboard()->clear();
        env_.Dialogs.Error = [](QWidget*, const QString&) {};
        paths_ = std::make_unique<platform::TPaths>(platform::TPaths::Below(dir_));
        form_ = std::make_unique<app::TForm1>(*paths_, env_);
        form_->FormCreate();
        form_->Sound().MPEG1.SetPathToDLL(MPEGDLL_DIR);
        QApplication::processEvents();
    }

    void TearDown() override {
        form_.reset();
        fs::remove_all(dir_);
    }

    void Choose(const char* word) {
        form_->Layout().TabControl1->Tabs()->setCurrentIndex(kTabH);
        QApplication::processEvents();
        form_->Layout().Combo->SetItemIndex(form_->Layout().Combo->FindPrefix(word));
        form_->ComboBox1Change();
    }

    bool SoundButtonsEnabled() const {
        return form_->Layout().Button7->isEnabled() && form_->Layout().SpeedButton1->isEnabled();
    }

    std::unique_ptr<platform::TPaths> paths_;
    ui::TEnvironment env_ = app::DesktopEnvironment();
    fs::path dir_;
    std::unique_ptr<TForm1> form_;
};

TEST_F(MainWindowSoundTest, PronounceLocksTheSoundButtonsUntilTheEnd) {
    Choose("house");
    QTest::mouseClick(form_->Layout().Button7, Qt::LeftButton);
    EXPECT_TRUE(form_->Sound().MPEG1.IsLibraryLoaded());
    EXPECT_FALSE(form_->Layout().Button7->isEnabled());
    EXPECT_FALSE(form_->Layout().SpeedButton1->isEnabled());
    EXPECT_FALSE(form_->Layout().SpeedButton2->isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return SoundButtonsEnabled(); })) << "the play end arrives";
    EXPECT_FALSE(form_->Sound().MPEG1.IsLibraryLoaded()) << "unloaded at the end";
    EXPECT_FALSE(form_->Layout().SpeedButton2->isEnabled()) << "nothing recorded";
}

TEST_F(MainWindowSoundTest, SpaceInTheStudyListPronouncesThePickedWord) {
    form_->StudyList().SetItems({"house"});
    form_->Layout().ListBox1->setCurrentRow(0);
    form_->ListBox1Click();
    EXPECT_EQ(form_->Layout().Combo->Text(), "house");
    QTest::keyClick(form_->Layout().ListBox1, Qt::Key_Space);
    EXPECT_TRUE(form_->Sound().MPEG1.IsLibraryLoaded());
    EXPECT_FALSE(form_->Layout().Button7->isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return SoundButtonsEnabled(); }));
}

TEST_F(MainWindowSoundTest, WordsWithoutSoundOrSelectionPlayNothing) {
    Choose("hour"); // no file for it
    form_->Button7Click();
    EXPECT_TRUE(form_->Layout().Button7->isEnabled());
    EXPECT_TRUE(form_->Sound().MPEG1.IsLibraryLoaded()) << "the library stays loaded";
    form_->MPEG1PlayEnd();

    form_->Layout().Combo->SetItemIndex(-1);
    form_->Button7Click();
    EXPECT_FALSE(form_->Sound().MPEG1.IsLibraryLoaded()) << "no selection: nothing loaded";
}

TEST_F(MainWindowSoundTest, TabChangesDuringPlaybackDecideTheButtonAtTheEnd) {
    Choose("house");
    form_->Button7Click();
    form_->Layout().TabControl1->Tabs()->setCurrentIndex(26 + 10);
    QApplication::processEvents();
    EXPECT_FALSE(form_->Layout().Button7->isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return form_->Layout().SpeedButton1->isEnabled(); }));
    EXPECT_FALSE(form_->Layout().Button7->isEnabled()) << "a Bulgarian tab has no pronunciation";

    Choose("house");
    form_->Button7Click();
    form_->Layout().TabControl1->Tabs()->setCurrentIndex(26 + 10);
    form_->Layout().TabControl1->Tabs()->setCurrentIndex(kTabH);
    QApplication::processEvents();
    ASSERT_TRUE(WaitUntil([&] { return form_->Layout().SpeedButton1->isEnabled(); }));
    EXPECT_TRUE(form_->Layout().Button7->isEnabled()) << "back on an English tab before the end";
}

TEST_F(MainWindowSoundTest, RecordingLocksTheWindowAndReplacesTheLastRecording) {
    form_->StudyList().SetItems({"house"});
    form_->Layout().Button2->setEnabled(true);

    form_->SpeedButton1Click();
    EXPECT_TRUE(form_->Sound().Recording());
    EXPECT_EQ(form_->Layout().SpeedButton1->toolTip(), QStringLiteral("Стоп"));
    for (QWidget* locked : std::initializer_list<QWidget*>{
             form_->Layout().Combo, form_->Layout().TabControl1, form_->Layout().ListBox1,
             form_->Layout().Button1, form_->Layout().Button3, form_->Layout().Button2,
             form_->Layout().Button7, form_->Layout().SpeedButton2, form_->Layout().Button10,
             form_->Layout().Button5, form_->Layout().Button14}) {
        EXPECT_FALSE(locked->isEnabled()) << locked->objectName().toStdString();
    }
    EXPECT_FALSE(form_->Layout().N1->menuAction()->isEnabled());
    const platform::TMemoryStream* first = form_->Sound().Left.get();
    ASSERT_NE(first, nullptr);
    WaitUntil([&] { return form_->Sound().Left->Size() > 0; });
    form_->SpeedButton1Click();
    EXPECT_GT(form_->Sound().Left->Size(), 0);
    EXPECT_EQ(form_->Layout().SpeedButton1->toolTip(), QStringLiteral("Запис"));
    EXPECT_TRUE(form_->Layout().Combo->isEnabled());
    EXPECT_TRUE(form_->Layout().Button14->isEnabled());
    EXPECT_TRUE(form_->Layout().N1->menuAction()->isEnabled());
    EXPECT_TRUE(form_->Layout().SpeedButton2->isEnabled());
    EXPECT_FALSE(form_->Layout().Button2->isEnabled()) << "the save-list button stays disabled";

    form_->SpeedButton1Click();
    EXPECT_NE(form_->Sound().Left.get(), first) << "a new recording discards the first";
    EXPECT_EQ(form_->Sound().Left->Size(), 0);
    form_->SpeedButton1Click();
}

TEST_F(MainWindowSoundTest, PlayBackOfTheRecording) {
    form_->SpeedButton1Click();
    WaitUntil([&] { return form_->Sound().Left->Size() > 0; });
    form_->SpeedButton1Click();
    ASSERT_TRUE(form_->Sound().HasRecording());

    form_->SpeedButton2Click();
    EXPECT_FALSE(form_->Layout().SpeedButton2->isEnabled());
    EXPECT_FALSE(form_->Layout().SpeedButton1->isEnabled());
    EXPECT_FALSE(form_->Layout().Button7->isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return form_->Layout().SpeedButton2->isEnabled(); })) << "played";
    EXPECT_TRUE(form_->Layout().Button7->isEnabled());

    form_.reset();
    EXPECT_FALSE(fs::exists(dir_ / "play.tmp")) << "the shutdown removes the player's file";
}

TEST_F(MainWindowSoundTest, AClipboardChangeDuringShutdownIsNotLookedUp) {
    form_->SpeedButton1Click();
    WaitUntil([&] { return form_->Sound().Left->Size() > 0; });
    form_->SpeedButton1Click();
    ASSERT_TRUE(form_->Sound().HasRecording());
    form_->SpeedButton2Click();
    ASSERT_FALSE(form_->Layout().SpeedButton2->isEnabled()) << "playing back";

    // The window is closing; stopping the play-back waits for the device
    // and lets queued events through meanwhile.
    form_->hide();
    QGuiApplication::clipboard()->setText(QStringLiteral("house"));
    form_->FormDestroy();
    QApplication::processEvents();
    EXPECT_FALSE(form_->isVisible()) << "the closing window is not brought forward again";
    EXPECT_EQ(form_->Layout().Combo->Text(), "") << "nothing was looked up";
}

TEST_F(MainWindowSoundTest, AFailedPronunciationGivesEveryButtonBack) {
    // Not MPEG audio at all: the decoder refuses to open it.
    std::ofstream(dir_ / "wave" / "h" / "3.mp3", std::ios::binary | std::ios::trunc)
        << std::string(4000, 'x');
    Choose("house");
    ASSERT_TRUE(form_->Layout().Button7->isEnabled());
    QTest::mouseClick(form_->Layout().Button7, Qt::LeftButton);
    EXPECT_TRUE(form_->Layout().Button7->isEnabled());
    EXPECT_TRUE(form_->Layout().SpeedButton1->isEnabled()) << "recording stays possible";
    EXPECT_FALSE(form_->Layout().SpeedButton2->isEnabled()) << "nothing recorded";
    EXPECT_FALSE(form_->Sound().ButtonsState().Pronouncing());
    EXPECT_FALSE(form_->Sound().Pronouncing());
    // Nothing looks busy: a Bulgarian letter takes the button at once.
    form_->Layout().TabControl1->Tabs()->setCurrentIndex(26 + 10);
    QApplication::processEvents();
    EXPECT_FALSE(form_->Layout().Button7->isEnabled());
}

TEST_F(MainWindowSoundTest, LookUpsDuringARecordingOfferNeitherPronounceNorPlayBack) {
    form_->SpeedButton1Click();
    ASSERT_TRUE(WaitUntil([&] { return form_->Sound().Left->Size() > 0; }));
    // A copied word is looked up while the recording goes on.
    QGuiApplication::clipboard()->setText(QStringLiteral("house"));
    QApplication::processEvents();
    EXPECT_EQ(form_->Layout().Combo->Text(), "house");
    EXPECT_FALSE(form_->Layout().Button7->isEnabled());
    QTest::mouseClick(form_->Layout().Button7, Qt::LeftButton);
    EXPECT_FALSE(form_->Sound().MPEG1.IsLibraryLoaded()) << "nothing is pronounced";
    // An end of a pronunciation meanwhile, from any window.
    form_->MPEG1PlayEnd();
    EXPECT_FALSE(form_->Layout().SpeedButton2->isEnabled()) << "the recording is still being made";
    EXPECT_FALSE(form_->Layout().Button7->isEnabled());
    EXPECT_TRUE(form_->Layout().SpeedButton1->isEnabled()) << "the recording can be stopped";

    form_->SpeedButton1Click();
    EXPECT_TRUE(form_->Layout().SpeedButton2->isEnabled());
    EXPECT_TRUE(form_->Layout().Button7->isEnabled());
}

TEST_F(MainWindowSoundTest, ARecordingThatCannotBeWrittenForPlayBackIsReported) {
    QStringList errors;
    env_.Dialogs.Error = [&](QWidget*, const QString& text) { errors << text; };
    form_->SpeedButton1Click();
    ASSERT_TRUE(WaitUntil([&] { return form_->Sound().Left->Size() > 0; }));
    form_->SpeedButton1Click();
    fs::create_symlink("/dev/full", dir_ / "play.tmp");

    QTest::mouseClick(form_->Layout().SpeedButton2, Qt::LeftButton);
    ASSERT_EQ(errors.size(), 1);
    // The first start shows the Bulgarian interface, and the message is in it.
    // A device there is refused before anything is written to it.
    EXPECT_EQ(errors[0],
              QStringLiteral("Файлът „%1“ не може да бъде създаден. Това е устройство, а не файл.")
                  .arg(QString::fromStdString((dir_ / "play.tmp").string())))
        << errors[0].toStdString();
    EXPECT_TRUE(form_->Layout().Button7->isEnabled());
    EXPECT_TRUE(form_->Layout().SpeedButton1->isEnabled());
    EXPECT_TRUE(form_->Layout().SpeedButton2->isEnabled()) << "the recording can be tried again";
}

TEST_F(MainWindowSoundTest, TheSoundSystemRunsOnlyWhileSoundIsMade) {
    platform::SetAudioLinger(100);
    EXPECT_FALSE(platform::AudioRunning()) << "an idle window starts no sound";
    Choose("house");
    form_->Button7Click();
    EXPECT_TRUE(platform::AudioRunning());
    ASSERT_TRUE(WaitUntil([&] { return SoundButtonsEnabled(); }));
    EXPECT_TRUE(WaitUntil([] { return !platform::AudioRunning(); }, 3000))
        << "stopped once the pronunciation is over";

    form_->SpeedButton1Click();
    EXPECT_TRUE(platform::AudioRunning());
    form_->SpeedButton1Click();
    EXPECT_TRUE(WaitUntil([] { return !platform::AudioRunning(); }, 3000));
    platform::SetAudioLinger(2000);
}

struct CountingListener : exercises::TPlayEndListener {
    int Ends = 0;
    void PlayEnded() override { ++Ends; }
};

TEST_F(MainWindowSoundTest, ExerciseWindowsPronounceThroughTheSeamAndHearTheEnd) {
    CountingListener open;
    CountingListener closed;
    const exercises::TMainWindowSeams seams = form_->ExerciseSeams();
    { const exercises::TPlayEndMembership gone(seams.PlayEnd, closed); }
    const exercises::TPlayEndMembership membership(seams.PlayEnd, open);

    Choose("hour");
    EXPECT_FALSE(seams.Pronouncer.PronounceSelectedWord()) << "no file for it";
    Choose("house");
    ASSERT_TRUE(seams.Pronouncer.PronounceSelectedWord());
    EXPECT_TRUE(seams.Pronouncer.Playing());
    ASSERT_TRUE(WaitUntil([&] { return open.Ends > 0; }));
    EXPECT_EQ(open.Ends, 1);
    EXPECT_EQ(closed.Ends, 0) << "a window that left is not called";
    EXPECT_FALSE(seams.Pronouncer.Playing());
    seams.Pronouncer.StopPlaying(); // nothing plays: no error

    form_->Layout().TabControl1->Tabs()->setCurrentIndex(26 + 10);
    QApplication::processEvents();
    form_->Layout().Combo->SetItemIndex(0);
    EXPECT_FALSE(seams.Pronouncer.PronounceSelectedWord()) << "Bulgarian words have no sound";
}

TEST(PronunciationFile, PerLetterFolderFirstThenTheSharedOne) {
    const fs::path dir =
        fs::temp_directory_path() / ("pronunciation-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "wave" / "b");
    std::ofstream(dir / "wave" / "b" / "1.mp3") << "x";
    std::ofstream(dir / "wave" / "1.mp3") << "x";
    EXPECT_EQ(dictionary::PronunciationFile(dir, 1, "1"), dir / "wave" / "b" / "1.mp3");
    EXPECT_EQ(dictionary::PronunciationFile(dir, 0, "1"), dir / "wave" / "1.mp3")
        << "old data with one shared folder still plays";
    EXPECT_EQ(dictionary::PronunciationFile(dir, 0, "0"), dir / "wave" / "0.mp3");
    EXPECT_TRUE(dictionary::PronunciationFile(dir, 30, "1").empty()) << "no Bulgarian sounds";
    EXPECT_TRUE(dictionary::PronunciationFile(dir, 1, "").empty());
    fs::remove_all(dir);
}

} // namespace
