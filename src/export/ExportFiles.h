#pragma once

#include "export/Export.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What both kinds of export share: the notes made from the list, and the
// file written beside its target and then put in its place.
namespace exporting {

struct TNote {
    std::string Guid;
    std::string Word;            // UTF-8 text
    std::string Transcription;   // UTF-8 text
    std::string TranslationHtml; // UTF-8 HTML
    std::filesystem::path Sound; // empty when none
    std::string MediaName;       // the sound's name in the package
};

struct TNotes {
    std::vector<TNote> Notes;
    std::vector<std::string> LeftOut;
};

// One note per head-word, in list order; entries that are not head-words
// are left out and named.
TNotes MakeNotes(std::span<const std::string> entries, const TWordSource& words);

// A file beside the target, begun by the export and put in its place when
// it is complete; removed when the export fails first.
class TPendingFile {
public:
    // Refuses (in result) an existing target without options.Replace, and a
    // folder in which no file can be made.
    TPendingFile(const std::filesystem::path& target, bool replace, TExportResult& result);
    ~TPendingFile();
    TPendingFile(const TPendingFile&) = delete;
    TPendingFile& operator=(const TPendingFile&) = delete;

    bool Ok() const { return !path_.empty(); }
    const std::filesystem::path& Path() const { return path_; }
    // Puts the written file in the target's place; false (with the reason
    // in result) when that fails.
    bool Publish(TExportResult& result);

private:
    std::filesystem::path target_;
    std::filesystem::path path_;
    bool replace_;
};

// The start both kinds share: the notes made from the list, and the file
// begun beside its target. When Ready() is false, Result is final.
struct TExportRun {
    TExportRun(std::span<const std::string> entries, const TWordSource& words,
               const std::filesystem::path& file, const TExportOptions& options);
    bool Ready() const { return Pending && Pending->Ok(); }
    // Puts the file in place and fills the counts; the result.
    TExportResult Finish();

    TExportResult Result;
    TNotes Notes;
    std::optional<TPendingFile> Pending;
};

} // namespace exporting
