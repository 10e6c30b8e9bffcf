#include "app/ProgressLibrary.h"

#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

namespace app {

progress::TMakeProgressWindow TProgressLibrary::Maker() {
    if (tried_) {
        return maker_;
    }
    tried_ = true;
    // Kept loaded to the end: windows made by it may still be around.
    const platform::LibraryHandle library = platform::LoadLibrary(name_);
    if (library == nullptr) {
        const char* why = dlerror();
        failure_ = why ? why : name_;
        return nullptr;
    }
    maker_ = reinterpret_cast<progress::TMakeProgressWindow>(
        platform::GetProcAddress(library, progress::kMakeProgressWindowEntry));
    if (maker_ == nullptr) {
        failure_ = name_ + " has no entry " + progress::kMakeProgressWindowEntry;
    }
    return maker_;
}

} // namespace app
