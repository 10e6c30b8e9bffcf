// The main window's language switch, views, page mode, pronunciation key,
// help and web links, driven through its real widgets on a small dictionary
// with the pages, key and samples the build makes.
#include "app/Environment.h"
#include "app/Unit1.h"
#include "dictool/Builder.h"
#include "dictool/Transcriber.h"
#include "dictool/TsvSource.h"
#include "interface/HelpWindow.h"
#include "interface/WebLinks.h"
#include "lookup/RichEditDblClick.h"
#include "lookup/SearchCombo.h"
#include "lookup/TabControl.h"
#include "ui/Captions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTabBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using app::TForm1;

constexpr const char* kWords = "hot\thɒt\tгорещ\n"
                               "hour\taʊə\tчас\n"
                               "house\thaʊs\tкъща\n";
const fs::path kRunDir = DICT_RUN_DIR;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void ProcessEvents() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

template <typename Predicate> bool WaitUntil(Predicate done, int milliseconds = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(10);
    }
    return done();
}

class InterfaceWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        data_ = new fs::path(fs::temp_directory_path() /
                             ("interface-data-" + std::to_string(::getpid())));
        dictool::Transcriber transcriber;
        dictool::BuildDictionary(dictool::ParseTsv(kWords, "words"), *data_, transcriber);
        fs::create_directories(*data_ / "rtf");
        fs::create_directories(*data_ / "trans");
        for (const char* page : {"bg.rtf", "eng.rtf", "order.rtf", "orderEn.rtf", "trans.rtf"}) {
            fs::copy_file(kRunDir / "rtf" / page, *data_ / "rtf" / page);
        }
        for (const char* sample : {"7.mp3", "48.mp3"}) {
            fs::copy_file(kRunDir / "trans" / sample, *data_ / "trans" / sample);
        }
    }
    static void TearDownTestSuite() {
        fs::remove_all(*data_);
        delete data_;
    }

    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("interface-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::copy(*data_, dir_, fs::copy_options::recursive);
        env_.Dialogs.Error = [this](QWidget*, const QString& text) { errors_.push_back(text); };
        env_.Beep = [this] { ++beeps_; };
    }

    void TearDown() override {
        form_.reset();
        fs::remove_all(dir_);
    }

    TForm1& Start(const char* settings = nullptr) {
        if (settings != nullptr) {
            WriteFile(dir_ / "Dictionary.cfg", settings);
        }
        paths_ = std::make_unique<platform::TPaths>(platform::TPaths::Below(dir_));
        form_ = std::make_unique<app::TForm1>(*paths_, env_);
        form_->FormCreate();
        form_->Sound().MPEG1.SetPathToDLL(MPEGDLL_DIR);
        ProcessEvents();
        return *form_;
    }

    std::string Settings() const { return ReadFile(dir_ / "Dictionary.cfg"); }

    void Choose(const char* word) {
        form_->Layout().TabControl1->Tabs()->setCurrentIndex('H' - 'A');
        ProcessEvents();
        form_->Layout().Combo->SetItemIndex(form_->Layout().Combo->FindPrefix(word));
        form_->ComboBox1Change();
    }

    void Trigger(QAction* item) {
        item->trigger();
        ProcessEvents();
    }

    void Click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton);
        ProcessEvents();
    }

    // What a component of the caption table shows now.
    QString Shown(const ui::TWindowText& text) const {
        const QString name = QString::fromLatin1(text.Control);
        if (text.Kind == ui::TTextKind::Hint) {
            return form_->findChild<QWidget*>(name)->toolTip();
        }
        if (auto* action = form_->findChild<QAction*>(name)) {
            return action->text();
        }
        if (auto* group = form_->findChild<QGroupBox*>(name)) {
            return group->title();
        }
        return form_->findChild<QWidget*>(name)->property("text").toString();
    }

    void ExpectAllTexts(ui::TLanguage language) const {
        for (const ui::TWindowText& text : ui::SwitchedTexts()) {
            EXPECT_EQ(Shown(text),
                      QString::fromUtf8(language == ui::TLanguage::English ? text.English
                                                                           : text.Bulgarian))
                << text.Control;
        }
    }

    QToolButton* Key(int n) const {
        return form_->findChild<QToolButton*>(QStringLiteral("trans%1").arg(n));
    }

    bool KeyUsable() const {
        return form_->Layout().Panel4->isEnabled() && form_->Layout().Panel3->isEnabled();
    }

    QString Article() const { return form_->Layout().RichEdit1->toPlainText(); }

    static fs::path* data_;
    std::unique_ptr<platform::TPaths> paths_;
    ui::TEnvironment env_ = app::DesktopEnvironment();
    fs::path dir_;
    std::unique_ptr<TForm1> form_;
    std::vector<QString> errors_;
    int beeps_ = 0;
};

