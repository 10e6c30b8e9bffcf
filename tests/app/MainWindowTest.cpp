// The main window driven through its real widgets, on a small dictionary
// built into a temporary start-up directory.
#include "app/Environment.h"
#include "app/Unit1.h"
#include "dictool/Builder.h"
#include "dictool/Transcriber.h"
#include "dictool/TsvSource.h"
#include "lookup/RichEditDblClick.h"
#include "lookup/SearchCombo.h"
#include "lookup/TabControl.h"
#include "platform/Cp1251.h"
#include "ui/Captions.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTabBar>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using app::TForm1;

constexpr const char* kWords = "hot\thɒt\tгорещ\tadj\thaving a high temperature\n"
                               "hotel\thəʊˈtɛl\tхотел\tn\tbuilding with rooms\n"
                               "hour\taʊə\tчас\tn\ttime period of sixty minutes\n"
                               "house\thaʊs\tкъща, дом\tn\thuman abode\n"
                               "household\thaʊshəʊld\tдомакинство\tn\n"
                               "Polish\tˈpoʊlɪʃ\tполски\tadj\n"
                               "polish\tˈpɒlɪʃ\tлъскам\tv\n"
                               "run\trʌn\tбягам\tv\n"
                               "running\tˈrʌnɪŋ\tтичане\tn\n"
                               "walk\twɔːk\tразходка\tn\n";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void ProcessEvents() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        data_ = new fs::path(fs::temp_directory_path() /
                             ("mainwindow-data-" + std::to_string(::getpid())));
        dictool::Transcriber transcriber;
        dictool::BuildDictionary(dictool::ParseTsv(kWords, "words"), *data_, transcriber);
    }
    static void TearDownTestSuite() {
        fs::remove_all(*data_);
        delete data_;
    }

    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("mainwindow-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::copy(*data_, dir_, fs::copy_options::recursive);
        errors_.clear();
        env_.Dialogs.Error = [this](QWidget*, const QString& text) { errors_.push_back(text); };
        QGuiApplication::clipboard()->clear();
    }

    void TearDown() override {
        form_.reset();
        fs::remove_all(dir_);
    }

    TForm1& Start(const char* settings = nullptr) {
        if (settings != nullptr) {
            std::ofstream(dir_ / "Dictionary.cfg", std::ios::binary) << settings;
        }
        paths_ = std::make_unique<platform::TPaths>(platform::TPaths::Below(dir_));
        form_ = std::make_unique<app::TForm1>(*paths_, env_);
        form_->FormCreate();
        ProcessEvents();
        return *form_;
    }

    QLineEdit* Edit() { return form_->Layout().Combo->Edit(); }

    // QTest types only ASCII by itself; other letters go as key events with
    // their Unicode key code, as the platform delivers them.
    void Type(const QString& text) {
        for (const QChar ch : text) {
            if (ch.unicode() < 128) {
                QTest::keyClicks(Edit(), QString(ch));
            } else {
                QTest::sendKeyEvent(QTest::Click, Edit(), Qt::Key(ch.toUpper().unicode()),
                                    QString(ch), Qt::NoModifier);
            }
        }
        ProcessEvents();
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Edit(), key, modifiers);
        ProcessEvents();
    }

    QString Article() const { return form_->Layout().RichEdit1->toPlainText(); }
    std::string BoxText() const { return form_->Layout().Combo->Text(); }

    static fs::path* data_;
    std::unique_ptr<platform::TPaths> paths_;
    ui::TEnvironment env_ = app::DesktopEnvironment();
    fs::path dir_;
    std::unique_ptr<TForm1> form_;
    std::vector<QString> errors_;
};

fs::path* MainWindowTest::data_ = nullptr;

