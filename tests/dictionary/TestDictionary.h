#pragma once

#include "dictionary/IndexRecord.h"

#include <filesystem>
#include <string>
#include <vector>

// Writes small dictionary folders by hand, byte for byte, so that the reading
// side is tested against the file formats rather than against the builder.
class TestDictionary {
public:
    struct Word {
        std::string HeadWord; // code page 1251
        std::string Article;  // plain bytes
        std::uint8_t IsBase = 1;
    };

    TestDictionary();
    ~TestDictionary();

    const std::filesystem::path& Dir() const { return dir_; }

    // Writes the letter's index and article files (base articles scrambled,
    // user articles plain) for the given words, in this order.
    void WriteLetter(int tab, const std::vector<Word>& words);
    // Writes empty index files for every letter not written yet.
    void FillEmptyLetters();
    void WriteRaw(const std::string& fragment, const std::string& bytes);

private:
    std::filesystem::path dir_;
    std::vector<bool> written_;
};
