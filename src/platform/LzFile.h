#pragma once

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

// Opens the file read-only; -1 when it cannot be opened or its compressed
// header is damaged. errno tells why a plain open failed.
int LZOpenFile(const std::string& path);

// Reads up to count bytes at the current position; the number read (0 at the
// end), or a negative error.
int LZRead(int handle, void* buffer, int count);

// Moves the position (origin 0: from the start, 1: from the current position,
// 2: from the end); the new position, or a negative error with the position
// unchanged.
std::int32_t LZSeek(int handle, std::int32_t offset, int origin);

void LZClose(int handle);

} // namespace platform
