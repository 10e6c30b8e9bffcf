#define MPEGDLL_DECLARE_ENTRIES
#include "mpegdll/mpegdll.h"
#include "platform/RegularFile.h"

#include <SDL.h>
#include <alsa/asoundlib.h>
#include <dlfcn.h>
#include <mpg123.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

using namespace mpegdll;

// The signatures the component binds to must be exactly those implemented here.
static_assert(std::is_same_v<decltype(&init), TMpegInitProc>);
static_assert(std::is_same_v<decltype(&Open), TMpegOpenProc>);
static_assert(std::is_same_v<decltype(&Play), TMpegPlayProc>);
static_assert(std::is_same_v<decltype(&SetOutputDevice), TMpegSetOutputDeviceProc>);
static_assert(std::is_same_v<decltype(&Seek), TMpegSeekProc>);

namespace {

using namespace std::chrono_literals;

// Input supplied by the host through its callbacks.
struct StreamSource {
    TMpegOpenStreamProc open = nullptr;
    TMpegCloseStreamProc close = nullptr;
    TMpegRestartStreamProc restart = nullptr;
    TMpegReadStreamProc read = nullptr;
    TMpegSeekStreamProc seek = nullptr;
    TMpegGetStreamSizeProc getSize = nullptr;
    void* userData = nullptr;
    void* context = nullptr;
    bool nonSeekable = false;
};

mpg123_ssize_t ReadSource(void* handle, void* buffer, size_t count) {
    auto* source = static_cast<StreamSource*>(handle);
    const auto wanted = static_cast<std::int32_t>(std::min<size_t>(count, 1 << 30));
    std::int32_t got = 0;
    bool ok = false;
    source->read(source->userData, source->context, buffer, wanted, &got, &ok);
    if (!ok || got < 0 || got > wanted)
        return -1;
    return got;
}

off_t SeekSource(void* handle, off_t offset, int whence) {
    auto* source = static_cast<StreamSource*>(handle);
    if (source->nonSeekable || offset > INT32_MAX || offset < INT32_MIN)
        return -1;
    std::int32_t result = -1;
    source->seek(source->userData, source->context, static_cast<std::int32_t>(offset), whence,
                 &result);
    return result;
}

// Without a sound card ALSA prints its probing failures on stderr.
void SilentAlsaError(const char*, int, const char*, int, const char*, ...) {}

// Thread priority levels as the host knows them, mapped onto nice values.
// Raising priority needs privileges; a refusal leaves the thread as it is.
int NiceForPriority(std::int32_t priority) {
    if (priority <= -15)
        return 19;
    if (priority <= -2)
        return 10;
    if (priority == -1)
        return 5;
    if (priority == 0)
        return 0;
    if (priority == 1)
        return -5;
    if (priority < 15)
        return -10;
    return -20;
}

class Player {
public:
    ~Player() {
        CloseStream();
        QuitAudio();
    }

    std::mutex& Mutex() { return apiMutex_; }
    void ClearError() { lastError_ = ErrorNone; }
    std::int32_t LastErrorCode() const { return lastError_; }

    std::int32_t Init() {
        // The sound system stays loaded once this library has used it: its
        // hints live until the process ends, and unloading it with this
        // library would drop them (and load it afresh for every word).
        static void* const pinned =
            dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        static_cast<void>(pinned);
        snd_lib_error_set_handler(SilentAlsaError);
        mpg123_init();
        initialised_ = true;
        return 1;
    }

    std::int32_t Deinit() {
        CloseStream();
        QuitAudio();
        initialised_ = false;
        return 0;
    }

