#include "export/ZipLibrary.h"

#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

namespace exporting {

namespace {

// The library's name with the interface version these entries were written
// for; the package depends on it by name.
constexpr const char* kLibrary = "libzip.so.4";

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
        zip.Loaded =
            platform::BindEntry(library, "zip_open", zip.Open) &&
            platform::BindEntry(library, "zip_discard", zip.Discard) &&
            platform::BindEntry(library, "zip_close", zip.Close) &&
            platform::BindEntry(library, "zip_source_buffer", zip.SourceBuffer) &&
            platform::BindEntry(library, "zip_source_free", zip.SourceFree) &&
            platform::BindEntry(library, "zip_file_add", zip.FileAdd) &&
            platform::BindEntry(library, "zip_set_file_compression", zip.SetFileCompression) &&
            platform::BindEntry(library, "zip_strerror", zip.StrError) &&
            platform::BindEntry(library, "zip_error_init_with_code", zip.ErrorInitWithCode) &&
            platform::BindEntry(library, "zip_error_strerror", zip.ErrorStrError) &&
            platform::BindEntry(library, "zip_error_fini", zip.ErrorFini);
        if (!zip.Loaded) {
            zip.Failure = std::string(kLibrary) + " lacks an entry the export needs";
        }
        return zip;
    }();
    return table;
}

} // namespace exporting
