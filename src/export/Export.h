#pragma once

#include "export/ExportWords.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

// The study list written for flash-card programs: an Anki package (.apkg)
// or tab-separated UTF-8 text. No widgets.
namespace exporting {

struct TExportOptions {
    bool Replace = false;   // an existing file is replaced only when asked
    std::string DeckName;   // UTF-8; the package's deck
    std::int64_t NowMs = 0; // the export's time (UTC ms): the deck's and notes' ids
};

enum class TExportStatus {
    Written,
    Exists,        // the file is there and Replace was not given: nothing written
    Unwritable,    // the folder is missing or cannot be written, or the writing failed
    NothingToWrite // no entry of the list is a head-word: nothing written
};

struct TExportResult {
    TExportStatus Status = TExportStatus::Unwritable;
    std::filesystem::path File;
    std::string Detail; // the system's words for a failure, in English
    int Notes = 0;      // words written (an entry listed twice is written once)
    int Sounds = 0;     // pronunciations written with them
    // Entries that are not head-words, left out, in list order (code page 1251).
    std::vector<std::string> LeftOut;

    bool Ok() const { return Status == TExportStatus::Written; }
};

// One note per head-word, with the fields Word, Transcription, Translation
// (HTML from the article) and Sound ([sound:…] with the MP3 as media), and
// two cards: word → translation and translation → word. Every export has a
// deck id of its own; a note's identity comes from its head-word, so a
// second export of the same words updates the notes instead of adding them
// again.
TExportResult ExportAnkiPackage(std::span<const std::string> entries, const TWordSource& words,
                                const std::filesystem::path& file, const TExportOptions& options);

// The same fields as tab-separated UTF-8 text, one line a word, after a
// header of "#" lines naming the columns; Sound holds the MP3's path.
TExportResult ExportTabSeparated(std::span<const std::string> entries, const TWordSource& words,
                                 const std::filesystem::path& file, const TExportOptions& options);

// The note identity of a head-word (code page 1251): stable across exports.
std::string NoteGuid(std::string_view headWord);

} // namespace exporting
