#pragma once

#include "platform/FileIo.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace studylist {

// Why a file operation failed, in the words of the system's standard message:
// what was done to which file, and the system's reason.
struct TFileError {
    TFileError() = default;
    TFileError(std::filesystem::path file, std::string action, int errnoValue,
               std::string reason = {})
        : File(std::move(file)), Action(std::move(action)), Errno(errnoValue),
          Reason(std::move(reason)) {}

    std::filesystem::path File;
    std::string Action; // "create", "open", "write", "update"
    int Errno = 0;
    std::string Reason; // said instead of the system's text when Errno is 0

    std::string Message() const;
};

// Replaces the file's contents with bytes so that a crash or a full disk at
// any moment leaves either the old contents or the new ones: the bytes go to a
// fresh temporary file beside it, are flushed to the disk, and the temporary
// file is renamed over the target. A symbolic link is written through to its
// file. An existing target keeps its permission bits; a read-only one is
// refused. On failure the temporary file is removed and the target is
// untouched.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         TFileError& error);

// The whole file; false (with the reason) when it cannot be opened or read,
// is no regular file or holds more than maxBytes.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes, TFileError& error,
                   std::uintmax_t maxBytes = platform::kNoSizeLimit);

} // namespace studylist
