#pragma once

// A small dictionary built into a temporary folder, and the main window
// started on it with every modal box answered by the test.
#include "app/Environment.h"
#include "app/Unit1.h"
#include "dictool/Builder.h"
#include "dictool/Transcriber.h"
#include "dictool/TsvSource.h"
#include "lookup/RichEditDblClick.h"
#include "lookup/SearchCombo.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace studylisttest {

namespace fs = std::filesystem;

inline constexpr const char* kWords = "hot\thɒt\tгорещ\tadj\thaving a high temperature\n"
                                      "hotel\thəʊˈtɛl\tхотел\tn\tbuilding with rooms\n"
                                      "hour\taʊə\tчас\tn\ttime period of sixty minutes\n"
                                      "house\thaʊs\tкъща, дом\tn\thuman abode\n"
                                      "household\thaʊshəʊld\tдомакинство\tn\n"
                                      "Polish\tˈpoʊlɪʃ\tполски\tadj\n"
                                      "polish\tˈpɒlɪʃ\tлъскам\tv\n"
                                      "run\trʌn\tбягам\tv\n"
                                      "walk\twɔːk\tразходка\tn\n";

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline void ProcessEvents() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

// A fresh copy of the dictionary per test, in a folder named after the test.
class DictionaryFolder {
public:
    explicit DictionaryFolder(const std::string& prefix) {
        dir_ = fs::temp_directory_path() /
               (prefix + "-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        dictool::Transcriber transcriber;
        dictool::BuildDictionary(dictool::ParseTsv(kWords, "words"), dir_, transcriber);
    }
    ~DictionaryFolder() {
        std::error_code ec;
        fs::permissions(dir_ / "eg", fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    const fs::path& Path() const { return dir_; }

private:
    fs::path dir_;
};

// The main window started in a dictionary folder; errors, confirmations and
// file boxes are recorded and answered here.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::make_unique<DictionaryFolder>("studylist");
        paths_ = std::make_unique<platform::TPaths>(platform::TPaths::Below(folder_->Path()));
        env_.Dialogs.Error = [this](QWidget*, const QString& text) { errors_.push_back(text); };
    }

    void TearDown() override {
        form_.reset();
        folder_.reset();
    }

    // language: '1' Bulgarian, '2' English interface.
    app::TForm1& Start(char language = '1') {
        WriteFile(Dir() / "Dictionary.cfg", std::string("111") + language);
        form_ = std::make_unique<app::TForm1>(*paths_, env_);
        form_->FormCreate();
        ui::TDialogs& dialogs = env_.Dialogs;
        dialogs.Confirm = [this](QWidget*, const QString& text) {
            questions_.push_back(text);
            return answer_;
        };
        dialogs.YesNoCancel = [this](QWidget*, const QString& text, bool english) {
            saveQuestions_.push_back(text);
            saveQuestionsInEnglish_ = english;
            return saveAnswer_;
        };
        dialogs.OpenFileName = [this](QWidget*, const QString& title) {
            titles_.push_back(title);
            return fileName_;
        };
        dialogs.SaveFileName = dialogs.OpenFileName;
        dialogs.Exec = [this](QDialog& dialog) {
            if (onDialog_) {
                onDialog_(dialog);
            }
            return dialog.result();
        };
        dialogs.Popup = [this](QMenu&, const QPoint&) { ++popups_; };
        ProcessEvents();
        return *form_;
    }

    const fs::path& Dir() const { return folder_->Path(); }

    void Type(const QString& text) {
        QLineEdit* edit = form_->Layout().Combo->Edit();
        for (const QChar ch : text) {
            if (ch.unicode() < 128) {
                QTest::keyClicks(edit, QString(ch));
            } else {
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key(ch.toUpper().unicode()),
                                    QString(ch), Qt::NoModifier);
            }
        }
        ProcessEvents();
    }

    void Press(Qt::Key key) {
        QTest::keyClick(form_->Layout().Combo->Edit(), key);
        ProcessEvents();
    }

    QString Article() const { return form_->Layout().RichEdit1->toPlainText(); }

    std::unique_ptr<DictionaryFolder> folder_;
    std::unique_ptr<platform::TPaths> paths_;
    ui::TEnvironment env_ = app::DesktopEnvironment();
    std::unique_ptr<app::TForm1> form_;
    std::vector<QString> errors_;
    std::vector<QString> questions_;
    // The question whether to save an edited list, and its answer.
    std::vector<QString> saveQuestions_;
    bool saveQuestionsInEnglish_ = false;
    ui::TAnswer saveAnswer_ = ui::TAnswer::No;
    std::vector<QString> titles_;
    bool answer_ = true;
    QString fileName_;
    std::function<void(QDialog&)> onDialog_;
    int popups_ = 0;
};

} // namespace studylisttest
