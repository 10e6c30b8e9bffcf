#pragma once

#include "dictool/SourceEntry.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dictool {

struct SourceError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Sources are read whole; no dictionary source comes near this size.
constexpr std::uintmax_t kMaxSourceFileBytes = std::uintmax_t{1} << 30;

// The whole file; throws SourceError saying why it cannot be read (a folder,
// a named pipe, too large, ...).
std::string ReadSourceFile(const std::string& path);

struct FreeDictData {
    std::vector<SourceEntry> Entries;
    std::string Info; // the database's own description, with its licence
};

// Reads a dictd-format FreeDict English-Bulgarian dictionary: the .index file
// and the (dictzip or plain) .dict file. Throws SourceError when unreadable.
FreeDictData ReadFreeDict(const std::string& indexPath, const std::string& dictPath);

// Parses one entry: "head-word /ipa/ //ipa2// <pos>", then senses, each a
// translation line (numbered "N. " when there are several) followed by English
// gloss lines. Nothing when the text holds no head line.
std::optional<SourceEntry> ParseFreeDictEntry(std::string_view text);

// Splits a translation line into its items at top-level commas and
// semicolons (commas inside parentheses stay).
std::vector<std::string> SplitTranslations(std::string_view line);

} // namespace dictool
