#include "export/ZipLibrary.h"

#include <dlfcn.h>

namespace exporting {

namespace {

// The library's name with the interface version these entries were written
// for; the package depends on it by name.
constexpr const char* kLibrary = "libzip.so.4";

template <typename Function> bool Bind(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

} // namespace

const TZipLibrary& ZipLibrary() {
    static const TZipLibrary table = [] {
        TZipLibrary zip;
        void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            const char* why = dlerror();
            zip.Failure = why ? why : kLibrary;
            return zip;
        }
        zip.Loaded = Bind(library, "zip_open", zip.Open) &&
                     Bind(library, "zip_discard", zip.Discard) &&
                     Bind(library, "zip_close", zip.Close) &&
                     Bind(library, "zip_source_buffer", zip.SourceBuffer) &&
                     Bind(library, "zip_source_free", zip.SourceFree) &&
                     Bind(library, "zip_file_add", zip.FileAdd) &&
                     Bind(library, "zip_set_file_compression", zip.SetFileCompression) &&
                     Bind(library, "zip_strerror", zip.StrError) &&
                     Bind(library, "zip_error_init_with_code", zip.ErrorInitWithCode) &&
                     Bind(library, "zip_error_strerror", zip.ErrorStrError) &&
                     Bind(library, "zip_error_fini", zip.ErrorFini);
        if (!zip.Loaded) {
            zip.Failure = std::string(kLibrary) + " lacks an entry the export needs";
        }
        return zip;
    }();
    return table;
}

} // namespace exporting
