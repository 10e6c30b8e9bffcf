#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace dictionary {

static_assert(std::endian::native == std::endian::little,
              "index records are copied as they are and their integers are little-endian");

constexpr int kMaxHeadWordLength = 101;

// One entry of a letter's index file: 111 bytes, packed, integers
// little-endian.
#pragma pack(push, 1)
struct IndexRecord {
    std::uint8_t HeadWordLength;
    char HeadWordChars[kMaxHeadWordLength];
    std::int32_t ArticleOffset;
    std::int32_t ArticleSize;
    std::uint8_t IsBase;

    // The significant characters; a length byte above 101 is clamped, so a
    // damaged record never reads past its own bytes.
    std::string_view HeadWord() const {
        const int length =
            HeadWordLength > kMaxHeadWordLength ? kMaxHeadWordLength : HeadWordLength;
        return {HeadWordChars, static_cast<std::size_t>(length)};
    }
};
#pragma pack(pop)

static_assert(sizeof(IndexRecord) == 111);
static_assert(offsetof(IndexRecord, ArticleOffset) == 102);
static_assert(offsetof(IndexRecord, ArticleSize) == 106);
static_assert(offsetof(IndexRecord, IsBase) == 110);

// Where a record's article lies: the record without its head-word, as the
// in-memory index keeps it. IsBase is the file's byte as it is. Own marks a
// record listed by the user's own index files over shared data: its article
// is in the user's folder. It is no byte of the file.
struct TArticleRef {
    std::int32_t ArticleOffset = 0;
    std::int32_t ArticleSize = 0;
    std::uint8_t IsBase = 0;
    bool Own = false;

    bool operator==(const TArticleRef&) const = default;
};

// Fills a record; false when the head-word does not fit in 101 bytes.
bool MakeRecord(IndexRecord& record, std::string_view headWord, std::int32_t articleOffset,
                std::int32_t articleSize, std::uint8_t isBase);

// Base articles are scrambled byte by byte: subtract 0xA7, then XOR 0x71 to
// read; the inverse to write. Position-independent, so reads start anywhere.
constexpr std::uint8_t kSubtractionKey = 0xA7;
constexpr std::uint8_t kMaskKey = 0x71;

constexpr std::uint8_t Unscramble(std::uint8_t stored) {
    return static_cast<std::uint8_t>(static_cast<std::uint8_t>(stored - kSubtractionKey) ^
                                     kMaskKey);
}

constexpr std::uint8_t Scramble(std::uint8_t plain) {
    return static_cast<std::uint8_t>((plain ^ kMaskKey) + kSubtractionKey);
}

void UnscrambleInPlace(void* buffer, std::size_t count);
void ScrambleInPlace(void* buffer, std::size_t count);

} // namespace dictionary
