#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace dictool {

struct VerifyReport {
    std::size_t Records = 0;
    std::vector<std::string> Problems; // one line each, UTF-8
};

// Checks a dictionary folder as the program will read it: 58 index files of
// whole records, head-words of at most 101 characters filed under their own
// letter, article offsets and sizes inside the article files, and every
// article one complete RTF document. Reads only; creates nothing.
VerifyReport VerifyDictionary(const std::filesystem::path& dir);

} // namespace dictool
