#include "learning/LearningRecord.h"

#include "learning/DueTimes.h"
#include "learning/RecordFile.h"

#include <cstring>
#include <optional>
#include <utility>

namespace learning {

using sqlite::TDatabase;
using sqlite::TSqliteError;

namespace {

// A writer that cannot keep up this far behind is stuck: further answers are
// dropped rather than held.
constexpr std::size_t kMaxQueued = 10000;
// What the end of the program waits for answers still queued.
constexpr std::chrono::seconds kShutdownDrain{1};

// A failure that has been reported where it was found.
class TReported : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace

struct TLearningRecord::TWriter {
    explicit TWriter(TDatabase db) : Db(std::move(db)), Writer(Db) {}
    TDatabase Db;
    TAnswerWriter Writer;
};

struct TLearningRecord::TReader {
    TDatabase Db;
};

TLearningRecord::TLearningRecord(std::filesystem::path file) : file_(std::move(file)) {}

TLearningRecord::~TLearningRecord() {
    {
        std::lock_guard lock(queueMutex_);
        stopping_ = true;
    }
    queueChanged_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
    std::lock_guard lock(readMutex_);
    reader_.reset();
    if (opened_) {
        LeaveDueTimes();
    }
}

void TLearningRecord::LeaveDueTimes() {
    try {
        std::vector<std::int64_t> dueMs;
        {
            // Closed before the file is stamped: closing the last connection
            // folds the write-ahead log into the file.
            TDatabase db = OpenRecordFile(file_);
            dueMs = ReviewDueTimes(db);
        }
        WriteDueTimes(file_, dueMs);
    } catch (const std::exception&) {
        // The next start asks SQLite instead.
        ForgetDueTimes(file_);
    }
}

std::optional<int> TLearningRecord::DueCountWithoutOpening(TTime now) const {
    if (opened_) {
        return std::nullopt;
    }
    const auto dueMs = ReadDueTimes(file_);
    if (!dueMs) {
        return std::nullopt;
    }
    return CountDue(*dueMs, now);
}

void TLearningRecord::Record(TAnswer answer) {
    opened_ = true; // the due times left by the last run no longer hold
    bool full = false;
    {
        std::lock_guard lock(queueMutex_);
        if (queue_.size() >= kMaxQueued) {
            full = true;
        } else {
            queue_.push_back(std::move(answer));
            if (!thread_.joinable()) {
                thread_ = std::thread(&TLearningRecord::WriterLoop, this);
            }
        }
    }
    if (full) {
        Report({TFaultKind::Busy, file_, {}, "too many answers are waiting to be written"});
        return;
    }
    queueChanged_.notify_one();
}

bool TLearningRecord::WaitUntilWritten(std::chrono::milliseconds bound) {
    std::unique_lock lock(queueMutex_);
    return written_.wait_for(lock, bound, [this] { return queue_.empty() && !writing_; });
}

void TLearningRecord::WriterLoop() {
    std::unique_lock lock(queueMutex_);
    std::optional<std::chrono::steady_clock::time_point> deadline;
    for (;;) {
        queueChanged_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) {
            break;
        }
        if (stopping_ && !deadline) {
            deadline = std::chrono::steady_clock::now() + kShutdownDrain;
        }
        if (deadline && std::chrono::steady_clock::now() > *deadline) {
            queue_.clear();
            break;
        }
        const TAnswer answer = std::move(queue_.front());
        queue_.pop_front();
        writing_ = true;
        lock.unlock();
        WriteOne(answer);
        lock.lock();
        writing_ = false;
        written_.notify_all();
    }
    writer_.reset();
    written_.notify_all();
}

void TLearningRecord::WriteOne(const TAnswer& answer) {
    // A file found damaged while writing is checked again, moved aside and
    // begun anew, once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            if (!writer_) {
                writer_ = std::make_unique<TWriter>(OpenChecked());
            }
            writer_->Writer.Write(answer);
            return;
        } catch (const TSqliteError& error) {
            if (IsBusy(error)) {
                ReportFailure(error);
                return;
            }
            writer_.reset();
            if (IsDamage(error) && attempt == 0) {
                std::lock_guard lock(checkMutex_);
                checked_ = false;
                continue;
            }
            ReportFailure(error);
            return;
        } catch (const std::exception& error) {
            writer_.reset();
            ReportFailure(error);
            return;
        }
    }
}

