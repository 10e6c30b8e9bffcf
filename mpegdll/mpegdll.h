#pragma once

// Interface of the MPEG audio decoding library libmpegdll.so. The program
// never links it: the sound component loads it at run time and binds the
// entries below by name, so this header only fixes their signatures.
//
// Units: positions and lengths are milliseconds from the start of the
// stream. Every entry returns 0 on success unless stated otherwise; the
// reason for a failure is read with LastError right after the call.
//
// Player modes (GetPlayerMode):
//   0  no stream opened
//   1  stream opened, not playing (also after Stop)
//   2  paused
//   3  playing
//   4  playing has ended; the ended flag given to Play has been set
//
// LastError codes:
//   0  no error
//   1  internal decoder error
//   2  incorrect mode (call not valid in the current player mode)
//   3  input stream error (cannot be opened or is not MPEG audio)
//   4  input stream is non-seekable
//   5  output device failure
//
// Output devices (SetOutputDevice):
//   0  the default sound output
//   2  raw PCM file: 16-bit signed samples in native byte order, the
//      stream's own rate and channel count, interleaved

#include <atomic>
#include <cstdint>

namespace mpegdll {

inline constexpr std::int32_t ModeClosed = 0;
inline constexpr std::int32_t ModeOpened = 1;
inline constexpr std::int32_t ModePaused = 2;
inline constexpr std::int32_t ModePlaying = 3;
inline constexpr std::int32_t ModeEnded = 4;

inline constexpr std::int32_t ErrorNone = 0;
inline constexpr std::int32_t ErrorDecoder = 1;
inline constexpr std::int32_t ErrorMode = 2;
inline constexpr std::int32_t ErrorInput = 3;
inline constexpr std::int32_t ErrorNonSeekable = 4;
inline constexpr std::int32_t ErrorOutput = 5;

inline constexpr std::int32_t DeviceDefault = 0;
inline constexpr std::int32_t DevicePcmFile = 2;

} // namespace mpegdll

extern "C" {

// Stream callbacks for Open with fromStream non-zero. Each gets the user data
// given to Open first. Seek's moveMethod is 0 (from the start), 1 (from the
// current position) or 2 (from the end); its result is the new position or
// -1. Read sets res to false on a failure; a successful read of 0 bytes is
// the end of the stream. A stream that reports itself non-seekable is never
// asked to seek; Restart rewinds it through the restart callback instead.
typedef void (*TMpegOpenStreamProc)(void* userData, bool* nonSeekable, void** context);
typedef void (*TMpegCloseStreamProc)(void* userData, void* context);
typedef void (*TMpegRestartStreamProc)(void* userData, void* context, bool* res);
typedef void (*TMpegReadStreamProc)(void* userData, void* context, void* buffer,
                                    std::int32_t bytesToRead, std::int32_t* bytesRead, bool* res);
typedef void (*TMpegSeekStreamProc)(void* userData, void* context, std::int32_t numBytes,
                                    std::int32_t moveMethod, std::int32_t* res);
typedef void (*TMpegGetStreamSizeProc)(void* userData, void* context, std::int32_t* res);

// The exported entries. init returns non-zero on success. Open takes either
// a file name (fromStream 0, callbacks null) or the six callbacks and their
// user data (fileName null, fromStream non-zero). Pause pauses with resume 0
// and resumes otherwise. Play plays from startPos to endPos (endPos 0 or not
// after startPos: to the end) and writes a non-zero value through ended when
// playing finishes by itself; it returns non-zero on failure. Restart plays
// again with the arguments of the last Play. SetPriority takes a thread
// priority level from -15 (idle) through 0 (normal) to 15 (time critical).
// fileName of SetOutputDevice is the PCM file for device 2.
typedef std::int32_t (*TMpegInitProc)();
typedef std::int32_t (*TMpegDeinitProc)();
typedef std::int32_t (*TMpegOpenProc)(const char* fileName, std::int32_t fromStream,
                                      TMpegOpenStreamProc openStream,
                                      TMpegCloseStreamProc closeStream,
                                      TMpegRestartStreamProc restartStream,
                                      TMpegReadStreamProc readStream,
                                      TMpegSeekStreamProc seekStream,
                                      TMpegGetStreamSizeProc getStreamSize, void* userData);
typedef std::int32_t (*TMpegPauseProc)(std::int32_t resume);
typedef std::int32_t (*TMpegStopProc)();
typedef std::int32_t (*TMpegPlayProc)(std::int32_t startPos, std::int32_t endPos,
                                      std::atomic<std::uint8_t>* ended);
typedef std::int32_t (*TMpegRestartProc)();
typedef std::int32_t (*TMpegSetPriorityProc)(std::int32_t priority);
typedef std::int32_t (*TMpegSetOutputDeviceProc)(std::int32_t device, const char* fileName);
typedef std::int32_t (*TMpegCloseProc)();
typedef std::int32_t (*TMpegGetPlayerModeProc)();
typedef std::int32_t (*TMpegGetCurrentPosProc)();
typedef std::int32_t (*TMpegGetLengthProc)();
typedef std::int32_t (*TMpegLastErrorProc)();
typedef std::int32_t (*TMpegGetFrequencyProc)();         // samples per second, 0 without a stream
typedef std::int32_t (*TMpegGetBitrateProc)();           // kbit/s of the first frame
typedef std::int32_t (*TMpegGetLayerProc)();             // MPEG audio layer 1..3
typedef std::int32_t (*TMpegResetPlayerModeProc)();      // mode 4 back to 1; returns the mode
typedef std::int32_t (*TMpegSeekProc)(std::int32_t pos); // jumps, playing or not

} // extern "C"

// Implementations (the library and test doubles) declare the entries with
// default visibility; the component never names them directly.
#ifdef MPEGDLL_DECLARE_ENTRIES
#define MPEGDLL_EXPORT __attribute__((visibility("default")))
extern "C" {
MPEGDLL_EXPORT std::int32_t init();
MPEGDLL_EXPORT std::int32_t deinit();
MPEGDLL_EXPORT std::int32_t Open(const char* fileName, std::int32_t fromStream,
                                 TMpegOpenStreamProc openStream, TMpegCloseStreamProc closeStream,
                                 TMpegRestartStreamProc restartStream,
                                 TMpegReadStreamProc readStream, TMpegSeekStreamProc seekStream,
                                 TMpegGetStreamSizeProc getStreamSize, void* userData);
MPEGDLL_EXPORT std::int32_t Pause(std::int32_t resume);
MPEGDLL_EXPORT std::int32_t Stop();
MPEGDLL_EXPORT std::int32_t Play(std::int32_t startPos, std::int32_t endPos,
                                 std::atomic<std::uint8_t>* ended);
MPEGDLL_EXPORT std::int32_t Restart();
MPEGDLL_EXPORT std::int32_t SetPriority(std::int32_t priority);
MPEGDLL_EXPORT std::int32_t SetOutputDevice(std::int32_t device, const char* fileName);
MPEGDLL_EXPORT std::int32_t Close();
MPEGDLL_EXPORT std::int32_t GetPlayerMode();
MPEGDLL_EXPORT std::int32_t GetCurrentPos();
MPEGDLL_EXPORT std::int32_t GetLength();
MPEGDLL_EXPORT std::int32_t LastError();
MPEGDLL_EXPORT std::int32_t GetFrequency();
MPEGDLL_EXPORT std::int32_t GetBitrate();
MPEGDLL_EXPORT std::int32_t GetLayer();
MPEGDLL_EXPORT std::int32_t ResetPlayerMode();
MPEGDLL_EXPORT std::int32_t Seek(std::int32_t pos);
}
#endif
