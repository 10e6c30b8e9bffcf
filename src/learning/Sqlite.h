#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A thin owner of SQLite connections and statements. Failures throw
// TSqliteError with SQLite's result code; the record turns them into faults.
namespace learning::sqlite {

class TSqliteError : public std::runtime_error {
public:
    TSqliteError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    int Code() const { return code_; } // the extended result code
    int PrimaryCode() const { return code_ & 0xFF; }

private:
    int code_;
};

class TDatabase {
public:
    TDatabase() = default;
    ~TDatabase();
    TDatabase(TDatabase&& other) noexcept;
    TDatabase& operator=(TDatabase&& other) noexcept;
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    // Opens the file read-write, creating it when create is set.
    static TDatabase Open(const std::filesystem::path& file, bool create);
    // Opens the file for reading only: closing it then leaves its log as it is.
    static TDatabase OpenReadOnly(const std::filesystem::path& file);
    // A database in memory, for building files that are serialised whole.
    static TDatabase OpenInMemory();
    // A database in memory holding a copy of a file's bytes, which may be
    // anything at all; it can be written to and grows as needed.
    static TDatabase Deserialize(std::string_view bytes);

    bool IsOpen() const { return db_ != nullptr; }
    void Close();
    void Exec(std::string_view sql);
    std::int64_t LastInsertId() const;
    // The whole database as the bytes of its file.
    std::string Serialize() const;
    // The connection's own error text for a result code.
    std::string ErrorText() const;
    sqlite3* Handle() const { return db_; }

private:
    explicit TDatabase(sqlite3* db) : db_(db) {}
    static TDatabase OpenFile(const std::filesystem::path& file, int flags);
    sqlite3* db_ = nullptr;
};

class TStatement {
public:
    TStatement(const TDatabase& db, std::string_view sql);
    ~TStatement();
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;

    // Parameters are numbered from 1.
    TStatement& Bind(int index, std::int64_t value);
    TStatement& Bind(int index, double value);
    TStatement& Bind(int index, std::optional<double> value);
    TStatement& BindText(int index, std::string_view text);
    TStatement& BindBlob(int index, std::string_view bytes);
    TStatement& BindNull(int index);

    // True while a row is available; false when done.
    bool Step();
    // Runs a statement that returns no rows and makes it ready to run again.
    void Run();
    void Reset();

    // Columns are numbered from 0.
    bool IsNull(int column) const;
    std::int64_t Int(int column) const;
    double Real(int column) const;
    std::string Bytes(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

// One transaction; rolled back unless committed.
class TTransaction {
public:
    // Immediate: takes the write lock at once (waiting at most the busy timeout).
    TTransaction(TDatabase& db, bool immediate);
    ~TTransaction();
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;
    void Commit();

private:
    TDatabase& db_;
    bool open_ = true;
};

} // namespace learning::sqlite
