#include "dictool/Transcriber.h"

#include <espeak-ng/speak_lib.h>

namespace dictool {

std::string Transcriber::Transcribe(const std::string& utf8Word) {
    static const bool available =
        espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT) > 0 &&
        espeak_SetVoiceByName("en") == EE_OK;
    if (!available) {
        return {};
    }
    std::string ipa;
    const void* text = utf8Word.c_str();
    while (text != nullptr) {
        const char* phonemes = espeak_TextToPhonemes(&text, espeakCHARS_UTF8, espeakPHONEMES_IPA);
        if (phonemes == nullptr) {
            break;
        }
        if (*phonemes != '\0') {
            ipa += ipa.empty() ? "" : " ";
            ipa += phonemes;
        }
    }
    while (!ipa.empty() && (ipa.back() == ' ' || ipa.back() == '\n')) {
        ipa.pop_back();
    }
    return ipa;
}

} // namespace dictool
