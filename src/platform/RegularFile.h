#pragma once

#include "platform/FileError.h"

#include <filesystem>
#include <sys/types.h>

// The one way the program opens a file whose contents it reads: a named pipe,
// a device or a socket at a data file's place must be refused at once, not
// wait on the interface thread for a writer that never comes.
namespace platform {

enum class TOpenPurpose {
    // An existing file, read only.
    Reading,
    // Reading and writing a file of our own: made when missing, emptied when
    // it exists.
    ReadingAndWriting,
};

// Opens path (symbolic links followed) only when it is a regular file, and
// gives its descriptor in fd (-1 after a failure): close-on-exec and, once
// checked, blocking as usual. The open never waits: anything that is not a
// regular file is refused with the code of its kind. Failures are opens, or
// creations when the file was to be made.
TFileResult OpenRegularFile(const std::filesystem::path& path, TOpenPurpose purpose, int& fd);

// The code of FileError.h for a file of this mode that is not a regular file
// (EISDIR for a folder).
int FileKindFailure(mode_t mode);

} // namespace platform
