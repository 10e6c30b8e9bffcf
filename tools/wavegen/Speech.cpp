#include "wavegen/Speech.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace wavegen {

namespace {

int CollectSamples(short* wav, int count, espeak_EVENT* events) {
    if (wav != nullptr && count > 0 && events != nullptr && events->user_data != nullptr) {
        auto* samples = static_cast<std::vector<std::int16_t>*>(events->user_data);
        samples->insert(samples->end(), wav, wav + count);
    }
    return 0;
}

} // namespace

Speech& Speech::Engine() {
    static Speech engine;
    return engine;
}

Speech::Speech() {
    // espeakINITIALIZE_DONT_EXIT: a missing data folder must come back as an
    // error rather than end the process.
    sampleRate_ =
        espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (sampleRate_ <= 0) {
        throw std::runtime_error("cannot initialise the espeak-ng speech engine");
    }
    espeak_SetSynthCallback(CollectSamples);
    if (espeak_SetVoiceByName(kVoice) != EE_OK) {
        throw std::runtime_error(std::string("espeak-ng has no voice '") + kVoice + "'");
    }
}

std::vector<std::int16_t> Speech::Speak(std::string_view utf8) {
    std::vector<std::int16_t> samples;
    const std::string text(utf8);
    const espeak_ERROR result = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8, nullptr, &samples);
    if (result != EE_OK) {
        throw std::runtime_error("espeak-ng could not speak '" + text + "'");
    }
    const auto sound = [](std::int16_t sample) { return sample != 0; };
    const auto last = std::find_if(samples.rbegin(), samples.rend(), sound).base();
    samples.erase(last, samples.end());
    samples.erase(samples.begin(), std::find_if(samples.begin(), samples.end(), sound));
    return samples;
}

} // namespace wavegen
