// Study-list files on any bytes: a list a user saved, edited by hand or took
// from elsewhere must read without harm and save back to the same entries.
#include "tests/fuzz/FuzzSupport.h"

#include "dictionary/IndexRecord.h"
#include "studylist/StudyListFile.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

fuzz::TMemoryFile& InputFile() {
    static fuzz::TMemoryFile file("study-list");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    const std::vector<std::string> entries = studylist::ParseStudyList(bytes);

    std::size_t entryBytes = 0;
    for (const std::string& entry : entries) {
        fuzz::Check(entry.find_first_of("\r\n") == std::string::npos, "an entry holds a line end");
        entryBytes += entry.size();
    }
    fuzz::Check(entryBytes + entries.size() <= size + 1, "the entries outgrow the file");

    // Saving writes every entry with CR LF; reading that back changes nothing.
    const std::string saved = studylist::FormatStudyList(entries);
    fuzz::Check(studylist::ParseStudyList(saved) == entries, "a saved list reads back differently");
    // With line feeds alone, each one ends an entry and a last line without
    // one is an entry too.
    if (size > 0 && bytes.find('\r') == std::string_view::npos) {
        const auto lineFeeds =
            static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
        fuzz::Check(entries.size() == lineFeeds + (bytes.back() == '\n' ? 0 : 1),
                    "a line-feed list has the wrong number of entries");
    }

    InputFile().Write(bytes);
    std::vector<std::string> read;
    // A line longer than any head-word is refused, naming the file and line.
    const bool tooLong = std::any_of(entries.begin(), entries.end(), [](const std::string& entry) {
        return entry.size() > static_cast<std::size_t>(dictionary::kMaxHeadWordLength);
    });
    const bool readOk = studylist::ReadStudyListFile(InputFile().Path(), read).Ok();
    fuzz::Check(readOk != tooLong,
                tooLong ? "an overlong line was accepted" : "a regular file could not be read");
    if (readOk) {
        fuzz::Check(read == entries, "the file reads differently from its bytes");
    }
    return 0;
}
