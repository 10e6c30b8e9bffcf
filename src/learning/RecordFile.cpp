#include "learning/RecordFile.h"

#include <sqlite3.h>

#include <cerrno>
#include <ctime>
#include <system_error>

namespace learning {

using sqlite::TDatabase;
using sqlite::TSqliteError;
using sqlite::TStatement;
using sqlite::TTransaction;

namespace {

// The first version: the log, its words, and every word's derived state.
constexpr const char* kSchemaV1 = R"sql(
CREATE TABLE words(
    id INTEGER PRIMARY KEY,
    entry BLOB NOT NULL UNIQUE
);
CREATE TABLE answers(
    id INTEGER PRIMARY KEY,
    word_id INTEGER NOT NULL REFERENCES words(id),
    head_word BLOB,
    tab INTEGER,
    exercise INTEGER NOT NULL,
    kind INTEGER NOT NULL,
    after_show INTEGER NOT NULL DEFAULT 0,
    at_ms INTEGER NOT NULL,
    seconds REAL
);
CREATE INDEX answers_by_word ON answers(word_id, id);
CREATE INDEX answers_by_time ON answers(at_ms, kind);
CREATE TABLE word_states(
    word_id INTEGER PRIMARY KEY REFERENCES words(id),
    state INTEGER NOT NULL,
    step INTEGER NOT NULL,
    stability REAL NOT NULL,
    difficulty REAL NOT NULL,
    scheduled_days INTEGER NOT NULL,
    last_review_ms INTEGER NOT NULL,
    due_ms INTEGER NOT NULL,
    reps INTEGER NOT NULL,
    lapses INTEGER NOT NULL,
    reviews INTEGER NOT NULL,
    rights INTEGER NOT NULL,
    misses INTEGER NOT NULL,
    seen INTEGER NOT NULL,
    first_review_ms INTEGER NOT NULL,
    last_miss_ms INTEGER NOT NULL,
    last_answer_id INTEGER NOT NULL,
    head_word BLOB,
    tab INTEGER
);
CREATE INDEX word_states_by_due ON word_states(due_ms) WHERE reps > 0;
)sql";

// Migration n takes a file from version n to n + 1.
constexpr const char* kMigrations[kSchemaVersion] = {kSchemaV1};

int UserVersion(const TDatabase& db) {
    TStatement version(db, "PRAGMA user_version");
    return version.Step() ? static_cast<int>(version.Int(0)) : 0;
}

void Migrate(TDatabase& db) {
    if (UserVersion(db) == kSchemaVersion) {
        return;
    }
    // Another process may be migrating the same file: decide under its lock.
    TTransaction transaction(db, true);
    const int version = UserVersion(db);
    if (version > kSchemaVersion) {
        throw TNewerRecord("the learning record was written by a newer version of the program");
    }
    for (int step = version; step < kSchemaVersion; ++step) {
        db.Exec(kMigrations[step]);
    }
    db.Exec("PRAGMA user_version = " + std::to_string(kSchemaVersion));
    transaction.Commit();
}

void Configure(TDatabase& db) {
    sqlite3_busy_timeout(db.Handle(), kBusyTimeoutMs);
}

std::string TodayStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[16];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d", &local);
    return stamp;
}

std::filesystem::path Sibling(const std::filesystem::path& file, std::string_view suffix) {
    std::filesystem::path sibling = file;
    sibling += suffix;
    return sibling;
}

void BindOptionalBytes(TStatement& statement, int index, const std::string& bytes, int tab) {
    if (tab == kNoTab) {
        statement.BindNull(index);
    } else {
        statement.BindBlob(index, bytes);
    }
}

void BindTab(TStatement& statement, int index, int tab) {
    if (tab == kNoTab) {
        statement.BindNull(index);
    } else {
        statement.Bind(index, static_cast<std::int64_t>(tab));
    }
}

int ReadTab(const TStatement& row, int column) {
    return row.IsNull(column) ? kNoTab : static_cast<int>(row.Int(column));
}

std::string WriteStateSql() {
    return std::string("INSERT OR REPLACE INTO word_states(word_id, ") + kStateColumns +
           ") VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, "
           "?18, ?19)";
}

