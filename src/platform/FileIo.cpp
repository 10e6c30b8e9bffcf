#include "platform/FileIo.h"

#include "platform/RegularFile.h"
#include "platform/TemporaryFiles.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace platform {
namespace {

int WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n == 0 ? ENOSPC : errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// The rename is durable only once the folder's entry is on the disk too.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The file a save writes: symbolic links followed to the file they name,
// which need not exist yet. 0 or ELOOP.
int FollowLinks(std::filesystem::path& path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(path, ec)) {
            return 0;
        }
        const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        if (ec) {
            return ec.value();
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return ELOOP;
}

// Opens a regular file for reading; a named pipe is refused before anything
// waits for its writer. 0 or why not.
int OpenRegular(const std::filesystem::path& path, int& fd, struct stat& st) {
    if (const int failure = OpenRegularFile(path, TOpenPurpose::Reading, fd).Errno();
        failure != 0) {
        return failure;
    }
    if (::fstat(fd, &st) != 0) {
        const int failure = errno;
        ::close(fd);
        fd = -1;
        return failure;
    }
    return 0;
}

// Reads the size the file has into content, whatever it held before; a file
// that grows meanwhile is read on to its end through a small buffer, so the
// usual case copies nothing. After a failure content holds some of the file.
template <typename Bytes>
int FillFromStart(int fd, const struct stat& st, Bytes& content, std::uintmax_t maxBytes) {
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        return EFBIG;
    }
    try {
        content.resize(static_cast<std::size_t>(st.st_size));
        std::size_t done = 0;
        char more[4096];
        for (;;) {
            const bool full = done == content.size();
            char* target = full ? more : content.data() + done;
            const std::size_t room = full ? sizeof more : content.size() - done;
            const ssize_t n = ::pread(fd, target, room, static_cast<off_t>(done));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                return errno;
            }
            if (n == 0) {
                break;
            }
            if (full) {
                if (done + static_cast<std::size_t>(n) > maxBytes) {
                    return EFBIG;
                }
                content.insert(content.end(), more, more + n);
            }
            done += static_cast<std::size_t>(n);
        }
        content.resize(done);
        return 0;
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    } catch (const std::length_error&) {
        return ENOMEM;
    }
}

// As FillFromStart, but bytes are left as they were after a failure.
template <typename Bytes>
int ReadFromStart(int fd, const struct stat& st, Bytes& bytes, std::uintmax_t maxBytes) {
    Bytes content;
    const int failure = FillFromStart(fd, st, content, maxBytes);
    if (failure == 0) {
        bytes = std::move(content);
    }
    return failure;
}

template <typename Bytes>
int ReadAll(const std::filesystem::path& path, Bytes& bytes, std::uintmax_t maxBytes) {
    struct stat st {};
    int fd = -1;
    if (const int failure = OpenRegular(path, fd, st); failure != 0) {
        return failure;
    }
    const int failure = ReadFromStart(fd, st, bytes, maxBytes);
    ::close(fd);
    return failure;
}

// 0 or why a save may not replace the file at path.
int ReplaceableFailure(const std::filesystem::path& path) {
    std::filesystem::path target = path;
    if (const int failure = FollowLinks(target); failure != 0) {
        return failure;
    }
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        return errno == ENOENT ? 0 : errno;
    }
    if (!S_ISREG(st.st_mode)) {
        return FileKindFailure(st.st_mode);
    }
    if (::geteuid() == 0) {
        // Root may write anything; a file without any write bit says it is
        // not to be changed.
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ? EACCES : 0;
    }
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

// 0 or why not; created tells whether the temporary file was made.
int WriteAtomically(const std::filesystem::path& target, std::string_view bytes,
                    const TAtomicWriteOptions& options, bool& created) {
    created = false;
    std::filesystem::path file = target;
    if (const int failure = FollowLinks(file); failure != 0) {
        return failure;
    }
    if (const int failure = ReplaceableFailure(file); failure != 0) {
        created = true;
        return failure;
    }
    mode_t mode = 0666;
    struct stat st {};
    const bool exists = ::stat(file.c_str(), &st) == 0;
    if (exists) {
        mode = st.st_mode & 07777;
    }
    std::filesystem::path temporary = options.Temporary;
    int fd = -1;
    if (temporary.empty()) {
        fd = CreateTemporaryFile(file, mode, temporary);
    } else {
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    }
    if (fd < 0) {
        return errno;
    }
    created = true;
    if (exists) {
        // The new file is the old one to its owner: same bits, same owner.
        ::fchmod(fd, mode);
        if (::geteuid() == 0 && (st.st_uid != 0 || st.st_gid != 0)) {
            [[maybe_unused]] const int ignored = ::fchown(fd, st.st_uid, st.st_gid);
        }
    }
    int failure = WriteAll(fd, bytes);
    if (failure == 0 && options.Durable && ::fsync(fd) != 0) {
        failure = errno;
    }
    if (::close(fd) != 0 && failure == 0) {
        failure = errno;
    }
    if (failure == 0 && ::rename(temporary.c_str(), file.c_str()) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        ::unlink(temporary.c_str());
        return failure;
    }
    if (options.Durable) {
        SyncFolder(file.parent_path());
    }
    return 0;
}

int ReadAllInto(const std::filesystem::path& path, std::vector<char>& buffer,
                std::uintmax_t maxBytes) {
    struct stat st {};
    int fd = -1;
    int failure = OpenRegular(path, fd, st);
    if (failure == 0) {
        failure = FillFromStart(fd, st, buffer, maxBytes);
        ::close(fd);
    }
    if (failure != 0) {
        buffer.clear();
    }
    return failure;
}

