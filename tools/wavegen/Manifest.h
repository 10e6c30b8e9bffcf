#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wavegen {

// One English base record of a letter: the file "<Number>.mp3" it owns and
// the head-word (UTF-8) spoken into it.
struct Entry {
    std::uint32_t Number = 0;
    std::string HeadWord;
};

// What a letter folder's files were made from. The signature names the voice
// and encoder settings, so that changing them remakes every file.
struct Manifest {
    std::string Signature;
    std::map<std::uint32_t, std::string> HeadWords;
};

constexpr const char* kManifestName = "manifest.txt";

// The settings every file is made with, as written in the manifest.
std::string CurrentSignature();

// "number<TAB>head-word" lines after a "# signature" line; tab, line ends
// and backslash inside a head-word are escaped so that every head-word fits
// on its line.
std::string FormatManifest(std::string_view signature, const std::vector<Entry>& entries);
// Lines that do not parse are left out: their files are made again.
Manifest ParseManifest(std::string_view text);
// Nothing when the file does not exist or cannot be read.
std::optional<std::string> ReadFileText(const std::filesystem::path& path);
std::optional<Manifest> ReadManifest(const std::filesystem::path& path);

// "<number>.mp3"; 0 for any other name (including "007.mp3").
std::uint32_t NumberOfFileName(std::string_view name);
std::string FileNameOfNumber(std::uint32_t number);

// A name used while a file is being written; an interrupted run leaves only
// such names behind, and the next run removes them.
std::filesystem::path TemporaryPath(const std::filesystem::path& target);
bool IsTemporaryName(std::string_view name);

// Writes under a temporary name in the same folder, then renames it over the
// target, so that the target is either the old or the whole new content.
// Throws std::runtime_error naming the file.
void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// The work for one letter folder.
struct LetterPlan {
    std::vector<std::size_t> Jobs;            // positions in the entries whose files must be made
    std::vector<std::filesystem::path> Stale; // numbered files beyond the count, leftovers
    std::size_t UpToDate = 0;
};

// A file is up to date when it exists, is not empty and the manifest (made
// with the current signature) names the same head-word for its number.
LetterPlan PlanLetter(const std::filesystem::path& folder, const std::vector<Entry>& entries,
                      const std::optional<Manifest>& manifest, std::string_view signature);

} // namespace wavegen
