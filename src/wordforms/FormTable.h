#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The two files the word forms are read from share one layout: a header that
// names the kind of file and holds a checksum, then records sorted by their
// key, then the text the records point into. Keys are lower-case code page
// 1251 words; a record carries either another word (the form index: a form
// and the base it names) or a number (the frequency file: a word and its
// score).
namespace wordforms {

enum class TTableKind : std::uint8_t {
    Forms,
    Frequency,
};

// Where a base reading of a form comes from; the order is the order in which
// the resolution consults them.
enum class TFormSource : std::uint8_t {
    Irregular = 1,     // an irregular form of WordNet's exception lists
    Suffix = 2,        // an English suffix rule (worked out when asked, never stored)
    EnglishStem = 3,   // a hunspell en_US stem that an inflectional ending joins
    BulgarianStem = 4, // a hunspell-bg stem
};

struct TTableRecord {
    std::string Key;
    std::string Word;        // the form index's base; empty in the frequency file
    std::uint32_t Value = 0; // the frequency file's score; the form index's source
};

// A table read from a file's bytes: records sorted by key, so that a key's
// records lie together.
class TFormTable {
public:
    struct TRecordView {
        std::string_view Key;
        std::string_view Word;
        std::uint32_t Value;
    };

    // The records of a key, in file order; empty when the key has none.
    std::vector<TRecordView> Find(std::string_view key) const;
    std::size_t Size() const { return count_; }
    TRecordView At(std::size_t i) const;

    // Nothing, and why in problem, when the bytes are not a complete, intact
    // table of that kind: a wrong header, a checksum that does not match,
    // records out of order or pointing outside the text.
    static std::optional<TFormTable> Parse(std::string bytes, TTableKind kind,
                                           std::string& problem);

private:
    // Records are read in place from the file's bytes, which are all the
    // table keeps.
    std::string_view KeyAt(std::size_t i) const;

    std::string bytes_;
    std::size_t count_ = 0;
};

// The longest key or word a record holds.
constexpr std::size_t kMaxTableWordLength = 255;

// The bytes of a table file holding these records (sorted here; records whose
// key or word is empty or longer than kMaxTableWordLength are left out).
std::string WriteFormTable(std::vector<TTableRecord> records, TTableKind kind);

} // namespace wordforms