int ReadStart(const std::filesystem::path& path, std::size_t count, std::string& bytes) {
    struct stat st {};
    int fd = -1;
    if (const int failure = OpenRegular(path, fd, st); failure != 0) {
        return failure;
    }
    std::string start(count, '\0');
    std::size_t done = 0;
    int failure = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd, start.data() + done, count - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            failure = errno;
            break;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (failure == 0) {
        start.resize(done);
        bytes = std::move(start);
    }
    return failure;
}

// 0 and the locked descriptor in lockedFd, or why not.
// Waits for the lock without end when wait is negative; else polls until the
// wait is over and gives EWOULDBLOCK.
int TakeLock(int fd, std::chrono::milliseconds wait) {
    if (wait.count() < 0) {
        while (::flock(fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                return errno;
            }
        }
        return 0;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return 0;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return errno;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return EWOULDBLOCK;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

int LockFile(const std::filesystem::path& path, std::chrono::milliseconds wait, int& lockedFd) {
    // Each round either locks the file now at the path or finds that a holder
    // replaced it while we waited; a bounded number of rounds guards against
    // a path that keeps changing.
    for (int round = 0; round < 1000; ++round) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
        if (fd < 0) {
            return errno;
        }
        struct stat locked {};
        int failure = 0;
        if (::fstat(fd, &locked) != 0) {
            failure = errno;
        } else if (!S_ISREG(locked.st_mode)) {
            failure = FileKindFailure(locked.st_mode);
        } else {
            failure = TakeLock(fd, wait);
        }
        if (failure != 0) {
            ::close(fd);
            return failure;
        }
        struct stat now {};
        if (::stat(path.c_str(), &now) == 0 && now.st_dev == locked.st_dev &&
            now.st_ino == locked.st_ino) {
            lockedFd = fd;
            return 0;
        }
        ::close(fd);
    }
    return EAGAIN;
}

} // namespace

std::string FileErrorText(int failure) {
    switch (failure) {
    case EISDIR:
        return "It is a folder, not a file";
    case kIsNamedPipe:
        return "It is a named pipe, not a file";
    case kIsDevice:
        return "It is a device, not a file";
    case kIsSocket:
        return "It is a socket, not a file";
    case EFBIG:
        return "It is larger than any file of its kind can be";
    default:
        return std::strerror(failure);
    }
}

TFileResult CheckRegularFile(const std::filesystem::path& path) {
    struct stat st {};
    const int failure = ::stat(path.c_str(), &st) != 0
                            ? errno
                            : (S_ISREG(st.st_mode) ? 0 : FileKindFailure(st.st_mode));
    return TFileResult::FromErrno(path, TFileOperation::Open, failure);
}

TFileResult CheckReplaceable(const std::filesystem::path& path) {
    return TFileResult::FromErrno(path, TFileOperation::Write, ReplaceableFailure(path));
}

TFileResult WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                const TAtomicWriteOptions& options) {
    bool created = false;
    const int failure = WriteAtomically(target, bytes, options, created);
    return TFileResult::FromErrno(target, created ? TFileOperation::Write : TFileOperation::Create,
                                  failure);
}

TFileResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes,
                          std::uintmax_t maxBytes) {
    return TFileResult::FromErrno(path, TFileOperation::Open, ReadAll(path, bytes, maxBytes));
}

TFileResult ReadWholeFile(const std::filesystem::path& path, std::vector<char>& bytes,
                          std::uintmax_t maxBytes) {
    return TFileResult::FromErrno(path, TFileOperation::Open, ReadAll(path, bytes, maxBytes));
}

TFileResult ReadWholeFileInto(const std::filesystem::path& path, std::vector<char>& buffer,
                              std::uintmax_t maxBytes) {
    return TFileResult::FromErrno(path, TFileOperation::Open, ReadAllInto(path, buffer, maxBytes));
}

TFileResult ReadFileStart(const std::filesystem::path& path, std::size_t count,
                          std::string& bytes) {
    return TFileResult::FromErrno(path, TFileOperation::Open, ReadStart(path, count, bytes));
}

TFileResult PrepareWritableFolder(const std::filesystem::path& folder) {
    if (folder.empty()) {
        return TFileResult::FromErrno(folder, TFileOperation::Create, ENOENT);
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        return TFileResult::FromErrno(folder, TFileOperation::Create, ec.value());
    }
    if (!std::filesystem::is_directory(folder, ec)) {
        return TFileResult::FromErrno(folder, TFileOperation::Create, ENOTDIR);
    }
    // A file without a name, gone when closed: it proves that the folder
    // takes files and leaves nothing behind.
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return {};
    }
    const int failure = errno;
    // File systems without nameless files say nothing about permission.
    if (failure == EOPNOTSUPP || failure == EISDIR || failure == EINVAL) {
        return {};
    }
    return TFileResult::FromErrno(folder, TFileOperation::Create, failure);
}

TFileLock::~TFileLock() {
    Unlock();
}

TFileResult TFileLock::Lock(const std::filesystem::path& path, std::chrono::milliseconds wait) {
    Unlock();
    const int failure = LockFile(path, wait, fd_);
    if (failure == 0) {
        path_ = path;
    }
    return TFileResult::FromErrno(path, TFileOperation::Open, failure);
}

void TFileLock::Unlock() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

TFileResult TFileLock::Read(std::string& bytes, std::uintmax_t maxBytes) const {
    struct stat st {};
    int failure = 0;
    if (fd_ < 0) {
        failure = EBADF;
    } else if (::fstat(fd_, &st) != 0) {
        failure = errno;
    } else {
        failure = ReadFromStart(fd_, st, bytes, maxBytes);
    }
    return TFileResult::FromErrno(path_, TFileOperation::Open, failure);
}

} // namespace platform
