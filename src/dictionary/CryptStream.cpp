#include "dictionary/CryptStream.h"

#include "dictionary/IndexRecord.h"
#include "platform/LzFile.h"

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <system_error>
#include <unistd.h>

namespace dictionary {
namespace {

int PlainFlags(std::int32_t mode) {
    switch (mode & 3) {
    case fmOpenWrite:
        return O_WRONLY;
    case fmOpenReadWrite:
        return O_RDWR;
    default:
        return O_RDONLY;
    }
}

} // namespace

int TCryptStream::OpenOnce(const std::string& fileName) const {
    if (mode_ == 0) {
        return platform::LZOpenFile(fileName);
    }
    const int fd = ::open(fileName.c_str(), PlainFlags(mode_) | O_CLOEXEC);
    return fd < 0 ? -1 : fd;
}

TCryptStream::TCryptStream(const std::string& FileName, bool crypt, std::int32_t mode)
    : mode_(mode) {
    handle_ = OpenOnce(FileName);
    if (handle_ < 0 && errno == ENOENT) {
        // A missing article file is created empty on first use; where it
        // cannot be created (read-only medium) the handle stays -1 quietly.
        const int fd = ::open(FileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            handle_ = OpenOnce(FileName);
        }
    }
    crypt_ = crypt;
}

TCryptStream::~TCryptStream() {
    if (handle_ < 0) {
        return;
    }
    if (mode_ == 0) {
        platform::LZClose(handle_);
    } else {
        ::close(handle_);
    }
}

void TCryptStream::SetSize(std::int32_t NewSize) {
    Seek(NewSize, 0);
    if (mode_ == 0 || handle_ < 0 || ::ftruncate(handle_, NewSize) != 0) {
        throw std::system_error(mode_ == 0 || handle_ < 0 ? EBADF : errno, std::generic_category(),
                                "cannot change the size of the article file");
    }
}

std::int32_t TCryptStream::Read(void* Buffer, std::int32_t Count) {
    std::int32_t read = -1;
    if (handle_ >= 0 && Count > 0) {
        if (mode_ == 0) {
            read = platform::LZRead(handle_, Buffer, Count);
        } else {
            ssize_t n;
            do {
                n = ::read(handle_, Buffer, static_cast<std::size_t>(Count));
            } while (n < 0 && errno == EINTR);
            read = static_cast<std::int32_t>(n);
        }
    }
    if (read < 0) {
        read = 0;
    }
    if (crypt_) {
        UnscrambleInPlace(Buffer, static_cast<std::size_t>(read));
    }
    remaining_ -= read;
    return read;
}

std::int32_t TCryptStream::Write(const void* Buffer, std::int32_t Count) {
    if (mode_ == 0 || handle_ < 0 || Count <= 0 || ::lseek(handle_, 0, SEEK_END) < 0) {
        return 0;
    }
    const auto* p = static_cast<const char*>(Buffer);
    std::int32_t done = 0;
    while (done < Count) {
        const ssize_t n = ::write(handle_, p + done, static_cast<std::size_t>(Count - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return 0;
        }
        done += static_cast<std::int32_t>(n);
    }
    return done;
}

bool TCryptStream::Flush() {
    return mode_ != 0 && handle_ >= 0 && ::fsync(handle_) == 0;
}

std::int32_t TCryptStream::Seek(std::int32_t Offset, std::uint16_t Origin) {
    if (handle_ < 0) {
        return platform::LZERROR_BADINHANDLE;
    }
    if (mode_ == 0) {
        return platform::LZSeek(handle_, Offset, Origin);
    }
    static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (Origin > 2) {
        return platform::LZERROR_BADVALUE;
    }
    const off_t position = ::lseek(handle_, Offset, kWhence[Origin]);
    if (position < 0 || position > std::numeric_limits<std::int32_t>::max()) {
        return platform::LZERROR_BADVALUE;
    }
    return static_cast<std::int32_t>(position);
}

} // namespace dictionary
