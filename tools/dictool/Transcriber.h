#pragma once

#include <string>

namespace dictool {

// IPA transcriptions for head-words a source gives none for, from espeak-ng's
// English voice. The engine is started on first use and serves every
// transcriber of the process until it ends: the library holds one engine per
// process, and starting it again after it was stopped hangs.
class Transcriber {
public:
    // Empty when espeak-ng cannot be started.
    std::string Transcribe(const std::string& utf8Word);
};

} // namespace dictool
