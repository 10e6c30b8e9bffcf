#include "studylist/StudyListFile.h"

#include "dictionary/IndexRecord.h"
#include "platform/FileIo.h"

namespace studylist {

std::vector<std::string> ParseStudyList(std::string_view bytes) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            entries.emplace_back(bytes.substr(start));
            break;
        }
        entries.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') {
            ++start;
        }
    }
    return entries;
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
    std::vector<std::string> read = ParseStudyList(bytes);
    const auto limit = static_cast<std::size_t>(dictionary::kMaxHeadWordLength);
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (read[i].size() > limit) {
            platform::TFileError error{path, platform::TFileOperation::Open};
            error.Fault = platform::TFileFault::LineTooLong;
            error.Line = i + 1;
            error.Length = read[i].size();
            error.Limit = limit;
            return error;
        }
    }
    entries = std::move(read);
    return {};
}

platform::TFileResult WriteStudyListFile(const std::filesystem::path& path,
                                         const std::vector<std::string>& entries) {
    return platform::WriteFileAtomically(path, FormatStudyList(entries));
}

} // namespace studylist
