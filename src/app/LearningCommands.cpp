#include "app/LearningCommands.h"

#include "export/DictionaryWords.h"
#include "export/Export.h"
#include "lookup/RichEditDblClick.h"
#include "progress/LearningTexts.h"
#include "studylist/StudyListFile.h"
#include "ui/CodePageText.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QToolButton>

namespace app {

using progress::LearningPhrase;
using progress::TLearningPhrase;

namespace {

QString Entries(const std::vector<std::string>& entries) {
    QStringList names;
    for (const std::string& entry : entries) {
        names << ui::FromCodePage(entry);
    }
    return names.join(QStringLiteral(", "));
}

// The deck is named after its file.
std::string DeckName(const QString& file) {
    return QFileInfo(file).completeBaseName().toStdString();
}

} // namespace

TLearningCommands::TLearningCommands(TRooms& rooms, const TMainLayout& layout, QWidget& window,
                                     const platform::TPaths& paths, ui::TEnvironment& environment)
    : rooms_(rooms), layout_(layout), window_(window), paths_(paths), environment_(environment) {
    exporter_.setMaxThreadCount(1);
}

void TLearningCommands::HintsShown() {
    hintsText_ = layout_.RichEdit1->toPlainText();
}

void TLearningCommands::RefreshDueCount() {
    if (!rooms_.Learning->RecordExists()) {
        return;
    }
    rooms_.Learning->ReadDueCount([this](int count) { ShowDueCount(count); });
}

void TLearningCommands::ShowDueCount(int count) {
    dueCount_ = count;
    const QString text = progress::DueCountText(count, English());
    layout_.Label1->setToolTip(text);
    // The usage hints get the line only while nothing else was shown.
    if (!hintsText_.isEmpty() && layout_.RichEdit1->toPlainText() == hintsText_) {
        rooms_.Lookup->ShowUsageHints(English(), text);
        hintsText_ = layout_.RichEdit1->toPlainText();
    }
}

void TLearningCommands::Review() {
    if (reviewing_) {
        return;
    }
    rooms_.View->N11Click();
    if (!rooms_.StudyList->QuerySave()) {
        return;
    }
    std::vector<std::string> list = rooms_.StudyList->Items();
    if (list.empty()) {
        // New words come from the default list then; one that cannot be
        // read gives none.
        if (!studylist::ReadStudyListFile(paths_.DataFile(studylist::TStudyList::kDefaultList),
                                          list)
                 .Ok()) {
            list.clear();
        }
    }
    reviewing_ = true;
    rooms_.Learning->ReadDueList(std::move(list), [this](const learning::TDueList& due) {
        reviewing_ = false;
        const std::vector<std::string> entries = due.Entries();
        if (entries.empty()) {
            environment_.Dialogs.Inform(
                &window_, LearningPhrase(TLearningPhrase::NothingToReview, English()));
            return;
        }
        rooms_.StudyList->SetItemsUnchanged(entries);
        ShowDueCount(static_cast<int>(due.Due.size()));
        rooms_.Lookup->FocusSearchBox();
    });
}

void TLearningCommands::ShowProgress() {
    if (progressOpening_) {
        return;
    }
    progressOpening_ = true;
    rooms_.Learning->ReadProgress(
        [this](const learning::TProgress& figures, const learning::TDayClock& clock) {
            progressOpening_ = false;
            const bool english = English();
            const progress::TMakeProgressWindow make = progressLibrary_.Maker();
            if (make == nullptr) {
                environment_.Dialogs.Error(
                    &window_, LearningPhrase(TLearningPhrase::ProgressUnavailable, english)
                                  .arg(QString::fromStdString(progressLibrary_.Failure())));
                return;
            }
            const std::unique_ptr<QDialog> window(make(
                progress::MakeProgressModel(figures, english, clock.UtcOffset), english,
                [this](const progress::TMissedRow& word) {
                    rooms_.Lookup->ShowWord(word.HeadWord.empty() ? word.Entry : word.HeadWord);
                },
                &window_));
            environment_.Dialogs.Exec(*window);
        });
}

struct TLearningCommands::TExportJob {
    QString Name; // as the dialog gave it
    std::filesystem::path File;
    bool Text = false;
    std::vector<std::string> Entries;
    std::unique_ptr<exporting::TFoundWords> Words;
    exporting::TExportOptions Options;
    exporting::TExportResult Result;
};

void TLearningCommands::Export() {
    if (exporting_) {
        return;
    }
    rooms_.View->N11Click();
    const bool english = English();
    const std::vector<std::string>& list = rooms_.StudyList->Items();
    if (list.empty()) {
        environment_.Dialogs.Inform(&window_,
                                    LearningPhrase(TLearningPhrase::ExportEmptyList, english));
        return;
    }
    const QString name = environment_.Dialogs.SaveFileOfKind(
        &window_, LearningPhrase(TLearningPhrase::ExportTitle, english),
        {LearningPhrase(TLearningPhrase::ExportAnkiFilter, english),
         LearningPhrase(TLearningPhrase::ExportTextFilter, english)});
    if (name.isEmpty()) {
        return;
    }
    auto job = std::make_shared<TExportJob>();
    job->Name = name;
    job->File = QFileInfo(name).filesystemAbsoluteFilePath();
    job->Text = QFileInfo(name).suffix().compare(QStringLiteral("tsv"), Qt::CaseInsensitive) == 0;
    job->Entries = list;
    // The articles are read here, where the dictionary serves the window;
    // the sounds, the package and the file are the worker's.
    job->Words = std::make_unique<exporting::TFoundWords>(
        list, exporting::TDictionaryWords(rooms_.Dictionary, paths_.DataDir()));
    job->Options.DeckName = DeckName(name);
    job->Options.NowMs = learning::ToMs(learning::Now());
    StartExport(std::move(job));
}

void TLearningCommands::StartExport(std::shared_ptr<TExportJob> job) {
    exporting_ = true;
    layout_.N24->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    exporter_.start([this, job] {
        job->Result =
            job->Text
                ? exporting::ExportTabSeparated(job->Entries, *job->Words, job->File, job->Options)
                : exporting::ExportAnkiPackage(job->Entries, *job->Words, job->File, job->Options);
        QMetaObject::invokeMethod(
            &context_, [this, job] { ExportDone(job); }, Qt::QueuedConnection);
    });
}

void TLearningCommands::ExportDone(const std::shared_ptr<TExportJob>& job) {
    QApplication::restoreOverrideCursor();
    layout_.N24->setEnabled(true);
    exporting_ = false;
    const bool english = English();
    const exporting::TExportResult& result = job->Result;
    const QString& name = job->Name;
    if (result.Status == exporting::TExportStatus::Exists && !job->Options.Replace) {
        if (environment_.Dialogs.Confirm(
                &window_, LearningPhrase(TLearningPhrase::ExportExists, english).arg(name))) {
            job->Options.Replace = true;
            StartExport(job);
        }
        return;
    }
    const QString leftOut =
        result.LeftOut.empty()
            ? QString()
            : QStringLiteral("\n\n") + LearningPhrase(TLearningPhrase::ExportLeftOut, english)
                                           .arg(Entries(result.LeftOut));
    switch (result.Status) {
    case exporting::TExportStatus::Written:
        environment_.Dialogs.Inform(&window_,
                                    LearningPhrase(TLearningPhrase::ExportWritten, english)
                                            .arg(result.Notes)
                                            .arg(result.Sounds)
                                            .arg(name) +
                                        leftOut);
        break;
    case exporting::TExportStatus::NothingToWrite:
        environment_.Dialogs.Error(
            &window_, LearningPhrase(TLearningPhrase::ExportNothing, english) + leftOut);
        break;
    case exporting::TExportStatus::Unwritable:
    case exporting::TExportStatus::Exists:
        environment_.Dialogs.Error(
            &window_, LearningPhrase(TLearningPhrase::ExportUnwritable, english).arg(name) +
                          QStringLiteral("\n\n") +
                          LearningPhrase(TLearningPhrase::RecordDetail, english)
                              .arg(QString::fromStdString(result.Detail)));
        break;
    }
    rooms_.Lookup->FocusSearchBox();
}

} // namespace app
