// The main window started with a settings file it cannot use: one message
// once the window shows, the defaults, and the file left as it is.
#include "app/Environment.h"
#include "app/Unit1.h"
#include "dictool/Builder.h"
#include "dictool/Transcriber.h"
#include "dictool/TsvSource.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using app::TForm1;

class SettingsStartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("settingsstartup-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        dictool::Transcriber transcriber;
        dictool::BuildDictionary(
            dictool::ParseTsv("house\thaʊs\tкъща\tn\nwalk\twɔːk\tразходка\tn\n", "words"), dir_,
            transcriber);
        env_.Dialogs.Error = [this](QWidget* parent, const QString& text) {
            errors_.push_back(text);
            shownWhileVisible_.push_back(parent != nullptr && parent->isVisible());
        };
    }
    void TearDown() override {
        form_.reset();
        fs::remove_all(dir_);
    }
    TForm1& Start() {
        paths_ = std::make_unique<platform::TPaths>(platform::TPaths::Below(dir_));
        form_ = std::make_unique<app::TForm1>(*paths_, env_);
        form_->FormCreate();
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
        }
        return *form_;
    }

    std::unique_ptr<platform::TPaths> paths_;
    ui::TEnvironment env_ = app::DesktopEnvironment();
    fs::path dir_;
    std::unique_ptr<TForm1> form_;
    std::vector<QString> errors_;
    std::vector<bool> shownWhileVisible_;
};

TEST_F(SettingsStartupTest, AFolderAsSettingsFileIsReportedOnceAndTheDefaultsHold) {
    fs::create_directory(dir_ / "Dictionary.cfg");
    TForm1& form = Start();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("Dictionary.cfg"))) << errors_[0].toStdString();
    EXPECT_TRUE(shownWhileVisible_[0]) << "reported in the window, once it shows";
    EXPECT_TRUE(form.Layout().ControlC1->isChecked());
    EXPECT_TRUE(form.Layout().PopUp1->isChecked());
    EXPECT_TRUE(form.Layout().N11->isChecked()) << "standard view";
    EXPECT_TRUE(form.Layout().N14->isChecked()) << "the built-in Bulgarian interface";

    form.Layout().PopUp1->trigger();
    EXPECT_FALSE(form.Layout().PopUp1->isChecked());
    EXPECT_EQ(errors_.size(), 1u) << "reported once, not at every change";
    EXPECT_TRUE(fs::is_directory(dir_ / "Dictionary.cfg"));
}

TEST_F(SettingsStartupTest, SettingsAndIndexProblemsShareOneBox) {
    fs::create_directory(dir_ / "Dictionary.cfg");
    fs::remove(dir_ / "eg" / "base_q.dak");
    Start();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("Dictionary.cfg")));
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("base_q.dak")));
}

} // namespace
