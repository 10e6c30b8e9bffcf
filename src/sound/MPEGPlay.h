#pragma once

#include "mpegdll/mpegdll.h"
#include "platform/DynamicLibrary.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

class QTimer;

namespace sound {

// Error raised for every failure reported by the decoding library. Codes 0..5
// are the library's own; 254 is an open without a stream name.
class TMPEGError : public std::runtime_error {
public:
    TMPEGError(const std::string& message, std::uint8_t errorCode);
    // Error with the fixed message for a library error code.
    explicit TMPEGError(std::int32_t code);

    std::uint8_t ErrorCode;
};

// Raised when the decoding library cannot be loaded at all: a plain error,
// not a TMPEGError, with the message "Can't load MPEG library".
class TMPEGLoadError : public std::runtime_error {
public:
    TMPEGLoadError();
};

// Message for a library error code: the fixed table for 0..5, the open
// without a stream name for 254, a generic text naming the code otherwise.
std::string MPEGErrorMessage(std::int32_t code);

// File the library is loaded from: "mpegdll.dll" below pathToDll, with a
// backslash in between unless the folder already ends in a separator or a
// drive colon. An empty folder gives the bare name (program folder first).
std::string MPEGLibraryPath(const std::string& pathToDll);

// Thread priority of the library's playing thread; the values are the
// platform priority levels handed to the library.
enum class TPlayPriority : std::int32_t {
    Idle = -15,
    Lowest = -2,
    BelowNormal = -1,
    Normal = 0,
    AboveNormal = 1,
    Highest = 2,
    TimeCritical = 15,
};

enum class TOutputDevice { wavemapper, pcmfile };

// Plays MPEG audio through the run-time loaded decoding library. The library
// plays on its own thread; the component polls its position and ended flag
// with a timer on the thread that owns it and raises OnPosUpdate and
// OnPlayEnd from there. Every library error becomes a TMPEGError.
class TMPEGPlayer {
public:
    using TOpenStreamEvent = std::function<void(bool& nonseekable, void*& context)>;
    using TCloseStreamEvent = std::function<void(void* context)>;
    using TRestartStreamEvent = std::function<void(void* context, bool& res)>;
    using TGetStreamSizeEvent = std::function<void(void* context, std::int32_t& res)>;
    using TSeekStreamEvent = std::function<void(void* context, std::int32_t numbytes,
                                                std::int32_t moveMethod, std::int32_t& res)>;
    using TReadStreamEvent =
        std::function<void(void* context, void* readBuffer, std::int32_t nNumberOfBytesToRead,
                           std::int32_t& nNumberOfBytesRead, bool& res)>;
    using TPosUpdateEvent = std::function<void(std::int32_t pos, std::int32_t len)>;
    using TNotifyEvent = std::function<void(TMPEGPlayer* sender)>;

    TMPEGPlayer();
    // Stops a playback still running; does not unload the library.
    ~TMPEGPlayer();
    TMPEGPlayer(const TMPEGPlayer&) = delete;
    TMPEGPlayer& operator=(const TMPEGPlayer&) = delete;

    // Library lifetime.
    void InitPlayer();
    void DonePlayer();
    bool IsLibraryLoaded() const { return library_ != nullptr; }

    // Stream control.
    void Open();
    void Play();
    void SetPaused(bool value);
    void Stop();
    void Restart();
    void Close();

    // Library queries (positions and lengths in milliseconds).
    std::int32_t GetPlayerMode();
    std::int32_t GetCurrentPos();
    std::int32_t GetLength();

    // Published properties.
    bool Seekable() const { return seekable_; }
    bool FromStream() const { return fromStream_; }
    void SetFromStream(bool value) { fromStream_ = value; }
    TPlayPriority PlayerPriority() const;
    void SetPlayerPriority(TPlayPriority value);
    bool UseTimer() const { return useTimer_; }
    void SetUseTimer(bool value) { useTimer_ = value; }
    std::int32_t TimerFreq() const { return timerFreq_; }
    void SetTimerFreq(std::int32_t value);
    bool AutoPlay() const { return autoPlay_; }
    void SetAutoPlay(bool value) { autoPlay_ = value; }
    const std::string& StreamName() const { return streamName_; }
    void SetStreamName(const std::string& value);
    TOutputDevice OutputDevice() const;
    void SetOutputDevice(TOutputDevice value);
    const std::string& OutFilename() const { return outFilename_; }
    void SetOutFilename(const std::string& value) { outFilename_ = value; }
    const std::string& PathToDLL() const { return pathToDll_; }
    void SetPathToDLL(const std::string& value) { pathToDll_ = value; }
    std::int32_t StartPos() const { return startPos_; }
    void SetStartPos(std::int32_t value) { startPos_ = value; }
    std::int32_t EndPos() const { return endPos_; }
    void SetEndPos(std::int32_t value) { endPos_ = value; }
    std::int32_t PlayedXTimes() const { return playedXTimes_; }

