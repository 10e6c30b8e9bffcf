#pragma once

#include "platform/FileError.h"
#include "platform/Stream.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

// A stream over a file that is created (emptied if it exists) for reading and
// writing. Valid() tells whether the file could be created; anything but a
// regular file at its place is refused (see OpenRegularFile).
class TFileStream : public TStream {
public:
    explicit TFileStream(const std::string& fileName);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    bool Valid() const { return File != nullptr; }
    // Fine, or the failed creation, or the last write or positioning that
    // failed.
    TFileResult Result() const;
    void SetSize(std::int32_t newSize) override;
    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    std::int32_t Seek(std::int32_t offset, std::uint16_t origin) override;

private:
    std::string Name;
    std::FILE* File = nullptr;
    int LastError = 0;
};

} // namespace platform
