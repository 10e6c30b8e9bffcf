// The learning record in the running main window: the adapter's answers and
// its once-per-run messages, Review's order, limit and question, the due
// count in the usage hints, and the progress window over stand-in figures.
#include "app/Learning.h"
#include "app/Environment.h"
#include "app/ProgressLibrary.h"
#include "app/Unit1.h"
#include "dictool/Builder.h"
#include "dictool/Transcriber.h"
#include "dictool/TsvSource.h"
#include "learning/LearningRecord.h"
#include "lookup/RichEditDblClick.h"
#include "progress/ProgressModel.h"
#include "progress/ProgressWindow.h"
#include "studylist/StudyList.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using learning::TAnswerKind;
using learning::TExercise;

constexpr const char* kWords = "hot\thɒt\tгорещ\tadj\n"
                               "hour\taʊə\tчас\tn\n"
                               "house\thaʊs\tкъща\tn\n"
                               "run\trʌn\tбягам\tv\n"
                               "walk\twɔːk\tразходка\tn\n";

constexpr auto kLongEnough = 5s;

void ProcessEvents() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

learning::TAnswer Answer(const std::string& entry, TAnswerKind kind, learning::TTime at) {
    learning::TAnswer answer;
    answer.Entry = entry;
    answer.Exercise = TExercise::Method3;
    answer.Kind = kind;
    answer.At = at;
    return answer;
}

class LearningTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        data_ = new fs::path(fs::temp_directory_path() /
                             ("learning-data-" + std::to_string(::getpid())));
        dictool::Transcriber transcriber;
        dictool::BuildDictionary(dictool::ParseTsv(kWords, "words"), *data_, transcriber);
    }
    static void TearDownTestSuite() {
        fs::remove_all(*data_);
        delete data_;
    }

    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("learning-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::copy(*data_, dir_, fs::copy_options::recursive);
        // The window looks up what the clipboard holds when it starts: an
        // earlier test's copy would replace the usage hints.
        QGuiApplication::clipboard()->clear();
        env_.Dialogs.Error = [this](QWidget*, const QString& text) { errors_.push_back(text); };
        env_.Dialogs.Inform = [this](QWidget*, const QString& text) { notes_.push_back(text); };
        env_.Dialogs.YesNoCancel = [this](QWidget*, const QString&, bool) {
            ++questions_;
            return ui::TAnswer::Cancel;
        };
    }

    void TearDown() override {
        form_.reset();
        fs::remove_all(dir_);
    }

    app::TForm1& Start() {
        paths_ = std::make_unique<platform::TPaths>(platform::TPaths::Below(dir_));
        form_ = std::make_unique<app::TForm1>(*paths_, env_);
        form_->FormCreate();
        ProcessEvents();
        return *form_;
    }

    // What a record begun before the program started holds.
    void Recorded(const std::vector<learning::TAnswer>& answers) {
        learning::TLearningRecord record(dir_ / "Learning.db");
        for (const learning::TAnswer& answer : answers) {
            record.Record(answer);
        }
        ASSERT_TRUE(record.WaitUntilWritten(kLongEnough));
    }

    // Until the record's reader has answered and its answer was handed over.
    void Settle() {
        for (int i = 0; i < 50; ++i) {
            ProcessEvents();
            std::this_thread::sleep_for(10ms);
        }
    }

    static fs::path* data_;
    std::unique_ptr<platform::TPaths> paths_;
    ui::TEnvironment env_ = app::DesktopEnvironment();
    fs::path dir_;
    std::unique_ptr<app::TForm1> form_;
    std::vector<QString> errors_;
    std::vector<QString> notes_;
    int questions_ = 0;
};

fs::path* LearningTest::data_ = nullptr;