    std::int32_t OpenStream(const char* fileName, bool fromStream, const StreamSource& source) {
        if (!initialised_)
            return Fail(ErrorMode);
        CloseStream();
        int error = MPG123_OK;
        decoder_ = mpg123_new(nullptr, &error);
        if (decoder_ == nullptr)
            return Fail(ErrorDecoder);
        mpg123_param(decoder_, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
        // Always 16-bit output at the stream's own rate and channel count.
        mpg123_format_none(decoder_);
        const long* rates = nullptr;
        size_t rateCount = 0;
        mpg123_rates(&rates, &rateCount);
        for (size_t i = 0; i < rateCount; ++i)
            mpg123_format(decoder_, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);

        bool opened = false;
        if (fromStream) {
            if (!source.open || !source.close || !source.restart || !source.read || !source.seek ||
                !source.getSize) {
                DropDecoder();
                return Fail(ErrorInput);
            }
            source_ = source;
            source_.open(source_.userData, &source_.nonSeekable, &source_.context);
            fromStream_ = true;
            opened = mpg123_replace_reader_handle(decoder_, ReadSource, SeekSource, nullptr) ==
                         MPG123_OK &&
                     mpg123_open_handle(decoder_, &source_) == MPG123_OK;
            if (opened && !source_.nonSeekable) {
                std::int32_t size = -1;
                source_.getSize(source_.userData, source_.context, &size);
                if (size > 0)
                    mpg123_set_filesize(decoder_, size);
            }
        } else {
            opened = fileName != nullptr && OpenFile(fileName);
        }
        seekable_ = !(fromStream_ && source_.nonSeekable);
        int encoding = 0;
        if (!opened || mpg123_getformat(decoder_, &rate_, &channels_, &encoding) != MPG123_OK ||
            rate_ <= 0 || channels_ <= 0) {
            CloseStream();
            return Fail(ErrorInput);
        }
        // A full scan gives the exact length of files without a length tag;
        // it disturbs the decoder, so the first Play starts afresh.
        if (seekable_)
            mpg123_scan(decoder_);
        const off_t length = mpg123_length(decoder_);
        totalFrames_ = length > 0 ? length : 0;
        mpg123_frameinfo info{};
        if (mpg123_info(decoder_, &info) == MPG123_OK) {
            bitrate_ = info.bitrate;
            layer_ = info.layer;
        }
        played_ = false;
        consumed_ = seekable_;
        firstFrame_ = 0;
        framesOut_ = 0;
        mode_ = ModeOpened;
        return 0;
    }

    std::int32_t CloseStream() {
        StopPlayback();
        DropDecoder();
        if (fromStream_)
            source_.close(source_.userData, source_.context);
        fromStream_ = false;
        source_ = {};
        rate_ = 0;
        channels_ = 0;
        bitrate_ = 0;
        layer_ = 0;
        totalFrames_ = 0;
        played_ = false;
        mode_ = ModeClosed;
        return 0;
    }

    std::int32_t SetOutput(std::int32_t device, const char* fileName) {
        if (device != DeviceDefault && device != DevicePcmFile)
            return Fail(ErrorOutput);
        deviceCode_ = device;
        outFileName_ = fileName != nullptr ? fileName : "";
        return 0;
    }

    std::int32_t SetThreadPriority(std::int32_t priority) {
        priority_ = priority;
        if (const pid_t id = threadId_; id != 0)
            setpriority(PRIO_PROCESS, static_cast<id_t>(id), NiceForPriority(priority));
        return 0;
    }

    std::int32_t StartPlaying(std::int32_t startPos, std::int32_t endPos,
                              std::atomic<std::uint8_t>* ended) {
        if (decoder_ == nullptr || mode_ == ModePlaying || mode_ == ModePaused)
            return Fail(ErrorMode);
        startPos_ = std::max(startPos, 0);
        endPos_ = endPos;
        ended_ = ended;
        played_ = true;
        return StartPlayback();
    }

    std::int32_t Replay() {
        if (decoder_ == nullptr || !played_)
            return Fail(ErrorMode);
        return StartPlayback();
    }

    std::int32_t StopPlaying() {
        if (mode_ != ModePlaying && mode_ != ModePaused)
            return Fail(ErrorMode);
        StopPlayback();
        mode_ = ModeOpened;
        return 0;
    }

    std::int32_t SetPaused(bool pause) {
        std::lock_guard lock(stateMutex_);
        const std::int32_t mode = mode_;
        if (mode != ModePlaying && mode != ModePaused)
            return Fail(ErrorMode);
        if (!pause && mode == ModePaused) {
            paused_ = false;
            mode_ = ModePlaying;
            if (device_ != 0)
                SDL_PauseAudioDevice(device_, 0);
            wake_.notify_all();
        } else if (pause && mode == ModePlaying) {
            paused_ = true;
            mode_ = ModePaused;
            if (device_ != 0)
                SDL_PauseAudioDevice(device_, 1);
        }
        return 0;
    }

    std::int32_t SeekTo(std::int32_t pos) {
        if (decoder_ == nullptr)
            return Fail(ErrorMode);
        if (!seekable_)
            return Fail(ErrorNonSeekable);
        const bool running = mode_ == ModePlaying || mode_ == ModePaused;
        if (running) {
            JoinThread();
            if (device_ != 0)
                SDL_ClearQueuedAudio(device_);
        }
        const std::int64_t frame = FramesOf(std::max(pos, 0));
        if (mpg123_seek(decoder_, frame, SEEK_SET) < 0)
            return Fail(ErrorDecoder);
        firstFrame_ = frame;
        framesOut_ = 0;
        if (running)
            thread_ = std::thread([this] { PlayLoop(); });
        return 0;
    }

    std::int32_t Mode() const { return mode_; }

    std::int32_t ResetMode() {
        if (mode_ == ModeEnded)
            mode_ = ModeOpened;
        return mode_;
    }

    std::int32_t CurrentPos() {
        if (decoder_ == nullptr || rate_ <= 0)
            return 0;
        std::lock_guard lock(stateMutex_);
        std::int64_t frames = framesOut_;
        if (device_ != 0)
            frames -= SDL_GetQueuedAudioSize(device_) / FrameBytes();
        return Milliseconds(firstFrame_ + std::max<std::int64_t>(frames, 0));
    }

    std::int32_t Length() const { return rate_ > 0 ? Milliseconds(totalFrames_) : 0; }
    std::int32_t Frequency() const { return static_cast<std::int32_t>(rate_); }
    std::int32_t Bitrate() const { return bitrate_; }
    std::int32_t Layer() const { return layer_; }

private:
    std::int32_t Fail(std::int32_t code) {
        lastError_ = code;
        return -1;
    }

    int FrameBytes() const { return 2 * channels_; }
    std::int64_t FramesOf(std::int32_t ms) const { return std::int64_t{ms} * rate_ / 1000; }
    std::int32_t Milliseconds(std::int64_t frames) const {
        return static_cast<std::int32_t>(frames * 1000 / rate_);
    }

    void DropDecoder() {
        if (decoder_ != nullptr) {
            mpg123_close(decoder_);
            mpg123_delete(decoder_);
            decoder_ = nullptr;
        }
        CloseFile();
    }

    void QuitAudio() {
        ReleaseAudio();
        // The handler lives in this library, which may be unloaded before ALSA.
        if (initialised_)
            snd_lib_error_set_handler(nullptr);
    }

    // The sound system is started for a device and stopped with it, unless
    // the host already runs it: an idle library must not keep it awake.
    bool StartAudio() {
        if (SDL_WasInit(SDL_INIT_AUDIO) != 0)
            return true;
        // The host program keeps its own SIGINT and SIGTERM handling.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        audioStarted_ = true;
        return true;
    }

    void ReleaseAudio() {
        if (audioStarted_) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            audioStarted_ = false;
        }
    }

