#include "studylist/StudyListFile.h"

#include "dictionary/IndexRecord.h"

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
    if (!ReadWholeFile(path, bytes, error, kMaxStudyListFileBytes)) {
        return false;
    }
    std::vector<std::string> read = ParseStudyList(bytes);
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (read[i].size() > static_cast<std::size_t>(dictionary::kMaxHeadWordLength)) {
            error = {path, "open", 0,
                     "Line " + std::to_string(i + 1) + " holds " + std::to_string(read[i].size()) +
                         " characters; a word of the dictionary has at most " +
                         std::to_string(dictionary::kMaxHeadWordLength) + "."};
            return false;
        }
    }
    entries = std::move(read);
    return true;
}

bool WriteStudyListFile(const std::filesystem::path& path, const std::vector<std::string>& entries,
                        TFileError& error) {
    return WriteFileAtomically(path, FormatStudyList(entries), error);
}

} // namespace studylist
