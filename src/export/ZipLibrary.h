#pragma once

#include <zip.h>

#include <string>

namespace exporting {

// libzip's entries the package writer uses, loaded at the first export: the
// library and the cryptography library it brings cost well over a megabyte
// of memory in a program that mostly never exports.
struct TZipLibrary {
    decltype(&zip_open) Open = nullptr;
    decltype(&zip_discard) Discard = nullptr;
    decltype(&zip_close) Close = nullptr;
    decltype(&zip_source_buffer) SourceBuffer = nullptr;
    decltype(&zip_source_free) SourceFree = nullptr;
    decltype(&zip_file_add) FileAdd = nullptr;
    decltype(&zip_set_file_compression) SetFileCompression = nullptr;
    decltype(&zip_strerror) StrError = nullptr;
    decltype(&zip_error_init_with_code) ErrorInitWithCode = nullptr;
    decltype(&zip_error_strerror) ErrorStrError = nullptr;
    decltype(&zip_error_fini) ErrorFini = nullptr;
    bool Loaded = false;
    std::string Failure; // why it could not be loaded
};

// Loaded on the first call, from any thread.
const TZipLibrary& ZipLibrary();

} // namespace exporting
