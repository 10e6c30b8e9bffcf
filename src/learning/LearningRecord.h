#pragma once

#include "learning/Answer.h"
#include "learning/RecordQueries.h"
#include "learning/Sqlite.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace learning {

// What went wrong with the record. Each kind is reported once per run; the
// exercise goes on in every case.
enum class TFaultKind {
    Busy,       // another program held the record past the busy timeout: answers dropped
    Unwritable, // a full disk, a read-only folder, a file that cannot be opened: not recorded
    Damaged,    // the file failed its check or is no database: moved aside, a new one begun
    Newer,      // written by a newer version of the program: left alone, nothing recorded
};

struct TRecordFault {
    TFaultKind Kind = TFaultKind::Unwritable;
    std::filesystem::path File;    // the record
    std::filesystem::path MovedTo; // Damaged: where the old file is now; empty if it stayed
    std::string Detail;            // SQLite's or the system's words, in English
};

// The learning record: every judged answer in one SQLite file, and the
// schedule derived from them. Nothing is opened until the first answer or
// the first question; answers are written by a thread of the record's own,
// so recording one costs the caller a queue push.
class TLearningRecord {
public:
    explicit TLearningRecord(std::filesystem::path file);
    // Writes what is still queued (for at most a second), then stops. A
    // record opened in this run leaves its due times beside it (DueTimes.h).
    ~TLearningRecord();
    TLearningRecord(const TLearningRecord&) = delete;
    TLearningRecord& operator=(const TLearningRecord&) = delete;

    const std::filesystem::path& File() const { return file_; }

    // Queues the answer and returns at once.
    void Record(TAnswer answer);

    // Waits until every answer queued so far has been written or dropped, at
    // most for bound; whether it got there.
    bool WaitUntilWritten(std::chrono::milliseconds bound);

    // Called, on whichever thread found it, when a fault is waiting in
    // TakeFaults: a window posts itself a message here and takes the faults
    // on its own thread. Set it before the first answer.
    void SetFaultListener(std::function<void()> listener);
    // The faults found since the last call, each kind once per run.
    std::vector<TRecordFault> TakeFaults();

    // The questions wait (at most kReadWait) for queued answers to be written
    // first, so they see the learner's latest answers. A record that does not
    // exist yet answers with nothing; one that cannot be read answers with
    // nothing and reports a fault.
    static constexpr std::chrono::milliseconds kReadWait{200};

    TDueList DueList(std::span<const std::string> list, const TDayClock& clock,
                     int newLimit = kDailyNewWords);
    // How many reviewed words are due at now.
    int DueCount(TTime now);
    // The same from the due times the record's last closing left, while this
    // run has not opened the record: no SQLite, no thread. Nothing when there
    // are none or they are stale.
    std::optional<int> DueCountWithoutOpening(TTime now) const;
    // Opens and checks an existing file for the questions to come, so the
    // first of them does not wait for the check.
    void Prepare();
    // Whether this run has opened the file.
    bool Opened() const { return opened_; }
    std::vector<TWordRecord> Words();
    std::vector<TAnswer> History(std::string_view entry);
    TProgress Progress(const TDayClock& clock, std::span<const std::string> list = {});

private:
    struct TWriter;
    struct TReader;

    void WriterLoop();
    void WriteOne(const TAnswer& answer);
    // A connection to the file, checked once per run (a damaged file is moved
    // aside first) and at the current schema. Throws what went wrong.
    sqlite::TDatabase OpenChecked();
    void ReportFailure(const std::exception& failure);
    void LeaveDueTimes();
    void Report(TRecordFault fault);
    template <typename Result, typename Query> Result Ask(Query query);

    const std::filesystem::path file_;

    std::mutex queueMutex_;
    std::condition_variable queueChanged_; // the writer waits for answers
    std::condition_variable written_;      // callers wait for the writer
    std::deque<TAnswer> queue_;
    bool writing_ = false;
    bool stopping_ = false;
    std::thread thread_;

    std::mutex checkMutex_;
    bool checked_ = false;

    std::mutex faultMutex_;
    std::vector<TRecordFault> faults_;
    unsigned reported_ = 0; // a bit per TFaultKind
    std::function<void()> listener_;

    std::unique_ptr<TWriter> writer_; // the writer thread's alone
    std::mutex readMutex_;
    std::unique_ptr<TReader> reader_;
    std::atomic<bool> readerStale_{false}; // the file was replaced under the reader
    std::atomic<bool> opened_{false};
};

} // namespace learning
