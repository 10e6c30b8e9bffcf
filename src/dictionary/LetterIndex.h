#pragma once

#include "dictionary/IndexRecord.h"
#include "dictionary/Letters.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dictionary {

// One letter's index as read at start-up, in file order: the head-words, where
// each record's article lies and, for English letters, the sound numbers. The
// file's bytes are not kept: the head-words live in one compact block of their
// own, the rest of each record beside them, so a letter costs about a third of
// its file. A head-word's bytes never move while the index lives: the block is
// never grown, and a saved word gets bytes of its own, so no view handed out
// is invalidated by Insert.
class LetterIndex {
public:
    LetterIndex() = default;
    LetterIndex(LetterIndex&&) = default;
    LetterIndex& operator=(LetterIndex&&) = default;
    LetterIndex(const LetterIndex&) = delete;
    LetterIndex& operator=(const LetterIndex&) = delete;

    // Parses the whole file content; trailing bytes that do not fill a record
    // are ignored. Nothing refers to fileContent afterwards.
    void Assign(std::span<const char> fileContent, bool english);

    // Inserts a record at position p (0..size), as the saving of a new word
    // does. Positions from p on move one up; every head-word view stays valid.
    void Insert(std::size_t p, const IndexRecord& record);

    std::size_t Size() const { return articles_.size(); }

    // The head-word at position p (below Size()).
    std::string_view HeadWord(std::size_t p) const { return headWords_[p]; }
    // Every head-word in file order, for lists that copy them. The views stay
    // valid for the index's life; the vector itself grows with Insert.
    const std::vector<std::string_view>& HeadWords() const { return headWords_; }
    // Where the article of position p (below Size()) lies.
    const TArticleRef& Article(std::size_t p) const { return articles_[p]; }

    // Whether the head-words stand in HeadWordLess order, as the builder and
    // the saving of a word keep them, so that a search may halve the list.
    // A letter written elsewhere may be in any order. Found out at the first
    // question rather than at start-up, which reads every letter.
    bool Sorted() const;

    // The record at position p (below Size()) rebuilt for a writer: its
    // head-word, zero bytes after it, its article's place and IsBase byte.
    IndexRecord Record(std::size_t p) const;

    // Whether fileContent is still the file this index was read from: the
    // same size and, record by record, the same head-word, article place and
    // IsBase byte. Bytes that no reader looks at (after a head-word's length,
    // past the last whole record) are not compared.
    bool MatchesFile(std::span<const char> fileContent) const;

    // "0" for a user record, else the 1-based count of base records of the
    // letter up to and including this one. Empty for Bulgarian letters.
    std::string SoundNumber(std::size_t p) const;
    // The same as numbers, one per record; empty for Bulgarian letters.
    const std::vector<std::uint32_t>& SoundNumbers() const { return soundNumbers_; }

private:
    void CountSounds();

    std::vector<std::string_view> headWords_;
    std::vector<TArticleRef> articles_;
    std::vector<std::uint32_t> soundNumbers_;
    // The head-words read from the file, back to back.
    std::vector<char> headWordBytes_;
    // The head-words inserted since, each in bytes of its own.
    std::vector<std::unique_ptr<char[]>> insertedBytes_;
    std::size_t fileSize_ = 0; // of the file as read, or as rewritten by a save
    bool english_ = false;
    enum class TOrder : std::uint8_t { Unknown, Sorted, Unsorted };
    mutable TOrder order_ = TOrder::Unknown;
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