fs::path* InterfaceWindowTest::data_ = nullptr;

// --- Language ---------------------------------------------------------------

TEST_F(InterfaceWindowTest, LanguageSwitchRewritesEveryTextAndStoresOnce) {
    TForm1& form = Start("1111");
    EXPECT_EQ(form.Layout().N19->text(), QStringLiteral("&Нов")) << "built in";
    Trigger(form.Layout().N15);
    EXPECT_TRUE(form.Layout().N15->isChecked());
    EXPECT_FALSE(form.Layout().N14->isChecked());
    ExpectAllTexts(ui::TLanguage::English);
    EXPECT_EQ(form.Layout().N21->text(), QStringLiteral("Close"));
    EXPECT_EQ(form.Layout().Delete1->text(), QStringLiteral("&Delete"));
    EXPECT_EQ(Settings(), "1112\r\n");
    // Texts that stay as built.
    EXPECT_EQ(form.Layout().Image1->toolTip(),
              QStringLiteral("Посетете нашата страница в Internet"));
    EXPECT_EQ(Key(1)->toolTip(), QStringLiteral("Прослушване на транскрипция"));
    EXPECT_EQ(form.Layout().Button5->toolTip(), QStringLiteral("Метод 1"));

    WriteFile(dir_ / "Dictionary.cfg", "XXXX");
    Trigger(form.Layout().N15);
    EXPECT_EQ(Settings(), "XXXX") << "choosing the current language writes nothing";
    EXPECT_TRUE(form.Layout().N15->isChecked());
    EXPECT_FALSE(form.Layout().N14->isChecked());

    Trigger(form.Layout().N14);
    ExpectAllTexts(ui::TLanguage::Bulgarian);
    EXPECT_EQ(form.Layout().N19->text(), QStringLiteral("Нов"))
        << "no accelerator after the switch";
    EXPECT_EQ(form.Layout().RzGroupBox2->title(), QStringLiteral("Гласни")) << "no padding";
    EXPECT_EQ(form.Layout().F11->text(), QStringLiteral("Помощ         F1"));
    EXPECT_EQ(Settings(), "1111\r\n");
    EXPECT_TRUE(errors_.empty());
}

TEST_F(InterfaceWindowTest, CountLabelUsesTheSingularForOneEntryOnly) {
    TForm1& form = Start();
    const std::vector<std::string> words = {"house", "hour"};
    const char* english[] = {"0 Words", "1 Word", "2 Words"};
    const char* bulgarian[] = {"0 Думи", "1 Дума", "2 Думи"};
    for (int count = 0; count <= 2; ++count) {
        form.StudyList().SetItems({words.begin(), words.begin() + count});
        Trigger(form.Layout().N15);
        EXPECT_EQ(form.Layout().Label1->text(), QString::fromUtf8(english[count]));
        Trigger(form.Layout().N14);
        EXPECT_EQ(form.Layout().Label1->text(), QString::fromUtf8(bulgarian[count]));
    }
}

