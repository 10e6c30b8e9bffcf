// The verdict sounds' wave reader: any bytes give a playable wave whose
// samples lie inside the input, or nothing.
#include "exercises/WaveFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto wave = exercises::ParseWave(bytes);
    if (!wave) {
        return 0;
    }
    const bool inside = wave->Samples.data() >= bytes.data() &&
                        wave->Samples.data() + wave->Samples.size() <= bytes.data() + bytes.size();
    const bool whole = wave->BlockAlign != 0 && wave->Samples.size() % wave->BlockAlign == 0;
    const bool playable = (wave->Channels == 1 || wave->Channels == 2) &&
                          (wave->BitsPerSample == 8 || wave->BitsPerSample == 16) &&
                          wave->SampleRate > 0;
    if (!inside || !whole || !playable) {
        std::abort();
    }
    return static_cast<int>(wave->DurationMs() & 0);
}
