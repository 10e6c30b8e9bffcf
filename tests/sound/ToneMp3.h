#pragma once

#include <filesystem>
#include <vector>

namespace soundtest {

// A sine tone of the given length encoded as a 22,050 Hz mono CBR 64 kbit/s
// MP3 with an Info tag, so that decoders trim it to the exact length.
std::vector<unsigned char> EncodeToneMp3(double seconds, double frequency = 440.0);

// 16-bit PCM of the whole file as libmpg123 decodes it by itself.
std::vector<unsigned char> DecodeMp3(const std::filesystem::path& file);

void WriteFile(const std::filesystem::path& file, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadFile(const std::filesystem::path& file);

} // namespace soundtest