TEST_F(LearningTest, AnAnswerIsRecordedUnderTheHeadWordTheExercisesFind) {
    dictionary::DictionaryIndex index;
    index.Load(dir_);
    const dictionary::TLookupService lookup(index);
    {
        app::TLearning adapter(
            dir_ / "Learning.db", lookup, [] { return false; },
            [this](const QString& text) { errors_.push_back(text); });
        EXPECT_FALSE(fs::exists(dir_ / "Learning.db")) << "nothing is opened before an answer";
        adapter.Answered({TExercise::Hangman, "Hous", TAnswerKind::Lost});
        adapter.Answered({TExercise::Method5, "zzz", TAnswerKind::Right, true, 3.25});
        ASSERT_TRUE(adapter.WaitUntilIdle(kLongEnough));
    }
    learning::TLearningRecord record(dir_ / "Learning.db");
    const auto house = record.History("Hous");
    ASSERT_EQ(house.size(), 1u);
    EXPECT_EQ(house[0].HeadWord, "house");
    EXPECT_EQ(house[0].Tab, 7);
    EXPECT_EQ(house[0].Exercise, TExercise::Hangman);
    EXPECT_EQ(house[0].Kind, TAnswerKind::Lost);
    EXPECT_FALSE(house[0].Seconds) << "untimed";
    const auto unknown = record.History("zzz");
    ASSERT_EQ(unknown.size(), 1u);
    EXPECT_EQ(unknown[0].Tab, learning::kNoTab);
    EXPECT_TRUE(unknown[0].HeadWord.empty());
    EXPECT_TRUE(unknown[0].AfterShow);
    EXPECT_EQ(unknown[0].Seconds, 3.25) << "the seconds the exercise timed";
    EXPECT_TRUE(errors_.empty());
}

TEST_F(LearningTest, EachFaultIsSaidOncePerRunInTheInterfaceLanguage) {
    dictionary::DictionaryIndex index;
    const dictionary::TLookupService lookup(index);
    // A file where the state folder should be: nothing can be written, even
    // for root.
    std::ofstream(dir_ / "state") << "";
    bool english = true;
    app::TLearning adapter(
        dir_ / "state" / "Learning.db", lookup, [&] { return english; },
        [this](const QString& text) { errors_.push_back(text); });
    for (int i = 0; i < 3; ++i) {
        adapter.Answered({TExercise::Method3, "house", TAnswerKind::Right});
    }
    ASSERT_TRUE(adapter.WaitUntilIdle(kLongEnough));
    Settle();
    english = false;
    adapter.Answered({TExercise::Method3, "house", TAnswerKind::Wrong});
    ASSERT_TRUE(adapter.WaitUntilIdle(kLongEnough));
    Settle();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("cannot be written")))
        << errors_[0].toStdString();
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("Learning.db")));
}

TEST_F(LearningTest, ADamagedRecordIsMovedAsideWithOneMessageAndANewOneBegins) {
    std::ofstream(dir_ / "Learning.db", std::ios::binary) << std::string(4096, 'x');
    dictionary::DictionaryIndex index;
    const dictionary::TLookupService lookup(index);
    app::TLearning adapter(
        dir_ / "Learning.db", lookup, [] { return false; },
        [this](const QString& text) { errors_.push_back(text); });
    adapter.Answered({TExercise::Method4, "house", TAnswerKind::Shown});
    adapter.Answered({TExercise::Method4, "house", TAnswerKind::Right, true});
    ASSERT_TRUE(adapter.WaitUntilIdle(kLongEnough));
    Settle();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("повреден"))) << errors_[0].toStdString();
    learning::TLearningRecord record(dir_ / "Learning.db");
    EXPECT_EQ(record.History("house").size(), 2u);
}

TEST_F(LearningTest, ReviewPutsTheMostOverdueFirstThenNewWordsUpToTheDailyLimit) {
    // Every word was begun days ago, so none counts against today's new words
    // whatever the hour.
    const learning::TTime now = learning::Now();
    Recorded({Answer("walk", TAnswerKind::Right, now - 24h * 5),
              Answer("hot", TAnswerKind::Right, now - 24h * 12),
              Answer("run", TAnswerKind::Wrong, now - 24h),
              Answer("hour", TAnswerKind::Right, now - 24h * 12),
              Answer("hour", TAnswerKind::Right, now - 24h)});
    app::TForm1& form = Start();
    std::vector<std::string> list = {"hour", "house", "walk"};
    for (int i = 0; i < 30; ++i) {
        list.push_back("new" + std::to_string(i));
    }
    form.StudyList().SetItemsUnchanged(list);
    form.N23Click();
    Settle();
    const std::vector<std::string> entries = form.StudyList().Items();
    ASSERT_EQ(entries.size(), 3u + 20u);
    EXPECT_EQ(std::vector(entries.begin(), entries.begin() + 4),
              (std::vector<std::string>{"hot", "walk", "run", "house"}))
        << "due, most overdue first; \"hour\" is not due yet; then the new words";
    EXPECT_EQ(entries.back(), "new18") << "twenty new words a day";
    EXPECT_EQ(form.Layout().Label1->text(), QStringLiteral("23 Думи"));
    EXPECT_EQ(form.Layout().Label1->toolTip(), QStringLiteral("3 думи за преговор"));
    EXPECT_FALSE(form.StudyList().Words().Modified()) << "a review list is not offered for saving";
    EXPECT_EQ(questions_, 0);
}

