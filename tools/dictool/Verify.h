#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace dictool {

struct VerifyReport {
    std::size_t Records = 0;
    std::vector<std::string> Problems; // one line each, UTF-8
    // What costs room but reads correctly: files and bytes that interrupted
    // saves left behind.
    std::vector<std::string> Notes;
};

// Checks a dictionary folder as the program will read it: 58 index files of
// whole records, head-words of at most 101 characters filed under their own
// letter, article offsets and sizes inside the article files, and every
// article one complete RTF document. Notes the temporary files of saves
// that were interrupted and the bytes of user article files that no record
// points to. Reads only; creates nothing.
VerifyReport VerifyDictionary(const std::filesystem::path& dir);

} // namespace dictool
