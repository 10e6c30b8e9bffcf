// Stand-in decoding library: records the calls and answers as the test says.
#define MPEGDLL_DECLARE_ENTRIES
#include "tests/sound/FakeMpegDll.h"

namespace {

FakeMpegState state;

std::int32_t Called(const char* name, std::int32_t result = 0) {
    state.calls.emplace_back(name);
    return result;
}

} // namespace

extern "C" {

MPEGDLL_EXPORT FakeMpegState* FakeMpegStateOf() {
    return &state;
}

std::int32_t init() {
    return Called("init", state.initResult);
}

std::int32_t deinit() {
    return Called("deinit");
}

std::int32_t Open(const char* fileName, std::int32_t fromStream, TMpegOpenStreamProc openStream,
                  TMpegCloseStreamProc closeStream, TMpegRestartStreamProc restartStream,
                  TMpegReadStreamProc readStream, TMpegSeekStreamProc seekStream,
                  TMpegGetStreamSizeProc getStreamSize, void* userData) {
    state.openName = fileName != nullptr ? fileName : "<null>";
    state.openFromStream = fromStream;
    state.openStream = openStream;
    state.closeStream = closeStream;
    state.restartStream = restartStream;
    state.readStream = readStream;
    state.seekStream = seekStream;
    state.getStreamSize = getStreamSize;
    state.userData = userData;
    return Called("Open");
}

std::int32_t Pause(std::int32_t resume) {
    state.pauseArgument = resume;
    return Called("Pause");
}

std::int32_t Stop() {
    return Called("Stop");
}

std::int32_t Play(std::int32_t startPos, std::int32_t endPos, std::atomic<std::uint8_t>* ended) {
    state.startPos = startPos;
    state.endPos = endPos;
    state.ended = ended;
    if (state.endOnPlay)
        *ended = 1;
    return Called("Play", state.playResult);
}

std::int32_t Restart() {
    if (state.endOnPlay && state.ended != nullptr)
        *state.ended = 1;
    return Called("Restart");
}

std::int32_t SetPriority(std::int32_t priority) {
    state.priority = priority;
    return Called("SetPriority");
}

std::int32_t SetOutputDevice(std::int32_t device, const char* fileName) {
    state.device = device;
    state.deviceFile = fileName;
    return Called("SetOutputDevice");
}

std::int32_t Close() {
    return Called("Close");
}

std::int32_t GetPlayerMode() {
    return Called("GetPlayerMode", 3);
}

std::int32_t GetCurrentPos() {
    return Called("GetCurrentPos", state.currentPos);
}

std::int32_t GetLength() {
    return Called("GetLength", state.length);
}

std::int32_t LastError() {
    const bool failed = !state.calls.empty() && state.calls.back() == state.errorEntry;
    return failed ? state.errorCode : 0;
}

std::int32_t GetFrequency() {
    return Called("GetFrequency");
}

std::int32_t GetBitrate() {
    return Called("GetBitrate");
}

std::int32_t GetLayer() {
    return Called("GetLayer");
}

std::int32_t ResetPlayerMode() {
    return Called("ResetPlayerMode");
}

std::int32_t Seek(std::int32_t) {
    return Called("Seek");
}

} // extern "C"
