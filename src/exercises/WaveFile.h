#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A RIFF wave file as the verdict sounds come: uncompressed PCM, 8 or 16 bits,
// mono or stereo.
namespace exercises {

struct TWaveData {
    std::uint16_t Channels = 0;
    std::uint32_t SampleRate = 0;
    std::uint16_t BitsPerSample = 0;
    // Bytes of one sample frame (all channels).
    std::uint16_t BlockAlign = 0;
    // The sample frames, a view into the bytes given to ParseWave, cut to
    // whole frames.
    std::string_view Samples;

    std::uint32_t FrameCount() const;
    // Whole milliseconds the samples last.
    std::uint32_t DurationMs() const;
};

// Nothing for anything but a playable PCM wave. Chunk sizes are checked
// against the bytes at hand: a data chunk that claims more than the file
// holds is cut to what is there; a format chunk that does not fit, or none
// before the data, rejects the file. Unknown chunks are skipped.
std::optional<TWaveData> ParseWave(std::string_view bytes);

} // namespace exercises
