#include "platform/MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace platform {

void TMemoryStream::SetSize(std::int32_t newSize) {
    Bytes.resize(static_cast<std::size_t>(std::max(newSize, 0)));
    Pos = std::min(Pos, Size());
}

std::int32_t TMemoryStream::Read(void* buffer, std::int32_t count) {
    const std::int32_t available = std::clamp(Size() - Pos, 0, std::max(count, 0));
    if (available > 0)
        std::memcpy(buffer, Bytes.data() + Pos, static_cast<std::size_t>(available));
    Pos += available;
    return available;
}

std::int32_t TMemoryStream::Write(const void* buffer, std::int32_t count) {
    if (count <= 0)
        return 0;
    const auto end = static_cast<std::size_t>(Pos) + static_cast<std::size_t>(count);
    if (end > Bytes.size())
        Bytes.resize(end);
    std::memcpy(Bytes.data() + Pos, buffer, static_cast<std::size_t>(count));
    Pos += count;
    return count;
}

std::int32_t TMemoryStream::Seek(std::int32_t offset, std::uint16_t origin) {
    std::int64_t base = 0;
    if (origin == 1)
        base = Pos;
    else if (origin == 2)
        base = Size();
    else if (origin != 0)
        return -1;
    const std::int64_t target = base + offset;
    if (target < 0)
        return -1;
    // A position past the end is allowed: the next write fills the gap.
    Pos = static_cast<std::int32_t>(target);
    return Pos;
}

void TMemoryStream::Clear() {
    Bytes.clear();
    Pos = 0;
}

} // namespace platform
