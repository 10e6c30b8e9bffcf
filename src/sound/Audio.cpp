#include "sound/Audio.h"

#include "sound/MessageWindow.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <thread>

namespace sound {

namespace {

// A device that never reports closing must not hang its host.
void WaitUntilInactive(const std::atomic<bool>& active) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (active && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (active)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

std::int32_t StreamSize(platform::TStream* stream) {
    const std::int32_t position = stream->Seek(0, 1);
    const std::int32_t size = stream->Seek(0, 2);
    stream->Seek(position, 0);
    return size;
}

} // namespace

bool DeletePlayFile(const std::filesystem::path& file) {
    return std::remove(file.c_str()) == 0;
}

// ---- TAudioSettings

TAudioSettings::TAudioSettings(TAudio& owner) : Owner(owner) {}

TAudioSettings::~TAudioSettings() = default;

void TAudioSettings::BuildFormat() {
    const std::uint16_t channels = ChannelMode == TChannels::Stereo ? 2 : 1;
    const std::uint16_t bits = Bits == TBPS::_16 ? 16 : 8;
    Format = platform::WAVEFORMATEX{};
    Format.wFormatTag = platform::WAVE_FORMAT_PCM;
    Format.nChannels = channels;
    Format.nSamplesPerSec = Rate;
    Format.wBitsPerSample = bits;
    Format.nBlockAlign = static_cast<std::uint16_t>(bits == 16 ? channels * 2 : channels);
    Format.nAvgBytesPerSec = static_cast<std::uint32_t>(Rate) * Format.nBlockAlign;
    Format.cbSize = 0;
    Bytes = static_cast<std::uint32_t>(SamplesPerBuffer) * Format.nBlockAlign;
}

bool TAudioSettings::AllocateBuffers() {
    BuildFormat();
    for (int i = 0; i < BufferCount; ++i) {
        Headers[i].reset(new (std::nothrow) platform::WAVEHDR);
        if (Headers[i] == nullptr) {
            Owner.Message = "Not enough memory to allocate WaveHeader";
            ReleaseBuffers();
            return false;
        }
        Buffers[i].reset(new (std::nothrow) char[Bytes]);
        SplitBuffers[i].reset(new (std::nothrow) char[Bytes / 2 + 1]);
        if (Buffers[i] == nullptr || SplitBuffers[i] == nullptr) {
            Owner.Message = "Not enough memory to allocate Wave Buffer";
            ReleaseBuffers();
            return false;
        }
        Headers[i]->lpData = Buffers[i].get();
        Headers[i]->dwBufferLength = Bytes;
    }
    return true;
}

void TAudioSettings::ReleaseBuffers() {
    for (int i = 0; i < BufferCount; ++i) {
        Headers[i].reset();
        Buffers[i].reset();
        SplitBuffers[i].reset();
    }
}

void TAudioSettings::ResetHeaders() {
    for (int i = 0; i < BufferCount; ++i) {
        *Headers[i] = platform::WAVEHDR{};
        Headers[i]->lpData = Buffers[i].get();
        Headers[i]->dwBufferLength = Bytes;
    }
}

void TAudioSettings::SetError(const std::string& message, platform::MMRESULT code) {
    char text[platform::MAXERRORLENGTH] = {};
    platform::waveOutGetErrorText(code, text, sizeof text);
    std::string result = message;
    if (text[0] != '\0') {
        if (result.empty() || result.back() != ' ')
            result += ' ';
        result += text;
    }
    Owner.Message = result;
}

void TAudioSettings::Reallocate() {
    if (Open)
        StopDevice();
    // The buffers are made again when a device is next opened.
    ReleaseBuffers();
    BuildFormat();
}

void TAudioSettings::StoreBitsPerSample(TBPS value) {
    if (Bits == value)
        return;
    Bits = value;
    Reallocate();
}

void TAudioSettings::StoreChannels(TChannels value) {
    if (ChannelMode == value)
        return;
    ChannelMode = value;
    Reallocate();
}

void TAudioSettings::StoreSampleRate(std::uint16_t value) {
    if (Rate == value)
        return;
    Rate = value;
    Reallocate();
}

void TAudioSettings::StoreSamplesPerBuffer(std::uint16_t value) {
    if (SamplesPerBuffer == value)
        return;
    SamplesPerBuffer = value;
    Reallocate();
}

void TAudioSettings::SetBitsPerSample(TBPS value) {
    if (Owner.SeparateCtrls()) {
        StoreBitsPerSample(value);
        return;
    }
    Owner.Recorder.StoreBitsPerSample(value);
    Owner.Player.StoreBitsPerSample(value);
}

void TAudioSettings::SetChannels(TChannels value) {
    if (Owner.SeparateCtrls()) {
        StoreChannels(value);
    } else {
        Owner.Recorder.StoreChannels(value);
        Owner.Player.StoreChannels(value);
    }
    Owner.Recorder.SetSplitChannels(Owner.Recorder.SplitChannels());
}

void TAudioSettings::SetSampleRate(std::uint16_t value) {
    if (Owner.SeparateCtrls()) {
        StoreSampleRate(value);
        return;
    }
    Owner.Recorder.StoreSampleRate(value);
    Owner.Player.StoreSampleRate(value);
}

// ---- TRecorder

TRecorder::TRecorder(TAudio& owner)
    : TAudioSettings(owner), AddBufferWindow(std::make_unique<TMessageWindow>(
                                 [this](std::uintptr_t session, std::uintptr_t) {
                                     if (Open && session == Session)
                                         AddBuffer();
                                 })) {}

TRecorder::~TRecorder() = default;

void TRecorder::SetNoSamples(std::uint16_t value) {
    Owner.Recorder.StoreSamplesPerBuffer(value);
    Owner.Player.StoreSamplesPerBuffer(value);
}

void TRecorder::SetSplitChannels(bool value) {
    Split = value && ChannelMode == TChannels::Stereo;
}

bool TRecorder::Start() {
    if (!HasBuffers() && !AllocateBuffers())
        return false;
    if (Open) {
        // Four buffers are already with the device: only restart it.
        const platform::MMRESULT result = platform::waveInStart(Handle);
        if (result != platform::MMSYSERR_NOERROR) {
            SetError("Error starting wave record: ", result);
            CloseDevice();
            return false;
        }
        return true;
    }
    QueueIndex = 0;
    CurrentIndex = 0;
    ++Session;
    platform::MMRESULT result = platform::waveInOpen(
        &Handle, Owner.AudioDeviceID(), &Format, WaveInProc, reinterpret_cast<std::uintptr_t>(this),
        platform::CALLBACK_FUNCTION | platform::WAVE_ALLOWSYNC);
    if (result != platform::MMSYSERR_NOERROR) {
        Handle = nullptr;
        SetError("Could not open the input device for recording: ", result);
        return false;
    }
    Open = true;
    ResetHeaders();
    for (auto& header : Headers) {
        result = platform::waveInPrepareHeader(Handle, header.get(), sizeof(platform::WAVEHDR));
        if (result != platform::MMSYSERR_NOERROR) {
            CloseDevice();
            SetError("Error preparing header for recording: ", result);
            return false;
        }
    }
    if (!AddBuffer()) {
        Owner.Message = "Error adding next input buffer";
        return false;
    }
    result = platform::waveInStart(Handle);
    if (result != platform::MMSYSERR_NOERROR) {
        SetError("Error starting wave record: ", result);
        CloseDevice();
        return false;
    }
    for (int i = 1; i < BufferCount; ++i) {
        if (!AddBuffer()) {
            Owner.Message = "Error adding next input buffer";
            return false;
        }
    }
    return true;
}

bool TRecorder::AddBuffer() {
    const platform::MMRESULT result =
        platform::waveInAddBuffer(Handle, Headers[QueueIndex].get(), sizeof(platform::WAVEHDR));
    if (result != platform::MMSYSERR_NOERROR) {
        Stop();
        SetError("Error adding input buffer", result);
        return false;
    }
    QueueIndex = (QueueIndex + 1) % BufferCount;
    return true;
}

bool TRecorder::Stop() {
    ActiveFlag = false;
    const bool closed = CloseDevice();
    WaitUntilInactive(ActiveFlag);
    return closed;
}

void TRecorder::StopDevice() {
    Stop();
}

bool TRecorder::CloseDevice() {
    if (!Open) {
        Owner.Message = "Recorder already closed";
        return true;
    }
    bool ok = true;
    platform::MMRESULT result = platform::waveInReset(Handle);
    if (result != platform::MMSYSERR_NOERROR) {
        SetError("Error in waveInReset", result);
        ok = false;
    }
    for (auto& header : Headers) {
        result = platform::waveInUnprepareHeader(Handle, header.get(), sizeof(platform::WAVEHDR));
        if (result != platform::MMSYSERR_NOERROR) {
            SetError("Error in waveInUnprepareHeader", result);
            ok = false;
        }
    }
    result = platform::waveInClose(Handle);
    if (result != platform::MMSYSERR_NOERROR) {
        SetError("Error closing input device", result);
        ok = false;
    }
    Open = false;
    Handle = nullptr;
    return ok;
}

void TRecorder::WaveInProc(platform::WaveDevice*, std::uint32_t msg, std::uintptr_t instance,
                           std::uintptr_t, std::uintptr_t) {
    auto* self = reinterpret_cast<TRecorder*>(instance);
    if (msg == platform::WIM_OPEN)
        self->ActiveFlag = true;
    else if (msg == platform::WIM_CLOSE)
        self->ActiveFlag = false;
    else if (msg == platform::WIM_DATA && self->ActiveFlag)
        self->HandleData();
}

bool TRecorder::PassesTrigger(const char* data, std::uint32_t count) {
    if (IsTriggered)
        return true;
    if (count == 0)
        return false;
    if (Bits == TBPS::_16) {
        for (std::uint32_t i = 0; i + 1 < count; i += 2) {
            std::int16_t sample = 0;
            std::memcpy(&sample, data + i, 2);
            if (sample >= static_cast<std::int32_t>(Level)) {
                IsTriggered = true;
                return true;
            }
        }
    } else {
        for (std::uint32_t i = 0; i < count; ++i) {
            if (static_cast<std::uint8_t>(data[i]) >= Level) {
                IsTriggered = true;
                return true;
            }
        }
    }
    return false;
}

void TRecorder::HandleData() {
    const int index = CurrentIndex % BufferCount;
    char* data = Buffers[index].get();
    char* split = SplitBuffers[index].get();
    const std::uint32_t count = Headers[index]->dwBytesRecorded;

    if (PassesTrigger(data, count) && Owner.OnRecord) {
        if (Split) {
            // Left samples are packed into the front of the data buffer, right
            // samples into the split buffer.
            const std::uint32_t sampleBytes = Bits == TBPS::_16 ? 2 : 1;
            const std::uint32_t frames = count / (2 * sampleBytes);
            for (std::uint32_t i = 0; i < frames; ++i) {
                std::memcpy(split + i * sampleBytes, data + (2 * i + 1) * sampleBytes, sampleBytes);
                std::memmove(data + i * sampleBytes, data + 2 * i * sampleBytes, sampleBytes);
            }
            Owner.OnRecord(this, data, split, count / 2);
        } else {
            Owner.OnRecord(this, data, nullptr, count);
        }
    }
    if (count > 0) {
        AddBufferWindow->Post(Session);
        CurrentIndex = (index + 1) % BufferCount;
    }
}

// ---- TPlayer

TPlayer::TPlayer(TAudio& owner)
    : TAudioSettings(owner),
      QueueWindow(std::make_unique<TMessageWindow>([this](std::uintptr_t session, std::uintptr_t) {
          if (Open && session == Session)
              QueueBuffer();
      })),
      FinishedWindow(
          std::make_unique<TMessageWindow>([this](std::uintptr_t session, std::uintptr_t) {
              if (session == Session)
                  FinishPlaying();
          })) {}

TPlayer::~TPlayer() = default;

bool TPlayer::Play(platform::TStream* left, platform::TStream* right, std::uint16_t repeat) {
    PlayFileResult = {};
    if (!HasBuffers() && !AllocateBuffers())
        return false;
    const bool openedNow = !Open;
    if (!Open) {
        QueueIndex = 0;
        QueuedCount = 0;
        CurrentIndex = 1;
        Finished = false;
        ++Session;
        const platform::MMRESULT result = platform::waveOutOpen(
            &Handle, Owner.AudioDeviceID(), &Format, WaveOutProc,
            reinterpret_cast<std::uintptr_t>(this), platform::CALLBACK_FUNCTION);
        if (result != platform::MMSYSERR_NOERROR) {
            Handle = nullptr;
            SetError("Could not open the output device for playing: ", result);
            return false;
        }
        Open = true;
        ResetHeaders();
    }
    if (left == nullptr || StreamSize(left) <= 0)
        return true;

    if (PlayFile == nullptr) {
        PlayFile = std::make_unique<platform::TFileStream>(Owner.PlayFile().string());
        if (!PlayFile->Valid()) {
            FailPlayFile(openedNow);
            return false;
        }
        RepeatCount = repeat;
        ReadPosition = 0;
    } else {
        PlayFile->Seek(0, 2);
    }
    if (!WriteToPlayFile(left, right)) {
        FailPlayFile(openedNow);
        return false;
    }
    if (ReadPosition == 0)
        for (int i = 0; i < BufferCount; ++i)
            QueueBuffer();
    return true;
}

void TPlayer::FailPlayFile(bool openedNow) {
    PlayFileResult = PlayFile->Result();
    if (PlayFileResult.Ok()) {
        // The system gave no reason: the file is still named.
        std::error_code ec;
        const std::filesystem::path file = std::filesystem::absolute(Owner.PlayFile(), ec);
        PlayFileResult =
            platform::TFileError{ec ? Owner.PlayFile() : file, platform::TFileOperation::Write};
    }
    PlayFile.reset();
    // Nothing went to a device opened for this sound, so nothing will come
    // back to close it.
    if (openedNow)
        CloseDevice();
    Owner.Message.clear();
}

bool TPlayer::WriteToPlayFile(platform::TStream* left, platform::TStream* right) {
    const std::int32_t size = StreamSize(left);
    if (ChannelMode == TChannels::Stereo && right != nullptr && StreamSize(right) == size) {
        left->Seek(0, 0);
        right->Seek(0, 0);
        const std::int32_t sampleBytes = Bits == TBPS::_16 ? 2 : 1;
        const std::int32_t pairs = size / sampleBytes;
        char block[1000];
        std::int32_t filled = 0;
        for (std::int32_t i = 0; i < pairs; ++i) {
            left->Read(block + filled, sampleBytes);
            right->Read(block + filled + sampleBytes, sampleBytes);
            filled += 2 * sampleBytes;
            if (filled == static_cast<std::int32_t>(sizeof block)) {
                if (PlayFile->Write(block, filled) != filled)
                    return false;
                filled = 0;
            }
        }
        if (filled > 0 && PlayFile->Write(block, filled) != filled)
            return false;
        return PlayFile->Seek(0, 1) >= 0;
    }
    left->Seek(0, 0);
    std::vector<char> chunk(65536);
    for (;;) {
        const std::int32_t count =
            left->Read(chunk.data(), static_cast<std::int32_t>(chunk.size()));
        if (count <= 0)
            break;
        if (PlayFile->Write(chunk.data(), count) != count)
            return false;
    }
    // Writes out what is still buffered, so that a full disk shows here.
    return PlayFile->Seek(0, 1) >= 0;
}

void TPlayer::QueueBuffer() {
    // Every slot still with the device: a returning buffer queues the next.
    if (PlayFile == nullptr || QueuedCount >= BufferCount)
        return;
    const int index = QueueIndex;
    char* data = Buffers[index].get();
    const auto capacity = static_cast<std::int32_t>(Bytes);
    // The file's own position is where appended sound goes: keep it.
    const std::int32_t appendPosition = PlayFile->Seek(0, 1);
    PlayFile->Seek(ReadPosition, 0);
    std::int32_t count = PlayFile->Read(data, capacity);
    if (count <= 0 && RepeatCount != 0) {
        --RepeatCount;
        PlayFile->Seek(0, 0);
        count = PlayFile->Read(data, capacity);
    }
    ReadPosition = PlayFile->Seek(0, 1);
    PlayFile->Seek(appendPosition, 0);
    if (count <= 0) {
        PlayFile.reset();
        return;
    }
    platform::WAVEHDR* header = Headers[index].get();
    header->dwBufferLength = static_cast<std::uint32_t>(count);
    platform::MMRESULT result =
        platform::waveOutPrepareHeader(Handle, header, sizeof(platform::WAVEHDR));
    // Counted before the device has it: it may come back at once.
    ++QueuedCount;
    if (result == platform::MMSYSERR_NOERROR)
        result = platform::waveOutWrite(Handle, header, sizeof(platform::WAVEHDR));
    if (result != platform::MMSYSERR_NOERROR) {
        --QueuedCount;
        SetError(" ", result);
        return;
    }
    QueueIndex = (index + 1) % BufferCount;
}

void TPlayer::WaveOutProc(platform::WaveDevice*, std::uint32_t msg, std::uintptr_t instance,
                          std::uintptr_t, std::uintptr_t) {
    auto* self = reinterpret_cast<TPlayer*>(instance);
    if (msg == platform::WOM_OPEN)
        self->ActiveFlag = true;
    else if (msg == platform::WOM_CLOSE)
        self->ActiveFlag = false;
    else if (msg == platform::WOM_DONE && self->ActiveFlag)
        self->HandleDone();
}

void TPlayer::HandleDone() {
    // The count of buffers with the device, not the slot indexes, tells the
    // last one: the indexes cannot tell four queued from none.
    if (QueuedCount.fetch_sub(1) > 1) {
        if (Owner.OnBufferPlayed)
            Owner.OnBufferPlayed(this);
        QueueWindow->Post(Session);
        CurrentIndex = (CurrentIndex + 1) % BufferCount;
    } else if (!Finished.exchange(true)) {
        FinishedWindow->Post(Session);
    }
}

void TPlayer::FinishPlaying() {
    if (!Open) {
        Owner.Message = "Player already closed";
        return;
    }
    // The device posts this when it has no buffer left. If this thread was
    // held up meanwhile, the queue-next messages posted before it have since
    // given the device more sound, or the file still has some: then the
    // device plays on, and its new last buffer posts another finish.
    Finished = false;
    for (int i = 0; i < BufferCount && PlayFile != nullptr; ++i)
        QueueBuffer();
    if (QueuedCount > 0)
        return;
    Finished = true;
    if (CloseDevice() && Owner.OnPlayed)
        Owner.OnPlayed(this);
}

bool TPlayer::CloseDevice() {
    for (auto& header : Headers) {
        const platform::MMRESULT result =
            platform::waveOutUnprepareHeader(Handle, header.get(), sizeof(platform::WAVEHDR));
        if (result != platform::MMSYSERR_NOERROR)
            SetError("Error unpreparing header for playing: ", result);
    }
    const platform::MMRESULT result = platform::waveOutClose(Handle);
    if (result != platform::MMSYSERR_NOERROR) {
        // Still busy: Stop resets the device and closes it.
        SetError("Error closing output device: ", result);
        return false;
    }
    Open = false;
    Handle = nullptr;
    PlayFile.reset();
    return true;
}

bool TPlayer::Stop() {
    if (!Open) {
        Owner.Message = "Player already closed";
        return true;
    }
    PlayFile.reset();
    Owner.Message.clear();
    bool ok = true;
    if (!Finished || QueuedCount > 0) {
        const platform::MMRESULT result = platform::waveOutReset(Handle);
        if (result != platform::MMSYSERR_NOERROR) {
            SetError("Error in waveOutReset", result);
            ok = false;
        }
    }
    // With nothing queued no buffer comes back to finish the playing.
    if (!Finished.exchange(true))
        FinishPlaying();
    WaitUntilInactive(ActiveFlag);
    if (Open) {
        // The device never reported closing: close it here.
        platform::waveOutReset(Handle);
        if (CloseDevice() && Owner.OnPlayed)
            Owner.OnPlayed(this);
    }
    return ok;
}

void TPlayer::StopDevice() {
    Stop();
}

// ---- TAudio

TAudio::TAudio(std::filesystem::path playFile)
    : PlayFilePath(std::move(playFile)), Recorder(*this), Player(*this), Mixer(*this) {
    // Asking for the wave devices would start the sound system, and opening
    // the mixer its watcher: the buffers are made when a part first opens
    // its device, the mixer is opened when it is first used.
    Recorder.BuildFormat();
    Player.BuildFormat();
}

TAudio::~TAudio() {
    Player.Stop();
    Recorder.Stop();
    Mixer.Close();
    Player.ReleaseBuffers();
    Recorder.ReleaseBuffers();
}

void TAudio::SetOnMixerChange(TNotifyMixerChange handler) {
    OnMixerChange = std::move(handler);
    Mixer.Opened();
}

void TAudio::SetAudioDeviceID(std::int32_t value) {
    DeviceId = value > 9 ? -1 : value;
    Recorder.Reallocate();
    Player.Reallocate();
}

} // namespace sound
