#pragma once

#include "dictionary/LetterIndex.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dictionary {

// Position of the first head-word, from position 0, that begins with word
// without regard to letter case; -1 when none does. A head-word equal to the
// word counts as beginning with it.
int FindWord(const std::vector<std::string_view>& headWords, std::string_view word);

// Where a find by shortening settles: the letter it selected and the position
// of the head-word found there (-1: none, the letter's list with no selection).
struct ShorteningResult {
    int Tab = kNoTab;
    int Position = -1;
    std::string Word; // the beginning of the text that was found (empty if none)
};

// The look-up of double-clicked and copied text: leading spaces removed, the
// text cut at its first space (and at the longest head-word's length), then
// shortened from its end until some head-word of its letter begins with it.
// Nothing when the text is empty, spaces only, or starts with a character
// that maps to no letter.
std::optional<ShorteningResult> FindByShortening(const DictionaryIndex& index,
                                                 std::string_view text);

// What reading an article found wrong.
enum class TArticleFault {
    None,
    NoPlace,    // the record gives no offset or size (File: the index file)
    CannotOpen, // File: the article file, Errno why (an errno or platform kind code)
    EndsBefore, // the article file ends before the article's offset
    EndsWithin, // ... before the article's end
};

// What could be read of an article, the whole of it when Fault is None.
struct TArticleRead {
    std::string Bytes;
    TArticleFault Fault = TArticleFault::None;
    std::filesystem::path File;
    int Errno = 0;
};

// Reads one article as the article pane would: open the record's article file
// through TCryptStream (unscrambling base articles), seek to its offset and
// read its size. Missing or damaged data yields a short or empty article and
// says why.
TArticleRead ReadArticleChecked(const DictionaryIndex& index, int tab, const IndexRecord& record);

// The article alone: missing data is not reported.
std::string ReadArticle(const DictionaryIndex& index, int tab, const IndexRecord& record);

} // namespace dictionary