void WriteState(TStatement& w, std::int64_t wordId, const TWordState& state) {
    const TCard& card = state.Card;
    w.Bind(1, wordId)
        .Bind(2, static_cast<std::int64_t>(card.State))
        .Bind(3, static_cast<std::int64_t>(card.Step))
        .Bind(4, card.Stability)
        .Bind(5, card.Difficulty)
        .Bind(6, static_cast<std::int64_t>(card.ScheduledDays))
        .Bind(7, card.LastReviewMs)
        .Bind(8, card.DueMs)
        .Bind(9, static_cast<std::int64_t>(card.Reps))
        .Bind(10, static_cast<std::int64_t>(card.Lapses))
        .Bind(11, static_cast<std::int64_t>(state.Reviews))
        .Bind(12, static_cast<std::int64_t>(state.Rights))
        .Bind(13, static_cast<std::int64_t>(state.Misses))
        .Bind(14, static_cast<std::int64_t>(state.Seen))
        .Bind(15, state.FirstReviewMs)
        .Bind(16, state.LastMissMs)
        .Bind(17, state.LastAnswerId);
    BindOptionalBytes(w, 18, state.HeadWord, state.Tab);
    BindTab(w, 19, state.Tab);
    w.Run();
}

} // namespace

const char* const kStateColumns =
    "state, step, stability, difficulty, scheduled_days, last_review_ms, due_ms, reps, lapses, "
    "reviews, rights, misses, seen, first_review_ms, last_miss_ms, last_answer_id, head_word, tab";

const char* const kAnswerColumns =
    "w.entry, a.head_word, a.tab, a.exercise, a.kind, a.after_show, a.at_ms, a.seconds";

bool IsDamage(const TSqliteError& error) {
    return error.PrimaryCode() == SQLITE_CORRUPT || error.PrimaryCode() == SQLITE_NOTADB;
}

bool IsBusy(const TSqliteError& error) {
    return error.PrimaryCode() == SQLITE_BUSY || error.PrimaryCode() == SQLITE_LOCKED;
}

std::optional<std::string> CheckRecordFile(const std::filesystem::path& file) {
    try {
        TDatabase db = TDatabase::OpenReadOnly(file);
        Configure(db);
        TStatement check(db, "PRAGMA quick_check");
        while (check.Step()) {
            const std::string line = check.Bytes(0);
            if (line != "ok") {
                return line;
            }
        }
        return std::nullopt;
    } catch (const TSqliteError& error) {
        if (IsDamage(error)) {
            return std::string(error.what());
        }
        throw;
    }
}

std::optional<std::filesystem::path> MoveAside(const std::filesystem::path& file, int* error) {
    const std::string base = file.string() + ".damaged-" + TodayStamp();
    std::filesystem::path target = base;
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(target, ec) ||
                    std::filesystem::exists(Sibling(target, "-wal"), ec);
         ++n) {
        target = base + "-" + std::to_string(n);
    }
    std::filesystem::rename(file, target, ec);
    if (ec) {
        if (error) {
            *error = ec.value();
        }
        return std::nullopt;
    }
    // The log belongs to the damaged file: left beside the new one, SQLite
    // would play it into it.
    if (std::filesystem::exists(Sibling(file, "-wal"), ec)) {
        std::filesystem::rename(Sibling(file, "-wal"), Sibling(target, "-wal"), ec);
        if (ec) {
            std::filesystem::remove(Sibling(file, "-wal"), ec);
        }
    }
    std::filesystem::remove(Sibling(file, "-shm"), ec);
    return target;
}

TDatabase OpenRecordFile(const std::filesystem::path& file) {
    TDatabase db = TDatabase::Open(file, true);
    Configure(db);
    // A newer program's file is not touched at all, not even its journal mode.
    if (UserVersion(db) > kSchemaVersion) {
        throw TNewerRecord("the learning record was written by a newer version of the program");
    }
    db.Exec("PRAGMA journal_mode=WAL");
    db.Exec("PRAGMA synchronous=NORMAL");
    Migrate(db);
    return db;
}

TWordState ReadState(const TStatement& row, int first) {
    TWordState state;
    const auto integer = [&](int offset) { return static_cast<int>(row.Int(first + offset)); };
    const auto time = [&](int offset) { return ClampTimeMs(row.Int(first + offset)); };
    const int cardState = integer(0);
    state.Card.State =
        cardState >= 0 && cardState <= 3 ? static_cast<TCardState>(cardState) : TCardState::New;
    state.Card.Step = integer(1);
    state.Card.Stability = row.Real(first + 2);
    state.Card.Difficulty = row.Real(first + 3);
    state.Card.ScheduledDays = integer(4);
    state.Card.LastReviewMs = time(5);
    state.Card.DueMs = time(6);
    state.Card.Reps = integer(7);
    state.Card.Lapses = integer(8);
    state.Reviews = integer(9);
    state.Rights = integer(10);
    state.Misses = integer(11);
    state.Seen = integer(12);
    state.FirstReviewMs = time(13);
    state.LastMissMs = time(14);
    state.LastAnswerId = row.Int(first + 15);
    state.HeadWord = row.Bytes(first + 16);
    state.Tab = ReadTab(row, first + 17);
    // A row no review could have written (a damaged or edited file) starts
    // the word's schedule again rather than feed nonsense to the next one.
    if (!IsSound(state.Card)) {
        state.Card = TCard{};
    }
    return state;
}

