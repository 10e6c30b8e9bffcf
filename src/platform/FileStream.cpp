#include "platform/FileStream.h"

#include "platform/RegularFile.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

TFileStream::TFileStream(const std::string& fileName) : Name(fileName) {
    // A named pipe at the file's place would hold the first write or read
    // until someone else opens it: refused before it can.
    int fd = -1;
    LastError = OpenRegularFile(fileName, TOpenPurpose::ReadingAndWriting, fd).Errno();
    if (LastError != 0)
        return;
    File = ::fdopen(fd, "w+b");
    if (File == nullptr) {
        LastError = errno;
        ::close(fd);
    }
}

TFileResult TFileStream::Result() const {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(Name, ec);
    return TFileResult::FromErrno(ec ? std::filesystem::path(Name) : absolute,
                                  Valid() ? TFileOperation::Write : TFileOperation::Create,
                                  LastError);
}

TFileStream::~TFileStream() {
    if (File != nullptr)
        std::fclose(File);
}

void TFileStream::SetSize(std::int32_t newSize) {
    if (File == nullptr || newSize < 0)
        return;
    std::fflush(File);
    if (ftruncate(fileno(File), newSize) == 0 && std::ftell(File) > newSize)
        std::fseek(File, newSize, SEEK_SET);
}

std::int32_t TFileStream::Read(void* buffer, std::int32_t count) {
    if (File == nullptr || count <= 0)
        return 0;
    // Switching from writing to reading needs a positioning call in between.
    std::fseek(File, 0, SEEK_CUR);
    return static_cast<std::int32_t>(std::fread(buffer, 1, static_cast<std::size_t>(count), File));
}

std::int32_t TFileStream::Write(const void* buffer, std::int32_t count) {
    if (File == nullptr || count <= 0)
        return 0;
    std::fseek(File, 0, SEEK_CUR);
    const std::size_t written = std::fwrite(buffer, 1, static_cast<std::size_t>(count), File);
    if (written < static_cast<std::size_t>(count))
        LastError = errno;
    return static_cast<std::int32_t>(written);
}

std::int32_t TFileStream::Seek(std::int32_t offset, std::uint16_t origin) {
    if (File == nullptr || origin > 2)
        return -1;
    const int whence = origin == 0 ? SEEK_SET : origin == 1 ? SEEK_CUR : SEEK_END;
    // Positioning writes out what is buffered, and so may fail like a write.
    if (std::fseek(File, offset, whence) != 0) {
        LastError = errno;
        return -1;
    }
    return static_cast<std::int32_t>(std::ftell(File));
}

} // namespace platform
