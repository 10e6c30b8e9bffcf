#pragma once

#include "platform/FileError.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Study-list files: code page 1251 text, one entry per line, no header. Lists
// saved by other tools in UTF-8 are read too.
namespace studylist {

// A list as its bytes give it.
struct TStudyListLines {
    // In code page 1251, none empty.
    std::vector<std::string> Entries;
    // The 1-based line of the file each entry comes from.
    std::vector<std::size_t> Lines;
    // Whether the bytes were read as UTF-8.
    bool Utf8 = false;
    // The first line of UTF-8 text with a character the code page lacks,
    // which makes no entry; 0 when there is none.
    std::size_t UnfitLine = 0;
};

// CR, LF and CR LF all end a line; a last line without one is an entry. Empty
// lines make no entry: they are no word to learn (and an empty word would be
// a Hangman pattern no key can end). Bytes that begin with the UTF-8 byte
// order mark, or that are valid UTF-8 with some character beyond ASCII, are
// UTF-8 text and converted; anything else is code page 1251 already.
TStudyListLines ParseStudyListLines(std::string_view bytes);
std::vector<std::string> ParseStudyList(std::string_view bytes);

// Every line, the last one included, ends with CR LF; no entries, no bytes.
std::string FormatStudyList(const std::vector<std::string>& entries);

// A list is read whole; no list of words comes near this size.
constexpr std::uintmax_t kMaxStudyListFileBytes = 16 << 20;

// Refuses (naming the file and the line) a line longer than a head-word can
// be or UTF-8 text that does not fit the code page, and a file beyond
// kMaxStudyListFileBytes or that is no regular file.
// The entries are left as they were after a failure.
platform::TFileResult ReadStudyListFile(const std::filesystem::path& path,
                                        std::vector<std::string>& entries);

// Written whole beside the target and renamed over it, so a failed save never
// destroys the previous file.
platform::TFileResult WriteStudyListFile(const std::filesystem::path& path,
                                         const std::vector<std::string>& entries);

} // namespace studylist
