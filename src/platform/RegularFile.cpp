#include "platform/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int FileKindFailure(mode_t mode) {
    if (S_ISDIR(mode)) {
        return EISDIR;
    }
    if (S_ISFIFO(mode)) {
        return kIsNamedPipe;
    }
    if (S_ISSOCK(mode)) {
        return kIsSocket;
    }
    return kIsDevice;
}

namespace {

int OpenChecked(const std::filesystem::path& path, TOpenPurpose purpose, int& fd) {
    // O_NONBLOCK makes the open of a named pipe return at once; it is taken
    // away again once the file is known to be regular. Emptying waits for
    // that check too, so nothing else is ever truncated.
    const int flags = purpose == TOpenPurpose::Reading ? O_RDONLY : O_RDWR | O_CREAT;
    fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        return errno;
    }
    struct stat st {};
    int failure = 0;
    if (::fstat(fd, &st) != 0) {
        failure = errno;
    } else if (!S_ISREG(st.st_mode)) {
        failure = FileKindFailure(st.st_mode);
    } else if (const int status = ::fcntl(fd, F_GETFL);
               status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        failure = errno;
    } else if (purpose == TOpenPurpose::ReadingAndWriting && ::ftruncate(fd, 0) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        ::close(fd);
        fd = -1;
    }
    return failure;
}

} // namespace

TFileResult OpenRegularFile(const std::filesystem::path& path, TOpenPurpose purpose, int& fd) {
    return TFileResult::FromErrno(
        path, purpose == TOpenPurpose::Reading ? TFileOperation::Open : TFileOperation::Create,
        OpenChecked(path, purpose, fd));
}

} // namespace platform
