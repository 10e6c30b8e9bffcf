#pragma once

#include "mpegdll/mpegdll.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// State of the stand-in decoding library that the component tests load. The
// test reaches it through the extra export FakeMpegStateOf and steers what the
// entries answer.
struct FakeMpegState {
    // Entry names in call order; LastError is not recorded.
    std::vector<std::string> calls;

    std::int32_t initResult = 1;
    std::int32_t playResult = 0;
    // LastError reports errorCode right after a call of errorEntry.
    std::string errorEntry;
    std::int32_t errorCode = 0;
    // Play and Restart set the ended flag at once.
    bool endOnPlay = false;
    std::int32_t currentPos = 0;
    std::int32_t length = 1000;

    // Arguments last received.
    std::string openName;
    std::int32_t openFromStream = -1;
    TMpegOpenStreamProc openStream = nullptr;
    TMpegCloseStreamProc closeStream = nullptr;
    TMpegRestartStreamProc restartStream = nullptr;
    TMpegReadStreamProc readStream = nullptr;
    TMpegSeekStreamProc seekStream = nullptr;
    TMpegGetStreamSizeProc getStreamSize = nullptr;
    void* userData = nullptr;
    std::int32_t pauseArgument = -1;
    std::int32_t priority = -99;
    std::int32_t device = -1;
    std::string deviceFile;
    std::int32_t startPos = -1;
    std::int32_t endPos = -1;
    std::atomic<std::uint8_t>* ended = nullptr;
};

using TFakeMpegStateProc = FakeMpegState* (*)();
