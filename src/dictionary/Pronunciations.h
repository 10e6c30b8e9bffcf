#pragma once

#include <filesystem>
#include <string>

namespace dictionary {

// A head-word's pronunciation below the data folder: the letter's own
// folder first ("wave/h/12.mp3"), because sound numbers restart for every
// letter and a shared folder would give the first words of A and B the same
// file; then the shared folder ("wave/12.mp3") that older data uses. Empty
// for a letter without pronunciations or a record without a number. The
// shared folder's name is given whether it exists or not: the caller looks.
std::filesystem::path PronunciationFile(const std::filesystem::path& dataDir, int tab,
                                        const std::string& soundNumber);

} // namespace dictionary
