#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reader for article files that may be stored LZ-compressed ("SZDD" format, as
// made by the classic compress tool). A compressed file is delivered as its
// expanded bytes, any other file unchanged. Handles are small non-negative
// integers; failures are negative.
namespace platform {

constexpr int LZERROR_BADINHANDLE = -1;
constexpr int LZERROR_READ = -4;
constexpr int LZERROR_BADVALUE = -7;

// A compressed file is read whole and expanded in memory, so files beyond
// these sizes are refused (errno EFBIG): no article file comes near them.
constexpr std::int64_t kMaxCompressedFileBytes = 64 << 20;
constexpr std::int64_t kMaxExpandedFileBytes = 256 << 20;

// Opens the file read-only; -1 when it cannot be opened, is no regular file,
// is too large, or its compressed header is damaged; errno tells why. A
// compressed file is expanded once and kept for later opens until it changes.
int LZOpenFile(const std::string& path);

// Reads up to count bytes at the current position; the number read (0 at the
// end), or a negative error.
int LZRead(int handle, void* buffer, int count);

// Moves the position (origin 0: from the start, 1: from the current position,
// 2: from the end); the new position, or a negative error with the position
// unchanged.
std::int32_t LZSeek(int handle, std::int32_t offset, int origin);

void LZClose(int handle);

// The expanded files kept for reuse. They are dropped least recently used
// first when their bytes exceed the budget; an open handle keeps its own
// file's bytes until it is closed.
struct TLzCacheUsage {
    std::size_t Files = 0;
    std::size_t Bytes = 0;
};
TLzCacheUsage LZCacheUsage();

constexpr std::size_t kDefaultLzCacheBudget = 128 << 20;
void LZSetCacheBudget(std::size_t bytes);

} // namespace platform
