#pragma once

#include <string>

namespace dictool {

// IPA transcriptions for head-words a source gives none for, from espeak-ng's
// English voice. The engine is started on first use, once per process: the
// library hangs when it is terminated a second time after starting again.
class Transcriber {
public:
    Transcriber() = default;
    Transcriber(const Transcriber&) = delete;
    Transcriber& operator=(const Transcriber&) = delete;

    // Empty when espeak-ng cannot be started.
    std::string Transcribe(const std::string& utf8Word);
};

} // namespace dictool