TEST_F(InterfaceWindowTest, StoredCompactEnglishOpensSoWithoutRewriting) {
    TForm1& form = Start("1122");
    EXPECT_TRUE(form.Layout().N12->isChecked());
    EXPECT_FALSE(form.Layout().N11->isChecked());
    EXPECT_EQ(form.width(), 402);
    EXPECT_TRUE(form.Layout().rightPanel1->isHidden());
    EXPECT_EQ(form.Layout().TabControl1->width(), 311);
    EXPECT_EQ(form.Layout().Combo->width(), 295);
    EXPECT_TRUE(form.Layout().N15->isChecked());
    ExpectAllTexts(ui::TLanguage::English);
    EXPECT_EQ(Settings(), "1122") << "start-up applies without writing";
    EXPECT_EQ(form.View().Remembered().Window, 612) << "the standard widths are remembered";
}

// --- Views ------------------------------------------------------------------

TEST_F(InterfaceWindowTest, CompactThenStandardRestoresTheStartExactly) {
    TForm1& form = Start("1111");
    const QRect tabs = form.Layout().TabControl1->geometry();
    const QRect combo = form.Layout().Combo->geometry();
    const QRect article = form.Layout().Panel2->geometry();
    const QSize window = form.size();
    Trigger(form.Layout().N12);
    EXPECT_EQ(form.width(), 402);
    EXPECT_EQ(form.centralWidget()->width(), 402);
    EXPECT_EQ(form.height(), window.height());
    EXPECT_EQ(form.Layout().TabControl1->geometry(), QRect(tabs.x(), tabs.y(), 311, tabs.height()))
        << "right-aligned next to the logo";
    EXPECT_EQ(form.Layout().Combo->width(), 295);
    EXPECT_EQ(form.Layout().Panel2->geometry(), article) << "the article area is unchanged";
    EXPECT_TRUE(form.Layout().rightPanel1->isHidden());
    EXPECT_EQ(Settings(), "1121\r\n");

    WriteFile(dir_ / "Dictionary.cfg", "XXXX");
    Trigger(form.Layout().N12);
    EXPECT_EQ(Settings(), "XXXX") << "the current view does nothing";

    Trigger(form.Layout().N11);
    EXPECT_EQ(form.size(), window);
    EXPECT_EQ(form.Layout().TabControl1->geometry(), tabs);
    EXPECT_EQ(form.Layout().Combo->geometry(), combo);
    EXPECT_FALSE(form.Layout().rightPanel1->isHidden());
    EXPECT_TRUE(form.Layout().N11->isChecked());
    EXPECT_FALSE(form.Layout().N12->isChecked());
    EXPECT_EQ(Settings(), "1111\r\n");
}

TEST_F(InterfaceWindowTest, AddingToTheListInCompactBringsTheStandardView) {
    TForm1& form = Start();
    Choose("house");
    Trigger(form.Layout().N12);
    Click(form.Layout().Button1);
    EXPECT_TRUE(form.Layout().N11->isChecked());
    EXPECT_FALSE(form.Layout().rightPanel1->isHidden());
    EXPECT_EQ(form.width(), 612);
    EXPECT_EQ(form.StudyList().Count(), 1);
}

// --- Page mode --------------------------------------------------------------

