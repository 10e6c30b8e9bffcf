#pragma once

#include "dictionary/LetterIndex.h"
#include "platform/FileError.h"

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <utility>

namespace studylist {

// Why a new word cannot be saved as it stands.
enum class TWordProblem {
    None,
    EmptyWord,
    TooLong,  // more than 101 bytes in code page 1251
    NoLetter, // the first character maps to no letter tab
    EmptyArticle,
};

// Where a saved word landed.
struct TSavedWord {
    int Tab = dictionary::kNoTab;
    std::size_t Position = 0;
};

// The user dictionary: new words with plain articles, appended to a letter's
// user article file and listed in the letter's index file in alphabetical
// order. The index file is always rewritten whole and renamed into place, so
// it is never left misaligned or truncated; an article whose index could not
// be written is cut off again, so nothing half-saved stays behind.
class TUserDictionary {
public:
    // dir: where the user's words are written, their articles and the index
    // files that list them; the index is the one read from those files.
    TUserDictionary(dictionary::DictionaryIndex& index, std::filesystem::path dir)
        : index_(index), dir_(std::move(dir)) {}

    // headWord and article are code page 1251 bytes.
    static TWordProblem Check(std::string_view headWord, std::string_view article);

    // The word's letter comes from its own first character, so it is filed
    // where a look-up of it will search.
    static int LetterOf(std::string_view headWord) { return dictionary::TabOfWord(headWord); }

    // Whether the letter already holds exactly this head-word.
    bool Contains(std::string_view headWord) const;

    // After every head-word that sorts before it or equal to it.
    std::size_t InsertPosition(int tab, std::string_view headWord) const;

    // Appends the article, rewrites the index file and inserts the record
    // into the in-memory index, all under an exclusive lock on the index file
    // so that programs saving into the same letter take turns. The word must
    // pass Check. Refused when the index file no longer holds what is in
    // memory, or it or the article file is read-only. On failure nothing has
    // changed on disk or in memory, and the failure names the file.
    platform::TFileResult Save(std::string_view headWord, std::string_view article,
                               TSavedWord& saved);

private:
    dictionary::DictionaryIndex& index_;
    std::filesystem::path dir_;
};

} // namespace studylist