    // The value the library's LastError returned last.
    std::int32_t LastErrorCode() const { return lastErrorCode_; }

    // Published events. The stream events run on the library's thread.
    TOpenStreamEvent OnOpenStream;
    TCloseStreamEvent OnCloseStream;
    TRestartStreamEvent OnRestartStream;
    TGetStreamSizeEvent OnGetStreamSize;
    TSeekStreamEvent OnSeekStream;
    TReadStreamEvent OnReadStream;
    TPosUpdateEvent OnPosUpdate;
    TNotifyEvent OnPlayEnd;

private:
    struct Entries {
        TMpegInitProc init = nullptr;
        TMpegDeinitProc deinit = nullptr;
        TMpegOpenProc open = nullptr;
        TMpegPauseProc pause = nullptr;
        TMpegRestartProc restart = nullptr;
        TMpegStopProc stop = nullptr;
        TMpegSetPriorityProc setPriority = nullptr;
        TMpegSetOutputDeviceProc setOutputDevice = nullptr;
        TMpegPlayProc play = nullptr;
        TMpegCloseProc close = nullptr;
        TMpegGetFrequencyProc getFrequency = nullptr;
        TMpegGetBitrateProc getBitrate = nullptr;
        TMpegGetLayerProc getLayer = nullptr;
        TMpegGetPlayerModeProc getPlayerMode = nullptr;
        TMpegGetCurrentPosProc getCurrentPos = nullptr;
        TMpegGetLengthProc getLength = nullptr;
        TMpegResetPlayerModeProc resetPlayerMode = nullptr;
        TMpegSeekProc seek = nullptr;
        TMpegLastErrorProc lastError = nullptr;
    };

    bool BindEntries();
    void RequireLibrary() const;
    std::int32_t ReadLastError();
    void CheckError();
    void StartPositionTimer();
    void PollPosition();
    // The library's sound device is open from its play to its stop or close;
    // meanwhile the sound system is held, so that the library neither starts
    // nor stops it on this thread.
    void HoldAudio();
    void ReleaseAudio();

    static void OpenStreamCallback(void* userData, bool* nonSeekable, void** context);
    static void CloseStreamCallback(void* userData, void* context);
    static void RestartStreamCallback(void* userData, void* context, bool* res);
    static void ReadStreamCallback(void* userData, void* context, void* buffer,
                                   std::int32_t bytesToRead, std::int32_t* bytesRead, bool* res);
    static void SeekStreamCallback(void* userData, void* context, std::int32_t numBytes,
                                   std::int32_t moveMethod, std::int32_t* res);
    static void GetStreamSizeCallback(void* userData, void* context, std::int32_t* res);

    platform::LibraryHandle library_ = nullptr;
    std::string pathToDll_;
    std::string streamName_;
    std::string outFilename_;
    std::int32_t deviceCode_ = mpegdll::DeviceDefault;
    std::int32_t startPos_ = 0;
    std::int32_t endPos_ = 0;
    bool opened_ = false;
    bool playing_ = false;
    bool paused_ = false;
    // Written by the library's thread when playing ends.
    std::atomic<std::uint8_t> ended_{0};
    bool autoPlay_ = false;
    std::int32_t priority_ = static_cast<std::int32_t>(TPlayPriority::Normal);
    bool seekable_ = false;
    bool fromStream_ = false;
    bool useTimer_ = false;
    std::int32_t timerFreq_ = 0;
    std::int32_t playedXTimes_ = 0;
    std::unique_ptr<QTimer> positionTimer_;
    std::int32_t length_ = 0;
    Entries entries_;
    std::int32_t lastErrorCode_ = 0;
    bool holdsAudio_ = false;
};

} // namespace sound