TEST_F(MainWindowTest, StartsWithHintsTabAAndTheFrameInPlace) {
    TForm1& form = Start();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Marendov Tamir English Free Dictionary"));
    EXPECT_EQ(form.centralWidget()->size(), QSize(612, 320));
    EXPECT_EQ(form.Layout().TabControl1->Count(), 58);
    EXPECT_EQ(form.Layout().TabControl1->Tabs()->tabText(26), QStringLiteral("А"));
    EXPECT_EQ(form.Layout().TabControl1->Tabs()->tabText(57), QStringLiteral("Я"));
    EXPECT_EQ(form.Layout().TabControl1->TabIndex(), 0);
    EXPECT_EQ(form.Layout().Combo->Count(), 0) << "no English word starts with A here";
    EXPECT_TRUE(Article().contains(QStringLiteral("Въведи дума и натисни :")));
    EXPECT_FALSE(form.Layout().Button2->isEnabled());
    EXPECT_TRUE(form.Layout().Button4->isHidden());
    EXPECT_FALSE(form.Layout().SpeedButton2->isEnabled());
    EXPECT_TRUE(form.Layout().SpeedButton3->isHidden());
    EXPECT_TRUE(form.Layout().Panel4->isHidden());
    EXPECT_EQ(form.Layout().Button7->geometry(), QRect(4, 2, 76, 36));
    EXPECT_EQ(form.Layout().SpeedButton1->geometry(), QRect(83, 2, 76, 36));
    EXPECT_EQ(form.Layout().SpeedButton2->geometry(), QRect(162, 2, 76, 36));
    EXPECT_EQ(form.Layout().ListBox1->size(), QSize(132, 225));
    EXPECT_EQ(form.Layout().Image1->size(), QSize(90, 58));
    EXPECT_EQ(form.Layout().TabControl1->width(), 521);
    EXPECT_EQ(form.Layout().Combo->width(), 505);
    EXPECT_EQ(QApplication::focusWidget(), Edit());
    EXPECT_TRUE(errors_.empty());
}

TEST_F(MainWindowTest, EveryTextOfTheCaptionTableNamesAComponentShowingIt) {
    TForm1& form = Start();
    for (const auto table : {ui::SwitchedTexts(), ui::FixedTexts()}) {
        for (const ui::TWindowText& text : table) {
            const QString name = QString::fromUtf8(text.Control);
            const QString expected = QString::fromUtf8(text.BuiltIn);
            if (name == "TForm1") {
                EXPECT_EQ(form.windowTitle(), expected);
                continue;
            }
            if (name == "trans") {
                EXPECT_EQ(form.findChild<QToolButton*>("trans48")->toolTip(), expected);
                continue;
            }
            const auto found = form.findChildren<QObject*>(name);
            ASSERT_FALSE(found.isEmpty()) << text.Control;
            QString shown;
            for (QObject* object : found) {
                const char* property = text.Kind == ui::TTextKind::Hint   ? "toolTip"
                                       : qobject_cast<QGroupBox*>(object) ? "title"
                                                                          : "text";
                if (auto* menu = qobject_cast<QMenu*>(object)) {
                    shown = menu->title();
                } else if (object->property(property).isValid()) {
                    shown = object->property(property).toString();
                }
            }
            EXPECT_EQ(shown, expected) << text.Control;
        }
    }
}

TEST_F(MainWindowTest, TypicalLookUpKeepsTheTypedText) {
    Start();
    Type(QStringLiteral("h"));
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), 'H' - 'A')
        << "the first character picks the letter";
    EXPECT_TRUE(form_->Layout().Combo->DroppedDown());
    Type(QStringLiteral("ou"));
    EXPECT_EQ(form_->Layout().Combo->ItemIndex(), 2)
        << "hour is the first head-word beginning with hou";
    EXPECT_EQ(BoxText(), "hou");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Article().startsWith(QStringLiteral("hour [auə]"))) << Article().toStdString();
    EXPECT_EQ(BoxText(), "hou");
    EXPECT_FALSE(form_->Layout().Combo->DroppedDown());
    EXPECT_EQ(form_->Lookup().LastLookup().Text, "hour");
    EXPECT_TRUE(form_->Layout().Button7->isEnabled());
}