TEST_F(InterfaceWindowTest, PageModeLocksTheWindowAndContinueRestoresIt) {
    TForm1& form = Start();
    form.StudyList().SetItems({"hour"});
    Choose("house");
    const QString article = Article();
    ASSERT_TRUE(article.startsWith(QStringLiteral("house")));
    Trigger(form.Layout().N5);
    for (QWidget* locked : std::initializer_list<QWidget*>{
             form.Layout().Combo, form.Layout().TabControl1, form.Layout().ListBox1,
             form.Layout().Button10, form.Layout().Button13, form.Layout().Button2,
             form.Layout().Button4, form.Layout().Button5, form.Layout().Button9,
             form.Layout().Button11, form.Layout().Button16, form.Layout().Button12}) {
        EXPECT_FALSE(locked->isEnabled()) << locked->objectName().toStdString();
    }
    for (QWidget* hidden : {form.Layout().Button7, form.Layout().Button1, form.Layout().Button3,
                            form.Layout().SpeedButton1, form.Layout().SpeedButton2}) {
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    }
    EXPECT_FALSE(form.Layout().SpeedButton3->isHidden());
    for (QMenu* menu : {form.Layout().N18, form.Layout().N1, form.Layout().N9, form.Layout().N2}) {
        EXPECT_FALSE(menu->menuAction()->isEnabled()) << menu->objectName().toStdString();
    }
    EXPECT_TRUE(form.Layout().N8->menuAction()->isEnabled()) << "Buy Now stays";
    EXPECT_TRUE(Article().startsWith(QStringLiteral("Съкращения"))) << Article().toStdString();
    EXPECT_EQ(beeps_, 1) << "loading a page into the locked pane beeps";

    Click(form.Layout().SpeedButton3);
    for (QWidget* unlocked : std::initializer_list<QWidget*>{
             form.Layout().Combo, form.Layout().TabControl1, form.Layout().ListBox1,
             form.Layout().Button10, form.Layout().Button13, form.Layout().Button2,
             form.Layout().Button4, form.Layout().Button5, form.Layout().Button9,
             form.Layout().Button11, form.Layout().Button16, form.Layout().Button12}) {
        EXPECT_TRUE(unlocked->isEnabled()) << unlocked->objectName().toStdString();
    }
    for (QWidget* shown :
         {form.Layout().Button7, form.Layout().Button1, form.Layout().Button3,
          form.Layout().SpeedButton1, form.Layout().SpeedButton2, form.Layout().Button4}) {
        EXPECT_FALSE(shown->isHidden()) << shown->objectName().toStdString();
    }
    EXPECT_TRUE(form.Layout().SpeedButton3->isHidden());
    EXPECT_TRUE(form.Layout().Panel4->isHidden());
    EXPECT_EQ(form.Layout().ListBox1->cursor().shape(), Qt::PointingHandCursor);
    for (QMenu* menu : {form.Layout().N18, form.Layout().N1, form.Layout().N9, form.Layout().N2}) {
        EXPECT_TRUE(menu->menuAction()->isEnabled());
    }
    EXPECT_EQ(Article(), article) << "the word's article again";
    EXPECT_EQ(QApplication::focusWidget(), form.Layout().Combo->Edit());
    EXPECT_EQ(beeps_, 1);
}

TEST_F(InterfaceWindowTest, ContinueWithoutAWordLeavesAnEmptyPaneAndAnEmptyList) {
    TForm1& form = Start();
    Trigger(form.Layout().N6);
    EXPECT_TRUE(Article().startsWith(QStringLiteral("Abbreviations"))) << Article().toStdString();
    Click(form.Layout().SpeedButton3);
    EXPECT_TRUE(Article().isEmpty());
    EXPECT_FALSE(form.Layout().Button2->isEnabled());
    EXPECT_TRUE(form.Layout().Button4->isHidden());
}

TEST_F(InterfaceWindowTest, AMissingPageIsNamedAndContinueStillWorks) {
    TForm1& form = Start();
    const QString hints = Article();
    fs::remove(dir_ / "rtf" / "eng.rtf");
    Trigger(form.Layout().N6);
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains(QString::fromStdString((dir_ / "rtf" / "eng.rtf").string())))
        << errors_[0].toStdString();
    EXPECT_TRUE(form.Pages().PageMode());
    EXPECT_EQ(Article(), hints) << "the pane keeps its text";
    Click(form.Layout().SpeedButton3);
    EXPECT_FALSE(form.Pages().PageMode());
}