// A row that a damaged or hand-edited file holds with an unknown exercise or
// kind counts as an exposure: it changes no schedule. Its time is held to
// the years 1 to 9999.
TAnswer ReadAnswer(const TStatement& row, int first) {
    TAnswer answer;
    answer.Entry = row.Bytes(first);
    answer.HeadWord = row.Bytes(first + 1);
    answer.Tab = ReadTab(row, first + 2);
    const int exercise = static_cast<int>(row.Int(first + 3));
    answer.Exercise = IsExercise(exercise) ? static_cast<TExercise>(exercise) : TExercise::Method1;
    const int kind = static_cast<int>(row.Int(first + 4));
    answer.Kind = IsAnswerKind(kind) ? static_cast<TAnswerKind>(kind) : TAnswerKind::Seen;
    answer.AfterShow = row.Int(first + 5) != 0;
    answer.At = FromMs(ClampTimeMs(row.Int(first + 6)));
    if (!row.IsNull(first + 7)) {
        answer.Seconds = row.Real(first + 7);
    }
    return answer;
}

struct TAnswerWriter::TStatements {
    explicit TStatements(const TDatabase& db)
        : AddWord(db, "INSERT INTO words(entry) VALUES(?1) ON CONFLICT(entry) DO NOTHING"),
          FindWord(db, "SELECT id FROM words WHERE entry = ?1"),
          ReadState(db, std::string("SELECT ") + kStateColumns +
                            " FROM word_states WHERE word_id = ?1"),
          AddAnswer(db, "INSERT INTO answers(word_id, head_word, tab, exercise, kind, "
                        "after_show, at_ms, seconds) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"),
          WriteState(db, WriteStateSql()) {}
    TStatement AddWord;
    TStatement FindWord;
    TStatement ReadState;
    TStatement AddAnswer;
    TStatement WriteState;
};

TAnswerWriter::TAnswerWriter(TDatabase& db)
    : db_(db), statements_(std::make_unique<TStatements>(db)) {}

TAnswerWriter::~TAnswerWriter() = default;

std::int64_t TAnswerWriter::Write(const TAnswer& answer) {
    TStatements& s = *statements_;
    TTransaction transaction(db_, true);
    s.AddWord.BindBlob(1, answer.Entry).Run();
    s.FindWord.BindBlob(1, answer.Entry);
    if (!s.FindWord.Step()) {
        throw TSqliteError(SQLITE_INTERNAL, "the word just added is missing");
    }
    const std::int64_t wordId = s.FindWord.Int(0);
    s.FindWord.Reset();

    TWordState state;
    s.ReadState.Bind(1, wordId);
    if (s.ReadState.Step()) {
        state = learning::ReadState(s.ReadState, 0);
    }
    s.ReadState.Reset();

    s.AddAnswer.Bind(1, wordId);
    BindOptionalBytes(s.AddAnswer, 2, answer.HeadWord, answer.Tab);
    BindTab(s.AddAnswer, 3, answer.Tab);
    s.AddAnswer.Bind(4, static_cast<std::int64_t>(answer.Exercise))
        .Bind(5, static_cast<std::int64_t>(answer.Kind))
        .Bind(6, static_cast<std::int64_t>(answer.AfterShow ? 1 : 0))
        .Bind(7, ToMs(answer.At))
        .Bind(8, answer.Seconds)
        .Run();
    const std::int64_t answerId = db_.LastInsertId();

    ApplyAnswer(state, answerId, answer);
    WriteState(s.WriteState, wordId, state);
    transaction.Commit();
    return answerId;
}

std::map<std::int64_t, TWordState> ReplayLog(const TDatabase& db) {
    std::map<std::int64_t, TWordState> states;
    TStatement rows(db, std::string("SELECT a.id, a.word_id, ") + kAnswerColumns +
                            " FROM answers a JOIN words w ON w.id = a.word_id ORDER BY a.id");
    while (rows.Step()) {
        ApplyAnswer(states[rows.Int(1)], rows.Int(0), ReadAnswer(rows, 2));
    }
    return states;
}

std::map<std::int64_t, TWordState> StoredStates(const TDatabase& db) {
    std::map<std::int64_t, TWordState> states;
    TStatement rows(db, std::string("SELECT word_id, ") + kStateColumns + " FROM word_states");
    while (rows.Step()) {
        states.emplace(rows.Int(0), ReadState(rows, 1));
    }
    return states;
}

void RebuildStates(TDatabase& db) {
    TTransaction transaction(db, true);
    const auto states = ReplayLog(db);
    db.Exec("DELETE FROM word_states");
    TStatement write(db, WriteStateSql());
    for (const auto& [wordId, state] : states) {
        WriteState(write, wordId, state);
    }
    transaction.Commit();
}

} // namespace learning
