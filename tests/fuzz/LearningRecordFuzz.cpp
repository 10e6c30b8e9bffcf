// The learning record on any bytes: a file damaged on the disk, cut short or
// edited by hand must read without harm. Whatever a query makes of it, the
// schedule it derives never goes back in time, and one more answer can be
// written over it.
#include "tests/fuzz/FuzzSupport.h"

#include "learning/RecordFile.h"
#include "learning/RecordQueries.h"

#include <cmath>
#include <string>
#include <vector>

using namespace learning;

namespace {

void CheckState(const TWordState& state) {
    if (state.Card.State == TCardState::New) {
        return;
    }
    fuzz::Check(IsSound(state.Card), "a derived card is out of its ranges");
    fuzz::Check(state.Card.DueMs >= state.Card.LastReviewMs, "a word is due before its review");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    try {
        sqlite::TDatabase db = sqlite::TDatabase::Deserialize(bytes);
        const std::vector<std::string> list = {"house", "\xEA\xFA\xF9\xE0", ""};
        const TDayClock clock{FromMs(1709283600000), std::chrono::hours(2)};
        for (const auto& [id, state] : ReplayLog(db)) {
            CheckState(state);
        }
        for (const auto& [id, state] : StoredStates(db)) {
            fuzz::Check(state.Card.State == TCardState::New || IsSound(state.Card),
                        "a stored card read back out of its ranges");
        }
        const TDueList due = ReadDueList(db, list, clock, kDailyNewWords);
        fuzz::Check(due.New.size() <= static_cast<std::size_t>(kDailyNewWords),
                    "more new words than the daily limit");
        const TProgress progress = ReadProgress(db, list, clock);
        fuzz::Check(progress.Days.size() == static_cast<std::size_t>(kProgressDays),
                    "the progress has the wrong number of days");
        fuzz::Check(progress.ShareRight() >= 0 && progress.ShareRight() <= 1,
                    "a share right outside 0..1");
        ReadWords(db);
        ReadHistory(db, "house");

        TAnswer answer;
        answer.Entry = "house";
        answer.At = clock.Now;
        TAnswerWriter writer(db);
        writer.Write(answer);
        for (const auto& [id, state] : StoredStates(db)) {
            CheckState(state);
        }
    } catch (const sqlite::TSqliteError&) {
        // A file SQLite finds damaged, or that is no record: refused.
    }
    return 0;
}
