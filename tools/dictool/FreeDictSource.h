#pragma once

#include "dictool/SourceEntry.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dictool {

struct SourceError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

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
