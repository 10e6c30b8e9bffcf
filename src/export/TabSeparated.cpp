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
    TExportRun run(entries, words, file, options);
    if (!run.Ready()) {
        return run.Result;
    }
    std::string text =
        "#separator:tab\n#html:true\n#columns:Word\tTranscription\tTranslation\tSound\n";
    for (TNote& note : run.Notes.Notes) {
        std::error_code ec;
        if (!note.Sound.empty() && !std::filesystem::is_regular_file(note.Sound, ec)) {
            note.Sound.clear();
        }
        text += Cell(note.Word) + '\t' + Cell(note.Transcription) + '\t' +
                Cell(note.TranslationHtml) + '\t' + Cell(note.Sound.string()) + '\n';
    }
    std::ofstream out(run.Pending->Path(), std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        run.Result.Status = TExportStatus::Unwritable;
        run.Result.Detail = "the file could not be written";
        return run.Result;
    }
    return run.Finish();
}

} // namespace exporting
