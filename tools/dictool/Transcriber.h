#pragma once

#include <string>

namespace dictool {

// IPA transcriptions for head-words a source gives none for, from espeak-ng's
// English voice. The engine is one per process: it is loaded and started on
// the first transcription of any Transcriber and stays up until the process
// ends, because espeak-ng cannot be started again once it was stopped.
// espeak-ng is loaded at run time, so that the tool needs neither it nor the
// sound libraries it brings unless a source lacks transcriptions.
class Transcriber {
public:
    Transcriber() = default;
    Transcriber(const Transcriber&) = delete;
    Transcriber& operator=(const Transcriber&) = delete;

    // Empty when espeak-ng cannot be loaded or started.
    std::string Transcribe(const std::string& utf8Word);
};

} // namespace dictool
