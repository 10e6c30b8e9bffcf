#pragma once

#include "progress/ProgressLibrary.h"

#include <string>

namespace app {

// The progress window's library, loaded at the first window and kept.
class TProgressLibrary {
public:
    // A bare name is looked for beside the program, then in its run path.
    explicit TProgressLibrary(std::string name = progress::kProgressLibrary)
        : name_(std::move(name)) {}

    // The window maker; nullptr when the library cannot be loaded (Failure
    // says why, in the system's words).
    progress::TMakeProgressWindow Maker();
    const std::string& Failure() const { return failure_; }

private:
    std::string name_;
    bool tried_ = false;
    progress::TMakeProgressWindow maker_ = nullptr;
    std::string failure_;
};

} // namespace app
