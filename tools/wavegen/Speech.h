#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace wavegen {

// The speech engine of this process. libespeak-ng keeps one global engine per
// process, so there is exactly one of these; a forked child inherits it
// initialised and keeps using it on its own.
class Speech {
public:
    static constexpr const char* kVoice = "en";

    // Initialises the engine on first use; throws std::runtime_error when the
    // engine or its English voice cannot be had.
    static Speech& Engine();

    // The text (UTF-8) spoken as 16-bit mono samples at SampleRate(), without
    // the silence before and after it: the engine's pauses depend on what it
    // spoke before, and a word's file must not.
    std::vector<std::int16_t> Speak(std::string_view utf8);

    int SampleRate() const { return sampleRate_; }

    Speech(const Speech&) = delete;
    Speech& operator=(const Speech&) = delete;

private:
    Speech();
    int sampleRate_ = 0;
};

} // namespace wavegen
