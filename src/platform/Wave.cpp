#include "platform/Wave.h"

#include "platform/DynamicLibrary.h"
#include <SDL.h>
#include <alsa/asoundlib.h>

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace platform {

struct WaveDevice {
    bool Capture = false;
    SDL_AudioDeviceID Id = 0;
    WAVECALLBACK Callback = nullptr;
    std::uintptr_t Instance = 0;
    std::uint8_t Silence = 0;
    // Guarded by the SDL device lock: the audio thread drains or fills it.
    std::deque<WAVEHDR*> Queue;
    std::uint32_t Offset = 0;
};

namespace {

extern "C" void QuietAlsaHandler(const char*, int, const char*, int, const char*, ...) {}

std::mutex registryMutex;
std::set<WaveDevice*> liveDevices;

bool IsLive(WaveDevice* device) {
    std::lock_guard lock(registryMutex);
    return liveDevices.count(device) != 0;
}

// SDL is loaded when sound is first used: linked in, it and the thirty
// libraries it needs would be loaded and relocated at every start of the
// program. Its functions are called through this table.
struct SdlAudio {
    decltype(&SDL_SetHint) SetHint = nullptr;
    decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&SDL_GetNumAudioDevices) GetNumAudioDevices = nullptr;
    decltype(&SDL_GetAudioDeviceName) GetAudioDeviceName = nullptr;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice = nullptr;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice = nullptr;
    decltype(&SDL_LockAudioDevice) LockAudioDevice = nullptr;
    decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice = nullptr;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice = nullptr;
    bool Loaded = false;
};

// Loads it on the first call; Loaded tells whether that worked.
const SdlAudio& Sdl() {
    static const SdlAudio table = [] {
        SdlAudio sdl;
        void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        sdl.Loaded =
            library != nullptr && platform::BindEntry(library, "SDL_SetHint", sdl.SetHint) &&
            platform::BindEntry(library, "SDL_InitSubSystem", sdl.InitSubSystem) &&
            platform::BindEntry(library, "SDL_QuitSubSystem", sdl.QuitSubSystem) &&
            platform::BindEntry(library, "SDL_GetNumAudioDevices", sdl.GetNumAudioDevices) &&
            platform::BindEntry(library, "SDL_GetAudioDeviceName", sdl.GetAudioDeviceName) &&
            platform::BindEntry(library, "SDL_OpenAudioDevice", sdl.OpenAudioDevice) &&
            platform::BindEntry(library, "SDL_PauseAudioDevice", sdl.PauseAudioDevice) &&
            platform::BindEntry(library, "SDL_LockAudioDevice", sdl.LockAudioDevice) &&
            platform::BindEntry(library, "SDL_UnlockAudioDevice", sdl.UnlockAudioDevice) &&
            platform::BindEntry(library, "SDL_CloseAudioDevice", sdl.CloseAudioDevice);
        return sdl;
    }();
    return table;
}

// The holds on the sound system and the thread that stops it when idle. Holds
// and releases come from the user-interface thread; the stopper only ever
// stops the sound system with the lock held, so a hold during a stop waits
// for it rather than meeting a half-stopped system.
class AudioSession {
public:
    ~AudioSession() {
        {
            std::lock_guard lock(mutex_);
            stopPending_ = false;
        }
        wake_.notify_all();
        if (stopper_.joinable())
            stopper_.join();
    }

    bool Hold() {
        std::unique_lock lock(mutex_);
        stopPending_ = false;
        wake_.notify_all();
        if (!running_) {
            if (!Sdl().Loaded)
                return false;
            SilenceAudioLibraryErrors();
            // SDL would take over SIGINT and SIGTERM, and the program would
            // no longer end when the desktop or the terminal asks it to.
            Sdl().SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
            if (Sdl().InitSubSystem(SDL_INIT_AUDIO) != 0)
                return false;
            running_ = true;
        }
        ++holds_;
        return true;
    }

    void Release() {
        std::unique_lock lock(mutex_);
        if (holds_ == 0 || --holds_ > 0)
            return;
        stopAt_ = std::chrono::steady_clock::now() + linger_;
        stopPending_ = true;
        wake_.notify_all();
        if (stopperRunning_)
            return;
        // A stopper that has finished is joined before the next one starts.
        std::thread finished = std::move(stopper_);
        stopperRunning_ = true;
        stopper_ = std::thread([this] { StopWhenIdle(); });
        lock.unlock();
        if (finished.joinable())
            finished.join();
    }

    bool Running() {
        std::lock_guard lock(mutex_);
        return running_;
    }

    // A stop already pending comes no later than the new linger allows.
    void SetLinger(std::chrono::milliseconds linger) {
        std::lock_guard lock(mutex_);
        linger_ = linger;
        if (stopPending_)
            stopAt_ = std::min(stopAt_, std::chrono::steady_clock::now() + linger_);
        wake_.notify_all();
    }

private:
    void StopWhenIdle() {
        std::unique_lock lock(mutex_);
        while (stopPending_) {
            if (wake_.wait_until(lock, stopAt_) == std::cv_status::timeout && stopPending_ &&
                std::chrono::steady_clock::now() >= stopAt_) {
                stopPending_ = false;
                if (holds_ == 0 && running_) {
                    Sdl().QuitSubSystem(SDL_INIT_AUDIO);
                    running_ = false;
                }
            }
        }
        stopperRunning_ = false;
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    int holds_ = 0;
    bool running_ = false;
    bool stopPending_ = false;
    bool stopperRunning_ = false;
    std::chrono::steady_clock::time_point stopAt_;
    std::chrono::milliseconds linger_{2000};
    std::thread stopper_;
};

AudioSession& Session() {
    static AudioSession session;
    return session;
}

void Notify(WaveDevice* device, std::uint32_t msg, WAVEHDR* header) {
    if (device->Callback != nullptr)
        device->Callback(device, msg, device->Instance, reinterpret_cast<std::uintptr_t>(header),
                         0);
}

void OutputCallback(void* userData, Uint8* stream, int len) {
    auto* device = static_cast<WaveDevice*>(userData);
    auto remaining = static_cast<std::uint32_t>(len);
    while (remaining > 0) {
        if (device->Queue.empty()) {
            std::memset(stream, device->Silence, remaining);
            return;
        }
        WAVEHDR* header = device->Queue.front();
        const std::uint32_t count = std::min(header->dwBufferLength - device->Offset, remaining);
        std::memcpy(stream, header->lpData + device->Offset, count);
        stream += count;
        remaining -= count;
        device->Offset += count;
        if (device->Offset >= header->dwBufferLength) {
            device->Queue.pop_front();
            device->Offset = 0;
            header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
            Notify(device, WOM_DONE, header);
        }
    }
}

void InputCallback(void* userData, Uint8* stream, int len) {
    auto* device = static_cast<WaveDevice*>(userData);
    auto remaining = static_cast<std::uint32_t>(len);
    while (remaining > 0 && !device->Queue.empty()) {
        WAVEHDR* header = device->Queue.front();
        const std::uint32_t count =
            std::min(header->dwBufferLength - header->dwBytesRecorded, remaining);
        std::memcpy(header->lpData + header->dwBytesRecorded, stream, count);
        stream += count;
        remaining -= count;
        header->dwBytesRecorded += count;
        if (header->dwBytesRecorded >= header->dwBufferLength) {
            device->Queue.pop_front();
            header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
            Notify(device, WIM_DATA, header);
        }
    }
}

bool IsPlayableFormat(const WAVEFORMATEX* format) {
    return format->wFormatTag == WAVE_FORMAT_PCM &&
           (format->nChannels == 1 || format->nChannels == 2) &&
           (format->wBitsPerSample == 8 || format->wBitsPerSample == 16) &&
           format->nSamplesPerSec > 0;
}

MMRESULT Open(bool capture, WaveDevice** handle, std::int32_t deviceId, const WAVEFORMATEX* format,
              WAVECALLBACK callback, std::uintptr_t instance, std::uint32_t flags) {
    if (handle == nullptr || format == nullptr)
        return MMSYSERR_INVALPARAM;
    const std::uint32_t callbackKind = flags & 0x00070000;
    if (callbackKind != CALLBACK_NULL && callbackKind != CALLBACK_FUNCTION)
        return MMSYSERR_INVALFLAG;
    if (!IsPlayableFormat(format))
        return WAVERR_BADFORMAT;
    if (!HoldAudio())
        return MMSYSERR_NODRIVER;
    const int count = Sdl().GetNumAudioDevices(capture ? 1 : 0);
    const char* name = nullptr;
    if (deviceId != WAVE_MAPPER) {
        if (deviceId < 0 || deviceId >= count) {
            ReleaseAudio();
            return MMSYSERR_BADDEVICEID;
        }
        name = Sdl().GetAudioDeviceName(deviceId, capture ? 1 : 0);
    }

    auto* device = new WaveDevice;
    device->Capture = capture;
    device->Callback = callbackKind == CALLBACK_FUNCTION ? callback : nullptr;
    device->Instance = instance;
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(format->nSamplesPerSec);
    want.format = format->wBitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    want.channels = static_cast<Uint8>(format->nChannels);
    // Small device chunks keep every queued header well ahead of the device.
    want.samples = 512;
    want.callback = capture ? InputCallback : OutputCallback;
    want.userdata = device;
    SDL_AudioSpec have{};
    device->Id = Sdl().OpenAudioDevice(name, capture ? 1 : 0, &want, &have, 0);
    if (device->Id == 0) {
        delete device;
        ReleaseAudio();
        return count == 0 ? MMSYSERR_NODRIVER : MMSYSERR_ALLOCATED;
    }
    device->Silence = have.silence;
    {
        std::lock_guard lock(registryMutex);
        liveDevices.insert(device);
    }
    *handle = device;
    Notify(device, capture ? WIM_OPEN : WOM_OPEN, nullptr);
    // Output plays as soon as a header is written; input waits for its start.
    if (!capture)
        Sdl().PauseAudioDevice(device->Id, 0);
    return MMSYSERR_NOERROR;
}

MMRESULT Prepare(WaveDevice* device, WAVEHDR* header, bool prepare) {
    if (!IsLive(device))
        return MMSYSERR_INVALHANDLE;
    if (header == nullptr || header->lpData == nullptr)
        return MMSYSERR_INVALPARAM;
    Sdl().LockAudioDevice(device->Id);
    MMRESULT result = MMSYSERR_NOERROR;
    if ((header->dwFlags & WHDR_INQUEUE) != 0)
        result = WAVERR_STILLPLAYING;
    else if (prepare)
        header->dwFlags |= WHDR_PREPARED;
    else
        header->dwFlags &= ~WHDR_PREPARED;
    Sdl().UnlockAudioDevice(device->Id);
    return result;
}

MMRESULT Enqueue(WaveDevice* device, WAVEHDR* header, bool capture) {
    if (!IsLive(device) || device->Capture != capture)
        return MMSYSERR_INVALHANDLE;
    if (header == nullptr)
        return MMSYSERR_INVALPARAM;
    Sdl().LockAudioDevice(device->Id);
    MMRESULT result = MMSYSERR_NOERROR;
    if ((header->dwFlags & WHDR_PREPARED) == 0) {
        result = WAVERR_UNPREPARED;
    } else if ((header->dwFlags & WHDR_INQUEUE) != 0) {
        result = WAVERR_STILLPLAYING;
    } else {
        header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
        if (capture)
            header->dwBytesRecorded = 0;
        device->Queue.push_back(header);
    }
    Sdl().UnlockAudioDevice(device->Id);
    return result;
}

MMRESULT Reset(WaveDevice* device, bool capture) {
    if (!IsLive(device) || device->Capture != capture)
        return MMSYSERR_INVALHANDLE;
    Sdl().LockAudioDevice(device->Id);
    std::vector<WAVEHDR*> returned(device->Queue.begin(), device->Queue.end());
    device->Queue.clear();
    device->Offset = 0;
    for (WAVEHDR* header : returned)
        header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    Sdl().UnlockAudioDevice(device->Id);
    if (capture)
        Sdl().PauseAudioDevice(device->Id, 1);
    for (WAVEHDR* header : returned)
        Notify(device, capture ? WIM_DATA : WOM_DONE, header);
    return MMSYSERR_NOERROR;
}

MMRESULT Close(WaveDevice* device, bool capture) {
    if (!IsLive(device) || device->Capture != capture)
        return MMSYSERR_INVALHANDLE;
    Sdl().LockAudioDevice(device->Id);
    const bool busy = !device->Queue.empty();
    Sdl().UnlockAudioDevice(device->Id);
    if (busy)
        return WAVERR_STILLPLAYING;
    {
        std::lock_guard lock(registryMutex);
        liveDevices.erase(device);
    }
    Sdl().CloseAudioDevice(device->Id);
    Notify(device, capture ? WIM_CLOSE : WOM_CLOSE, nullptr);
    delete device;
    ReleaseAudio();
    return MMSYSERR_NOERROR;
}

const char* ErrorText(MMRESULT error) {
    switch (error) {
    case MMSYSERR_NOERROR:
        return "The command completed successfully.";
    case MMSYSERR_ERROR:
        return "An unspecified error occurred.";
    case MMSYSERR_BADDEVICEID:
        return "The device number is out of range.";
    case MMSYSERR_ALLOCATED:
        return "The device is in use or cannot be opened.";
    case MMSYSERR_INVALHANDLE:
        return "The device handle is not valid.";
    case MMSYSERR_NODRIVER:
        return "No sound device is available.";
    case MMSYSERR_NOMEM:
        return "There is not enough memory for the operation.";
    case MMSYSERR_INVALFLAG:
        return "An invalid flag was given.";
    case MMSYSERR_INVALPARAM:
        return "An invalid parameter was given.";
    case WAVERR_BADFORMAT:
        return "The wave format is not supported.";
    case WAVERR_STILLPLAYING:
        return "The buffer is still queued on the device.";
    case WAVERR_UNPREPARED:
        return "The buffer header has not been prepared.";
    case MIXERR_INVALLINE:
        return "The mixer line is not valid.";
    case MIXERR_INVALCONTROL:
        return "The mixer control is not valid.";
    default:
        return nullptr;
    }
}

MMRESULT GetErrorText(MMRESULT error, char* text, std::uint32_t size) {
    if (text == nullptr || size == 0)
        return MMSYSERR_INVALPARAM;
    const char* message = ErrorText(error);
    if (message == nullptr) {
        text[0] = '\0';
        return MMSYSERR_BADERRNUM;
    }
    const std::size_t length = std::min<std::size_t>(std::strlen(message), size - 1);
    std::memcpy(text, message, length);
    text[length] = '\0';
    return MMSYSERR_NOERROR;
}

std::uint32_t CountDevices(bool capture) {
    if (!HoldAudio())
        return 0;
    const int count = Sdl().GetNumAudioDevices(capture ? 1 : 0);
    ReleaseAudio();
    return count > 0 ? static_cast<std::uint32_t>(count) : 0;
}

} // namespace

void SilenceAudioLibraryErrors() {
    static const bool done = [] {
        snd_lib_error_set_handler(QuietAlsaHandler);
        return true;
    }();
    (void)done;
}

bool HoldAudio() {
    return Session().Hold();
}

void ReleaseAudio() {
    Session().Release();
}

bool AudioRunning() {
    return Session().Running();
}

void SetAudioLinger(std::uint32_t milliseconds) {
    Session().SetLinger(std::chrono::milliseconds(milliseconds));
}

std::uint32_t waveInGetNumDevs() {
    return CountDevices(true);
}

MMRESULT waveInOpen(HWAVEIN* handle, std::int32_t deviceId, const WAVEFORMATEX* format,
                    WAVECALLBACK callback, std::uintptr_t instance, std::uint32_t flags) {
    return Open(true, handle, deviceId, format, callback, instance, flags);
}

MMRESULT waveInPrepareHeader(HWAVEIN handle, WAVEHDR* header, std::uint32_t) {
    return Prepare(handle, header, true);
}

MMRESULT waveInUnprepareHeader(HWAVEIN handle, WAVEHDR* header, std::uint32_t) {
    return Prepare(handle, header, false);
}

MMRESULT waveInAddBuffer(HWAVEIN handle, WAVEHDR* header, std::uint32_t) {
    return Enqueue(handle, header, true);
}

MMRESULT waveInStart(HWAVEIN handle) {
    if (!IsLive(handle) || !handle->Capture)
        return MMSYSERR_INVALHANDLE;
    Sdl().PauseAudioDevice(handle->Id, 0);
    return MMSYSERR_NOERROR;
}

MMRESULT waveInReset(HWAVEIN handle) {
    return Reset(handle, true);
}

MMRESULT waveInClose(HWAVEIN handle) {
    return Close(handle, true);
}

MMRESULT waveInGetErrorText(MMRESULT error, char* text, std::uint32_t size) {
    return GetErrorText(error, text, size);
}

std::uint32_t waveOutGetNumDevs() {
    return CountDevices(false);
}

MMRESULT waveOutOpen(HWAVEOUT* handle, std::int32_t deviceId, const WAVEFORMATEX* format,
                     WAVECALLBACK callback, std::uintptr_t instance, std::uint32_t flags) {
    return Open(false, handle, deviceId, format, callback, instance, flags);
}

MMRESULT waveOutPrepareHeader(HWAVEOUT handle, WAVEHDR* header, std::uint32_t) {
    return Prepare(handle, header, true);
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT handle, WAVEHDR* header, std::uint32_t) {
    return Prepare(handle, header, false);
}

MMRESULT waveOutWrite(HWAVEOUT handle, WAVEHDR* header, std::uint32_t) {
    return Enqueue(handle, header, false);
}

MMRESULT waveOutReset(HWAVEOUT handle) {
    return Reset(handle, false);
}

MMRESULT waveOutClose(HWAVEOUT handle) {
    return Close(handle, false);
}

MMRESULT waveOutGetErrorText(MMRESULT error, char* text, std::uint32_t size) {
    return GetErrorText(error, text, size);
}

} // namespace platform