TDatabase TLearningRecord::OpenChecked() {
    std::lock_guard lock(checkMutex_);
    if (!checked_) {
        std::error_code ec;
        if (std::filesystem::exists(file_, ec)) {
            if (const auto problem = CheckRecordFile(file_)) {
                int error = 0;
                const auto movedTo = MoveAside(file_, &error);
                TRecordFault fault{TFaultKind::Damaged, file_, movedTo.value_or(""), *problem};
                if (!movedTo) {
                    fault.Detail += "; it cannot be moved aside: ";
                    fault.Detail += std::strerror(error);
                    Report(std::move(fault));
                    throw TReported("the damaged learning record stays in place");
                }
                readerStale_ = true;
                Report(std::move(fault));
            }
        }
        checked_ = true;
    }
    opened_ = true;
    return OpenRecordFile(file_);
}

void TLearningRecord::ReportFailure(const std::exception& failure) {
    TFaultKind kind = TFaultKind::Unwritable;
    if (dynamic_cast<const TReported*>(&failure)) {
        return;
    }
    if (const auto* error = dynamic_cast<const TSqliteError*>(&failure)) {
        kind = IsBusy(*error) ? TFaultKind::Busy : TFaultKind::Unwritable;
    } else if (dynamic_cast<const TNewerRecord*>(&failure)) {
        kind = TFaultKind::Newer;
    }
    Report({kind, file_, {}, failure.what()});
}

void TLearningRecord::Report(TRecordFault fault) {
    std::function<void()> listener;
    {
        std::lock_guard lock(faultMutex_);
        const unsigned bit = 1u << static_cast<unsigned>(fault.Kind);
        if (reported_ & bit) {
            return;
        }
        reported_ |= bit;
        faults_.push_back(std::move(fault));
        listener = listener_;
    }
    if (listener) {
        listener();
    }
}

void TLearningRecord::SetFaultListener(std::function<void()> listener) {
    std::lock_guard lock(faultMutex_);
    listener_ = std::move(listener);
}

std::vector<TRecordFault> TLearningRecord::TakeFaults() {
    std::lock_guard lock(faultMutex_);
    return std::exchange(faults_, {});
}

template <typename Result, typename Query> Result TLearningRecord::Ask(Query query) {
    WaitUntilWritten(kReadWait);
    std::lock_guard lock(readMutex_);
    try {
        if (readerStale_.exchange(false)) {
            reader_.reset();
        }
        if (!reader_) {
            std::error_code ec;
            if (!std::filesystem::exists(file_, ec)) {
                // Nothing recorded yet: an empty record answers, and no file
                // is made for a question.
                TDatabase empty = OpenRecordFile(":memory:");
                return query(empty);
            }
            reader_ = std::make_unique<TReader>(TReader{OpenChecked()});
        }
        return query(reader_->Db);
    } catch (const std::exception& failure) {
        reader_.reset();
        ReportFailure(failure);
        return Result{};
    }
}

TDueList TLearningRecord::DueList(std::span<const std::string> list, const TDayClock& clock,
                                  int newLimit) {
    return Ask<TDueList>([&](TDatabase& db) { return ReadDueList(db, list, clock, newLimit); });
}

void TLearningRecord::Prepare() {
    Ask<int>([](TDatabase&) { return 0; });
}

int TLearningRecord::DueCount(TTime now) {
    return Ask<int>([&](TDatabase& db) { return CountDueWords(db, now); });
}

std::vector<TWordRecord> TLearningRecord::Words() {
    return Ask<std::vector<TWordRecord>>([](TDatabase& db) { return ReadWords(db); });
}

std::vector<TAnswer> TLearningRecord::History(std::string_view entry) {
    return Ask<std::vector<TAnswer>>([&](TDatabase& db) { return ReadHistory(db, entry); });
}

TProgress TLearningRecord::Progress(const TDayClock& clock, std::span<const std::string> list) {
    return Ask<TProgress>([&](TDatabase& db) { return ReadProgress(db, list, clock); });
}

} // namespace learning
