#pragma once

#include "dictool/SourceEntry.h"

#include <string>
#include <vector>

namespace dictool {

// A simple word-list format for tests and for users' own lists, UTF-8, one
// entry per line, columns separated by tabs:
//   head-word <TAB> transcription <TAB> translations [<TAB> part of speech [<TAB> gloss]]
// Translations are separated by commas; an empty transcription is generated.
// Lines starting with '#' and empty lines are skipped. Several lines with the
// same head-word become several entries of one article.
// Throws SourceError naming the file and line of a malformed line.
std::vector<SourceEntry> ReadTsv(const std::string& path);
std::vector<SourceEntry> ParseTsv(const std::string& text, const std::string& name);

} // namespace dictool
