#include "sound/MPEGPlay.h"

#include "platform/Wave.h"

#include <QObject>
#include <QTimer>

#include <algorithm>
#include <array>
#include <type_traits>

namespace sound {
namespace {

// Copies text into a fixed, zero-terminated buffer as the library expects.
template <size_t N> std::array<char, N> FixedString(const std::string& text) {
    std::array<char, N> buffer{};
    std::copy_n(text.begin(), std::min(text.size(), N - 1), buffer.begin());
    return buffer;
}

constexpr std::int32_t NoStreamCode = 254;

} // namespace

TMPEGError::TMPEGError(const std::string& message, std::uint8_t errorCode)
    : std::runtime_error(message), ErrorCode(errorCode) {}

TMPEGError::TMPEGError(std::int32_t code)
    : TMPEGError(MPEGErrorMessage(code), static_cast<std::uint8_t>(code)) {}

TMPEGLoadError::TMPEGLoadError() : std::runtime_error("Can't load MPEG library") {}

std::string MPEGErrorMessage(std::int32_t code) {
    static const std::array<const char*, 6> messages = {
        "MPEG library not loaded", "Internal decoder error",       "Incorrect mode",
        "Input stream error",      "Input stream is non-seekable", "Output device failure",
    };
    if (code >= 0 && code < static_cast<std::int32_t>(messages.size()))
        return messages[static_cast<size_t>(code)];
    if (code == NoStreamCode)
        return "Can't play non-specified stream";
    return "Unknown MPEG library error " + std::to_string(code);
}

std::string MPEGLibraryPath(const std::string& pathToDll) {
    std::string path = pathToDll;
    // A slash counts too: it is the separator folders are written with here.
    if (!path.empty() && path.back() != '\\' && path.back() != ':' && path.back() != '/')
        path += '\\';
    return path + "mpegdll.dll";
}

TMPEGPlayer::TMPEGPlayer() : positionTimer_(std::make_unique<QTimer>()) {
    positionTimer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(positionTimer_.get(), &QTimer::timeout, [this] {
        // Nobody up the event loop could handle a failure of the poll: a
        // failing library simply stops being polled.
        try {
            PollPosition();
        } catch (const TMPEGError&) {
            positionTimer_->stop();
        }
    });
}

TMPEGPlayer::~TMPEGPlayer() {
    // The library stays loaded, but it must not write the ended flag into a
    // player that is gone.
    if (library_ != nullptr && playing_ && ended_ == 0)
        entries_.stop();
    ReleaseAudio();
}

void TMPEGPlayer::HoldAudio() {
    if (!holdsAudio_ && deviceCode_ == mpegdll::DeviceDefault)
        holdsAudio_ = platform::HoldAudio();
}

void TMPEGPlayer::ReleaseAudio() {
    if (holdsAudio_) {
        holdsAudio_ = false;
        platform::ReleaseAudio();
    }
}

void TMPEGPlayer::InitPlayer() {
    library_ = platform::LoadLibrary(MPEGLibraryPath(pathToDll_));
    if (library_ == nullptr)
        throw TMPEGLoadError();
    if (!BindEntries()) {
        platform::FreeLibrary(library_);
        library_ = nullptr;
        entries_ = {};
        throw TMPEGError(0);
    }
    if ((entries_.init() & 0xFF) == 0) {
        lastErrorCode_ = entries_.lastError();
        platform::FreeLibrary(library_);
        library_ = nullptr;
        entries_ = {};
        throw TMPEGError(lastErrorCode_);
    }
    positionTimer_->stop();
    positionTimer_->setInterval(useTimer_ ? timerFreq_ : 0);
    length_ = 0;
}

bool TMPEGPlayer::BindEntries() {
    const auto bind = [this](auto& entry, const char* name) {
        void* address = platform::GetProcAddress(library_, name);
        entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(address);
        return address != nullptr;
    };
    Entries& e = entries_;
    return bind(e.init, "init") && bind(e.deinit, "deinit") && bind(e.open, "Open") &&
           bind(e.pause, "Pause") && bind(e.restart, "Restart") && bind(e.stop, "Stop") &&
           bind(e.setPriority, "SetPriority") && bind(e.setOutputDevice, "SetOutputDevice") &&
           bind(e.play, "Play") && bind(e.close, "Close") && bind(e.getFrequency, "GetFrequency") &&
           bind(e.getBitrate, "GetBitrate") && bind(e.getLayer, "GetLayer") &&
           bind(e.getPlayerMode, "GetPlayerMode") && bind(e.getCurrentPos, "GetCurrentPos") &&
           bind(e.getLength, "GetLength") && bind(e.resetPlayerMode, "ResetPlayerMode") &&
           bind(e.seek, "Seek") && bind(e.lastError, "LastError");
}

void TMPEGPlayer::DonePlayer() {
    RequireLibrary();
    if (opened_)
        Close();
    entries_.deinit();
    ReleaseAudio();
    platform::FreeLibrary(library_);
    library_ = nullptr;
    entries_ = {};
}

void TMPEGPlayer::RequireLibrary() const {
    if (library_ == nullptr)
        throw TMPEGError(0);
}

std::int32_t TMPEGPlayer::ReadLastError() {
    lastErrorCode_ = entries_.lastError != nullptr ? entries_.lastError() : 0;
    return lastErrorCode_;
}

void TMPEGPlayer::CheckError() {
    if (ReadLastError() >= 1)
        throw TMPEGError(lastErrorCode_);
}

void TMPEGPlayer::Open() {
    RequireLibrary();
    if (opened_)
        Close();
    opened_ = false;
    if (fromStream_) {
        entries_.open(nullptr, 1, OpenStreamCallback, CloseStreamCallback, RestartStreamCallback,
                      ReadStreamCallback, SeekStreamCallback, GetStreamSizeCallback, this);
    } else {
        if (streamName_.empty())
            throw TMPEGError(MPEGErrorMessage(NoStreamCode), NoStreamCode);
        const auto name = FixedString<512>(streamName_);
        entries_.open(name.data(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                      nullptr);
    }
    CheckError();
    opened_ = true;
    playedXTimes_ = 1;
    length_ = GetLength();
    if (autoPlay_)
        Play();
}

void TMPEGPlayer::Play() {
    RequireLibrary();
    if (paused_) {
        SetPaused(false);
        return;
    }
    if (playing_)
        return;
    if (!opened_)
        Open();
    if (!opened_)
        return;
    if (playedXTimes_ > 1) {
        Restart();
        return;
    }
    entries_.setPriority(priority_);
    CheckError();
    const auto outName = FixedString<260>(outFilename_);
    entries_.setOutputDevice(deviceCode_, outName.data());
    CheckError();
    HoldAudio();
    const std::int32_t result = entries_.play(startPos_, endPos_, &ended_);
    if (ReadLastError() >= 1 || result != 0)
        throw TMPEGError(lastErrorCode_);
    playing_ = true;
    ++playedXTimes_;
    StartPositionTimer();
}

void TMPEGPlayer::StartPositionTimer() {
    if (useTimer_ && positionTimer_->interval() != 0) {
        positionTimer_->start();
        PollPosition();
    }
}

void TMPEGPlayer::SetPaused(bool value) {
    RequireLibrary();
    if (playing_ && ended_ == 0) {
        entries_.pause(value ? 0 : 1);
        CheckError();
        paused_ = value;
        return;
    }
    paused_ = false;
    if (value)
        throw TMPEGError(2);
}

void TMPEGPlayer::Stop() {
    if (!playing_ || ended_ != 0)
        throw TMPEGError(2);
    RequireLibrary();
    entries_.stop();
    ReleaseAudio();
    CheckError();
    playing_ = false;
    paused_ = false;
}

void TMPEGPlayer::Restart() {
    RequireLibrary();
    if (!opened_)
        throw TMPEGError(2);
    ended_ = 0;
    HoldAudio();
    entries_.restart();
    CheckError();
    playing_ = true;
    ++playedXTimes_;
    StartPositionTimer();
}

void TMPEGPlayer::Close() {
    RequireLibrary();
    opened_ = false;
    playing_ = false;
    paused_ = false;
    playedXTimes_ = 0;
    entries_.close();
    ReleaseAudio();
    CheckError();
}

std::int32_t TMPEGPlayer::GetPlayerMode() {
    RequireLibrary();
    const std::int32_t mode = entries_.getPlayerMode();
    CheckError();
    return mode;
}

std::int32_t TMPEGPlayer::GetCurrentPos() {
    RequireLibrary();
    const std::int32_t pos = entries_.getCurrentPos();
    CheckError();
    return pos;
}

std::int32_t TMPEGPlayer::GetLength() {
    RequireLibrary();
    const std::int32_t length = entries_.getLength();
    CheckError();
    length_ = length;
    return length;
}

void TMPEGPlayer::PollPosition() {
    if (!opened_ || !playing_) {
        positionTimer_->stop();
        return;
    }
    std::int32_t pos = GetCurrentPos();
    if (pos > length_)
        pos = 0;
    if (OnPosUpdate)
        OnPosUpdate(pos, length_);
    if (ended_ != 0) {
        positionTimer_->stop();
        playing_ = false;
        // Without a handler the flag stays set, so the end remains visible.
        if (OnPlayEnd) {
            ended_ = 0;
            OnPlayEnd(this);
        }
    }
}

TPlayPriority TMPEGPlayer::PlayerPriority() const {
    switch (static_cast<TPlayPriority>(priority_)) {
    case TPlayPriority::Idle:
    case TPlayPriority::Lowest:
    case TPlayPriority::BelowNormal:
    case TPlayPriority::Normal:
    case TPlayPriority::AboveNormal:
    case TPlayPriority::Highest:
    case TPlayPriority::TimeCritical:
        return static_cast<TPlayPriority>(priority_);
    }
    return TPlayPriority::Normal;
}

void TMPEGPlayer::SetPlayerPriority(TPlayPriority value) {
    priority_ = static_cast<std::int32_t>(value);
    if (library_ != nullptr) {
        entries_.setPriority(priority_);
        CheckError();
    }
}

void TMPEGPlayer::SetTimerFreq(std::int32_t value) {
    timerFreq_ = value;
    if (value == 0)
        useTimer_ = false;
}

void TMPEGPlayer::SetStreamName(const std::string& value) {
    streamName_ = value;
    if (opened_)
        Close();
}

TOutputDevice TMPEGPlayer::OutputDevice() const {
    return deviceCode_ != mpegdll::DeviceDefault ? TOutputDevice::pcmfile
                                                 : TOutputDevice::wavemapper;
}

void TMPEGPlayer::SetOutputDevice(TOutputDevice value) {
    deviceCode_ = value == TOutputDevice::pcmfile && !outFilename_.empty() ? mpegdll::DevicePcmFile
                                                                           : mpegdll::DeviceDefault;
}

void TMPEGPlayer::OpenStreamCallback(void* userData, bool* nonSeekable, void** context) {
    auto* player = static_cast<TMPEGPlayer*>(userData);
    if (player->OnOpenStream)
        player->OnOpenStream(*nonSeekable, *context);
    else
        *context = nullptr;
}

void TMPEGPlayer::CloseStreamCallback(void* userData, void* context) {
    auto* player = static_cast<TMPEGPlayer*>(userData);
    if (player->OnCloseStream)
        player->OnCloseStream(context);
}

void TMPEGPlayer::RestartStreamCallback(void* userData, void* context, bool* res) {
    auto* player = static_cast<TMPEGPlayer*>(userData);
    if (player->OnRestartStream)
        player->OnRestartStream(context, *res);
    else
        *res = false;
}

void TMPEGPlayer::ReadStreamCallback(void* userData, void* context, void* buffer,
                                     std::int32_t bytesToRead, std::int32_t* bytesRead, bool* res) {
    auto* player = static_cast<TMPEGPlayer*>(userData);
    if (player->OnReadStream)
        player->OnReadStream(context, buffer, bytesToRead, *bytesRead, *res);
    else
        *res = false;
}

void TMPEGPlayer::SeekStreamCallback(void* userData, void* context, std::int32_t numBytes,
                                     std::int32_t moveMethod, std::int32_t* res) {
    auto* player = static_cast<TMPEGPlayer*>(userData);
    if (player->OnSeekStream)
        player->OnSeekStream(context, numBytes, moveMethod, *res);
    else
        *res = -1;
}

void TMPEGPlayer::GetStreamSizeCallback(void* userData, void* context, std::int32_t* res) {
    auto* player = static_cast<TMPEGPlayer*>(userData);
    if (player->OnGetStreamSize)
        player->OnGetStreamSize(context, *res);
    else
        *res = -1;
}

} // namespace sound
