#include "app/Learning.h"

#include "dictionary/Letters.h"
#include "progress/LearningTexts.h"
#include "ui/CodePageText.h"

#include <QDateTime>
#include <QMetaObject>

#include <utility>

namespace app {

using progress::LearningPhrase;
using progress::TLearningPhrase;

namespace {

QString FileName(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

QString FaultMessage(const learning::TRecordFault& fault, bool english) {
    QString text;
    switch (fault.Kind) {
    case learning::TFaultKind::Busy:
        text = LearningPhrase(TLearningPhrase::RecordBusy, english).arg(FileName(fault.File));
        break;
    case learning::TFaultKind::Unwritable:
        text = LearningPhrase(TLearningPhrase::RecordUnwritable, english).arg(FileName(fault.File));
        break;
    case learning::TFaultKind::Damaged:
        text = LearningPhrase(TLearningPhrase::RecordDamaged, english)
                   .arg(FileName(fault.File), FileName(fault.MovedTo));
        break;
    case learning::TFaultKind::Newer:
        text = LearningPhrase(TLearningPhrase::RecordNewer, english).arg(FileName(fault.File));
        break;
    }
    if (!fault.Detail.empty()) {
        text += QStringLiteral("\n\n") + LearningPhrase(TLearningPhrase::RecordDetail, english)
                                             .arg(QString::fromStdString(fault.Detail));
    }
    return text;
}

TLearning::TLearning(std::filesystem::path file, const dictionary::TLookupService& dictionary,
                     std::function<bool()> english, TShowFault showFault)
    : file_(std::move(file)), dictionary_(dictionary), english_(std::move(english)),
      showFault_(std::move(showFault)) {
    readers_.setMaxThreadCount(1);
}

TLearning::~TLearning() {
    // No question may still be running when the record goes.
    readers_.waitForDone();
}

learning::TLearningRecord& TLearning::Record() {
    if (!record_) {
        record_ = std::make_unique<learning::TLearningRecord>(file_);
        // Found on the writer's or a reader's thread, shown on this one.
        record_->SetFaultListener([this] {
            QMetaObject::invokeMethod(
                &context_, [this] { ShowFaults(); }, Qt::QueuedConnection);
        });
    }
    return *record_;
}

void TLearning::Answered(const exercises::TJudgedAnswer& judged) {
    learning::TAnswer answer;
    answer.Entry = judged.Entry;
    answer.Exercise = judged.Exercise;
    answer.Kind = judged.Kind;
    answer.AfterShow = judged.AfterShow;
    answer.Seconds = judged.Seconds;
    answer.At = learning::Now();
    // Where the exercises find a study word: its letter, and the first
    // head-word there that begins with it.
    const int tab = dictionary::TabOfWord(judged.Entry);
    const int position = dictionary_.FindPrefix(tab, judged.Entry);
    if (const auto headWord = dictionary_.HeadWordAt(tab, position)) {
        answer.HeadWord = std::string(*headWord);
        answer.Tab = tab;
    }
    Record().Record(std::move(answer));
}

template <typename TResult>
void TLearning::Ask(std::function<TResult(learning::TLearningRecord&)> query,
                    std::function<void(TResult)> done) {
    learning::TLearningRecord& record = Record();
    readers_.start([this, &record, query = std::move(query), done = std::move(done)] {
        TResult result = query(record);
        QMetaObject::invokeMethod(
            &context_, [done, result = std::move(result)] { done(result); }, Qt::QueuedConnection);
    });
}

void TLearning::ReadDueList(std::vector<std::string> list,
                            std::function<void(learning::TDueList)> done) {
    const learning::TDayClock clock = Today();
    Ask<learning::TDueList>(
        [list = std::move(list), clock](learning::TLearningRecord& record) {
            return record.DueList(list, clock);
        },
        std::move(done));
}

void TLearning::ReadDueCount(std::function<void(int)> done) {
    const learning::TTime now = learning::Now();
    if (const auto count = Record().DueCountWithoutOpening(now)) {
        done(*count);
        return;
    }
    Ask<int>([now](learning::TLearningRecord& record) { return record.DueCount(now); },
             std::move(done));
}

void TLearning::ReadProgress(std::function<void(learning::TProgress, learning::TDayClock)> done) {
    const learning::TDayClock clock = Today();
    Ask<learning::TProgress>(
        [clock](learning::TLearningRecord& record) { return record.Progress(clock); },
        [clock, done = std::move(done)](learning::TProgress progress) {
            done(std::move(progress), clock);
        });
}

void TLearning::Prepare() {
    if ((record_ && record_->Opened()) || !RecordExists()) {
        return;
    }
    learning::TLearningRecord& record = Record();
    readers_.start([&record] { record.Prepare(); });
}

bool TLearning::RecordExists() const {
    std::error_code ec;
    return std::filesystem::exists(file_, ec);
}

bool TLearning::WaitUntilIdle(std::chrono::milliseconds bound) {
    const bool written = !record_ || record_->WaitUntilWritten(bound);
    return readers_.waitForDone(static_cast<int>(bound.count())) && written;
}

learning::TDayClock TLearning::Today() {
    const int offsetSeconds = QDateTime::currentDateTime().offsetFromUtc();
    return {learning::Now(), std::chrono::minutes(offsetSeconds / 60)};
}

void TLearning::ShowFaults() {
    if (!record_) {
        return;
    }
    for (const learning::TRecordFault& fault : record_->TakeFaults()) {
        if (showFault_) {
            showFault_(FaultMessage(fault, english_ && english_()));
        }
    }
}

} // namespace app
