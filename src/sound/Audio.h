#pragma once

#include "platform/FileStream.h"
#include "platform/Mixer.h"
#include "platform/Stream.h"
#include "platform/Wave.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Records from the wave-input device and plays through the wave-output
// device, four buffers each way. Device notifications run on the audio
// thread; re-queueing and closing are posted to small receivers that live on
// the thread that created the component (the user-interface thread).
namespace sound {

enum class TBPS { _8, _16 };
enum class TChannels { Mono, Stereo };

class TAudio;
class TRecorder;
class TPlayer;
class TMessageWindow;

// LP holds the left (or only) channel, RP the right one or nullptr;
// BufferSize is the byte count of each.
using TNotifyAudioRecordEvent =
    std::function<void(TRecorder* Sender, void* LP, void* RP, std::uint32_t BufferSize)>;
using TNotifyBufferPlayedEvent = std::function<void(TPlayer* Sender)>;
using TNotifyPlayedEvent = std::function<void(TPlayer* Sender)>;
using TNotifyMixerChange =
    std::function<void(TAudio* Sender, std::uint16_t Destination, std::uint16_t Source)>;

constexpr int BufferCount = 4;

// Removes the player's file; true when it existed and was removed.
bool DeletePlayFile(const std::filesystem::path& file);

class TAudioSettings {
public:
    virtual ~TAudioSettings();
    TAudioSettings(const TAudioSettings&) = delete;
    TAudioSettings& operator=(const TAudioSettings&) = delete;

    TBPS BitsPerSample() const { return Bits; }
    void SetBitsPerSample(TBPS Value);
    TChannels Channels() const { return ChannelMode; }
    void SetChannels(TChannels Value);
    std::uint16_t SampleRate() const { return Rate; }
    void SetSampleRate(std::uint16_t Value);

    // Set when the device reports opening, cleared when it reports closing.
    bool Active() const { return ActiveFlag; }
    bool DeviceOpen() const { return Open; }
    std::uint32_t BufferBytes() const { return Bytes; }
    const platform::WAVEFORMATEX& WaveFormat() const { return Format; }

protected:
    explicit TAudioSettings(TAudio& Owner);

    // The wave format and buffer size from the settings.
    void BuildFormat();
    bool AllocateBuffers();
    void ReleaseBuffers();
    bool HasBuffers() const { return Headers[0] != nullptr; }
    void ResetHeaders();
    void SetError(const std::string& Message, platform::MMRESULT Code);

    void StoreBitsPerSample(TBPS Value);
    void StoreChannels(TChannels Value);
    void StoreSampleRate(std::uint16_t Value);
    void StoreSamplesPerBuffer(std::uint16_t Value);
    void Reallocate();
    // Closes an open device before its buffers are replaced.
    virtual void StopDevice() = 0;

    TAudio& Owner;
    TBPS Bits = TBPS::_8;
    TChannels ChannelMode = TChannels::Mono;
    std::uint16_t Rate = 11025;
    std::uint16_t SamplesPerBuffer = 8192;
    std::array<std::unique_ptr<platform::WAVEHDR>, BufferCount> Headers;
    std::array<std::unique_ptr<char[]>, BufferCount> Buffers;
    std::array<std::unique_ptr<char[]>, BufferCount> SplitBuffers;
    std::atomic<int> QueueIndex{0};
    std::atomic<int> CurrentIndex{0};
    std::atomic<int> QueuedCount{0};
    bool Open = false;
    std::atomic<bool> ActiveFlag{false};
    platform::WAVEFORMATEX Format{};
    std::uint32_t Bytes = 0;
    platform::WaveDevice* Handle = nullptr;
    // Counts the openings: a message posted for an earlier opening is dropped.
    std::atomic<std::uint32_t> Session{0};

    friend class TAudio;
    friend class TRecorder;
};

class TRecorder : public TAudioSettings {
public:
    explicit TRecorder(TAudio& Owner);
    ~TRecorder() override;

    std::uint16_t NoSamples() const { return SamplesPerBuffer; }
    void SetNoSamples(std::uint16_t Value);
    bool SplitChannels() const { return Split; }
    void SetSplitChannels(bool Value);
    std::uint16_t TrigLevel() const { return Level; }
    void SetTrigLevel(std::uint16_t Value) { Level = Value; }
    // False holds back every buffer until a sample reaches TrigLevel.
    bool Triggered() const { return IsTriggered; }
    void SetTriggered(bool Value) { IsTriggered = Value; }

    bool Start();
    bool Stop();

private:
    static void WaveInProc(platform::WaveDevice* Device, std::uint32_t Msg, std::uintptr_t Instance,
                           std::uintptr_t Param1, std::uintptr_t Param2);
    void HandleData();
    bool PassesTrigger(const char* Data, std::uint32_t Count);
    bool AddBuffer();
    bool CloseDevice();
    void StopDevice() override;

    std::atomic<bool> Split{false};
    std::atomic<std::uint16_t> Level{128};
    std::atomic<bool> IsTriggered{true};
    std::unique_ptr<TMessageWindow> AddBufferWindow;
};

class TPlayer : public TAudioSettings {
public:
    explicit TPlayer(TAudio& Owner);
    ~TPlayer() override;

