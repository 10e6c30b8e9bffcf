#pragma once

#include "dictionary/LetterIndex.h"
#include "platform/FileError.h"

#include <chrono>
#include <cstddef>
#include <string_view>

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
// user article file and listed in the letter's own index file in
// alphabetical order (the index's OwnDir: the data folder itself, or the
// user's folder over shared data). The index file is always rewritten whole
// and renamed into place, so it is never left misaligned or truncated; an
// article whose index could not be written is cut off again, so nothing
// half-saved stays behind.
class TUserDictionary {
public:
    // How long a save waits for another program's save into the same letter
    // before it gives up: the window waits meanwhile.
    static constexpr std::chrono::milliseconds kLockWait{2000};

    explicit TUserDictionary(dictionary::DictionaryIndex& index) : index_(index) {}

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
    // pass Check. An index file that another program changed since it was
    // read is read again first, so its words stay and the new one joins
    // them. Refused, with the fault Busy, when another program holds the
    // lock for longer than kLockWait; refused when the index or the article
    // file is read-only. On failure nothing has changed on disk, the
    // in-memory index at most re-read, and the failure names the file.
    platform::TFileResult Save(std::string_view headWord, std::string_view article,
                               TSavedWord& saved);

private:
    dictionary::DictionaryIndex& index_;
};

} // namespace studylist
