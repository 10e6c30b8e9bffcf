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
    const studylist::TStudyListLines list = studylist::ParseStudyListLines(bytes);
    const std::vector<std::string>& entries = list.Entries;
    fuzz::Check(list.Lines.size() == entries.size(), "an entry without its line");

    std::size_t entryBytes = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        fuzz::Check(!entry.empty(), "an empty line became an entry");
        fuzz::Check(entry.find_first_of("\r\n") == std::string::npos, "an entry holds a line end");
        fuzz::Check(i == 0 || list.Lines[i] > list.Lines[i - 1],
                    "entries out of their lines' order");
        entryBytes += entry.size();
    }
    // Converting UTF-8 never makes a word longer.
    fuzz::Check(entryBytes + entries.size() <= size + 1, "the entries outgrow the file");
    fuzz::Check(list.UnfitLine == 0 || list.Utf8, "code page text called unfit");

    // Saving writes every entry with CR LF in the code page; reading that
    // back changes nothing, unless the saved bytes happen to be UTF-8 text
    // themselves.
    const std::string saved = studylist::FormatStudyList(entries);
    const studylist::TStudyListLines again = studylist::ParseStudyListLines(saved);
    if (!again.Utf8) {
        fuzz::Check(again.Entries == entries, "a saved list reads back differently");
    }
    // With line feeds alone in code page text, each line that is not empty is
    // an entry.
    if (!list.Utf8 && bytes.find('\r') == std::string_view::npos) {
        std::size_t lines = 0;
        std::size_t start = 0;
        while (start < bytes.size()) {
            const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
            lines += end > start ? 1 : 0;
            start = end + 1;
        }
        fuzz::Check(entries.size() == lines, "a line-feed list has the wrong number of entries");
    }

    InputFile().Write(bytes);
    std::vector<std::string> read;
    // A line longer than any head-word is refused, naming the file and line.
    const bool tooLong = std::any_of(entries.begin(), entries.end(), [](const std::string& entry) {
        return entry.size() > static_cast<std::size_t>(dictionary::kMaxHeadWordLength);
    });
    const bool unfit = list.UnfitLine != 0;
    const bool readOk = studylist::ReadStudyListFile(InputFile().Path(), read).Ok();
    fuzz::Check(readOk != (tooLong || unfit),
                readOk ? "a faulty list was accepted" : "a regular file could not be read");
    if (readOk) {
        fuzz::Check(read == entries, "the file reads differently from its bytes");
    }
    return 0;
}