TEST_F(MainWindowTest, CtrlWalksThroughTheLetterAndStopsAtItsEnd) {
    Start();
    Type(QStringLiteral("hous"));
    Press(Qt::Key_Return);
    EXPECT_TRUE(Article().startsWith(QStringLiteral("house [")));
    Press(Qt::Key_Control);
    EXPECT_EQ(BoxText(), "household");
    EXPECT_TRUE(Article().startsWith(QStringLiteral("household [")));
    Press(Qt::Key_Control);
    EXPECT_EQ(form_->Layout().Combo->ItemIndex(), -1) << "past the last head-word";
    EXPECT_EQ(BoxText(), "");
    EXPECT_TRUE(Article().startsWith(QStringLiteral("household ["))) << "the article stays";
}

// Ctrl+C moves on once for Ctrl and once for C; its control character is
// not typed text, so it does not pick the letter C.
TEST_F(MainWindowTest, CtrlCMovesOnTwice) {
    Start();
    Type(QStringLiteral("ho"));
    Press(Qt::Key_Return);
    EXPECT_EQ(BoxText(), "ho");
    QTest::keyClick(Edit(), Qt::Key_C, Qt::ControlModifier);
    ProcessEvents();
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), 'H' - 'A');
    EXPECT_EQ(BoxText(), "hour");
    EXPECT_TRUE(Article().startsWith(QStringLiteral("hour [")));
}

TEST_F(MainWindowTest, SpaceRestoresTheChosenHeadWord) {
    Start();
    Type(QStringLiteral("hou"));
    Press(Qt::Key_Down);
    EXPECT_EQ(BoxText(), "house");
    EXPECT_TRUE(Article().startsWith(QStringLiteral("house [")));
    Press(Qt::Key_Space);
    EXPECT_EQ(BoxText(), "house");
    EXPECT_EQ(form_->Layout().Combo->ItemIndex(), 3);
}

TEST_F(MainWindowTest, SpaceAfterADoubleClickedWordBringsBackThatWord) {
    Start();
    Type(QStringLiteral("hou"));
    Press(Qt::Key_Down); // house
    lookup::TRichEditDblClick* pane = form_->Layout().RichEdit1;
    const int at = pane->toPlainText().indexOf(QStringLiteral("дом"));
    ASSERT_GE(at, 0);
    QTextCursor cursor(pane->document());
    cursor.setPosition(at + 1);
    const QPoint point = pane->cursorRect(cursor).center();
    QTest::mouseDClick(pane->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(pane->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    ProcessEvents();
    ASSERT_EQ(form_->Layout().TabControl1->TabIndex(), 26 + 4);

    // The chosen word is wholly selected: the space replaces it.
    Press(Qt::Key_Space);
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), 26 + 4);
    EXPECT_EQ(BoxText(), platform::Utf8ToCp1251("дом"));
    EXPECT_EQ(form_->Layout().Combo->Count(), 2) << "the list of Д";
    Press(Qt::Key_Control);
    EXPECT_TRUE(Article().startsWith(QStringLiteral("домакинство ["))) << Article().toStdString();
}

TEST_F(MainWindowTest, CyrillicFirstLetterSelectsItsTab) {
    Start();
    Type(QStringLiteral("К"));
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), 26 + 10);
    Type(QStringLiteral("ъщ"));
    Press(Qt::Key_Return);
    EXPECT_TRUE(Article().startsWith(QStringLiteral("къща ["))) << Article().toStdString();
    EXPECT_FALSE(form_->Layout().Button7->isEnabled()) << "no pronunciation for Bulgarian words";

    form_->Layout().Combo->SetText({});
    Type(QStringLiteral("д"));
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), 26 + 4) << "lower case too";
}

