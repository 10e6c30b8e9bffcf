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
    // does; own: listed by the user's own index over shared data. Positions
    // from p on move one up; every head-word view stays valid.
    void Insert(std::size_t p, const IndexRecord& record, bool own = false);

    // Merges the records of the user's own index of this letter into this
    // one, each after every head-word that sorts before it or equal to it,
    // marked Own. The base records keep their order and sound numbers.
    void Overlay(const LetterIndex& own);
    // Takes out what Overlay merged in, leaving the base records as read.
    void RemoveOwn();

    // Parses the file anew after another program changed it, as Assign does,
    // except that every head-word view handed out before stays valid.
    void Refresh(std::span<const char> fileContent);

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
    // Blocks of earlier readings of the file, kept for the views into them.
    std::vector<std::vector<char>> retiredBytes_;
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
    // The user's own index files that could not be read: those letters show
    // no own words, and their files are left as they are.
    std::vector<std::string> OwnUnreadable;
    std::filesystem::path StartDir;

    bool Complete() const { return Missing.empty() && Unreadable.empty() && OwnUnreadable.empty(); }
    // No index file could be read at all: the folder holds no dictionary.
    bool NoDictionary() const { return Missing.size() + Unreadable.size() == kLetterCount; }
    // One message for the user, empty when nothing is wrong.
    std::string Message() const;
};

// The 58 letter indexes and the start-up directory they were read below.
// The user's own words are either in the same files (a data folder) or, over
// shared data that is not the user's to change, in index and article files
// of the same formats and layout in a folder of the user's own: each letter
// then lists both, merged at load, and a save touches only the user's files.
class DictionaryIndex {
public:
    using Progress = std::function<void(int tab, LoadStep step)>;

    // Reads all 58 index files, English tabs first, each with one read; the
    // user's own words are in them.
    LoadReport Load(const std::filesystem::path& startDir, const Progress& progress = {});
    // The same, and when ownDir is another folder, merges each letter's own
    // index from there. A missing own index is a letter with no own words.
    LoadReport Load(const std::filesystem::path& startDir, const std::filesystem::path& ownDir,
                    const Progress& progress = {});

    LetterIndex& Letter(int tab) { return letters_.at(static_cast<std::size_t>(tab)); }
    const LetterIndex& Letter(int tab) const { return letters_.at(static_cast<std::size_t>(tab)); }

    const std::filesystem::path& StartDir() const { return startDir_; }
    std::filesystem::path IndexPath(int tab) const;
    // The article file of a record read from the start directory's index:
    // base or user file of the record's letter.
    std::filesystem::path ArticlePath(int tab, const IndexRecord& record) const;
    // The article file of the record at a position (below the letter's size),
    // in the folder of the index that listed it.
    std::filesystem::path ArticlePath(int tab, std::size_t position) const;

    // The user's own words are kept apart from the start directory's files.
    bool Overlaid() const { return overlaid_; }
    // Where the user's own words are written: the index files a save
    // rewrites and the article files it appends to.
    const std::filesystem::path& OwnDir() const { return overlaid_ ? ownDir_ : startDir_; }
    std::filesystem::path OwnIndexPath(int tab) const;
    // The records of the letter's own index file as last read or written:
    // the letter itself when the own words share the files.
    const LetterIndex& OwnLetter(int tab) const;
    // Another program rewrote the letter's own index file: its content now,
    // merged anew. Head-word views handed out before stay valid.
    void RereadOwn(int tab, std::span<const char> fileContent);
    // A saved word: at ownPosition of the own index file's records and at
    // position of the letter.
    void InsertOwn(int tab, std::size_t ownPosition, std::size_t position,
                   const IndexRecord& record);

private:
    std::array<LetterIndex, kLetterCount> letters_;
    // Over shared data, each letter's own index as its file holds it.
    std::array<LetterIndex, kLetterCount> own_;
    std::filesystem::path startDir_;
    std::filesystem::path ownDir_;
    bool overlaid_ = false;
};

} // namespace dictionary
