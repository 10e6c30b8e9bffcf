#pragma once

#include "platform/FileError.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Study-list files: code page 1251 text, one entry per line, no header.
namespace studylist {

// CR, LF and CR LF all end a line; empty lines in the middle are entries, a
// final line end makes no entry, a last line without one is an entry.
std::vector<std::string> ParseStudyList(std::string_view bytes);

// Every line, the last one included, ends with CR LF; no entries, no bytes.
std::string FormatStudyList(const std::vector<std::string>& entries);

// A list is read whole; no list of words comes near this size.
constexpr std::uintmax_t kMaxStudyListFileBytes = 16 << 20;

// Refuses (naming the file and the line) a line longer than a head-word can
// be, and a file beyond kMaxStudyListFileBytes or that is no regular file.
// The entries are left as they were after a failure.
platform::TFileResult ReadStudyListFile(const std::filesystem::path& path,
                                        std::vector<std::string>& entries);

// Written whole beside the target and renamed over it, so a failed save never
// destroys the previous file.
platform::TFileResult WriteStudyListFile(const std::filesystem::path& path,
                                         const std::vector<std::string>& entries);

} // namespace studylist
