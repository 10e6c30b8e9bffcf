// The study list in the main window: adding, picking, deleting, clearing,
// opening and saving, with the count label and the controls that follow it.
#include "lookup/TabControl.h"
#include "tests/studylist/TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

using namespace studylisttest;

constexpr int kH = 'H' - 'A';
const std::string kHouse = "\xEA\xFA\xF9\xE0"; // къща

class StudyListTest : public WindowTest {
protected:
    QListWidget* List() { return form_->Layout().ListBox1; }

    std::vector<std::string> Entries() { return form_->StudyList().Items(); }

    void Click(int row) {
        const QRect rect = List()->visualItemRect(List()->item(row));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        ProcessEvents();
    }

    void RightClick(int row) {
        const QRect rect = List()->visualItemRect(List()->item(row));
        QTest::mousePress(List()->viewport(), Qt::RightButton, Qt::NoModifier, rect.center());
        QTest::mouseRelease(List()->viewport(), Qt::RightButton, Qt::NoModifier, rect.center());
        ProcessEvents();
    }

    void ListKey(Qt::Key key) {
        QTest::keyClick(List(), key);
        ProcessEvents();
    }

    void Open(const std::string& bytes) {
        WriteFile(Dir() / "list.txt", bytes);
        fileName_ = QString::fromStdString((Dir() / "list.txt").string());
        form_->Layout().Button3->click();
        ProcessEvents();
    }

    // Whether the action ends the program. The program's quit is posted to
    // the application's event loop, as a quit message would be. The loop
    // delivers what was posted before a round began in that round, and ends
    // after a round that asked it to; so a check posted after the action,
    // which posts itself once more, ends the loop itself only when no quit
    // came in between. The application's own loop is run, because only it
    // forgets a quit once it has ended: a quit left standing would end
    // every later loop at once.
    bool Quits(const std::function<void()>& action) {
        constexpr int kStillRunning = 1;
        // After a quit the check is still posted; it must not end a later loop.
        auto running = std::make_shared<bool>(true);
        const auto stillRunning = [running] {
            if (*running) {
                QCoreApplication::exit(kStillRunning);
            }
        };
        QTimer::singleShot(0, qApp, [&] {
            action();
            QMetaObject::invokeMethod(
                qApp,
                [stillRunning] {
                    QMetaObject::invokeMethod(qApp, stillRunning, Qt::QueuedConnection);
                },
                Qt::QueuedConnection);
        });
        const int result = QCoreApplication::exec();
        *running = false;
        return result == 0;
    }

    // Save enabled, clear shown and the hand cursor exactly while entries exist.
    void ExpectControlsFollow(int count) {
        EXPECT_EQ(List()->count(), count);
        EXPECT_EQ(form_->Layout().Button2->isEnabled(), count > 0);
        EXPECT_EQ(form_->Layout().Button4->isHidden(), count == 0);
        EXPECT_EQ(List()->cursor().shape(), count > 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
};

TEST_F(StudyListTest, AddsTheChosenHeadWord) {
    Start();
    EXPECT_EQ(form_->Layout().Label1->text(), QString());
    ExpectControlsFollow(0);
    Type(QStringLiteral("hou"));
    Press(Qt::Key_Return); // chooses hour, keeps "hou" in the box
    form_->Layout().Button1->click();
    EXPECT_EQ(Entries(), std::vector<std::string>{"hour"});
    EXPECT_EQ(form_->Layout().Label1->text(), QStringLiteral("1 Думи"));
    ExpectControlsFollow(1);

    Press(Qt::Key_Control); // house
    const QPoint surface = form_->Layout().rightPanel1->mapTo(form_.get(), QPoint(133, 100));
    QTest::mousePress(form_.get(), Qt::RightButton, Qt::NoModifier, surface);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"hour", "house"}))
        << "a right press on the window adds too";
    // A button left down would hold the mouse state for the tests after it.
    QTest::mouseRelease(form_.get(), Qt::RightButton, Qt::NoModifier, surface);
    form_->Layout().Button1->click();
    EXPECT_EQ(List()->count(), 2) << "a word already listed is not added twice";

    form_->Layout().Combo->SetItemIndex(-1);
    form_->Layout().Button1->click();
    EXPECT_EQ(List()->count(), 2) << "nothing chosen, nothing added";
    EXPECT_EQ(form_->Layout().Label1->text(), QStringLiteral("2 Думи"));
}

