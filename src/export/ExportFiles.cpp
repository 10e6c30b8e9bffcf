#include "export/ExportFiles.h"

#include "export/ArticleHtml.h"
#include "export/Sha1.h"
#include "platform/Cp1251.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <unistd.h>

namespace exporting {

namespace {

// Letters and digits of the head-word, so a sound's name says whose it is.
std::string MediaName(std::string_view word, std::string_view guid) {
    std::string name;
    for (const char c : word) {
        if (name.size() >= 40) {
            break;
        }
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        name += plain ? c : '_';
    }
    return name + "-" + std::string(guid.substr(0, 8)) + ".mp3";
}

std::string ErrorText(int error) {
    return std::strerror(error);
}

} // namespace

std::string NoteGuid(std::string_view headWord) {
    return Sha1Hex("English-Bulgarian dictionary note:" + platform::Cp1251ToUtf8(headWord))
        .substr(0, 16);
}

TNotes MakeNotes(std::span<const std::string> entries, const TWordSource& words) {
    TNotes notes;
    std::set<std::string> guids;
    for (const std::string& entry : entries) {
        const auto word = words.Find(entry);
        if (!word) {
            notes.LeftOut.push_back(entry);
            continue;
        }
        TNote note;
        note.Guid = NoteGuid(word->HeadWord);
        if (!guids.insert(note.Guid).second) {
            continue;
        }
        note.Word = platform::Cp1251ToUtf8(word->HeadWord);
        note.Transcription = word->Transcription;
        note.TranslationHtml = SplitArticle(word->ArticleRtf, note.Word).TranslationHtml;
        note.Sound = word->Sound;
        if (!note.Sound.empty()) {
            note.MediaName = MediaName(note.Word, note.Guid);
        }
        notes.Notes.push_back(std::move(note));
    }
    return notes;
}

TPendingFile::TPendingFile(const std::filesystem::path& target, bool replace, TExportResult& result)
    : target_(target), replace_(replace) {
    result.File = target;
    std::error_code ec;
    if (!replace && std::filesystem::exists(target, ec)) {
        result.Status = TExportStatus::Exists;
        return;
    }
    std::string pattern = target.string() + ".part-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        result.Status = TExportStatus::Unwritable;
        result.Detail = ErrorText(errno);
        return;
    }
    ::close(fd);
    path_ = pattern;
}

TPendingFile::~TPendingFile() {
    if (!path_.empty()) {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
}

bool TPendingFile::Publish(TExportResult& result) {
    // Without Replace a file that appeared meanwhile is not overwritten.
    const int done = replace_ ? std::rename(path_.c_str(), target_.c_str())
                              : ::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target_.c_str(),
                                            RENAME_NOREPLACE);
    if (done != 0) {
        result.Status = errno == EEXIST ? TExportStatus::Exists : TExportStatus::Unwritable;
        result.Detail = ErrorText(errno);
        return false;
    }
    path_.clear();
    return true;
}

TExportRun::TExportRun(std::span<const std::string> entries, const TWordSource& words,
                       const std::filesystem::path& file, const TExportOptions& options)
    : Notes(MakeNotes(entries, words)) {
    Result.File = file;
    Result.LeftOut = Notes.LeftOut;
    if (Notes.Notes.empty()) {
        Result.Status = TExportStatus::NothingToWrite;
        return;
    }
    Pending.emplace(file, options.Replace, Result);
}

TExportResult TExportRun::Finish() {
    if (!Pending->Publish(Result)) {
        return Result;
    }
    Result.Status = TExportStatus::Written;
    Result.Notes = static_cast<int>(Notes.Notes.size());
    Result.Sounds = 0;
    for (const TNote& note : Notes.Notes) {
        Result.Sounds += note.Sound.empty() ? 0 : 1;
    }
    return Result;
}

} // namespace exporting
