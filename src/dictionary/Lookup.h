#pragma once

#include "dictionary/LetterIndex.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dictionary {

// The matching rule of every look-up, over any list: the position of the
// first item, from position 0, that begins with word without regard to
// letter case; -1 when none does. An item equal to the word counts as
// beginning with it. TLookupService gives the same positions faster for the
// letters of the index.
int FindWord(const std::vector<std::string_view>& headWords, std::string_view word);

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
// The record is one read from the start directory's index.
TArticleRead ReadArticleChecked(const DictionaryIndex& index, int tab, const IndexRecord& record);
// The record at a position of the letter (below its size), wherever its
// index lies.
TArticleRead ReadArticleChecked(const DictionaryIndex& index, int tab, std::size_t position);

// The article alone: missing data is not reported.
std::string ReadArticle(const DictionaryIndex& index, int tab, const IndexRecord& record);
std::string ReadArticle(const DictionaryIndex& index, int tab, std::size_t position);

} // namespace dictionary
