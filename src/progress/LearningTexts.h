#pragma once

#include "ui/Captions.h"

#include <QString>

// The texts of the learner's record in two languages: Review, the progress
// window, the record's faults and the export.
namespace progress {

enum class TLearningPhrase {
    // The due count: the usage hints' line and the count label's hint.
    DueWords, // %1 words
    DueWord,  // exactly one
    NothingToReview,
    // The record's faults, once a run each; %1 the record's file.
    RecordBusy,
    RecordUnwritable,
    RecordDamaged, // %2 where the old file went
    RecordNewer,
    RecordDetail, // %1 what the system said
    // The progress window.
    ProgressTitle,
    AnswersPerDay,
    ShareRight,
    RightAnswers,
    MissedAnswers,
    Percent,
    StateNew,
    StateLearning,
    StateKnown,
    StateDueToday,
    MostMissed,
    MissedTimes, // %1 misses out of %2 reviews
    EmptyRecord,
    ProgressUnavailable,
    CloseButton,
    // The export.
    ExportTitle,
    ExportAnkiFilter,
    ExportTextFilter,
    ExportEmptyList,
    ExportWritten, // %1 words, %2 pronunciations, %3 the file
    ExportExists,  // %1 the file
    ExportUnwritable,
    ExportNothing,
    ExportLeftOut, // %1 the entries
};

QString LearningPhrase(TLearningPhrase phrase, ui::TLanguage language);
inline QString LearningPhrase(TLearningPhrase phrase, bool english) {
    return LearningPhrase(phrase, ui::LanguageOf(english));
}

// "12 думи за преговор" / "12 words to review", singular for one.
QString DueCountText(int count, bool english);

} // namespace progress
