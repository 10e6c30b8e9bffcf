#pragma once

#include "learning/Answer.h"
#include "learning/Sqlite.h"
#include "learning/WordState.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

// The record's file: its schema and migrations, the check at opening, and
// the writing of one answer. Failures throw sqlite::TSqliteError.
namespace learning {

// Stored in PRAGMA user_version; each migration moves the file up by one.
constexpr int kSchemaVersion = 1;

// Each connection waits at most this long for another one's lock.
constexpr int kBusyTimeoutMs = 100;

// Thrown when the file was written by a newer program: it is left as it is.
class TNewerRecord : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Whether a failure means the file is not a sound database.
bool IsDamage(const sqlite::TSqliteError& error);
// Whether it means another connection held the lock too long.
bool IsBusy(const sqlite::TSqliteError& error);

// Checks an existing file with PRAGMA quick_check; the problem found, or
// nothing when the file is sound. Throws for failures that say nothing about
// the file's soundness (busy, unreadable).
std::optional<std::string> CheckRecordFile(const std::filesystem::path& file);

// Moves a damaged file (and its write-ahead log) aside as
// "<name>.damaged-YYYY-MM-DD", with "-2", "-3" … when that name is taken,
// and removes its shared-memory file. The new name, or nothing (errno set in
// *error) when the file could not be moved.
std::optional<std::filesystem::path> MoveAside(const std::filesystem::path& file, int* error);

// Opens the file (creating it), sets up WAL journaling, synchronous=NORMAL
// and the busy timeout, and migrates it to kSchemaVersion.
sqlite::TDatabase OpenRecordFile(const std::filesystem::path& file);

// Writes one answer and the word's new state in one transaction: a process
// killed at any moment loses at most this answer.
class TAnswerWriter {
public:
    explicit TAnswerWriter(sqlite::TDatabase& db);
    ~TAnswerWriter();
    std::int64_t Write(const TAnswer& answer); // the answer's id

private:
    struct TStatements;
    sqlite::TDatabase& db_;
    std::unique_ptr<TStatements> statements_;
};

// Every word's state replayed from the log alone, by word id.
std::map<std::int64_t, TWordState> ReplayLog(const sqlite::TDatabase& db);
// Every word's state as the derived table holds it, by word id.
std::map<std::int64_t, TWordState> StoredStates(const sqlite::TDatabase& db);
// Replaces the derived table by a replay of the log.
void RebuildStates(sqlite::TDatabase& db);

// The columns of the derived table, in the order ReadState expects them.
extern const char* const kStateColumns;
// Reads a state from a row whose columns from first on are kStateColumns.
TWordState ReadState(const sqlite::TStatement& row, int first);
TAnswer ReadAnswer(const sqlite::TStatement& row, int first);
extern const char* const kAnswerColumns;

} // namespace learning
