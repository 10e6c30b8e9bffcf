#include "studylist/StudyListFile.h"

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

bool ReadStudyListFile(const std::filesystem::path& path, std::vector<std::string>& entries,
                       TFileError& error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error)) {
        return false;
    }
    entries = ParseStudyList(bytes);
    return true;
}

bool WriteStudyListFile(const std::filesystem::path& path, const std::vector<std::string>& entries,
                        TFileError& error) {
    return WriteFileAtomically(path, FormatStudyList(entries), error);
}

} // namespace studylist
