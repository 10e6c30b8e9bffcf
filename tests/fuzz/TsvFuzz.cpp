// dictool's word-list reader on any text: a malformed line is reported with
// its file and line number, and every entry it accepts is complete.
#include "tests/fuzz/FuzzSupport.h"

#include "dictool/FreeDictSource.h"
#include "dictool/TsvSource.h"

#include <string>

namespace {

fuzz::TMemoryFile& InputFile() {
    static fuzz::TMemoryFile file("word-list");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<dictool::SourceEntry> parsed;
    bool failed = false;
    try {
        parsed = dictool::ParseTsv(text, "words.tsv");
    } catch (const dictool::SourceError& error) {
        failed = true;
        fuzz::Check(std::string_view(error.what()).starts_with("words.tsv:"),
                    "an error that names no file and line");
    }
    for (const dictool::SourceEntry& entry : parsed) {
        fuzz::Check(!entry.HeadWord.empty(), "an entry without a head-word");
        fuzz::Check(entry.Senses.size() == 1 && !entry.Senses[0].Translations.empty(),
                    "an entry without a translation");
        fuzz::Check(entry.HeadWord.find_first_of("\t\n") == std::string::npos,
                    "a head-word holds a tab or a line end");
    }

    // The file reader gives the same result as the text reader.
    InputFile().Write(text);
    try {
        const std::vector<dictool::SourceEntry> read = dictool::ReadTsv(InputFile().Path());
        fuzz::Check(!failed && read.size() == parsed.size(),
                    "the file reads differently from its text");
    } catch (const dictool::SourceError&) {
        fuzz::Check(failed, "the file fails where its text does not");
    }
    return 0;
}