TEST_F(LearningTest, AnEditedListIsOfferedForSavingBeforeReviewAndCancelKeepsIt) {
    Recorded({Answer("hot", TAnswerKind::Right, learning::Now() - 24h * 12)});
    app::TForm1& form = Start();
    form.StudyList().SetItems({"house", "walk"});
    form.N23Click();
    Settle();
    EXPECT_EQ(questions_, 1);
    EXPECT_EQ(form.StudyList().Items(), (std::vector<std::string>{"house", "walk"}));

    env_.Dialogs.YesNoCancel = [this](QWidget*, const QString&, bool) {
        ++questions_;
        return ui::TAnswer::No;
    };
    form.N23Click();
    Settle();
    EXPECT_EQ(questions_, 2);
    EXPECT_EQ(form.StudyList().Items(), (std::vector<std::string>{"hot", "house", "walk"}));
}

TEST_F(LearningTest, TheUsageHintsSayHowManyWordsAreDueOnceTheWindowShows) {
    Recorded({Answer("hot", TAnswerKind::Right, learning::Now() - 24h * 12),
              Answer("walk", TAnswerKind::Right, learning::Now() - 24h * 12)});
    app::TForm1& form = Start();
    Settle();
    const QString article = form.Layout().RichEdit1->toPlainText();
    EXPECT_TRUE(article.contains(QStringLiteral("Въведи дума и натисни :")));
    EXPECT_TRUE(article.contains(QStringLiteral("2 думи за преговор"))) << article.toStdString();
}

TEST_F(LearningTest, WithoutARecordNothingIsMadeAtStartAndReviewTakesNewWords) {
    app::TForm1& form = Start();
    Settle();
    EXPECT_FALSE(fs::exists(dir_ / "Learning.db"));
    EXPECT_FALSE(form.Layout().RichEdit1->toPlainText().contains(QStringLiteral("преговор")));
    form.StudyList().SetItemsUnchanged({"house", "walk"});
    form.N23Click();
    Settle();
    EXPECT_EQ(form.StudyList().Items(), (std::vector<std::string>{"house", "walk"}));
    EXPECT_FALSE(fs::exists(dir_ / "Learning.db")) << "a question makes no file";
}

TEST_F(LearningTest, PageModeLocksReviewAsItLocksOpen) {
    app::TForm1& form = Start();
    ASSERT_TRUE(form.Layout().Button14->isEnabled());
    form.Layout().N5->trigger();
    ProcessEvents();
    EXPECT_FALSE(form.Layout().Button3->isEnabled());
    EXPECT_FALSE(form.Layout().Button14->isEnabled()) << "Review would replace the list";
    form.Layout().SpeedButton3->click();
    ProcessEvents();
    EXPECT_TRUE(form.Layout().Button14->isEnabled());
}

