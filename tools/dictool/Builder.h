#pragma once

#include "dictool/SourceEntry.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dictool {

class Transcriber;

struct BuildReport {
    std::size_t SourceEntries = 0;
    std::size_t EnglishHeadWords = 0;
    std::size_t BulgarianHeadWords = 0;
    std::size_t GeneratedTranscriptions = 0;
    // Head-words left out, with the reason, as "word: reason" lines (UTF-8).
    std::vector<std::string> Skipped;
    std::size_t SkippedTranslations = 0; // translations that make no Bulgarian head-word
};

// Builds a complete dictionary folder below outDir: eg/ and bg/ with all 58
// index files and scrambled base article files. English head-words come
// from the entries; Bulgarian ones from their translations. Entries without a
// transcription get one from the transcriber. Throws std::runtime_error when
// a file cannot be written.
BuildReport BuildDictionary(const std::vector<SourceEntry>& entries,
                            const std::filesystem::path& outDir, Transcriber& transcriber);

} // namespace dictool
