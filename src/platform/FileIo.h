#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct TAtomicWriteOptions {
    // Where the bytes go before the rename; empty: the target's name + ".tmp".
    std::filesystem::path Temporary;
    // Flush the file and its folder entry to the disk. Caches that can be
    // made again skip it: flushing thousands of files costs more than they do.
    bool Durable = true;
};

struct TAtomicWriteResult {
    int Errno = 0;             // 0: the target now holds the bytes
    bool CreateFailed = false; // the temporary file could not even be created
    bool Ok() const { return Errno == 0; }
};

// Replaces the file's contents so that a crash or a full disk at any moment
// leaves either the old contents or the new ones: the bytes go to a temporary
// file beside it, which is renamed over the target. An existing target keeps
// its permission bits. On failure the temporary file is removed and the
// target is untouched.
TAtomicWriteResult WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                       const TAtomicWriteOptions& options = {});

// The whole file with one open; 0 or the errno of the failure (a folder or
// another file that is not a regular one gives EISDIR).
int ReadWholeFile(const std::filesystem::path& path, std::string& bytes);
int ReadWholeFile(const std::filesystem::path& path, std::vector<char>& bytes);

} // namespace platform
