#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <span>
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

// The words of a list as a source found them, kept: an export can then run
// on another thread while the source (the dictionary) serves the windows.
class TFoundWords : public TWordSource {
public:
    TFoundWords(std::span<const std::string> entries, const TWordSource& source) {
        for (const std::string& entry : entries) {
            if (!words_.contains(entry)) {
                words_.emplace(entry, source.Find(entry));
            }
        }
    }

    std::optional<TExportWord> Find(std::string_view entry) const override {
        const auto found = words_.find(entry);
        return found == words_.end() ? std::nullopt : found->second;
    }

private:
    std::map<std::string, std::optional<TExportWord>, std::less<>> words_;
};

} // namespace exporting
