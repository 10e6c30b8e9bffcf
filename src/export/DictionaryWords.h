#pragma once

#include "dictionary/LookupService.h"
#include "export/ExportWords.h"

#include <filesystem>

namespace exporting {

// The export's words from the dictionary's look-up: an entry is a word when
// it is exactly a head-word of its letter; its sound is the head-word's
// pronunciation file below the data folder, when there is one.
class TDictionaryWords : public TWordSource {
public:
    TDictionaryWords(const dictionary::TLookupService& dictionary, std::filesystem::path dataDir)
        : dictionary_(dictionary), dataDir_(std::move(dataDir)) {}

    std::optional<TExportWord> Find(std::string_view entry) const override;

private:
    const dictionary::TLookupService& dictionary_;
    std::filesystem::path dataDir_;
};

} // namespace exporting
