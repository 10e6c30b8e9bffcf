// dictool's dictd reader on any index and dictionary: the input holds the
// index file, a NUL byte, then the dictionary file (plain or gzip). Bad data
// must end in SourceError, never in a crash or a read outside the files.
#include "tests/fuzz/FuzzSupport.h"

#include "dictool/FreeDictSource.h"

#include <string>

namespace {

fuzz::TMemoryFile& IndexFile() {
    static fuzz::TMemoryFile file("dictd-index");
    return file;
}

fuzz::TMemoryFile& DictFile() {
    static fuzz::TMemoryFile file("dictd-dict");
    return file;
}

bool IsTrimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    return text.empty() || (!blank(text.front()) && !blank(text.back()));
}

void CheckEntry(const dictool::SourceEntry& entry) {
    fuzz::Check(!entry.HeadWord.empty(), "an entry without a head-word");
    fuzz::Check(entry.HeadWord.find('\n') == std::string::npos, "a head-word spans lines");
    for (const std::string& ipa : entry.Transcriptions) {
        fuzz::Check(!ipa.empty(), "an empty transcription");
    }
    for (const dictool::Sense& sense : entry.Senses) {
        for (const std::string& translation : sense.Translations) {
            fuzz::Check(!translation.empty() && IsTrimmed(translation),
                        "an empty or untrimmed translation");
        }
        for (const std::string& gloss : sense.Glosses) {
            fuzz::Check(!gloss.empty(), "an empty gloss");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    const std::size_t split = bytes.find('\0');
    const std::string_view index = bytes.substr(0, split);
    const std::string_view dict =
        split == std::string_view::npos ? std::string_view() : bytes.substr(split + 1);

    // Each piece alone, as the reader splits it.
    if (const auto entry = dictool::ParseFreeDictEntry(dict)) {
        CheckEntry(*entry);
    }
    for (const std::string& item : dictool::SplitTranslations(index)) {
        fuzz::Check(!item.empty() && IsTrimmed(item), "an empty or untrimmed translation");
    }

    IndexFile().Write(index);
    DictFile().Write(dict);
    try {
        const dictool::FreeDictData read =
            dictool::ReadFreeDict(IndexFile().Path(), DictFile().Path());
        for (const dictool::SourceEntry& entry : read.Entries) {
            CheckEntry(entry);
        }
    } catch (const dictool::SourceError&) {
    }
    return 0;
}
