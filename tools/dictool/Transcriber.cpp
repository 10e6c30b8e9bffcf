#include "dictool/Transcriber.h"

#include "platform/DynamicLibrary.h"

#include <espeak-ng/speak_lib.h>

#include <mutex>

namespace dictool {
namespace {

class TEngine {
public:
    TEngine() {
        library_ = platform::LoadLibrary("libespeak-ng.so.1");
        available_ =
            library_ != nullptr && Bind(initialize_, "espeak_Initialize") &&
            Bind(setVoice_, "espeak_SetVoiceByName") &&
            Bind(toPhonemes_, "espeak_TextToPhonemes") && Bind(terminate_, "espeak_Terminate") &&
            initialize_(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT) > 0;
        started_ = available_;
        available_ = available_ && setVoice_("en") == EE_OK;
    }
    ~TEngine() {
        if (started_)
            terminate_();
    }
    TEngine(const TEngine&) = delete;
    TEngine& operator=(const TEngine&) = delete;

    std::string Transcribe(const std::string& utf8Word) {
        std::string ipa;
        if (!available_)
            return ipa;
        std::lock_guard lock(mutex_);
        const void* text = utf8Word.c_str();
        while (text != nullptr) {
            const char* phonemes = toPhonemes_(&text, espeakCHARS_UTF8, espeakPHONEMES_IPA);
            if (phonemes == nullptr)
                break;
            if (*phonemes != '\0') {
                ipa += ipa.empty() ? "" : " ";
                ipa += phonemes;
            }
        }
        while (!ipa.empty() && (ipa.back() == ' ' || ipa.back() == '\n'))
            ipa.pop_back();
        return ipa;
    }

private:
    template <typename Function> bool Bind(Function& function, const char* name) {
        function = reinterpret_cast<Function>(platform::GetProcAddress(library_, name));
        return function != nullptr;
    }

    platform::LibraryHandle library_ = nullptr;
    decltype(&espeak_Initialize) initialize_ = nullptr;
    decltype(&espeak_SetVoiceByName) setVoice_ = nullptr;
    decltype(&espeak_TextToPhonemes) toPhonemes_ = nullptr;
    decltype(&espeak_Terminate) terminate_ = nullptr;
    bool started_ = false;
    bool available_ = false;
    std::mutex mutex_;
};

} // namespace

std::string Transcriber::Transcribe(const std::string& utf8Word) {
    // The engine is started only when a word needs it.
    static TEngine engine;
    return engine.Transcribe(utf8Word);
}

} // namespace dictool
