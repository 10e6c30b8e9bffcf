#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace wavegen {

constexpr int kBitRate = 64; // kb/s, constant

// Encodes mono 16-bit samples as a complete MP3 file: constant bit rate, at
// the samples' own rate, opened by a LAME/Info tag frame that records the
// encoder delay and padding so that decoders can trim them. Throws
// std::runtime_error when the encoder refuses the settings.
std::vector<unsigned char> EncodeMp3(std::span<const std::int16_t> samples, int sampleRate);

} // namespace wavegen
