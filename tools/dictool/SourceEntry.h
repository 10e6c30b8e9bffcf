#pragma once

#include <string>
#include <vector>

namespace dictool {

// One sense of a source entry: its Bulgarian translations and English glosses
// (UTF-8, as the source gives them, stress marks included).
struct Sense {
    std::vector<std::string> Translations;
    std::vector<std::string> Glosses;
};

// One English head-word entry of a source dictionary (UTF-8).
struct SourceEntry {
    std::string HeadWord;
    std::vector<std::string> Transcriptions; // IPA, without slashes
    std::string PartOfSpeech;                // the source's tag ("n", "v", "adj" ...), may be empty
    std::vector<Sense> Senses;
};

} // namespace dictool
