#pragma once

#include "platform/FileError.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct TAtomicWriteOptions {
    // Where the bytes go before the rename; empty: a fresh, unique name in the
    // target's folder, so that no file of the user's is ever overwritten.
    std::filesystem::path Temporary;
    // Flush the file and its folder entry to the disk. Caches that can be
    // made again skip it: flushing thousands of files costs more than they do.
    bool Durable = true;
};

// Fine when path names a regular file (symbolic links followed); else the
// errno of looking at it or the code of its kind, as an open of the file.
TFileResult CheckRegularFile(const std::filesystem::path& path);

// Fine when a save may replace the file at path, or create it there; EACCES when
// the file's own permission bits forbid us to write it (read from the bits,
// so that root respects a read-only file too); the code of its kind when it is
// not a regular file. Symbolic links are followed. Failures are writes.
TFileResult CheckReplaceable(const std::filesystem::path& path);

// Replaces the file's contents so that a crash or a full disk at any moment
// leaves either the old contents or the new ones: the bytes go to a temporary
// file beside it, which is renamed over the target. A symbolic link stays a
// link: the file it points to is replaced. An existing target keeps its
// permission bits; a read-only one, or one that is not a regular file, is
// refused (see CheckReplaceable). On failure the temporary file is removed
// and the target is untouched. A failure names the target; it is a creation
// when not even the temporary file could be made, else a write.
TFileResult WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                const TAtomicWriteOptions& options = {});

constexpr std::uintmax_t kNoSizeLimit = std::numeric_limits<std::uintmax_t>::max();

// The whole file with one open, or why not (an open of the file): the errno
// of the failure, the code of its kind for anything but a regular file
// (opening a named pipe never waits for a writer), EFBIG when it holds more
// than maxBytes, ENOMEM when there is no memory for it.
TFileResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes,
                          std::uintmax_t maxBytes = kNoSizeLimit);
TFileResult ReadWholeFile(const std::filesystem::path& path, std::vector<char>& bytes,
                          std::uintmax_t maxBytes = kNoSizeLimit);

// As ReadWholeFile, into a buffer used from one file to the next: its storage
// is kept where the file fits, so reading many files allocates about once.
// Empty after a failure.
TFileResult ReadWholeFileInto(const std::filesystem::path& path, std::vector<char>& buffer,
                              std::uintmax_t maxBytes = kNoSizeLimit);

// At most count bytes from the start of a regular file, or why not, as
// ReadWholeFile. Reading never waits on a named pipe.
TFileResult ReadFileStart(const std::filesystem::path& path, std::size_t count, std::string& bytes);

// Makes the folder and its parents where they are missing, and finds out
// whether files can be made in it. Fine or why not (a creation of the
// folder); an empty path is ENOENT.
TFileResult PrepareWritableFolder(const std::filesystem::path& folder);

// An exclusive advisory lock on a file that saves replace by renaming a new
// file over it. Lock waits for other holders, then makes sure that the locked
// file is still the one at the path (a holder may have replaced it
// meanwhile). The lock lasts until Unlock or destruction; renaming a new file
// over the path while holding it keeps other writers out until then.
class TFileLock {
public:
    TFileLock() = default;
    ~TFileLock();
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

    // Creates the file empty when it does not exist. Fine or why not, as
    // ReadWholeFile. A wait that is not negative bounds the time spent
    // waiting for other holders: EWOULDBLOCK when they hold on longer.
    TFileResult Lock(const std::filesystem::path& path,
                     std::chrono::milliseconds wait = std::chrono::milliseconds(-1));
    void Unlock();
    bool Locked() const { return fd_ >= 0; }

    // The locked file's contents, as ReadWholeFile.
    TFileResult Read(std::string& bytes, std::uintmax_t maxBytes = kNoSizeLimit) const;

private:
    int fd_ = -1;
    std::filesystem::path path_;
};

} // namespace platform
