// The method launchers in the running main window: the study list, the main
// window and its article pane before and after an exercise, and a real
// pronunciation through the decoding library on SDL's dummy driver.
#include "exercises/Launcher.h"
#include "app/Environment.h"
#include "app/Unit1.h"
#include "exercises/Unit3.h"
#include "exercises/Unit4.h"
#include "exercises/Unit5.h"
#include "lookup/RichEditDblClick.h"
#include "lookup/SearchCombo.h"
#include "tests/dictionary/TestDictionary.h"
#include "wavegen/Mp3Encoder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using app::TForm1;

constexpr int kTabH = 'H' - 'A';

template <typename Predicate> bool WaitUntil(Predicate done, int milliseconds = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) {
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

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        dictionary_.WriteLetter(kTabH, {{"hound", "{\\rtf1 hound dog}", 0},
                                        {"hour", "{\\rtf1 hour article}"},
                                        {"house", "{\\rtf1 house article}"}});
        dictionary_.FillEmptyLetters();
        fs::create_directories(dictionary_.Dir() / "wave");
        std::ofstream(dictionary_.Dir() / "wave" / "EnglishFree") << "house\r\nhour\r\nzebra\r\n";
        env_.Dialogs.Error = [this](QWidget*, const QString& text) { errors_.push_back(text); };
        paths_ = std::make_unique<platform::TPaths>(platform::TPaths::Below(dictionary_.Dir()));
        form_ = std::make_unique<app::TForm1>(*paths_, env_);
        form_->FormCreate();
        form_->Sound().MPEG1.SetPathToDLL(MPEGDLL_DIR);
        QApplication::processEvents();
    }

    void TearDown() override { form_.reset(); }

    TestDictionary dictionary_;
    std::unique_ptr<platform::TPaths> paths_;
    ui::TEnvironment env_ = app::DesktopEnvironment();
    std::unique_ptr<TForm1> form_;
    std::vector<QString> errors_;
};

TEST_F(LauncherTest, AnEmptyListIsFilledFromTheDefaultListBeforeTheWindowOpens) {
    int count = -1;
    QString label;
    bool mainHidden = false;
    QWidget* owner = nullptr;
    QString opened;
    env_.RunExercise = [&](QDialog& window) {
        count = form_->StudyList().Count();
        label = form_->Layout().Label1->text();
        mainHidden = form_->isHidden();
        owner = window.parentWidget();
        opened = window.objectName();
    };
    QTest::mouseClick(form_->Layout().Button5, Qt::LeftButton);
    EXPECT_EQ(opened, QStringLiteral("TForm3"));
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(label.startsWith(QStringLiteral("3"))) << label.toStdString();
    EXPECT_TRUE(mainHidden);
    EXPECT_EQ(owner, form_.get());
    EXPECT_TRUE(form_->isVisible()) << "shown again after the exercise";
    EXPECT_TRUE(errors_.empty());
}

TEST_F(LauncherTest, TheMainWindowComesBackWhereItWas) {
    form_->show();
    form_->move(37, 52);
    QApplication::processEvents();
    const QPoint place = form_->pos();
    // A window manager places a window mapped anew as it likes (the screen's
    // centre) unless it is told where the window goes.
    env_.RunExercise = [&](QDialog&) { form_->move(300, 200); };
    form_->Button5Click();
    QApplication::processEvents();
    EXPECT_EQ(form_->pos(), place);
    form_->Button10Click(); // Hangman
    QApplication::processEvents();
    EXPECT_EQ(form_->pos(), place);
}

TEST_F(LauncherTest, AListWithEntriesIsUsedAsItIs) {
    form_->StudyList().SetItems({"hour"});
    std::vector<std::string> seen;
    env_.RunExercise = [&](QDialog& window) {
        seen = form_->StudyList().Items();
        EXPECT_NE(dynamic_cast<exercises::TForm5*>(&window), nullptr);
    };
    form_->Button9Click();
    EXPECT_EQ(seen, std::vector<std::string>{"hour"});
}

TEST_F(LauncherTest, AnUnreadableDefaultListIsReportedAndTheWindowSaysTheListIsEmpty) {
    fs::remove(dictionary_.Dir() / "wave" / "EnglishFree");
    bool notice = false;
    env_.RunExercise = [&](QDialog& window) {
        auto& method3 = dynamic_cast<exercises::TForm4&>(window);
        notice = method3.EmptyListNotice != nullptr && !method3.Button9->isEnabled();
        method3.Button9Click();
        method3.Button8Click();
    };
    form_->Button11Click();
    EXPECT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(notice);
    EXPECT_EQ(form_->StudyList().Count(), 0);
}

TEST_F(LauncherTest, TheArticlePaneFollowsTheSearchBoxTheExerciseLeftBehind) {
    env_.RunExercise = [](QDialog& window) {
        dynamic_cast<exercises::TForm3&>(window).Button5Click();
    };
    form_->Layout().ListBox1->setFocus();
    form_->Button5Click();
    EXPECT_EQ(form_->Layout().Combo->Text(), "house");
    EXPECT_EQ(form_->Layout().RichEdit1->toPlainText(), QStringLiteral("house article"));
    EXPECT_EQ(form_->focusWidget(), form_->Layout().Combo->Edit())
        << "the search box has the focus";

    // "zebra" is not in the dictionary: the search box's text is left empty.
    env_.RunExercise = [](QDialog& window) {
        dynamic_cast<exercises::TForm3&>(window).Button4Click();
    };
    form_->Button5Click();
    EXPECT_EQ(form_->Layout().Combo->Text(), "");
    EXPECT_TRUE(form_->Layout().RichEdit1->toPlainText().isEmpty()) << "the pane is emptied";
}

TEST_F(LauncherTest, NavigationIsLockedWhileAWordPlaysAndFreedAtItsEnd) {
    WriteTone(dictionary_.Dir() / "wave" / "h" / "2.mp3", 0.5); // "house", the second base word
    bool lockedWhilePlaying = false;
    bool freedAtTheEnd = false;
    env_.RunExercise = [&](QDialog& window) {
        auto& method1 = dynamic_cast<exercises::TForm3&>(window);
        method1.show();
        QTest::mouseClick(method1.Button5, Qt::LeftButton);
        lockedWhilePlaying = !method1.Button4->isEnabled() && !method1.Button5->isEnabled() &&
                             !method1.Button7->isEnabled();
        freedAtTheEnd = WaitUntil([&] { return method1.Button5->isEnabled(); });
        freedAtTheEnd =
            freedAtTheEnd && method1.Button4->isEnabled() && method1.Button7->isEnabled();
    };
    form_->Button5Click();
    EXPECT_TRUE(lockedWhilePlaying);
    EXPECT_TRUE(freedAtTheEnd);
}

TEST_F(LauncherTest, ALauncherStopsThePlayBackOfTheRecordedVoiceFirst) {
    form_->SpeedButton1Click();
    ASSERT_TRUE(WaitUntil([&] { return form_->Sound().Left->Size() > 0; }));
    form_->SpeedButton1Click();
    form_->SpeedButton2Click();
    ASSERT_TRUE(form_->Sound().Audio1.Player.Active());
    bool stopped = false;
    env_.RunExercise = [&](QDialog&) {
        stopped =
            !form_->Sound().Audio1.Player.Active() && form_->Layout().SpeedButton2->isEnabled();
    };
    form_->Button11Click();
    EXPECT_TRUE(stopped) << "stopped, and the play-back button offers the recording again";
}

} // namespace