// The message names the file and says in the interface language what it is:
// a named pipe is no file the system has an error number for.
TEST_F(InterfaceWindowTest, APageThatIsANamedPipeIsNamedAsOne) {
    const fs::path page = dir_ / "rtf" / "eng.rtf";
    fs::remove(page);
    ASSERT_EQ(::mkfifo(page.c_str(), 0600), 0);
    TForm1& english = Start("1112");
    Trigger(english.Layout().N6);
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], QStringLiteral("Cannot open file \"%1\". It is a named pipe, not a file.")
                              .arg(QString::fromStdString(page.string())));
    Click(english.Layout().SpeedButton3);

    TForm1& bulgarian = Start("1111");
    Trigger(bulgarian.Layout().N6);
    ASSERT_EQ(errors_.size(), 2u);
    EXPECT_EQ(
        errors_[1],
        QStringLiteral("Файлът „%1“ не може да бъде отворен. Това е именуван канал, а не файл.")
            .arg(QString::fromStdString(page.string())));
}

TEST_F(InterfaceWindowTest, BuyNowShowsTheOrderPageInPageModeAndOverTheKey) {
    TForm1& form = Start("1112");
    Trigger(form.Layout().N5);
    Trigger(form.Layout().G0);
    EXPECT_TRUE(Article().startsWith(QStringLiteral("Getting the dictionary")))
        << Article().toStdString();
    Click(form.Layout().SpeedButton3);
    Trigger(form.Layout().N16);
    EXPECT_FALSE(form.Layout().Panel4->isHidden());
    Trigger(form.Layout().G0);
    EXPECT_TRUE(form.Layout().Panel4->isHidden()) << "the page is not hidden under the key";
    Click(form.Layout().SpeedButton3);
    EXPECT_FALSE(form.Pages().PageMode());
}

// Buy Now stays usable while the voice is recorded; page mode would hide the
// stop button and Continue would unlock the window under the recording.
TEST_F(InterfaceWindowTest, TheOrderPageWaitsForARecordingToStop) {
    TForm1& form = Start();
    Click(form.Layout().SpeedButton1);
    ASSERT_TRUE(form.Sound().Recording());
    Trigger(form.Layout().G0);
    EXPECT_FALSE(form.Pages().PageMode());
    EXPECT_FALSE(form.Layout().SpeedButton1->isHidden());
    EXPECT_EQ(beeps_, 1);
    Click(form.Layout().SpeedButton1);
    Trigger(form.Layout().G0);
    EXPECT_TRUE(form.Pages().PageMode());
}

TEST_F(InterfaceWindowTest, ClicksOnTheLockedWindowBeepOnlyInPageMode) {
    TForm1& form = Start();
    for (QWidget* part : {static_cast<QWidget*>(form.Layout().Label1),
                          static_cast<QWidget*>(form.Layout().Image2)}) {
        Click(part);
    }
    EXPECT_EQ(beeps_, 0);
    Trigger(form.Layout().N5);
    const int afterPage = beeps_;
    Click(form.Layout().Label1);
    EXPECT_EQ(beeps_, afterPage + 1);
    Click(form.Layout().Image2);
    EXPECT_EQ(beeps_, afterPage + 2);
}

// --- Pronunciation key ------------------------------------------------------

TEST_F(InterfaceWindowTest, KeySamplesPlayAndShowTheirOwnLine) {
    TForm1& form = Start();
    Trigger(form.Layout().N16);
    EXPECT_FALSE(form.Layout().Panel4->isHidden());
    EXPECT_TRUE(form.Sound().MPEG1.IsLibraryLoaded()) << "loaded when the key is shown";
    for (const int n : {7, 48}) {
        Click(Key(n));
        EXPECT_FALSE(KeyUsable()) << n;
        EXPECT_TRUE(form.Sound().Pronouncing()) << n;
        EXPECT_EQ(form.Sound().MPEG1.StreamName(),
                  (dir_ / "trans" / (std::to_string(n) + ".mp3")).string());
        const QTextCursor cursor = form.Layout().RzRichEdit1->textCursor();
        EXPECT_EQ(cursor.blockNumber(), n - 1);
        EXPECT_TRUE(cursor.block().text().contains(
            QString::fromStdString(std::string(interface::KeySymbol(n)))));
        EXPECT_LE(std::abs(form.Layout().RzRichEdit1->cursorRect().top()), 2)
            << "the first visible line";
        ASSERT_TRUE(WaitUntil([&] { return KeyUsable(); })) << "the end of the sample";
    }
}

