#pragma once

#include <cstdint>

// Wave input and output devices with buffer headers that the caller owns and
// queues, result codes with readable texts, and function-callback
// notifications. Device -1 is the default device (the wave mapper). Data and
// done notifications arrive on the device's audio thread; the open and close
// notifications are raised inside the open and close calls, and the done (or
// data) notifications of a reset inside the reset call.
namespace platform {

using MMRESULT = std::uint32_t;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_BADERRNUM = 9;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT WAVERR_BADFORMAT = 32;
constexpr MMRESULT WAVERR_STILLPLAYING = 33;
constexpr MMRESULT WAVERR_UNPREPARED = 34;
constexpr MMRESULT MIXERR_INVALLINE = 1024;
constexpr MMRESULT MIXERR_INVALCONTROL = 1025;

constexpr std::int32_t WAVE_MAPPER = -1;
constexpr std::uint16_t WAVE_FORMAT_PCM = 1;

constexpr std::uint32_t CALLBACK_NULL = 0x00000000;
constexpr std::uint32_t CALLBACK_FUNCTION = 0x00030000;
constexpr std::uint32_t WAVE_ALLOWSYNC = 0x0002;

constexpr std::uint32_t WHDR_DONE = 0x01;
constexpr std::uint32_t WHDR_PREPARED = 0x02;
constexpr std::uint32_t WHDR_INQUEUE = 0x10;

constexpr std::uint32_t WOM_OPEN = 0x3BB;
constexpr std::uint32_t WOM_CLOSE = 0x3BC;
constexpr std::uint32_t WOM_DONE = 0x3BD;
constexpr std::uint32_t WIM_OPEN = 0x3BE;
constexpr std::uint32_t WIM_CLOSE = 0x3BF;
constexpr std::uint32_t WIM_DATA = 0x3C0;

constexpr std::uint32_t MAXERRORLENGTH = 256;

struct WAVEFORMATEX {
    std::uint16_t wFormatTag = 0;
    std::uint16_t nChannels = 0;
    std::uint32_t nSamplesPerSec = 0;
    std::uint32_t nAvgBytesPerSec = 0;
    std::uint16_t nBlockAlign = 0;
    std::uint16_t wBitsPerSample = 0;
    std::uint16_t cbSize = 0;
};

struct WAVEHDR {
    char* lpData = nullptr;
    std::uint32_t dwBufferLength = 0;
    std::uint32_t dwBytesRecorded = 0;
    std::uintptr_t dwUser = 0;
    std::uint32_t dwFlags = 0;
    std::uint32_t dwLoops = 0;
    WAVEHDR* lpNext = nullptr;
    std::uintptr_t reserved = 0;
};

struct WaveDevice;
using HWAVEIN = WaveDevice*;
using HWAVEOUT = WaveDevice*;

// For WIM_DATA and WOM_DONE param1 is the header.
using WAVECALLBACK = void (*)(WaveDevice* handle, std::uint32_t msg, std::uintptr_t instance,
                              std::uintptr_t param1, std::uintptr_t param2);

std::uint32_t waveInGetNumDevs();
MMRESULT waveInOpen(HWAVEIN* handle, std::int32_t deviceId, const WAVEFORMATEX* format,
                    WAVECALLBACK callback, std::uintptr_t instance, std::uint32_t flags);
MMRESULT waveInPrepareHeader(HWAVEIN handle, WAVEHDR* header, std::uint32_t size);
MMRESULT waveInUnprepareHeader(HWAVEIN handle, WAVEHDR* header, std::uint32_t size);
MMRESULT waveInAddBuffer(HWAVEIN handle, WAVEHDR* header, std::uint32_t size);
MMRESULT waveInStart(HWAVEIN handle);
MMRESULT waveInReset(HWAVEIN handle);
MMRESULT waveInClose(HWAVEIN handle);
MMRESULT waveInGetErrorText(MMRESULT error, char* text, std::uint32_t size);

std::uint32_t waveOutGetNumDevs();
MMRESULT waveOutOpen(HWAVEOUT* handle, std::int32_t deviceId, const WAVEFORMATEX* format,
                     WAVECALLBACK callback, std::uintptr_t instance, std::uint32_t flags);
MMRESULT waveOutPrepareHeader(HWAVEOUT handle, WAVEHDR* header, std::uint32_t size);
MMRESULT waveOutUnprepareHeader(HWAVEOUT handle, WAVEHDR* header, std::uint32_t size);
MMRESULT waveOutWrite(HWAVEOUT handle, WAVEHDR* header, std::uint32_t size);
MMRESULT waveOutReset(HWAVEOUT handle);
MMRESULT waveOutClose(HWAVEOUT handle);
MMRESULT waveOutGetErrorText(MMRESULT error, char* text, std::uint32_t size);

// Makes the sound library quiet on stderr (no card is not worth a message).
// Called by the wave and mixer functions before they touch a device.
void SilenceAudioLibraryErrors();

// The sound system runs only while something holds it: started by the first
// hold, stopped a while (the linger) after the last release, so that an idle
// program has no audio thread waking it. Stopping waits for the sound
// system's device-watching thread, so it happens on a thread of its own.
// The wave devices hold it while they are open; a user of the sound system
// outside this layer (the MPEG library) holds it around its playing.
// False when the sound system cannot start; only a true needs a release.
bool HoldAudio();
void ReleaseAudio();
// Whether the sound system is up now.
bool AudioRunning();
// How long the sound system stays up after the last release (2 s). A stop
// already pending is brought forward to the new linger: 0 stops an idle sound
// system at once.
void SetAudioLinger(std::uint32_t milliseconds);

} // namespace platform
