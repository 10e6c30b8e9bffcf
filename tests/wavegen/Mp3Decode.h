#pragma once

#include <filesystem>
#include <vector>

constexpr long kSampleRate = 22050;

struct Decoded {
    long Rate = 0;
    int Channels = 0;
    std::vector<short> Samples;
};

// Decodes a whole file with libmpg123 and gapless trimming on, as the player
// does; failures are reported to the running test.
Decoded DecodeMp3(const std::filesystem::path& path);
