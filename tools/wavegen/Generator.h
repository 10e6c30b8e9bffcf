#pragma once

#include "wavegen/Progress.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace wavegen {

struct Options {
    std::filesystem::path DictDir;
    std::filesystem::path WaveDir; // empty: DictDir / "wave"
    int Jobs = 0;                  // worker processes; 0: one per CPU
};

struct Summary {
    std::size_t Words = 0;    // English base records
    std::size_t Written = 0;  // files made in this run
    std::size_t UpToDate = 0; // files left as they were
    std::size_t Removed = 0;  // stale files deleted
    std::size_t Failed = 0;   // files that could not be made
    // What went wrong, one message each: failed files (the first few) and
    // letters left alone because their index could not be read.
    std::vector<std::string> Errors;

    bool Ok() const { return Failed == 0 && Errors.empty(); }
};

// The folder of a letter's files: WaveDir / "a" .. "z".
std::filesystem::path LetterFolder(const std::filesystem::path& waveDir, int tab);

// Speaks every English base head-word of the dictionary below DictDir into
// WaveDir/<letter key>/<sound number>.mp3, remaking only missing or changed
// files, in Jobs worker processes. Throws std::runtime_error when nothing can
// be done: no dictionary, an output folder that cannot be made or written,
// no speech engine.
Summary Generate(const Options& options, Progress& progress);

} // namespace wavegen
