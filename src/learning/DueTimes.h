#pragma once

#include "learning/Answer.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// The due times of the reviewed words, kept beside the record when it closes
// so that the next start can say how many words are due without opening
// SQLite (its code, its page cache and a thread of its own cost start-up
// memory). The record stays the source of truth: the file names the size and
// change time of the record and its write-ahead log as they were written,
// and any change to them since (an answer from another instance, a program
// killed before it closed the record) makes it stale.
namespace learning {

// "Learning.db" keeps its due times in "Learning.db.due".
std::filesystem::path DueTimesFile(const std::filesystem::path& record);

// Writes the due times for the record as it is now (closed, or open only
// in other programs). A failure leaves no file: the next start asks SQLite.
void WriteDueTimes(const std::filesystem::path& record, const std::vector<std::int64_t>& dueMs);

// The due times written for the record, or nothing when there are none, they
// are stale or the file is damaged. A small regular file read once.
std::optional<std::vector<std::int64_t>> ReadDueTimes(const std::filesystem::path& record);

// How many of the times are at or before now.
int CountDue(const std::vector<std::int64_t>& dueMs, TTime now);

// Removes the due times: the record is being changed.
void ForgetDueTimes(const std::filesystem::path& record);

} // namespace learning