TEST_F(MainWindowTest, AboutTheProgramCountsTheHeadWordsOfTheFolder) {
    Start();
    QString text;
    env_.RunAbout = [&](QDialog& window) {
        text = window.findChild<QLabel*>(QStringLiteral("Label1"))->text();
    };
    form_->Layout().N4->trigger();
    EXPECT_EQ(form_->HeadWordCounts().English, 10u);
    EXPECT_GT(form_->HeadWordCounts().Bulgarian, 0u);
    EXPECT_TRUE(text.contains(QStringLiteral("от 10 думи"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("от %1 думи").arg(form_->HeadWordCounts().Bulgarian)))
        << text.toStdString();
}

TEST_F(MainWindowTest, LockedLetterTabsLookLocked) {
    Start();
    QTabBar* tabs = form_->Layout().TabControl1->Tabs();
    const auto tabLook = [&](int tab) {
        const QRect place = tabs->tabRect(tab);
        return tabs->grab(place).toImage().pixelColor(place.width() / 2, 3);
    };
    const QColor selected = tabLook(0);
    const QColor other = tabLook(1);
    form_->Layout().N5->trigger(); // page mode locks the tabs
    ProcessEvents();
    ASSERT_FALSE(tabs->isEnabled());
    EXPECT_NE(tabLook(1), other) << "a locked tab looks as it did unlocked";
    EXPECT_NE(tabLook(0), selected) << "the selected tab too";
    form_->Layout().SpeedButton3->click();
    ProcessEvents();
    EXPECT_EQ(tabLook(1), other) << "unlocked, the tabs look as before";
}

TEST_F(MainWindowTest, ClickingATabShowsItsFirstArticle) {
    Start();
    QTabBar* tabs = form_->Layout().TabControl1->Tabs();
    tabs->setCurrentIndex('P' - 'A');
    ProcessEvents();
    EXPECT_EQ(BoxText(), "Polish");
    EXPECT_TRUE(Article().startsWith(QStringLiteral("Polish [")));
    EXPECT_EQ(QApplication::focusWidget(), Edit());
}

TEST_F(MainWindowTest, DoubleClickLooksUpTheClickedWord) {
    Start();
    Type(QStringLiteral("hous"));
    Press(Qt::Key_Return);
    lookup::TRichEditDblClick* pane = form_->Layout().RichEdit1;
    const auto clickWord = [&](const QString& word) {
        const int at = pane->toPlainText().indexOf(word);
        ASSERT_GE(at, 0) << word.toStdString();
        QTextCursor cursor(pane->document());
        cursor.setPosition(at + 1);
        const QPoint point = pane->cursorRect(cursor).center();
        QTest::mouseDClick(pane->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        // QTest leaves the button marked as held after a double-click.
        QTest::mouseRelease(pane->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        ProcessEvents();
    };
    clickWord(QStringLiteral("дом"));
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), 26 + 4)
        << "a Bulgarian word in an English article";
    EXPECT_TRUE(Article().startsWith(QStringLiteral("дом ["))) << Article().toStdString();
    EXPECT_FALSE(form_->Layout().Button7->isEnabled()) << "Bulgarian words are not pronounced";
    clickWord(QStringLiteral("house"));
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), 'H' - 'A');
    EXPECT_EQ(BoxText(), "house");
    EXPECT_TRUE(form_->Layout().Button7->isEnabled());

    form_->Layout().ControlC1->trigger(); // translation off: only the focus moves
    clickWord(QStringLiteral("дом"));
    EXPECT_EQ(form_->Layout().TabControl1->TabIndex(), 'H' - 'A');
    EXPECT_EQ(QApplication::focusWidget(), Edit());
}

