#include "platform/FileIo.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
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

template <typename Bytes> int ReadAll(const std::filesystem::path& path, Bytes& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    struct stat st {};
    int failure = 0;
    if (::fstat(fd, &st) != 0) {
        failure = errno;
    } else if (!S_ISREG(st.st_mode)) {
        failure = EISDIR;
    } else {
        // Reads the size the file has; a file that grows meanwhile is read on
        // to its end through a small buffer, so the usual case copies nothing.
        Bytes content(static_cast<std::size_t>(st.st_size), '\0');
        std::size_t done = 0;
        char more[4096];
        for (;;) {
            const bool full = done == content.size();
            char* target = full ? more : content.data() + done;
            const std::size_t room = full ? sizeof more : content.size() - done;
            const ssize_t n = ::read(fd, target, room);
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
            if (full) {
                content.insert(content.end(), more, more + n);
            }
            done += static_cast<std::size_t>(n);
        }
        content.resize(done);
        if (failure == 0) {
            bytes = std::move(content);
        }
    }
    ::close(fd);
    return failure;
}

} // namespace

TAtomicWriteResult WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                       const TAtomicWriteOptions& options) {
    std::filesystem::path temporary = options.Temporary;
    if (temporary.empty()) {
        temporary = target;
        temporary += ".tmp";
    }
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    }
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) {
        return {errno, true};
    }
    int failure = WriteAll(fd, bytes);
    if (failure == 0 && options.Durable && ::fsync(fd) != 0) {
        failure = errno;
    }
    if (::close(fd) != 0 && failure == 0) {
        failure = errno;
    }
    if (failure == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        ::unlink(temporary.c_str());
        return {failure, false};
    }
    if (options.Durable) {
        SyncFolder(target.parent_path());
    }
    return {};
}

int ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
    return ReadAll(path, bytes);
}

int ReadWholeFile(const std::filesystem::path& path, std::vector<char>& bytes) {
    return ReadAll(path, bytes);
}

} // namespace platform