    // Playing again reopens the input rather than seeking back: a decoder
    // started afresh gives exactly the samples of the first run. A
    // non-seekable stream is rewound by its host.
    bool Rewind() {
        if (fromStream_) {
            if (source_.nonSeekable) {
                bool ok = false;
                source_.restart(source_.userData, source_.context, &ok);
                if (!ok)
                    return false;
            } else if (SeekSource(&source_, 0, SEEK_SET) != 0) {
                return false;
            }
            mpg123_close(decoder_);
            return mpg123_open_handle(decoder_, &source_) == MPG123_OK;
        }
        mpg123_close(decoder_);
        return ::lseek(file_, 0, SEEK_SET) == 0 && mpg123_open_fd(decoder_, file_) == MPG123_OK;
    }

    // The decoder reads the file through a descriptor of ours: opening it by
    // name would wait for the writer of a named pipe.
    bool OpenFile(const char* fileName) {
        if (platform::OpenRegularFile(fileName, platform::TOpenPurpose::Reading, file_).Ok() &&
            mpg123_open_fd(decoder_, file_) == MPG123_OK) {
            return true;
        }
        CloseFile();
        return false;
    }

    void CloseFile() {
        if (file_ >= 0) {
            ::close(file_);
            file_ = -1;
        }
    }

    bool OpenDevice() {
        if (!StartAudio())
            return false;
        SDL_AudioSpec wanted{};
        wanted.freq = static_cast<int>(rate_);
        wanted.format = AUDIO_S16SYS;
        wanted.channels = static_cast<Uint8>(channels_);
        wanted.samples = 512;
        SDL_AudioSpec obtained{};
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (device_ == 0) {
            ReleaseAudio();
            return false;
        }
        deviceBufferFrames_ = obtained.samples;
        return true;
    }