TEST_F(StudyListTest, ARightPressInPageModeAddsNothingAndLeavesSaveDisabled) {
    Start();
    Type(QStringLiteral("hou"));
    Press(Qt::Key_Return);         // hour
    form_->Layout().N5->trigger(); // an abbreviation key: page mode
    ProcessEvents();
    ASSERT_TRUE(form_->Layout().Button7->isHidden()) << "page mode";
    // The strip of the list's panel beside the list.
    const QPoint strip = form_->Layout().rightPanel1->mapTo(form_.get(), QPoint(133, 100));
    QTest::mousePress(form_.get(), Qt::RightButton, Qt::NoModifier, strip);
    QTest::mouseRelease(form_.get(), Qt::RightButton, Qt::NoModifier, strip);
    ProcessEvents();
    EXPECT_TRUE(Entries().empty()) << "the lock covers adding";
    EXPECT_FALSE(form_->Layout().Button2->isEnabled()) << "Save stays locked";

    form_->Layout().SpeedButton3->click(); // Continue
    ProcessEvents();
    QTest::mousePress(form_.get(), Qt::RightButton, Qt::NoModifier, strip);
    QTest::mouseRelease(form_.get(), Qt::RightButton, Qt::NoModifier, strip);
    ProcessEvents();
    EXPECT_EQ(Entries(), std::vector<std::string>{"hour"}) << "unlocked, the press adds again";
}

TEST_F(StudyListTest, ARightPressAddsOnlyWhereNoControlCoversTheWindow) {
    Start();
    Type(QStringLiteral("hou"));
    Press(Qt::Key_Return); // hour
    const auto rightPress = [&](QWidget* widget, const QPoint& at) {
        QTest::mousePress(widget, Qt::RightButton, Qt::NoModifier, at);
        QTest::mouseRelease(widget, Qt::RightButton, Qt::NoModifier, at);
        ProcessEvents();
    };
    rightPress(form_->Layout().Image3, QPoint(30, 150));
    rightPress(form_->Layout().Image4, QPoint(20, 20));
    rightPress(form_->Layout().Image2, QPoint(390, 20));
    rightPress(form_->Layout().Label1, QPoint(10, 8));
    rightPress(form_->Layout().TabControl1->Tabs(),
               form_->Layout().TabControl1->Tabs()->tabRect('W' - 'A').center());
    rightPress(form_->Layout().RichEdit1->viewport(), QPoint(60, 60));
    EXPECT_TRUE(Entries().empty()) << "pictures, tabs and the article pane are controls";

    // The window's own surface shows between the list and the button column.
    rightPress(form_->Layout().rightPanel1, QPoint(133, 100));
    EXPECT_EQ(Entries(), std::vector<std::string>{"hour"});
}

TEST_F(StudyListTest, PickingShowsTheWordOnItsLetter) {
    Start();
    Open("\xEA\xFA\xF9\xE0\r\nhouse\r\nzebra\r\n");
    ASSERT_EQ(Entries(), (std::vector<std::string>{kHouse, "house", "zebra"}));
    EXPECT_FALSE(form_->StudyList().PopupArmed());

    Click(0);
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), 26 + 10);
    EXPECT_TRUE(Article().startsWith(QStringLiteral("къща ["))) << Article().toStdString();
    EXPECT_FALSE(form_->Layout().Button7->isEnabled());
    EXPECT_TRUE(form_->StudyList().PopupArmed());

    Click(1);
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), kH);
    EXPECT_EQ(form_->Layout().Combo->Text(), "house");
    EXPECT_TRUE(Article().startsWith(QStringLiteral("house [")));
    EXPECT_TRUE(form_->Layout().Button7->isEnabled());

    ListKey(Qt::Key_Up); // the keyboard picks too
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), 26 + 10);

    ListKey(Qt::Key_Down);
    ListKey(Qt::Key_Down);
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), 'Z' - 'A');
    EXPECT_EQ(form_->Layout().Combo->ItemIndex(), -1) << "no head-word begins with zebra";
    EXPECT_TRUE(Article().startsWith(QStringLiteral("house ["))) << "the article stays";

    // Exercises move the selection without picking.
    form_->StudyList().SetItemIndex(1);
    EXPECT_EQ(form_->StudyList().ItemIndex(), 1);
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), 'Z' - 'A');
}

class DeleteTest : public StudyListTest, public ::testing::WithParamInterface<char> {};

