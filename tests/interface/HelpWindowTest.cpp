#include "interface/HelpWindow.h"
#include "tests/platform/NamedPipe.h"
#include "ui/WindowPlace.h"

#include <QTextBrowser>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using interface::TForm8;

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("help-window-" + std::to_string(::getpid()));
        fs::create_directories(dir_ / "hlp");
        std::ofstream(dir_ / "hlp" / "metod1e.htm")
            << "<html><head><title>Method 1</title></head><body><h1>Method 1</h1>"
               "<p><a href=\"metod2e.htm\">Method 2</a></p></body></html>";
        std::ofstream(dir_ / "hlp" / "metod2e.htm")
            << "<html><body><h1>Second page</h1></body></html>";
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
};

TEST_F(HelpWindowTest, ShowsThePageCentredOnItsOwnerAndFollowsLinks) {
    QWidget owner;
    owner.setGeometry(100, 100, 612, 340);
    QString shown;
    QSize size;
    QPoint centre;
    ui::TEnvironment environment;
    environment.RunHelp = [&](QDialog& dialog) {
        auto& window = dynamic_cast<TForm8&>(dialog);
        window.show();
        shown = window.WebBrowser1->toPlainText();
        size = window.size();
        centre = window.geometry().center();
        window.WebBrowser1->setSource(QUrl(QStringLiteral("metod2e.htm")));
        shown += window.WebBrowser1->toPlainText();
        window.close();
    };
    interface::ShowHelpPage(&owner, dir_ / "hlp" / "metod1e.htm", true, environment);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Method 1")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Second page"))) << "links stay in the window";
    EXPECT_EQ(size, QSize(620, 365));
    EXPECT_LE((centre - owner.frameGeometry().center()).manhattanLength(), 3);
}

TEST_F(HelpWindowTest, OpensInsideTheScreenWhenItsOwnerIsInTheTopLeftCorner) {
    QWidget owner;
    owner.setGeometry(0, 0, 400, 120); // the compact view
    QRect frame;
    ui::TEnvironment environment;
    environment.RunHelp = [&](QDialog& dialog) {
        dialog.show();
        frame = dialog.frameGeometry();
        dialog.close();
    };
    interface::ShowHelpPage(&owner, dir_ / "hlp" / "metod1e.htm", true, environment);
    const QRect area = ui::AvailableArea(&owner);
    EXPECT_TRUE(area.contains(frame)) << "at " << frame.x() << ", " << frame.y();
}

// A picture or a linked page that is a named pipe shows as missing at once
// instead of holding the window until a writer comes.
TEST_F(HelpWindowTest, ANamedPipeThatAPageNamesIsNotWaitedFor) {
    testsupport::TNamedPipe picture(dir_ / "hlp" / "pipe.png");
    testsupport::TNamedPipe page(dir_ / "hlp" / "pipe.htm");
    ASSERT_TRUE(picture.Made() && page.Made());
    std::ofstream(dir_ / "hlp" / "help.htm")
        << "<html><body><h1>Help</h1><img src=\"pipe.png\"></body></html>";
    TForm8 window(nullptr, true);
    window.HelpPage = dir_ / "hlp" / "help.htm";
    window.FormShow();
    window.show();
    window.WebBrowser1->grab();
    EXPECT_TRUE(window.WebBrowser1->toPlainText().startsWith(QStringLiteral("Help")));
    EXPECT_FALSE(picture.Rescued());
    EXPECT_TRUE(window.WebBrowser1
                    ->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("pipe.png")))
                    .toByteArray()
                    .isEmpty());
    window.WebBrowser1->setSource(QUrl(QStringLiteral("pipe.htm")));
    EXPECT_FALSE(page.Rescued());
    EXPECT_FALSE(
        window.WebBrowser1
            ->loadResource(QTextDocument::HtmlResource, QUrl::fromLocalFile(QString::fromStdString(
                                                            (dir_ / "hlp" / "help.htm").string())))
            .toByteArray()
            .isEmpty())
        << "a regular file beside it is read";
}

TEST_F(HelpWindowTest, AMissingPageSaysSoAndNamesIt) {
    for (const bool english : {false, true}) {
        TForm8 window(nullptr, english);
        window.HelpPage = dir_ / "hlp" / "metod9.htm";
        window.FormShow();
        const QString text = window.WebBrowser1->toPlainText();
        EXPECT_TRUE(text.contains(english ? QStringLiteral("Page not found")
                                          : QStringLiteral("Страницата не е намерена")));
        EXPECT_TRUE(text.contains(QStringLiteral("metod9.htm")));
        EXPECT_EQ(window.windowTitle(),
                  QStringLiteral("Marendov Tamir English Free Dictionary Help"));
    }
}

} // namespace