TEST_F(LearningTest, ExportWritesOffTheInterfaceThreadAndSaysWhatItLeftOutWhenDone) {
    const fs::path file = dir_ / "words.apkg";
    env_.Dialogs.SaveFileOfKind = [&](QWidget*, const QString&, const QStringList&) {
        return QString::fromStdString(file.string());
    };
    int confirms = 0;
    env_.Dialogs.Confirm = [&](QWidget*, const QString&) {
        ++confirms;
        return true;
    };
    app::TForm1& form = Start();
    form.StudyList().SetItemsUnchanged({"house", "zzz", "walk"});
    form.N24Click();
    EXPECT_TRUE(notes_.empty()) << "the result is said when the worker is done";
    EXPECT_FALSE(form.Layout().N24->isEnabled());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    form.N24Click(); // one export at a time
    for (int i = 0; i < 500 && notes_.empty(); ++i) {
        ProcessEvents();
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_EQ(notes_.size(), 1u);
    EXPECT_TRUE(notes_[0].contains(QStringLiteral("zzz"))) << notes_[0].toStdString();
    EXPECT_TRUE(fs::exists(file));
    EXPECT_TRUE(form.Layout().N24->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(errors_.empty());

    // Over the file it wrote: asked first, then written again.
    form.N24Click();
    for (int i = 0; i < 500 && notes_.size() < 2; ++i) {
        ProcessEvents();
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(confirms, 1);
    EXPECT_EQ(notes_.size(), 2u);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

learning::TProgress StandInProgress() {
    learning::TProgress progress;
    const std::int64_t day = 24LL * 60 * 60 * 1000;
    // 9 December 2026, 00:00 UTC, and the 29 days before.
    const std::int64_t today = 1796774400000;
    for (int i = 0; i < learning::kProgressDays; ++i) {
        progress.Days.push_back({today - (learning::kProgressDays - 1 - i) * day, 0, 0, 0});
    }
    progress.Days.back().Right = 3;
    progress.Days.back().Missed = 1;
    progress.Days[0].Seen = 5;
    progress.States = {4, 2, 1, 3};
    progress.MostMissed = {{"Hous", "house", 7, 3, 5}, {"zzz", "", -1, 1, 1}};
    return progress;
}

TEST(ProgressModelTest, DaysSharesStatesAndTheMostMissedWords) {
    const progress::TProgressModel model =
        progress::MakeProgressModel(StandInProgress(), true, std::chrono::minutes(0));
    EXPECT_FALSE(model.Empty);
    ASSERT_EQ(model.Days.size(), 30u);
    EXPECT_EQ(model.Days.back().Label, QStringLiteral("09.12"));
    EXPECT_EQ(model.Days.front().Label, QStringLiteral("10.11"));
    EXPECT_TRUE(model.Days.back().Judged);
    EXPECT_DOUBLE_EQ(model.Days.back().SharePercent, 75.0);
    EXPECT_FALSE(model.Days.front().Judged) << "seen words are no answers to chart";
    EXPECT_EQ(model.MostAnswers, 4);
    EXPECT_EQ(model.States.DueToday, 3);
    ASSERT_EQ(model.MostMissed.size(), 2u);
    EXPECT_EQ(model.MostMissed[0].Text, QStringLiteral("house  —  3 of 5"));
    EXPECT_EQ(model.MostMissed[1].Text, QStringLiteral("zzz  —  1 of 1")) << "not found: the entry";

    const progress::TProgressModel empty =
        progress::MakeProgressModel(learning::TProgress{}, false, std::chrono::minutes(0));
    EXPECT_TRUE(empty.Empty);
}

TEST(ProgressWindowTest, AnEmptyRecordSaysSoAndADoubleClickLooksAWordUp) {
    const progress::TProgressModel model =
        progress::MakeProgressModel(StandInProgress(), false, std::chrono::minutes(0));
    std::vector<std::string> lookedUp;
    progress::TProgressWindow window(
        model, false, [&](const progress::TMissedRow& row) { lookedUp.push_back(row.HeadWord); });
    EXPECT_FALSE(window.EmptyNotice->isVisibleTo(&window));
    ASSERT_EQ(window.MissedList->count(), 2);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Напредък"));
    window.MissedList->setCurrentRow(0);
    window.MissedListDblClick();
    EXPECT_EQ(lookedUp, std::vector<std::string>{"house"});

    const progress::TProgressWindow empty(
        progress::MakeProgressModel(learning::TProgress{}, true, std::chrono::minutes(0)), true,
        {});
    EXPECT_TRUE(empty.EmptyNotice->isVisibleTo(&empty));
    EXPECT_TRUE(empty.EmptyNotice->text().contains(QStringLiteral("No answers")));
}

TEST(ProgressWindowTest, TheWindowComesFromItsLibraryAndAMissingLibrarySaysWhy) {
    app::TProgressLibrary library(PROGRESS_LIBRARY);
    const progress::TMakeProgressWindow make = library.Maker();
    ASSERT_NE(make, nullptr) << library.Failure();
    EXPECT_EQ(library.Maker(), make) << "loaded once";
    std::vector<std::string> lookedUp;
    const std::unique_ptr<QDialog> window(make(
        progress::MakeProgressModel(StandInProgress(), true, std::chrono::minutes(0)), true,
        [&](const progress::TMissedRow& row) { lookedUp.push_back(row.HeadWord); }, nullptr));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Progress"));
    EXPECT_NE(window->findChild<QWidget*>(QStringLiteral("Chart")), nullptr);
    auto* missed = window->findChild<QListWidget*>(QStringLiteral("MissedList"));
    ASSERT_NE(missed, nullptr);
    ASSERT_EQ(missed->count(), 2);
    missed->setCurrentRow(0);
    emit missed->itemDoubleClicked(missed->item(0));
    EXPECT_EQ(lookedUp, std::vector<std::string>{"house"});

    app::TProgressLibrary missing("nosuchprogresswindow");
    EXPECT_EQ(missing.Maker(), nullptr);
    EXPECT_NE(missing.Failure().find("nosuchprogresswindow"), std::string::npos)
        << missing.Failure();
}

} // namespace