TEST_F(InterfaceWindowTest, NothingCanBePressedWhileASamplePlays) {
    TForm1& form = Start();
    Trigger(form.Layout().N16);
    Click(Key(7));
    ASSERT_TRUE(form.Sound().Pronouncing());
    Click(Key(48));
    Click(form.Layout().SpeedButton3);
    EXPECT_EQ(form.Layout().RzRichEdit1->textCursor().blockNumber(), 6) << "no other key";
    EXPECT_TRUE(form.Pages().PageMode()) << "no Continue";
    ASSERT_TRUE(WaitUntil([&] { return KeyUsable(); }));
    Click(form.Layout().SpeedButton3);
    EXPECT_FALSE(form.Pages().PageMode());
}

TEST_F(InterfaceWindowTest, AMissingSampleOrKeyTextLeavesTheKeyUsable) {
    TForm1& form = Start();
    Trigger(form.Layout().N16);
    Click(Key(8));
    EXPECT_TRUE(KeyUsable()) << "no sample 8";
    EXPECT_FALSE(form.Sound().Pronouncing());
    EXPECT_EQ(form.Layout().RzRichEdit1->textCursor().blockNumber(), 7);
    EXPECT_TRUE(errors_.empty());

    fs::remove(dir_ / "rtf" / "trans.rtf");
    Click(Key(7));
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("trans.rtf")));
    EXPECT_TRUE(KeyUsable());
    EXPECT_FALSE(form.Sound().Pronouncing()) << "the key does nothing else";
}

// --- Help and web links -----------------------------------------------------

TEST_F(InterfaceWindowTest, F1OpensTheHelpPageOfTheInterfaceLanguage) {
    std::vector<fs::path> pages;
    env_.RunHelp = [&](QDialog& window) {
        pages.push_back(dynamic_cast<interface::TForm8&>(window).HelpPage);
    };
    TForm1& form = Start("1112");
    QTest::keyClick(form.Layout().Combo->Edit(), Qt::Key_F1);
    Trigger(form.Layout().N14);
    Trigger(form.Layout().F11);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], dir_ / "hlp" / "helpe.htm");
    EXPECT_EQ(pages[1], dir_ / "hlp" / "help.htm");
}

TEST_F(InterfaceWindowTest, WebLinksOpenTheirAddressesOrNameThem) {
    std::vector<QUrl> opened;
    bool browser = true;
    env_.OpenUrl = [&](const QUrl& url) {
        opened.push_back(url);
        return browser;
    };
    TForm1& form = Start("1112");
    Click(form.Layout().Image1);
    Trigger(form.Layout().MultilingualOnlineDictionary1);
    Trigger(form.Layout().G1);
    Trigger(form.Layout().G2);
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://freedict.org/")));
    EXPECT_EQ(opened[1], QUrl(QStringLiteral("https://en.wiktionary.org/")));
    EXPECT_EQ(opened[2], QUrl(QStringLiteral("https://freedict.org/downloads/")));
    EXPECT_EQ(opened[3], QUrl(QStringLiteral("https://wikdict.com/")));
    EXPECT_TRUE(errors_.empty());
    browser = false;
    Trigger(form.Layout().MultilingualOnlineDictionary1);
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("https://en.wiktionary.org/")));
}

} // namespace
