#pragma once

#include <cstdint>

namespace platform {

// Abstract byte stream: the dictionary's article stream and the sound
// components' buffers share this interface.
class TStream {
public:
    virtual ~TStream() = default;
    virtual void SetSize(std::int32_t newSize) = 0;
    virtual std::int32_t Read(void* buffer, std::int32_t count) = 0;
    virtual std::int32_t Write(const void* buffer, std::int32_t count) = 0;
    // Origin 0 counts from the beginning, 1 from the current position, 2 from
    // the end. Returns the new position, negative on failure.
    virtual std::int32_t Seek(std::int32_t offset, std::uint16_t origin) = 0;
};

} // namespace platform
