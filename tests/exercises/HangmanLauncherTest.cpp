// The Hangman launcher in the running main window: the word handed to the
// first game, the study list's selection, and the score the main window
// keeps from one opening to the next.
#include "app/Environment.h"
#include "app/Unit1.h"
#include "exercises/HANG1.h"
#include "lookup/SearchCombo.h"
#include "tests/dictionary/TestDictionary.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using app::TForm1;
using exercises::THangForm1;

constexpr int kTabH = 'H' - 'A';

class HangmanLauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        dictionary_.WriteLetter(kTabH, {{"hound", "{\\rtf1 hound dog}", 0},
                                        {"hour", "{\\rtf1 hour article}"},
                                        {"house", "{\\rtf1 house article}"}});
        dictionary_.FillEmptyLetters();
        fs::create_directories(dictionary_.Dir() / "wave");
        std::ofstream(dictionary_.Dir() / "wave" / "EnglishFree") << "house\r\nhour\r\n";
        env_.Dialogs.Error = [this](QWidget*, const QString& text) { errors_.push_back(text); };
        paths_ = std::make_unique<platform::TPaths>(platform::TPaths::Below(dictionary_.Dir()));
        form_ = std::make_unique<app::TForm1>(*paths_, env_);
        form_->FormCreate();
        form_->show();
        QApplication::processEvents();
    }

    void TearDown() override { form_.reset(); }

    TestDictionary dictionary_;
    std::unique_ptr<platform::TPaths> paths_;
    ui::TEnvironment env_ = app::DesktopEnvironment();
    std::unique_ptr<TForm1> form_;
    std::vector<QString> errors_;
};

TEST_F(HangmanLauncherTest, TheFirstGameIsTheFirstEntryWhicheverIsSelected) {
    form_->StudyList().SetItems({"hound", "hour", "house"});
    form_->StudyList().SetItemIndex(2);
    std::string word;
    int selected = -2;
    bool mainHidden = false;
    env_.RunExercise = [&](QDialog& window) {
        word = dynamic_cast<THangForm1&>(window).Game().SecretWord();
        selected = form_->StudyList().ItemIndex();
        mainHidden = form_->isHidden();
    };
    QTest::mouseClick(form_->Layout().Button10, Qt::LeftButton);
    EXPECT_EQ(word, "hound");
    EXPECT_EQ(selected, 2) << "the selection stays";
    EXPECT_TRUE(mainHidden);
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(form_->focusWidget(), form_->Layout().Combo->Edit());

    form_->StudyList().SetItemIndex(-1);
    form_->Button10Click();
    EXPECT_EQ(word, "hound");
    EXPECT_EQ(selected, 0) << "no selection: the first entry becomes selected";
}

TEST_F(HangmanLauncherTest, AFirstEntryWonBeforeAKeyIsPassedOverAndScoresNothing) {
    form_->StudyList().SetItems({"ab", "zzzzz", "hour", "house"});
    std::string word;
    int selected = -2;
    env_.RunExercise = [&](QDialog& window) {
        word = dynamic_cast<THangForm1&>(window).Game().SecretWord();
        selected = form_->StudyList().ItemIndex();
    };
    for (int opening = 0; opening < 3; ++opening) {
        form_->Button10Click();
        EXPECT_EQ(word, "hour") << "as Next word from list takes it";
        EXPECT_EQ(selected, 2);
    }
    EXPECT_EQ(form_->HangmanScore.Text(), "0 - 0") << "no points for nothing";
}

TEST_F(HangmanLauncherTest, AnEmptyListIsNotFilledAndTheWindowPicksAnEnglishWord) {
    bool english = false;
    exercises::THangmanState state = exercises::THangmanState::NoGame;
    env_.RunExercise = [&](QDialog& window) {
        auto& hangman = dynamic_cast<THangForm1&>(window);
        hangman.show();
        english = hangman.RadioButton2->isChecked() && !hangman.RadioButton1->isEnabled();
        state = hangman.Game().State();
        hangman.close();
    };
    form_->Button10Click();
    EXPECT_TRUE(english);
    EXPECT_EQ(state, exercises::THangmanState::Playing);
    EXPECT_EQ(form_->StudyList().Count(), 0) << "the default list is not read";
    EXPECT_TRUE(errors_.empty());
}

TEST_F(HangmanLauncherTest, TheScoreSurvivesASecondOpening) {
    form_->StudyList().SetItems({"hour"});
    env_.RunExercise = [](QDialog& window) { dynamic_cast<THangForm1&>(window).Button2Click(); };
    form_->Button10Click();
    QString atOpening;
    env_.RunExercise = [&](QDialog& window) {
        atOpening = dynamic_cast<THangForm1&>(window).Label3->text();
    };
    form_->Button10Click();
    EXPECT_EQ(atOpening, QStringLiteral("0 - 1"));
    EXPECT_EQ(form_->HangmanScore.Me, 1);
}

} // namespace