TEST_F(MainWindowTest, ClipboardChangesAreLookedUp) {
    QGuiApplication::clipboard()->setText(QStringLiteral("walk"));
    Start();
    EXPECT_TRUE(Article().startsWith(QStringLiteral("walk ["))) << "text there at start";

    QGuiApplication::clipboard()->setText(QStringLiteral("  Running, fast"));
    ProcessEvents();
    EXPECT_EQ(BoxText(), "running") << "Running, then Running and so on";
    EXPECT_TRUE(Article().startsWith(QStringLiteral("running [")));

    QGuiApplication::clipboard()->setText(QStringLiteral("hotels\nsecond line"));
    ProcessEvents();
    EXPECT_EQ(BoxText(), "hotel");

    QGuiApplication::clipboard()->setText(QStringLiteral("   "));
    ProcessEvents();
    EXPECT_EQ(BoxText(), "hotel") << "spaces look nothing up";

    form_->Layout().ControlC1->trigger();
    EXPECT_FALSE(form_->Layout().PopUp1->isChecked()) << "Control-C off takes PopUp with it";
    QGuiApplication::clipboard()->setText(QStringLiteral("walk"));
    ProcessEvents();
    EXPECT_EQ(BoxText(), "hotel");
    form_->Layout().ControlC1->trigger();
    EXPECT_TRUE(form_->Layout().PopUp1->isChecked());
}

TEST_F(MainWindowTest, SettingsFileCreatedReadAndRewritten) {
    TForm1& form = Start();
    EXPECT_EQ(ReadFile(dir_ / "Dictionary.cfg"), "1112") << "created without a line end";
    EXPECT_TRUE(form.Layout().N14->isChecked()) << "the first run keeps the built-in Bulgarian";
    form.Layout().PopUp1->trigger();
    EXPECT_EQ(ReadFile(dir_ / "Dictionary.cfg"), "1212\r\n");
    form_.reset();

    TForm1& second = Start();
    EXPECT_TRUE(second.Layout().N15->isChecked()) << "every later run: English";
    EXPECT_FALSE(second.Layout().PopUp1->isChecked());
    EXPECT_TRUE(Article().contains(QStringLiteral("Insert a word and press :")));
    fs::remove(dir_ / "Dictionary.cfg");
    second.Layout().ControlC1->trigger();
    EXPECT_FALSE(fs::exists(dir_ / "Dictionary.cfg")) << "not recreated while running";
    EXPECT_FALSE(fs::exists(dir_ / "Dictionary.cfg.tmp"));
}

TEST_F(MainWindowTest, StoredSettingsAreApplied) {
    TForm1& zeros = Start("0000");
    EXPECT_FALSE(zeros.Layout().ControlC1->isChecked());
    EXPECT_FALSE(zeros.Layout().PopUp1->isChecked());
    EXPECT_TRUE(zeros.Layout().N12->isChecked());
    EXPECT_TRUE(zeros.Layout().N15->isChecked());
    form_.reset();

    TForm1& one = Start("1\r\nignored");
    EXPECT_TRUE(one.Layout().ControlC1->isChecked());
    EXPECT_FALSE(one.Layout().PopUp1->isChecked());
    EXPECT_TRUE(one.Layout().N12->isChecked());
    EXPECT_TRUE(one.Layout().N15->isChecked());
}

TEST_F(MainWindowTest, MissingIndexFilesAreReportedOnce) {
    fs::remove(dir_ / "eg" / "base_q.dak");
    Start();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("base_q.dak")));
    form_->Layout().TabControl1->Tabs()->setCurrentIndex('Q' - 'A');
    ProcessEvents();
    EXPECT_EQ(form_->Layout().Combo->Count(), 0);
}

TEST_F(MainWindowTest, AltF4EndsTheProgram) {
    Start();
    QEventLoop loop;
    bool timedOut = false;
    QTimer::singleShot(5000, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    // F4 with Alt held; the Alt press itself belongs to the menu bar.
    QTimer::singleShot(0, &loop, [&] {
        QTest::sendKeyEvent(QTest::Press, Edit(), Qt::Key_F4, QString(), Qt::AltModifier);
    });
    loop.exec();
    EXPECT_FALSE(timedOut) << "the quit request ends the event loop";
}

} // namespace
