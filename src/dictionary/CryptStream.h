#pragma once

#include "platform/Stream.h"

#include <cstdint>
#include <string>

namespace dictionary {

// Access modes for a plain-file stream (Mode > 0). Mode 0 opens the file
// read-only through the LZ reader.
constexpr std::int32_t fmOpenRead = 0;
constexpr std::int32_t fmOpenWrite = 1;
constexpr std::int32_t fmOpenReadWrite = 2;
constexpr std::int32_t fmShareDenyWrite = 0x20;

// The stream through which every article is read. A missing file is created
// empty on open; base articles are unscrambled in place as they are read.
// Each stream serves one article and is destroyed by whoever created it.
class TCryptStream : public platform::TStream {
public:
    TCryptStream(const std::string& FileName, bool Crypt, std::int32_t Mode);
    ~TCryptStream() override;
    TCryptStream(const TCryptStream&) = delete;
    TCryptStream& operator=(const TCryptStream&) = delete;

    // Seeks to NewSize and truncates there; throws std::system_error when the
    // truncation fails.
    void SetSize(std::int32_t NewSize) override;
    // Never fails: an unreadable file reads as 0 bytes.
    std::int32_t Read(void* Buffer, std::int32_t Count) override;
    // Always appends, unscrambled; 0 when the write fails.
    std::int32_t Write(const void* Buffer, std::int32_t Count) override;
    std::int32_t Seek(std::int32_t Offset, std::uint16_t Origin) override;

    // Whether the file was opened; a stream that was not reads nothing and
    // writes nothing.
    bool IsOpen() const { return handle_ >= 0; }
    // The current article's bytes not yet read: 0 after creation, set before
    // the article is read, counted down by every Read.
    std::int32_t Remaining() const { return remaining_; }
    void SetRemaining(std::int32_t count) { remaining_ = count; }
    // Puts what was written onto the disk; false when that fails or the
    // stream is no plain file that was opened.
    bool Flush();

private:
    int OpenOnce(const std::string& fileName) const;

    std::int32_t handle_ = -1;
    std::int32_t mode_ = 0;
    bool crypt_ = false;
    std::int32_t remaining_ = 0;
};

} // namespace dictionary
