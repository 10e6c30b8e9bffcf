#pragma once

#include "dictionary/LetterIndex.h"
#include "export/ExportWords.h"

#include <filesystem>

namespace exporting {

// The export's words from the dictionary's index: an entry is a word when it
// is exactly a head-word of its letter; its sound is the letter's
// pronunciation file below the working directory, when there is one.
class TDictionaryWords : public TWordSource {
public:
    TDictionaryWords(const dictionary::DictionaryIndex& index, std::filesystem::path workingDir)
        : index_(index), workingDir_(std::move(workingDir)) {}

    std::optional<TExportWord> Find(std::string_view entry) const override;

private:
    const dictionary::DictionaryIndex& index_;
    std::filesystem::path workingDir_;
};

} // namespace exporting
