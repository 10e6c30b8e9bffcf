#include "exercises/WaveFile.h"

#include <cstddef>

namespace exercises {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kPcmFormatSize = 16;

std::uint16_t Read16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                      static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

std::uint32_t Read32(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(Read16(bytes, at)) |
           static_cast<std::uint32_t>(Read16(bytes, at + 2)) << 16;
}

bool Playable(const TWaveData& wave) {
    return (wave.Channels == 1 || wave.Channels == 2) &&
           (wave.BitsPerSample == 8 || wave.BitsPerSample == 16) && wave.SampleRate >= 1000 &&
           wave.SampleRate <= 192000 && wave.BlockAlign == wave.Channels * wave.BitsPerSample / 8;
}

} // namespace

std::uint32_t TWaveData::FrameCount() const {
    return BlockAlign == 0 ? 0 : static_cast<std::uint32_t>(Samples.size() / BlockAlign);
}

std::uint32_t TWaveData::DurationMs() const {
    return SampleRate == 0 ? 0
                           : static_cast<std::uint32_t>(static_cast<std::uint64_t>(FrameCount()) *
                                                        1000 / SampleRate);
}

std::optional<TWaveData> ParseWave(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        return std::nullopt;
    }
    // The RIFF size may be wrong in files cut short or padded; the chunks
    // themselves are checked against what is really there.
    TWaveData wave;
    bool haveFormat = false;
    std::size_t at = 12;
    while (bytes.size() - at >= kChunkHeader) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint32_t size = Read32(bytes, at + 4);
        const std::size_t body = at + kChunkHeader;
        const std::size_t available = bytes.size() - body;
        if (id == "fmt ") {
            if (size < kPcmFormatSize || size > available) {
                return std::nullopt;
            }
            if (Read16(bytes, body) != kFormatPcm) {
                return std::nullopt;
            }
            wave.Channels = Read16(bytes, body + 2);
            wave.SampleRate = Read32(bytes, body + 4);
            wave.BlockAlign = Read16(bytes, body + 12);
            wave.BitsPerSample = Read16(bytes, body + 14);
            if (!Playable(wave)) {
                return std::nullopt;
            }
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) {
                return std::nullopt;
            }
            const std::size_t length = size < available ? size : available;
            wave.Samples = bytes.substr(body, length - length % wave.BlockAlign);
            return wave;
        }
        if (size > available) {
            return std::nullopt;
        }
        // Chunks are padded to an even length.
        const std::size_t next = body + size + (size & 1U);
        if (next <= at || next > bytes.size()) {
            return std::nullopt;
        }
        at = next;
    }
    return std::nullopt;
}

} // namespace exercises
