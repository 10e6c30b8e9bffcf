#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace exporting {

// What an export needs of one study-list entry.
struct TExportWord {
    std::string HeadWord;        // code page 1251, as the dictionary holds it
    std::string Transcription;   // UTF-8, without brackets; may be empty
    std::string ArticleRtf;      // the article's RTF document (code page 1251 RTF)
    std::filesystem::path Sound; // the pronunciation's MP3 file; empty when there is none
};

// Where the export finds its words; nothing for an entry that is not a
// head-word of the dictionary.
class TWordSource {
public:
    virtual ~TWordSource() = default;
    virtual std::optional<TExportWord> Find(std::string_view entry) const = 0;
};

} // namespace exporting
