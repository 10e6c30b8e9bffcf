// The installed program at start: shared data it only reads, the user's own
// folder made on the first start, and one message for a state folder it
// cannot use or shared data that is not there.
#include "app/Environment.h"
#include "app/Unit1.h"
#include "dictionary/LookupService.h"
#include "dictool/Builder.h"
#include "dictool/Transcriber.h"
#include "dictool/TsvSource.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class InstalledStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("installedstart-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(Shared());
        dictool::Transcriber transcriber;
        dictool::BuildDictionary(
            dictool::ParseTsv("house\thaʊs\tкъща\tn\nwalk\twɔːk\tразходка\tn\n", "words"), Shared(),
            transcriber);
        env_.Dialogs.Error = [this](QWidget*, const QString& text) { errors_.push_back(text); };
    }
    void TearDown() override {
        form_.reset();
        fs::remove_all(dir_);
    }
    fs::path Shared() const { return dir_ / "share" / "englishdictionary"; }
    fs::path State() const { return dir_ / "home" / ".local" / "share" / "englishdictionary"; }

    app::TForm1& Start() {
        paths_ = std::make_unique<platform::TPaths>(
            platform::TPaths::TAnswers{Shared(), Shared(), State(), State(),
                                       dir_ / "run" / "englishdictionary" / "play.tmp"},
            true);
        form_ = std::make_unique<app::TForm1>(*paths_, env_);
        form_->FormCreate();
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
        }
        return *form_;
    }
    bool Finds(const app::TForm1& form, const char* word) const {
        const dictionary::TLookupService service(form.Index());
        return service.FindHeadWord(dictionary::TabOfWord(word), word) >= 0;
    }

    std::unique_ptr<platform::TPaths> paths_;
    ui::TEnvironment env_ = app::DesktopEnvironment();
    fs::path dir_;
    std::unique_ptr<app::TForm1> form_;
    std::vector<QString> errors_;
};

TEST_F(InstalledStartTest, TheFirstStartMakesTheUsersFoldersAndWritesNothingShared) {
    const auto sharedFiles = std::distance(fs::recursive_directory_iterator(Shared()), {});
    app::TForm1& form = Start();
    EXPECT_TRUE(errors_.empty()) << errors_.front().toStdString();
    EXPECT_TRUE(fs::exists(State() / "Dictionary.cfg"));
    EXPECT_TRUE(fs::is_directory(dir_ / "run" / "englishdictionary"));
    EXPECT_FALSE(fs::exists(Shared() / "Dictionary.cfg"));
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(Shared()), {}), sharedFiles);
    EXPECT_TRUE(Finds(form, "house"));
}

// The state folder's place is taken by a file: one message naming the
// folder, in the interface language, and the look-up goes on; nothing of
// the user's is written anywhere else.
TEST_F(InstalledStartTest, AStateFolderThatCannotBeMadeIsReportedOnceAndLookUpsGoOn) {
    fs::create_directories(State().parent_path());
    std::ofstream(State()) << "in the way";
    const auto sharedFiles = std::distance(fs::recursive_directory_iterator(Shared()), {});
    app::TForm1& form = Start();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains(QString::fromStdString(State().string())))
        << errors_[0].toStdString();
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("Търсенето и упражненията работят")))
        << "the built-in Bulgarian interface";
    EXPECT_TRUE(Finds(form, "walk"));
    form.Layout().PopUp1->trigger();
    EXPECT_EQ(errors_.size(), 1u) << "a settings change says nothing more";
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(Shared()), {}), sharedFiles);
    EXPECT_FALSE(fs::exists("Dictionary.cfg")) << "not in the working directory either";
}

TEST_F(InstalledStartTest, MissingSharedDataIsReportedByItsFolder) {
    fs::remove_all(Shared());
    Start();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains(QString::fromStdString(Shared().string())))
        << errors_[0].toStdString();
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("Инсталирайте програмата отново")));
}

TEST_F(InstalledStartTest, DamagedSharedDataNamesItsFiles) {
    fs::remove(Shared() / "eg" / "base_w.dak");
    app::TForm1& form = Start();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(
        errors_[0].contains(QString::fromStdString((Shared() / "eg" / "base_w.dak").string())))
        << errors_[0].toStdString();
    EXPECT_TRUE(Finds(form, "house")) << "the other letters are read";
}

} // namespace
