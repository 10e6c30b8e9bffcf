#pragma once

#include "dictionary/LookupService.h"
#include "exercises/AnswerObserver.h"
#include "learning/LearningRecord.h"

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace app {

// The learning record as the main window uses it: every answer the
// exercises judge goes in, found in the dictionary as the exercises find
// their words; the due list and the progress figures come out, read on a
// thread of their own and handed back on the interface thread. The record
// is made at its first use, not at start-up. Its faults are shown once per
// run each, in the interface language, and the exercises go on.
class TLearning : public exercises::TAnswerObserver {
public:
    using TShowFault = std::function<void(const QString& text)>;

    TLearning(std::filesystem::path file, const dictionary::TLookupService& dictionary,
              std::function<bool()> english, TShowFault showFault);
    ~TLearning() override;
    TLearning(const TLearning&) = delete;
    TLearning& operator=(const TLearning&) = delete;

    // Queues the answer; the verdict never waits for the file.
    void Answered(const exercises::TJudgedAnswer& answer) override;

    // The words due now, most overdue first, then new words of list up to
    // the daily limit; done runs on the interface thread.
    void ReadDueList(std::vector<std::string> list, std::function<void(learning::TDueList)> done);
    // How many words are due now. At start-up the due times the last run
    // left answer at once, without SQLite or a thread; else the record is
    // asked and done runs on the interface thread later.
    void ReadDueCount(std::function<void(int)> done);
    // The progress window's figures and the clock they were read with.
    void ReadProgress(std::function<void(learning::TProgress, learning::TDayClock)> done);

    // A question is likely soon (a menu with Review and Progress opened):
    // an existing record is opened and checked on the reader's thread now.
    void Prepare();
    // Whether a record exists to ask, without opening it.
    bool RecordExists() const;
    // Waits, at most for bound, until every answer so far is written and
    // every question answered (tests and benchmarks).
    bool WaitUntilIdle(std::chrono::milliseconds bound);

    // Now, with the learner's days beginning at local midnight.
    static learning::TDayClock Today();

private:
    learning::TLearningRecord& Record();
    // Shows what the record found wrong; called on the interface thread.
    void ShowFaults();
    template <typename TResult>
    void Ask(std::function<TResult(learning::TLearningRecord&)> query,
             std::function<void(TResult)> done);

    QObject context_; // where results and faults are handed back
    const std::filesystem::path file_;
    const dictionary::TLookupService& dictionary_;
    std::function<bool()> english_;
    TShowFault showFault_;
    std::unique_ptr<learning::TLearningRecord> record_;
    QThreadPool readers_; // one thread: questions run in the order asked
};

// The message for one of the record's faults.
QString FaultMessage(const learning::TRecordFault& fault, bool english);

} // namespace app
