#include "studylist/StudyListFile.h"

#include "dictionary/IndexRecord.h"
#include "platform/Cp1251.h"
#include "platform/FileIo.h"

#include <optional>

namespace studylist {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Valid UTF-8 with at least one character beyond ASCII: code page 1251 words
// (Cyrillic letters one after another) are practically never that.
bool IsUtf8Text(std::string_view bytes) {
    bool beyondAscii = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        beyondAscii = beyondAscii || static_cast<unsigned char>(bytes[pos]) >= 0x80;
        if (!platform::DecodeUtf8(bytes, pos)) {
            return false;
        }
    }
    return beyondAscii;
}

} // namespace

TStudyListLines ParseStudyListLines(std::string_view bytes) {
    TStudyListLines list;
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
        list.Utf8 = true;
    } else {
        list.Utf8 = IsUtf8Text(bytes);
    }
    std::size_t start = 0;
    std::size_t line = 0;
    while (start < bytes.size()) {
        ++line;
        std::size_t end = bytes.find_first_of("\r\n", start);
        const std::string_view text = bytes.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!text.empty()) {
            std::optional<std::string> entry =
                list.Utf8 ? platform::Utf8ToCp1251(text) : std::string(text);
            if (entry) {
                list.Entries.push_back(std::move(*entry));
                list.Lines.push_back(line);
            } else if (list.UnfitLine == 0) {
                list.UnfitLine = line;
            }
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') {
            ++start;
        }
    }
    return list;
}

std::vector<std::string> ParseStudyList(std::string_view bytes) {
    return ParseStudyListLines(bytes).Entries;
}

std::string FormatStudyList(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& entry : entries) {
        bytes += entry;
        bytes += "\r\n";
    }
    return bytes;
}

platform::TFileResult ReadStudyListFile(const std::filesystem::path& path,
                                        std::vector<std::string>& entries) {
    std::string bytes;
    if (platform::TFileResult read = platform::ReadWholeFile(path, bytes, kMaxStudyListFileBytes);
        !read.Ok()) {
        return read;
    }
    TStudyListLines read = ParseStudyListLines(bytes);
    if (read.UnfitLine != 0) {
        platform::TFileError error{path, platform::TFileOperation::Open};
        error.Fault = platform::TFileFault::NotInCodePage;
        error.Line = read.UnfitLine;
        return error;
    }
    const auto limit = static_cast<std::size_t>(dictionary::kMaxHeadWordLength);
    for (std::size_t i = 0; i < read.Entries.size(); ++i) {
        if (read.Entries[i].size() > limit) {
            platform::TFileError error{path, platform::TFileOperation::Open};
            error.Fault = platform::TFileFault::LineTooLong;
            error.Line = read.Lines[i];
            error.Length = read.Entries[i].size();
            error.Limit = limit;
            return error;
        }
    }
    entries = std::move(read.Entries);
    return {};
}

platform::TFileResult WriteStudyListFile(const std::filesystem::path& path,
                                         const std::vector<std::string>& entries) {
    return platform::WriteFileAtomically(path, FormatStudyList(entries));
}

} // namespace studylist
