#include "learning/RecordQueries.h"

#include "learning/RecordFile.h"

#include <algorithm>
#include <set>

namespace learning {

using sqlite::TDatabase;
using sqlite::TStatement;
using sqlite::TTransaction;

namespace {

constexpr std::int64_t kDayMs = 24LL * 60 * 60 * 1000;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

double Share(int right, int judged) {
    return judged > 0 ? static_cast<double>(right) / judged : 0.0;
}

int Count(TDatabase& db, const char* sql, std::int64_t parameter) {
    TStatement count(db, sql);
    count.Bind(1, parameter);
    return count.Step() ? static_cast<int>(count.Int(0)) : 0;
}

// Whether the record holds the entry, and whether it was ever reviewed.
class TEntryLookup {
public:
    explicit TEntryLookup(TDatabase& db)
        : find_(db, "SELECT s.reps FROM words w LEFT JOIN word_states s ON s.word_id = w.id "
                    "WHERE w.entry = ?1") {}

    enum class TKnown { Absent, Unreviewed, Reviewed };

    TKnown Find(const std::string& entry) {
        find_.BindBlob(1, entry);
        TKnown known = TKnown::Absent;
        if (find_.Step()) {
            known = !find_.IsNull(0) && find_.Int(0) > 0 ? TKnown::Reviewed : TKnown::Unreviewed;
        }
        find_.Reset();
        return known;
    }

private:
    TStatement find_;
};

} // namespace

std::int64_t TDayClock::DayStartMs() const {
    const std::int64_t offsetMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(UtcOffset).count();
    return FloorDiv(ToMs(Now) + offsetMs, kDayMs) * kDayMs - offsetMs;
}

std::vector<std::string> TDueList::Entries() const {
    std::vector<std::string> entries;
    entries.reserve(Due.size() + New.size());
    for (const TDueWord& word : Due) {
        entries.push_back(word.Entry);
    }
    entries.insert(entries.end(), New.begin(), New.end());
    return entries;
}

double TDayCount::ShareRight() const {
    return Share(Right, Judged());
}

int TProgress::Right() const {
    int right = 0;
    for (const TDayCount& day : Days) {
        right += day.Right;
    }
    return right;
}

int TProgress::Judged() const {
    int judged = 0;
    for (const TDayCount& day : Days) {
        judged += day.Judged();
    }
    return judged;
}

double TProgress::ShareRight() const {
    return Share(Right(), Judged());
}

bool TProgress::Empty() const {
    const bool noAnswers = std::all_of(Days.begin(), Days.end(), [](const TDayCount& day) {
        return day.Judged() == 0 && day.Seen == 0;
    });
    return noAnswers && States.Learning == 0 && States.Known == 0 && MostMissed.empty();
}

TDueList ReadDueList(TDatabase& db, std::span<const std::string> list, const TDayClock& clock,
                     int newLimit) {
    TTransaction snapshot(db, false);
    TDueList result;
    TStatement due(db, "SELECT w.entry, s.head_word, s.tab, s.due_ms FROM word_states s "
                       "JOIN words w ON w.id = s.word_id WHERE s.reps > 0 AND s.due_ms <= ?1 "
                       "ORDER BY s.due_ms, s.word_id");
    due.Bind(1, ToMs(clock.Now));
    while (due.Step()) {
        result.Due.push_back({due.Bytes(0), due.Bytes(1),
                              due.IsNull(2) ? kNoTab : static_cast<int>(due.Int(2)), due.Int(3)});
    }
    result.NewToday = Count(db,
                            "SELECT count(*) FROM word_states WHERE reps > 0 AND "
                            "first_review_ms >= ?1",
                            clock.DayStartMs());
    const int room = std::max(0, newLimit - result.NewToday);
    TEntryLookup lookup(db);
    std::set<std::string_view> taken;
    for (const std::string& entry : list) {
        if (static_cast<int>(result.New.size()) >= room) {
            break;
        }
        if (taken.insert(entry).second && lookup.Find(entry) != TEntryLookup::TKnown::Reviewed) {
            result.New.push_back(entry);
        }
    }
    return result;
}

int CountDueWords(TDatabase& db, TTime now) {
    return Count(db, "SELECT count(*) FROM word_states WHERE reps > 0 AND due_ms <= ?1", ToMs(now));
}

std::vector<std::int64_t> ReviewDueTimes(TDatabase& db) {
    std::vector<std::int64_t> dueMs;
    TStatement rows(db, "SELECT due_ms FROM word_states WHERE reps > 0 ORDER BY due_ms");
    while (rows.Step()) {
        dueMs.push_back(rows.Int(0));
    }
    return dueMs;
}

std::vector<TWordRecord> ReadWords(TDatabase& db) {
    TTransaction snapshot(db, false);
    std::vector<TWordRecord> words;
    TStatement rows(db,
                    std::string("SELECT w.entry, ") + kStateColumns +
                        " FROM word_states s JOIN words w ON w.id = s.word_id ORDER BY w.entry");
    while (rows.Step()) {
        words.push_back({rows.Bytes(0), ReadState(rows, 1)});
    }
    return words;
}

std::vector<TAnswer> ReadHistory(TDatabase& db, std::string_view entry) {
    std::vector<TAnswer> answers;
    TStatement rows(db, std::string("SELECT ") + kAnswerColumns +
                            " FROM answers a JOIN words w ON w.id = a.word_id WHERE w.entry = ?1 "
                            "ORDER BY a.id");
    rows.BindBlob(1, entry);
    while (rows.Step()) {
        answers.push_back(ReadAnswer(rows, 0));
    }
    return answers;
}

TProgress ReadProgress(TDatabase& db, std::span<const std::string> list, const TDayClock& clock) {
    TTransaction snapshot(db, false);
    TProgress progress;
    const std::int64_t today = clock.DayStartMs();
    const std::int64_t first = today - (kProgressDays - 1) * kDayMs;
    progress.Days.resize(kProgressDays);
    for (int i = 0; i < kProgressDays; ++i) {
        progress.Days[static_cast<std::size_t>(i)].DayStartMs = first + i * kDayMs;
    }
    TStatement days(db, "SELECT (at_ms - ?1) / 86400000, kind, count(*) FROM answers "
                        "WHERE at_ms >= ?1 AND at_ms < ?2 GROUP BY 1, 2");
    days.Bind(1, first).Bind(2, today + kDayMs);
    while (days.Step()) {
        const auto index = static_cast<std::size_t>(days.Int(0));
        if (index >= progress.Days.size()) {
            continue;
        }
        TDayCount& day = progress.Days[index];
        const int count = static_cast<int>(days.Int(2));
        const int kind = static_cast<int>(days.Int(1));
        if (kind == static_cast<int>(TAnswerKind::Right)) {
            day.Right += count;
        } else if (kind == static_cast<int>(TAnswerKind::Seen) || !IsAnswerKind(kind)) {
            day.Seen += count;
        } else {
            day.Missed += count;
        }
    }

    TStatement states(db, "SELECT state, count(*), sum(due_ms < ?1) FROM word_states "
                          "WHERE reps > 0 GROUP BY state");
    states.Bind(1, today + kDayMs);
    while (states.Step()) {
        const auto state = static_cast<TCardState>(states.Int(0));
        const int count = static_cast<int>(states.Int(1));
        if (state == TCardState::Review) {
            progress.States.Known += count;
        } else {
            progress.States.Learning += count;
        }
        progress.States.DueToday += static_cast<int>(states.Int(2));
    }
    progress.States.New = Count(db, "SELECT count(*) FROM word_states WHERE reps = ?1", 0);
    TEntryLookup lookup(db);
    std::set<std::string_view> counted;
    for (const std::string& entry : list) {
        if (counted.insert(entry).second && lookup.Find(entry) == TEntryLookup::TKnown::Absent) {
            ++progress.States.New;
        }
    }

    TStatement missed(db, "SELECT w.entry, s.head_word, s.tab, s.misses, s.reviews "
                          "FROM word_states s JOIN words w ON w.id = s.word_id "
                          "WHERE s.misses > 0 ORDER BY s.misses DESC, s.last_miss_ms DESC, "
                          "s.word_id LIMIT ?1");
    missed.Bind(1, static_cast<std::int64_t>(kMostMissedWords));
    while (missed.Step()) {
        progress.MostMissed.push_back({missed.Bytes(0), missed.Bytes(1),
                                       missed.IsNull(2) ? kNoTab : static_cast<int>(missed.Int(2)),
                                       static_cast<int>(missed.Int(3)),
                                       static_cast<int>(missed.Int(4))});
    }
    return progress;
}

} // namespace learning
