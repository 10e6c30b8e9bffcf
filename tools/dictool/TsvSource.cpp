#include "dictool/TsvSource.h"

#include "dictool/FreeDictSource.h"

#include <sstream>

namespace dictool {

std::vector<SourceEntry> ParseTsv(const std::string& text, const std::string& name) {
    std::vector<SourceEntry> entries;
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::vector<std::string> columns;
        std::size_t start = 0;
        while (true) {
            const std::size_t tab = line.find('\t', start);
            columns.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
            if (tab == std::string::npos) {
                break;
            }
            start = tab + 1;
        }
        auto fail = [&](const std::string& why) {
            throw SourceError(name + ":" + std::to_string(lineNumber) + ": " + why);
        };
        if (columns.size() < 3 || columns.size() > 5) {
            fail("expected 3 to 5 tab-separated columns (head-word, transcription, translations, "
                 "part of speech, gloss), found " +
                 std::to_string(columns.size()));
        }
        if (columns[0].empty()) {
            fail("the head-word is empty");
        }
        SourceEntry entry;
        entry.HeadWord = columns[0];
        if (!columns[1].empty()) {
            entry.Transcriptions.push_back(columns[1]);
        }
        Sense sense;
        sense.Translations = SplitTranslations(columns[2]);
        if (sense.Translations.empty()) {
            fail("no translation");
        }
        if (columns.size() > 3) {
            entry.PartOfSpeech = columns[3];
        }
        if (columns.size() > 4 && !columns[4].empty()) {
            sense.Glosses.push_back(columns[4]);
        }
        entry.Senses.push_back(std::move(sense));
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<SourceEntry> ReadTsv(const std::string& path) {
    return ParseTsv(ReadSourceFile(path), path);
}

} // namespace dictool
