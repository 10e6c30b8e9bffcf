#pragma once

#include "learning/RecordQueries.h"

#include <QString>

#include <chrono>
#include <string>
#include <vector>

// What the progress window shows, made from the record's figures: no
// widgets, so tests check it without a display.
namespace progress {

struct TProgressDay {
    QString Label; // "09.12"
    int Right = 0;
    int Missed = 0;
    // The share right in percent; none for a day without judged answers.
    double SharePercent = 0;
    bool Judged = false;
};

struct TMissedRow {
    QString Text; // "house — 4 of 6"
    std::string Entry;
    std::string HeadWord; // code page 1251; empty when it was not found
    int Tab = learning::kNoTab;
};

struct TProgressModel {
    bool Empty = true;
    std::vector<TProgressDay> Days; // oldest first, today last
    int MostAnswers = 0;            // the largest day: the chart's scale
    learning::TStateCounts States;
    std::vector<TMissedRow> MostMissed;
};

// utcOffset: where the learner's days begin, as the figures were read.
TProgressModel MakeProgressModel(const learning::TProgress& progress, bool english,
                                 std::chrono::minutes utcOffset);

} // namespace progress
