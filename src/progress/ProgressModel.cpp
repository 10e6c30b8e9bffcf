#include "progress/ProgressModel.h"

#include "progress/LearningTexts.h"
#include "ui/CodePageText.h"

#include <QDateTime>

#include <algorithm>

namespace progress {

TProgressModel MakeProgressModel(const learning::TProgress& progress, bool english,
                                 std::chrono::minutes utcOffset) {
    TProgressModel model;
    model.Empty = progress.Empty();
    model.States = progress.States;
    const qint64 offsetMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(utcOffset).count();
    for (const learning::TDayCount& day : progress.Days) {
        TProgressDay shown;
        // The day's start in local time is midnight: its date is the label.
        shown.Label = QDateTime::fromMSecsSinceEpoch(day.DayStartMs + offsetMs, Qt::UTC)
                          .toString(QStringLiteral("dd.MM"));
        shown.Right = day.Right;
        shown.Missed = day.Missed;
        shown.Judged = day.Judged() > 0;
        shown.SharePercent = 100.0 * day.ShareRight();
        model.MostAnswers = std::max(model.MostAnswers, day.Judged());
        model.Days.push_back(shown);
    }
    for (const learning::TMissedWord& word : progress.MostMissed) {
        const std::string& shownWord = word.HeadWord.empty() ? word.Entry : word.HeadWord;
        model.MostMissed.push_back({ui::FromCodePage(shownWord) + QStringLiteral("  —  ") +
                                        LearningPhrase(TLearningPhrase::MissedTimes, english)
                                            .arg(word.Misses)
                                            .arg(word.Reviews),
                                    word.Entry, word.HeadWord, word.Tab});
    }
    return model;
}

} // namespace progress
