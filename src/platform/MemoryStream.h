#pragma once

#include "platform/Stream.h"

#include <cstdint>
#include <vector>

namespace platform {

// A growable byte stream held in memory; writing past the end extends it.
class TMemoryStream : public TStream {
public:
    void SetSize(std::int32_t newSize) override;
    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    std::int32_t Seek(std::int32_t offset, std::uint16_t origin) override;

    std::int32_t Size() const { return static_cast<std::int32_t>(Bytes.size()); }
    std::int32_t Position() const { return Pos; }
    const std::uint8_t* Memory() const { return Bytes.data(); }
    void Clear();

private:
    std::vector<std::uint8_t> Bytes;
    std::int32_t Pos = 0;
};

} // namespace platform