    std::int32_t StartPlayback() {
        StopPlayback();
        if (ended_ != nullptr)
            ended_->store(0);
        const std::int64_t first = FramesOf(startPos_);
        if (consumed_ && !Rewind())
            return Fail(ErrorInput);
        // Forward seeks work on non-seekable streams too, by reading ahead.
        if (first > 0 && mpg123_seek(decoder_, first, SEEK_SET) < 0)
            return Fail(seekable_ ? ErrorDecoder : ErrorNonSeekable);
        lastFrame_ = endPos_ > startPos_ ? FramesOf(endPos_) : -1;
        if (deviceCode_ == DeviceDefault) {
            if (!OpenDevice())
                return Fail(ErrorOutput);
        } else {
            pcm_ = std::fopen(outFileName_.c_str(), "wb");
            if (pcm_ == nullptr)
                return Fail(ErrorOutput);
        }
        firstFrame_ = first;
        framesOut_ = 0;
        consumed_ = true;
        mode_ = ModePlaying;
        thread_ = std::thread([this] { PlayLoop(); });
        return 0;
    }

    void JoinThread() {
        if (!thread_.joinable())
            return;
        {
            std::lock_guard lock(stateMutex_);
            stopRequested_ = true;
        }
        wake_.notify_all();
        thread_.join();
        std::lock_guard lock(stateMutex_);
        stopRequested_ = false;
    }

    void StopPlayback() {
        JoinThread();
        paused_ = false;
        threadId_ = 0;
        if (device_ != 0) {
            SDL_CloseAudioDevice(device_);
            device_ = 0;
            ReleaseAudio();
        }
        if (pcm_ != nullptr) {
            std::fclose(pcm_);
            pcm_ = nullptr;
        }
    }

    // Waits up to the given time; true when the playback is being stopped.
    template <typename Duration> bool WaitFor(Duration duration) {
        std::unique_lock lock(stateMutex_);
        return wake_.wait_for(lock, duration, [this] { return stopRequested_; });
    }

    void PlayLoop() {
        threadId_ = static_cast<pid_t>(syscall(SYS_gettid));
        setpriority(PRIO_PROCESS, static_cast<id_t>(threadId_.load()), NiceForPriority(priority_));
        const int frameBytes = FrameBytes();
        // Half a second of sound queued ahead rides out scheduling delays.
        const Uint32 queueAhead = static_cast<Uint32>(rate_ * frameBytes / 2);
        std::vector<unsigned char> buffer(16384);
        bool deviceStarted = false;
        bool finished = false;
        while (!finished) {
            {
                std::unique_lock lock(stateMutex_);
                wake_.wait(lock, [this] { return stopRequested_ || !paused_; });
                if (stopRequested_)
                    return;
            }
            if (device_ != 0 && SDL_GetQueuedAudioSize(device_) > queueAhead) {
                if (WaitFor(20ms))
                    return;
                continue;
            }
            size_t done = 0;
            const int result = mpg123_read(decoder_, buffer.data(), buffer.size(), &done);
            finished = result != MPG123_OK && result != MPG123_NEW_FORMAT;
            if (lastFrame_ >= 0) {
                const std::int64_t left = lastFrame_ - firstFrame_ - framesOut_;
                if (static_cast<std::int64_t>(done / frameBytes) >= left) {
                    done = static_cast<size_t>(std::max<std::int64_t>(left, 0)) * frameBytes;
                    finished = true;
                }
            }
            if (done > 0) {
                // Counted together with the queue, so positions never jump.
                std::lock_guard lock(stateMutex_);
                if (!Output(buffer.data(), done))
                    finished = true;
                framesOut_ += static_cast<std::int64_t>(done / frameBytes);
            }
            // Starting the device once sound is queued keeps it from running
            // dry at the start.
            if (device_ != 0 && !deviceStarted && (done > 0 || finished)) {
                std::lock_guard lock(stateMutex_);
                if (!paused_)
                    SDL_PauseAudioDevice(device_, 0);
                deviceStarted = true;
            }
        }
        if (device_ != 0) {
            while (SDL_GetQueuedAudioSize(device_) > 0) {
                if (WaitFor(5ms))
                    return;
            }
            // The last buffer handed to the device still has to sound.
            const auto tail = std::chrono::milliseconds(deviceBufferFrames_ * 1000 / rate_ + 10);
            if (WaitFor(tail))
                return;
            SDL_PauseAudioDevice(device_, 1);
        }
        if (pcm_ != nullptr) {
            std::fclose(pcm_);
            pcm_ = nullptr;
        }
        std::lock_guard lock(stateMutex_);
        if (stopRequested_)
            return;
        mode_ = ModeEnded;
        if (ended_ != nullptr)
            ended_->store(1);
    }

    bool Output(const unsigned char* data, size_t size) {
        if (device_ != 0)
            return SDL_QueueAudio(device_, data, static_cast<Uint32>(size)) == 0;
        return std::fwrite(data, 1, size, pcm_) == size;
    }

