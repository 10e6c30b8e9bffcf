#include "dictionary/IndexRecord.h"

#include <cstring>

namespace dictionary {

bool MakeRecord(IndexRecord& record, std::string_view headWord, std::int32_t articleOffset,
                std::int32_t articleSize, std::uint8_t isBase) {
    if (headWord.size() > kMaxHeadWordLength) {
        return false;
    }
    std::memset(&record, 0, sizeof record);
    record.HeadWordLength = static_cast<std::uint8_t>(headWord.size());
    if (!headWord.empty()) { // an empty view may hold no pointer at all
        std::memcpy(record.HeadWordChars, headWord.data(), headWord.size());
    }
    record.ArticleOffset = articleOffset;
    record.ArticleSize = articleSize;
    record.IsBase = isBase;
    return true;
}

void UnscrambleInPlace(void* buffer, std::size_t count) {
    auto* p = static_cast<std::uint8_t*>(buffer);
    for (std::size_t i = 0; i < count; ++i) {
        p[i] = Unscramble(p[i]);
    }
}

void ScrambleInPlace(void* buffer, std::size_t count) {
    auto* p = static_cast<std::uint8_t*>(buffer);
    for (std::size_t i = 0; i < count; ++i) {
        p[i] = Scramble(p[i]);
    }
}

} // namespace dictionary