TEST_P(DeleteTest, ConfirmedInTheInterfaceLanguage) {
    const bool english = GetParam() == '2';
    const QString unit = english ? QStringLiteral(" Words") : QStringLiteral(" Думи");
    const QString question =
        english ? QStringLiteral("Are you sure ?") : QStringLiteral("Сигурни ли сте ?");
    Start(GetParam());
    Open("house\r\nhour\r\n");
    List()->setFocus();

    ListKey(Qt::Key_Delete);
    EXPECT_TRUE(questions_.empty()) << "nothing selected, nothing asked";
    RightClick(0);
    EXPECT_EQ(popups_, 0) << "the menu is armed only by a pick";

    Click(0);
    answer_ = false;
    ListKey(Qt::Key_Delete);
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_EQ(questions_[0], question);
    EXPECT_EQ(List()->count(), 2) << "No changes nothing";
    EXPECT_EQ(form_->Layout().Label1->text(), QStringLiteral("2") + unit);

    answer_ = true;
    ListKey(Qt::Key_Delete);
    EXPECT_EQ(Entries(), std::vector<std::string>{"hour"});
    EXPECT_EQ(form_->Layout().Label1->text(), QStringLiteral("1") + unit) << "plural even for one";
    ExpectControlsFollow(1);

    Click(0);
    RightClick(0);
    EXPECT_EQ(popups_, 1);
    form_->Layout().Delete1->trigger();
    EXPECT_EQ(questions_.back(), question);
    EXPECT_EQ(List()->count(), 0);
    EXPECT_EQ(form_->Layout().Label1->text(), QStringLiteral("0") + unit);
    ExpectControlsFollow(0);
    EXPECT_FALSE(form_->StudyList().PopupArmed()) << "deleting from the menu disarms it";
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, DeleteTest, ::testing::Values('1', '2'));

