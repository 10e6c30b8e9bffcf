#include "learning/Sqlite.h"

#include <sqlite3.h>

#include <algorithm>
#include <utility>

namespace learning::sqlite {

namespace {

[[noreturn]] void Throw(sqlite3* db, int code, std::string_view what) {
    std::string text(what);
    text += ": ";
    text += db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    throw TSqliteError(db ? sqlite3_extended_errcode(db) : code, text);
}

void Check(sqlite3* db, int code, std::string_view what) {
    if (code != SQLITE_OK) {
        Throw(db, code, what);
    }
}

} // namespace

TDatabase::~TDatabase() {
    Close();
}

TDatabase::TDatabase(TDatabase&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}

TDatabase& TDatabase::operator=(TDatabase&& other) noexcept {
    if (this != &other) {
        Close();
        db_ = std::exchange(other.db_, nullptr);
    }
    return *this;
}

TDatabase TDatabase::Open(const std::filesystem::path& file, bool create) {
    return OpenFile(file, SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0));
}

TDatabase TDatabase::OpenReadOnly(const std::filesystem::path& file) {
    return OpenFile(file, SQLITE_OPEN_READONLY);
}

TDatabase TDatabase::OpenFile(const std::filesystem::path& file, int flags) {
    sqlite3* db = nullptr;
    flags |= SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE;
    const int code = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
    TDatabase opened(db);
    if (code != SQLITE_OK) {
        Throw(db, code, "cannot open " + file.string());
    }
    return opened;
}

TDatabase TDatabase::OpenInMemory() {
    sqlite3* db = nullptr;
    const int code =
        sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    TDatabase opened(db);
    Check(db, code, "cannot open a database in memory");
    return opened;
}

TDatabase TDatabase::Deserialize(std::string_view bytes) {
    TDatabase db = OpenInMemory();
    auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(bytes.size() + 1));
    if (!copy) {
        throw TSqliteError(SQLITE_NOMEM, "no memory for the database");
    }
    std::copy(bytes.begin(), bytes.end(), copy);
    Check(db.db_,
          sqlite3_deserialize(db.db_, "main", copy, static_cast<sqlite3_int64>(bytes.size()),
                              static_cast<sqlite3_int64>(bytes.size() + 1),
                              SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE),
          "cannot read the database image");
    return db;
}

void TDatabase::Close() {
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

void TDatabase::Exec(std::string_view sql) {
    const std::string text(sql);
    Check(db_, sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr), text);
}

std::int64_t TDatabase::LastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

std::string TDatabase::Serialize() const {
    sqlite3_int64 size = 0;
    unsigned char* bytes = sqlite3_serialize(db_, "main", &size, 0);
    if (!bytes) {
        throw TSqliteError(SQLITE_NOMEM, "cannot serialise the database");
    }
    std::string copy(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
    sqlite3_free(bytes);
    return copy;
}

std::string TDatabase::ErrorText() const {
    return db_ ? sqlite3_errmsg(db_) : "";
}

TStatement::TStatement(const TDatabase& db, std::string_view sql) : db_(db.Handle()) {
    Check(db_,
          sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr),
          sql);
}

TStatement::~TStatement() {
    sqlite3_finalize(statement_);
}

TStatement& TStatement::Bind(int index, std::int64_t value) {
    Check(db_, sqlite3_bind_int64(statement_, index, value), "bind");
    return *this;
}

TStatement& TStatement::Bind(int index, double value) {
    Check(db_, sqlite3_bind_double(statement_, index, value), "bind");
    return *this;
}

TStatement& TStatement::Bind(int index, std::optional<double> value) {
    return value ? Bind(index, *value) : BindNull(index);
}

TStatement& TStatement::BindText(int index, std::string_view text) {
    Check(db_,
          sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                              SQLITE_UTF8),
          "bind");
    return *this;
}

TStatement& TStatement::BindBlob(int index, std::string_view bytes) {
    // An empty blob is still a blob, not NULL.
    static const char empty = 0;
    Check(db_,
          sqlite3_bind_blob64(statement_, index, bytes.empty() ? &empty : bytes.data(),
                              bytes.size(), SQLITE_TRANSIENT),
          "bind");
    return *this;
}

TStatement& TStatement::BindNull(int index) {
    Check(db_, sqlite3_bind_null(statement_, index), "bind");
    return *this;
}

bool TStatement::Step() {
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) {
        return true;
    }
    if (code == SQLITE_DONE) {
        return false;
    }
    sqlite3_reset(statement_);
    Throw(db_, code, sqlite3_sql(statement_));
}

void TStatement::Run() {
    while (Step()) {
    }
    Reset();
}

void TStatement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

bool TStatement::IsNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::int64_t TStatement::Int(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double TStatement::Real(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::string TStatement::Bytes(int column) const {
    const void* data = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return data ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size))
                : std::string();
}

TTransaction::TTransaction(TDatabase& db, bool immediate) : db_(db) {
    db_.Exec(immediate ? "BEGIN IMMEDIATE" : "BEGIN");
}

TTransaction::~TTransaction() {
    if (open_) {
        sqlite3_exec(db_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void TTransaction::Commit() {
    db_.Exec("COMMIT");
    open_ = false;
}

} // namespace learning::sqlite
