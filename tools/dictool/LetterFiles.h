#pragma once

#include "dictionary/IndexRecord.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace dictool {

// Replaces one letter's base article file and index file so that a build
// killed at any moment leaves the letter old or new, never an old index over
// new articles or the reverse. Two renames cannot happen at once, so the
// article file is replaced first by one that still holds every old article
// at its old place and the new articles beside them; renaming the new index
// into place is then the one step that switches the letter. After it, the
// old articles' bytes are given back to the disk (cut off or punched out).
//
// currentIndex: the index file as it is now, read under the lock that the
// caller holds; its base records say which bytes of the article file must
// stay where they are. newArticles: the new base articles, scrambled; the
// base records among records give their places relative to its start and
// are moved to where they land. Throws std::runtime_error when a file
// cannot be written; the letter is then as it was.
void ReplaceLetterFiles(const std::filesystem::path& articlePath,
                        const std::filesystem::path& indexPath, std::string_view currentIndex,
                        std::string_view newArticles,
                        std::vector<dictionary::IndexRecord>& records);

} // namespace dictool
