#pragma once

#include "dictionary/IndexRecord.h"
#include "dictionary/Letters.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dictionary {

// One letter's index as read at start-up: the file buffer, and in file order
// the head-words, the records (references into the buffer) and, for English
// letters, the sound numbers.
class LetterIndex {
public:
    LetterIndex() = default;
    LetterIndex(LetterIndex&&) = default;
    LetterIndex& operator=(LetterIndex&&) = default;
    LetterIndex(const LetterIndex&) = delete;
    LetterIndex& operator=(const LetterIndex&) = delete;

    // Takes the whole file content; trailing bytes that do not fill a record
    // are kept in the buffer but ignored.
    void Assign(std::vector<char> fileContent, bool english);

    // Inserts a record at position p (0..size), as the saving of a new word
    // does; the lists are rebuilt because the buffer moves.
    void Insert(std::size_t p, const IndexRecord& record);

    std::size_t Size() const { return Records.size(); }

    // "0" for a user record, else the 1-based count of base records of the
    // letter up to and including this one. Empty for Bulgarian letters.
    std::string SoundNumber(std::size_t p) const;

    std::vector<char> Buffer;
    std::vector<std::string_view> HeadWords;
    std::vector<const IndexRecord*> Records;
    std::vector<std::uint32_t> SoundNumbers;

private:
    void Rebuild();
    bool english_ = false;
};

enum class LoadStep {
    BeforeRead, // a Bulgarian tab gets its caption here
    AfterRead,  // the splash advances its progress here
};

// An index file is read whole into memory: no letter comes near this size
// (600,000 records), so a larger file is refused rather than read.
constexpr std::uintmax_t kMaxIndexFileBytes = 64 << 20;

// What the load found wrong. Letters whose file was missing or unreadable are
// empty.
struct LoadReport {
    std::vector<std::string> Missing;
    std::vector<std::string> Unreadable; // each "path (why)"
    std::filesystem::path StartDir;

    bool Complete() const { return Missing.empty() && Unreadable.empty(); }
    // No index file could be read at all: the folder holds no dictionary.
    bool NoDictionary() const { return Missing.size() + Unreadable.size() == kLetterCount; }
    // One message for the user, empty when nothing is wrong.
    std::string Message() const;
};

// The 58 letter indexes and the start-up directory they were read below.
class DictionaryIndex {
public:
    using Progress = std::function<void(int tab, LoadStep step)>;

    // Reads all 58 index files, English tabs first, each with one read.
    LoadReport Load(const std::filesystem::path& startDir, const Progress& progress = {});

    LetterIndex& Letter(int tab) { return letters_.at(static_cast<std::size_t>(tab)); }
    const LetterIndex& Letter(int tab) const { return letters_.at(static_cast<std::size_t>(tab)); }

    const std::filesystem::path& StartDir() const { return startDir_; }
    std::filesystem::path IndexPath(int tab) const;
    // The article file of a record: base or user file of the record's letter.
    std::filesystem::path ArticlePath(int tab, const IndexRecord& record) const;

private:
    std::array<LetterIndex, kLetterCount> letters_;
    std::filesystem::path startDir_;
};

} // namespace dictionary