    // Plays Left, or Left and Right interleaved when Stereo and both have the
    // same size; Repeat extra rounds. While playing, the sound is appended.
    // False when the device could not be opened (ErrorMessage says why) or
    // the sound could not go to the player's file (FileResult says why);
    // then no end comes for this sound.
    bool Play(platform::TStream* Left, platform::TStream* Right, std::uint16_t Repeat);
    bool Stop();
    // Fine, or why the last Play could not create or write the player's file.
    const platform::TFileResult& FileResult() const { return PlayFileResult; }

private:
    static void WaveOutProc(platform::WaveDevice* Device, std::uint32_t Msg,
                            std::uintptr_t Instance, std::uintptr_t Param1, std::uintptr_t Param2);
    void HandleDone();
    bool WriteToPlayFile(platform::TStream* Left, platform::TStream* Right);
    void FailPlayFile(bool OpenedNow);
    void QueueBuffer();
    void FinishPlaying();
    bool CloseDevice();
    void StopDevice() override;

    std::unique_ptr<platform::TFileStream> PlayFile;
    platform::TFileResult PlayFileResult;
    std::int32_t ReadPosition = 0;
    std::uint16_t RepeatCount = 0;
    std::atomic<bool> Finished{false};
    std::unique_ptr<TMessageWindow> QueueWindow;
    std::unique_ptr<TMessageWindow> FinishedWindow;
};

// One mixer line (or, first in the list, the device itself).
struct TMixDetails {
    static constexpr std::uint16_t None = 65535;
    std::uint16_t Destination = None;
    std::uint16_t Source = None;
    std::string Name;
    std::uint16_t VolumeID = None;
    std::uint16_t MuteID = None;
    std::uint16_t PeakID = None;
    std::uint16_t LeftVolume = 0;
    std::uint16_t RightVolume = 0;
    // 1: one value for all channels, 2: one per channel.
    std::uint8_t PeakKind = 0;
    // 128 for a line without a mute control, plus 64 for a uniform volume.
    std::uint16_t Flags = 0;
    bool Mute = false;
    bool Uniform = false;
    std::uint8_t LineKind = 0;
    bool HasControls = false;
};

class TMixerSettings {
public:
    explicit TMixerSettings(TAudio& Owner);
    ~TMixerSettings();
    TMixerSettings(const TMixerSettings&) = delete;
    TMixerSettings& operator=(const TMixerSettings&) = delete;

    // Closes the open mixer, then opens DeviceId and reads its lines; false
    // when the platform has no such mixer.
    bool Open(std::int32_t DeviceId);
    void Close();
    // The mixer of the owner's MixerDeviceID is opened on first use, not
    // with the component: an open mixer keeps a thread watching the card,
    // which a program that never looks at the mixer does not need.
    bool Opened();
    const std::vector<TMixDetails>& Details();

private:
    static void MixerProc(platform::HMIXER Mixer, std::uint32_t Msg, std::uintptr_t Instance,
                          std::uintptr_t Param1, std::uintptr_t Param2);
    void ReadLine(const platform::MIXERLINE& Line, std::uint16_t Destination, std::uint16_t Source);
    void ControlChanged(std::uintptr_t Param1, std::uintptr_t Param2);

    void OpenOnFirstUse();

    TAudio& Owner;
    bool Used = false;
    platform::HMIXER Handle = nullptr;
    std::vector<TMixDetails> Records;
    std::unique_ptr<TMessageWindow> Window;
};

class TAudio {
public:
    // playFile: the file the player streams its sound through.
    explicit TAudio(std::filesystem::path playFile);
    ~TAudio();
    TAudio(const TAudio&) = delete;
    TAudio& operator=(const TAudio&) = delete;

    std::int32_t AudioDeviceID() const { return DeviceId; }
    void SetAudioDeviceID(std::int32_t Value);
    std::int32_t MixerDeviceID() const { return MixerId; }
    bool SeparateCtrls() const { return Separate; }
    void SetSeparateCtrls(bool Value) { Separate = Value; }
    std::string Version() const { return "4.1 (32bit)"; }
    const std::filesystem::path& PlayFile() const { return PlayFilePath; }
    void SetVersion(const std::string&) {}

    static constexpr std::uint16_t WaveFormatSize = 18;

    // The text of the last device error, or the note that a part was
    // already closed; empty after a failure of the player's file, which the
    // player's FileResult gives.
    const std::string& ErrorMessage() const { return Message; }
    TNotifyAudioRecordEvent OnRecord;
    TNotifyBufferPlayedEvent OnBufferPlayed;
    TNotifyPlayedEvent OnPlayed;
    // Listening to the mixer is a use of it: it opens.
    void SetOnMixerChange(TNotifyMixerChange Handler);

private:
    // The parts report their failures here.
    friend class TAudioSettings;
    friend class TRecorder;
    friend class TPlayer;

    friend class TMixerSettings;

    std::string Message;
    TNotifyMixerChange OnMixerChange;
    std::filesystem::path PlayFilePath;
    std::int32_t DeviceId = -1;
    std::int32_t MixerId = 0;
    bool Separate = false;

public:
    TRecorder Recorder;
    TPlayer Player;
    TMixerSettings Mixer;
};

} // namespace sound
