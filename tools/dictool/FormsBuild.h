#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace dictionary {
class DictionaryIndex;
}

// The data build of the word forms: the form index and the frequency file
// that the program reads on its first look-up that needs them.
namespace dictool {

struct FormsSources {
    // hunspell-tools' unmunch of the two dictionaries: every form they spell,
    // one a line (UTF-8).
    std::filesystem::path EnglishForms;
    std::filesystem::path BulgarianForms;
    std::filesystem::path HunspellDir = "/usr/share/hunspell";
    std::filesystem::path WordNetDir = "/usr/share/wordnet";
    std::filesystem::path ScowlDir = "/usr/share/dict/scowl";
    // A Bulgarian word list by falling frequency, one word a line (UTF-8).
    std::filesystem::path BulgarianFrequency;
};

struct FormsReport {
    std::size_t Irregular = 0;
    std::size_t EnglishStems = 0;
    std::size_t BulgarianStems = 0;
    std::size_t EnglishFrequencies = 0;
    std::size_t BulgarianFrequencies = 0;
    std::vector<std::string> Warnings;
};

// Reads the sources and writes the two files below dir (the folder of index),
// and a section naming the sources and their licences into dir's
// SOURCES.txt. Throws std::runtime_error naming the source that cannot be
// read, or the file that cannot be written.
FormsReport BuildWordForms(const dictionary::DictionaryIndex& index,
                           const std::filesystem::path& dir, const FormsSources& sources);

// The section of SOURCES.txt that BuildWordForms writes, replaced whole when
// the files are built again.
constexpr const char* kFormsSourcesMarker = "---- Word forms and word frequency ----";

} // namespace dictool
