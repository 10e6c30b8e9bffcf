#pragma once

#include "dictionary/LetterIndex.h"

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

// Reads one article as the article pane would: open the record's article file
// through TCryptStream (unscrambling base articles), seek to its offset and
// read its size. Missing or damaged data yields a short or empty result; when
// problem is given it then says why, naming the file (it is emptied when the
// whole article was read).
std::string ReadArticle(const DictionaryIndex& index, int tab, const IndexRecord& record,
                        std::string* problem = nullptr);

} // namespace dictionary
