#pragma once

#include "dictionary/LetterIndex.h"

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace dictool {

// The abbreviations that one article shows, in reading order, as UTF-8: its
// part-of-speech labels and the abbreviations of GlossAbbreviations that its
// English glosses use.
std::vector<std::string> ArticleAbbreviations(std::string_view articleRtf);

// The abbreviations the sources' English glosses use ("e.g.", "intr.", "sb").
const std::vector<std::string>& GlossAbbreviations();

// Every abbreviation the articles of a dictionary folder show, with the
// number of articles that show it.
std::map<std::string, std::size_t> UsedAbbreviations(const dictionary::DictionaryIndex& index);

// The abbreviations an abbreviation key explains: each entry of a key is a
// paragraph that begins with the abbreviation, then " — " and its meaning.
std::set<std::string> KeyAbbreviations(std::string_view keyRtf);

// The used abbreviations that the key does not explain, in order.
std::vector<std::string> UnexplainedAbbreviations(const std::map<std::string, std::size_t>& used,
                                                  const std::set<std::string>& key);

// An RTF page written in UTF-8 made fit for the program's reader: every
// character above ASCII becomes \'hh (code page 1251) or \uN? (others).
std::string EscapeRtfPage(std::string_view utf8Rtf);

} // namespace dictool
