#include "platform/DynamicLibrary.h"

#include "platform/Cp1251.h"

#include <dlfcn.h>

#include <algorithm>
#include <system_error>

namespace platform {

namespace {

bool EndsWithDll(std::string_view fileName) {
    constexpr std::string_view dll = ".dll";
    return fileName.size() > dll.size() && EndsWithAsciiNoCase(fileName, dll);
}

} // namespace

std::string SharedObjectName(std::string_view name) {
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    const size_t slash = path.rfind('/');
    const size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string_view fileName = std::string_view(path).substr(fileStart);
    if (fileName.empty())
        return path;
    std::string stem;
    if (EndsWithDll(fileName))
        stem = fileName.substr(0, fileName.size() - 4);
    else if (fileName.find('.') == std::string_view::npos)
        stem = fileName;
    else
        return path;
    return path.substr(0, fileStart) + "lib" + stem + ".so";
}

std::filesystem::path ProgramFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe.parent_path();
}

LibraryHandle LoadLibrary(std::string_view name) {
    const std::string soName = SharedObjectName(name);
    if (soName.empty())
        return nullptr;
    if (soName.find('/') == std::string::npos) {
        const std::filesystem::path folder = ProgramFolder();
        std::error_code error;
        if (!folder.empty() && std::filesystem::exists(folder / soName, error)) {
            if (LibraryHandle library = dlopen((folder / soName).c_str(), RTLD_NOW | RTLD_LOCAL))
                return library;
        }
    }
    return dlopen(soName.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* GetProcAddress(LibraryHandle library, const char* entryName) {
    if (library == nullptr || entryName == nullptr)
        return nullptr;
    return dlsym(library, entryName);
}

bool FreeLibrary(LibraryHandle library) {
    return library != nullptr && dlclose(library) == 0;
}

} // namespace platform