    std::mutex apiMutex_;
    std::atomic<std::int32_t> lastError_{ErrorNone};
    bool initialised_ = false;
    bool audioStarted_ = false;

    mpg123_handle* decoder_ = nullptr;
    int file_ = -1;
    bool fromStream_ = false;
    StreamSource source_;
    bool seekable_ = true;
    bool consumed_ = false;
    long rate_ = 0;
    int channels_ = 0;
    std::int32_t bitrate_ = 0;
    std::int32_t layer_ = 0;
    std::int64_t totalFrames_ = 0;

    std::int32_t deviceCode_ = DeviceDefault;
    std::string outFileName_;
    std::atomic<std::int32_t> priority_{0};

    bool played_ = false;
    std::int32_t startPos_ = 0;
    std::int32_t endPos_ = 0;
    std::atomic<std::uint8_t>* ended_ = nullptr;

    // Playback: the play thread owns the decoder while it runs; the entries
    // join it before touching the decoder again.
    std::thread thread_;
    std::atomic<pid_t> threadId_{0};
    std::mutex stateMutex_;
    std::condition_variable wake_;
    bool stopRequested_ = false;
    bool paused_ = false;
    std::atomic<std::int32_t> mode_{ModeClosed};
    SDL_AudioDeviceID device_ = 0;
    Uint32 deviceBufferFrames_ = 0;
    std::FILE* pcm_ = nullptr;
    std::int64_t lastFrame_ = -1;
    std::atomic<std::int64_t> firstFrame_{0};
    std::atomic<std::int64_t> framesOut_{0};
};

Player& ThePlayer() {
    static Player player;
    return player;
}

// Every entry but LastError runs under the one lock and starts with a clean
// error code.
template <typename Action> std::int32_t Entry(Action action) {
    Player& player = ThePlayer();
    std::lock_guard lock(player.Mutex());
    player.ClearError();
    return action(player);
}

} // namespace

extern "C" {

std::int32_t init() {
    return Entry([](Player& p) { return p.Init(); });
}

std::int32_t deinit() {
    return Entry([](Player& p) { return p.Deinit(); });
}

std::int32_t Open(const char* fileName, std::int32_t fromStream, TMpegOpenStreamProc openStream,
                  TMpegCloseStreamProc closeStream, TMpegRestartStreamProc restartStream,
                  TMpegReadStreamProc readStream, TMpegSeekStreamProc seekStream,
                  TMpegGetStreamSizeProc getStreamSize, void* userData) {
    const StreamSource source{openStream,    closeStream, restartStream, readStream, seekStream,
                              getStreamSize, userData,    nullptr,       false};
    return Entry([&](Player& p) { return p.OpenStream(fileName, fromStream != 0, source); });
}

std::int32_t Pause(std::int32_t resume) {
    return Entry([=](Player& p) { return p.SetPaused(resume == 0); });
}

std::int32_t Stop() {
    return Entry([](Player& p) { return p.StopPlaying(); });
}

std::int32_t Play(std::int32_t startPos, std::int32_t endPos, std::atomic<std::uint8_t>* ended) {
    return Entry([=](Player& p) { return p.StartPlaying(startPos, endPos, ended); });
}

std::int32_t Restart() {
    return Entry([](Player& p) { return p.Replay(); });
}

std::int32_t SetPriority(std::int32_t priority) {
    return Entry([=](Player& p) { return p.SetThreadPriority(priority); });
}

std::int32_t SetOutputDevice(std::int32_t device, const char* fileName) {
    return Entry([=](Player& p) { return p.SetOutput(device, fileName); });
}

std::int32_t Close() {
    return Entry([](Player& p) { return p.CloseStream(); });
}

std::int32_t GetPlayerMode() {
    return Entry([](Player& p) { return p.Mode(); });
}

std::int32_t GetCurrentPos() {
    return Entry([](Player& p) { return p.CurrentPos(); });
}

std::int32_t GetLength() {
    return Entry([](Player& p) { return p.Length(); });
}

std::int32_t LastError() {
    return ThePlayer().LastErrorCode();
}

std::int32_t GetFrequency() {
    return Entry([](Player& p) { return p.Frequency(); });
}

std::int32_t GetBitrate() {
    return Entry([](Player& p) { return p.Bitrate(); });
}

std::int32_t GetLayer() {
    return Entry([](Player& p) { return p.Layer(); });
}

std::int32_t ResetPlayerMode() {
    return Entry([](Player& p) { return p.ResetMode(); });
}

std::int32_t Seek(std::int32_t pos) {
    return Entry([=](Player& p) { return p.SeekTo(pos); });
}

} // extern "C"
