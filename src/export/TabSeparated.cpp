#include "export/ExportFiles.h"

#include <fstream>

namespace exporting {

namespace {

// A field stays on its line and in its column.
std::string Cell(std::string_view text) {
    std::string cell(text);
    for (char& c : cell) {
        if (c == '\t' || c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return cell;
}

} // namespace

TExportResult ExportTabSeparated(std::span<const std::string> entries, const TWordSource& words,
                                 const std::filesystem::path& file, const TExportOptions& options) {
    TExportResult result;
    TNotes notes = MakeNotes(entries, words);
    result.LeftOut = notes.LeftOut;
    if (notes.Notes.empty()) {
        result.File = file;
        result.Status = TExportStatus::NothingToWrite;
        return result;
    }
    TPendingFile pending(file, options.Replace, result);
    if (!pending.Ok()) {
        return result;
    }
    std::string text =
        "#separator:tab\n#html:true\n#columns:Word\tTranscription\tTranslation\tSound\n";
    for (TNote& note : notes.Notes) {
        std::error_code ec;
        if (!note.Sound.empty() && !std::filesystem::is_regular_file(note.Sound, ec)) {
            note.Sound.clear();
        }
        text += Cell(note.Word) + '\t' + Cell(note.Transcription) + '\t' +
                Cell(note.TranslationHtml) + '\t' + Cell(note.Sound.string()) + '\n';
    }
    std::ofstream out(pending.Path(), std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        result.Status = TExportStatus::Unwritable;
        result.Detail = "the file could not be written";
        return result;
    }
    if (!pending.Publish(result)) {
        return result;
    }
    Written(result, notes);
    return result;
}

} // namespace exporting
