#pragma once

#include "dictool/SourceEntry.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace dictool {

class Transcriber;

// What a build does with the user's own words (index records with IsBase 0)
// that the folder's index files already hold.
enum class UserWords {
    Refuse, // throw UserWordsFound before anything is written
    Keep,   // put them into the new indexes, in order; their articles stay
            // in the user article files, which the build never touches
    Drop,   // leave them out of the new indexes
};

struct UserWordsFound : std::runtime_error {
    UserWordsFound(const std::string& what, std::size_t count)
        : std::runtime_error(what), Count(count) {}
    std::size_t Count;
};

struct BuildReport {
    std::size_t SourceEntries = 0;
    std::size_t EnglishHeadWords = 0;
    std::size_t BulgarianHeadWords = 0;
    std::size_t GeneratedTranscriptions = 0;
    // Head-words left out, with the reason, as "word: reason" lines (UTF-8).
    std::vector<std::string> Skipped;
    std::size_t SkippedTranslations = 0; // translations that make no Bulgarian head-word
    std::size_t KeptUserWords = 0;
    std::size_t DroppedUserWords = 0;
};

// Builds a complete dictionary folder below outDir: eg/ and bg/ with all 58
// index files and scrambled base article files. English head-words come
// from the entries; Bulgarian ones from their translations. Entries without a
// transcription get one from the transcriber. Each letter's index is written
// under the lock that saving a user word takes. Throws std::runtime_error
// when a file cannot be read or written.
BuildReport BuildDictionary(const std::vector<SourceEntry>& entries,
                            const std::filesystem::path& outDir, Transcriber& transcriber,
                            UserWords userWords = UserWords::Refuse);

} // namespace dictool