TEST_F(StudyListTest, SaveOpenClearAndNew) {
    Start();
    Open("house\rhour\n\r\nwalk");
    EXPECT_EQ(titles_.back(), QStringLiteral("Напълни коша"));
    // An empty line makes no entry.
    EXPECT_EQ(Entries(), (std::vector<std::string>{"house", "hour", "walk"}));
    EXPECT_EQ(form_->Layout().Label1->text(), QStringLiteral("3 Думи"));

    const fs::path saved = Dir() / "saved";
    fileName_ = QString::fromStdString(saved.string());
    form_->Layout().Button2->click();
    EXPECT_EQ(titles_.back(), QStringLiteral("Запиши коша"));
    EXPECT_EQ(ReadFile(saved), "house\r\nhour\r\nwalk\r\n");
    EXPECT_EQ(QApplication::focusWidget(), form_->Layout().Combo->Edit());

    // A save that cannot replace the file keeps the old one: here the file
    // is read-only.
    fs::permissions(saved, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    form_->Layout().Button4->click();
    form_->StudyList().AddWords({kHouse});
    form_->Layout().N21->trigger();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains(fileName_)) << errors_[0].toStdString();
    EXPECT_EQ(ReadFile(saved), "house\r\nhour\r\nwalk\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{kHouse});

    form_->Layout().Button4->click();
    EXPECT_EQ(form_->Layout().Label1->text(), QString()) << "clearing empties the label";
    ExpectControlsFollow(0);
    fileName_.clear();
    form_->Layout().N21->trigger(); // cancelled: nothing written
    EXPECT_EQ(ReadFile(saved), "house\r\nhour\r\nwalk\r\n");

    // An unreadable file leaves the list as it was.
    form_->StudyList().AddWords({"walk"});
    fileName_ = QString::fromStdString((Dir() / "missing").string());
    form_->Layout().N20->trigger();
    ASSERT_EQ(errors_.size(), 2u);
    EXPECT_TRUE(errors_[1].contains(fileName_));
    EXPECT_EQ(Entries(), std::vector<std::string>{"walk"});

    // An unchanged list is emptied after a confirmation.
    fileName_ = QString::fromStdString((Dir() / "walk.txt").string());
    form_->Layout().N21->trigger();
    answer_ = false;
    form_->Layout().N19->trigger();
    EXPECT_EQ(questions_.size(), 1u);
    EXPECT_EQ(List()->count(), 1);
    answer_ = true;
    form_->Layout().N19->trigger();
    EXPECT_EQ(List()->count(), 0);
    EXPECT_EQ(form_->Layout().Label1->text(), QStringLiteral("0 Думи"));
    form_->Layout().N19->trigger();
    EXPECT_EQ(questions_.size(), 2u) << "an empty list is emptied without asking";
}

TEST_F(StudyListTest, AnEditedListIsOfferedForSavingBeforeItIsLost) {
    Start('2');
    Open("house\r\nhour\r\n");
    EXPECT_TRUE(saveQuestions_.empty()) << "the empty list at start has nothing to lose";
    form_->StudyList().AddWords({"walk"});
    const std::size_t fileBoxes = titles_.size();

    // Cancel keeps everything as it was, on every way out of the list.
    saveAnswer_ = ui::TAnswer::Cancel;
    form_->Layout().N20->trigger();
    ASSERT_EQ(saveQuestions_.size(), 1u);
    EXPECT_EQ(saveQuestions_[0], QStringLiteral("The words list has changed. Save it?"));
    EXPECT_TRUE(saveQuestionsInEnglish_);
    EXPECT_EQ(titles_.size(), fileBoxes) << "no file dialog";
    form_->Layout().N19->trigger();
    EXPECT_TRUE(questions_.empty()) << "the save question stands for the confirmation";
    EXPECT_FALSE(form_->close());
    EXPECT_TRUE(form_->isVisible());
    EXPECT_FALSE(Quits([&] { form_->Layout().N22->trigger(); }));
    EXPECT_FALSE(Quits([&] {
        QTest::sendKeyEvent(QTest::Press, form_->Layout().Combo->Edit(), Qt::Key_F4, QString(),
                            Qt::AltModifier);
    }));
    EXPECT_EQ(saveQuestions_.size(), 5u) << "Open, New, closing, Exit, Alt+F4";
    EXPECT_EQ(Entries(), (std::vector<std::string>{"house", "hour", "walk"}));

    // Yes saves first; cancelling the save dialog cancels the rest.
    saveAnswer_ = ui::TAnswer::Yes;
    fileName_.clear();
    EXPECT_FALSE(form_->close());
    const fs::path kept = Dir() / "kept.txt";
    fileName_ = QString::fromStdString(kept.string());
    form_->Layout().N19->trigger();
    EXPECT_EQ(ReadFile(kept), "house\r\nhour\r\nwalk\r\n");
    EXPECT_EQ(List()->count(), 0) << "then the new list";
    EXPECT_EQ(saveQuestions_.size(), 7u);

    // No drops the changes; a list opened or filled from the default list is
    // unchanged.
    form_->StudyList().AddWords({"run"});
    saveAnswer_ = ui::TAnswer::No;
    Open("hot\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"hot"});
    EXPECT_EQ(saveQuestions_.size(), 8u);
    form_->Layout().Button4->click();
    fs::create_directories(Dir() / "wave");
    WriteFile(Dir() / "wave" / "EnglishFree", "house\r\n");
    ASSERT_TRUE(form_->StudyList().FillFromDefaultList());
    EXPECT_TRUE(form_->close());
    EXPECT_EQ(saveQuestions_.size(), 8u);

    form_->show();
    form_->StudyList().AddWords({"run"});
    EXPECT_TRUE(Quits([&] { form_->Layout().N22->trigger(); }));
    EXPECT_EQ(saveQuestions_.size(), 9u);
}

TEST_F(StudyListTest, FillsFromTheDefaultList) {
    Start('2');
    EXPECT_FALSE(form_->StudyList().FillFromDefaultList());
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("EnglishFree"))) << errors_[0].toStdString();
    EXPECT_EQ(List()->count(), 0);

    fs::create_directories(Dir() / "wave");
    WriteFile(Dir() / "wave" / "EnglishFree", "house\r\nwalk\r\nrun\r\n");
    EXPECT_TRUE(form_->StudyList().FillFromDefaultList());
    EXPECT_EQ(Entries(), (std::vector<std::string>{"house", "walk", "run"}));
    EXPECT_EQ(form_->Layout().Label1->text(), QStringLiteral("3 Words"));
    ExpectControlsFollow(3);

    form_->Layout().Button4->click();
    form_->StudyList().AddWords({"hour"});
    EXPECT_TRUE(form_->StudyList().FillFromDefaultList());
    EXPECT_EQ(Entries(), std::vector<std::string>{"hour"}) << "a list with entries is kept";
}

} // namespace
