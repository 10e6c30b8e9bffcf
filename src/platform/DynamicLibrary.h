#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// Run-time loading of shared libraries under the names the program uses for
// them: "X.dll" stands for the shared object "libX.so".
using LibraryHandle = void*;

// The shared-object name for a library name: backslashes become slashes, the
// folder part is kept, and a file name ending in ".dll" (any case) or without
// an extension becomes "lib" + stem + ".so". Other names are kept as given.
std::string SharedObjectName(std::string_view name);

// Folder of the running program's executable; empty if it cannot be read.
std::filesystem::path ProgramFolder();

// Loads a library. A bare name is looked for in the program's own folder
// first, then in the system's search order; a name with a folder is used as
// given. Returns nullptr on failure.
LibraryHandle LoadLibrary(std::string_view name);

// Address of an exported entry, nullptr when the library lacks it.
void* GetProcAddress(LibraryHandle library, const char* entryName);

// Sets function to the library's entry name, typed as the caller declares
// it; false when the library lacks it.
template <typename Function>
bool BindEntry(LibraryHandle library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(GetProcAddress(library, name));
    return function != nullptr;
}

// Releases a library loaded with LoadLibrary; true on success.
bool FreeLibrary(LibraryHandle library);

} // namespace platform
