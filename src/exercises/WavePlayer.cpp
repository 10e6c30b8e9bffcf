#include "exercises/WavePlayer.h"

#include "exercises/WaveFile.h"
#include "platform/FileIo.h"
#include "platform/Wave.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace exercises {
namespace {

bool IsUserInput(const QEvent& event) {
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    case QEvent::Close:
        // The window manager's close button; the program's own closing goes on.
        return event.spontaneous();
    default:
        return false;
    }
}

// Feeds a wave's samples to the output device a few buffers at a time. The
// device reports finished buffers on its audio thread; refilling them is
// posted to this object, which lives on the user-interface thread.
class TFeed : public QObject {
public:
    static constexpr std::size_t kBuffers = 4;

    TFeed(char* samples, std::size_t size, std::size_t chunkBytes, QEventLoop& loop)
        : samples_(samples), size_(size), chunkBytes_(chunkBytes), loop_(loop),
          total_((size + chunkBytes - 1) / chunkBytes) {}

    ~TFeed() override { Close(); }
    TFeed(const TFeed&) = delete;
    TFeed& operator=(const TFeed&) = delete;

    bool Open(const platform::WAVEFORMATEX& format) {
        if (platform::waveOutOpen(&device_, platform::WAVE_MAPPER, &format, &TFeed::Callback,
                                  reinterpret_cast<std::uintptr_t>(this),
                                  platform::CALLBACK_FUNCTION) != platform::MMSYSERR_NOERROR) {
            device_ = nullptr;
            return false;
        }
        for (platform::WAVEHDR& header : headers_) {
            if (!Queue(header)) {
                break;
            }
        }
        return true;
    }

    bool Finished() const { return done_ >= total_; }

private:
    static void Callback(platform::WaveDevice*, std::uint32_t message, std::uintptr_t instance,
                         std::uintptr_t param1, std::uintptr_t) {
        if (message != platform::WOM_DONE) {
            return;
        }
        auto* feed = reinterpret_cast<TFeed*>(instance);
        auto* header = reinterpret_cast<platform::WAVEHDR*>(param1);
        QMetaObject::invokeMethod(
            feed, [feed, header] { feed->BufferDone(*header); }, Qt::QueuedConnection);
    }

    bool Queue(platform::WAVEHDR& header) {
        if (next_ >= size_) {
            return false;
        }
        header = platform::WAVEHDR{};
        header.lpData = samples_ + next_;
        header.dwBufferLength = static_cast<std::uint32_t>(std::min(chunkBytes_, size_ - next_));
        if (platform::waveOutPrepareHeader(device_, &header, sizeof header) !=
                platform::MMSYSERR_NOERROR ||
            platform::waveOutWrite(device_, &header, sizeof header) != platform::MMSYSERR_NOERROR) {
            return false;
        }
        next_ += header.dwBufferLength;
        return true;
    }

    void BufferDone(platform::WAVEHDR& header) {
        if (device_ == nullptr) {
            return;
        }
        ++done_;
        platform::waveOutUnprepareHeader(device_, &header, sizeof header);
        Queue(header);
        if (Finished()) {
            loop_.quit();
        }
    }

    void Close() {
        if (device_ == nullptr) {
            return;
        }
        platform::waveOutReset(device_);
        for (platform::WAVEHDR& header : headers_) {
            if (header.lpData != nullptr) {
                platform::waveOutUnprepareHeader(device_, &header, sizeof header);
            }
        }
        platform::waveOutClose(device_);
        device_ = nullptr;
    }

    char* samples_;
    std::size_t size_;
    std::size_t chunkBytes_;
    QEventLoop& loop_;
    std::size_t total_;
    std::size_t next_ = 0;
    std::size_t done_ = 0;
    std::array<platform::WAVEHDR, kBuffers> headers_{};
    platform::WaveDevice* device_ = nullptr;
};

} // namespace

TInputBlocker::TInputBlocker() {
    QCoreApplication::instance()->installEventFilter(this);
}

TInputBlocker::~TInputBlocker() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool TInputBlocker::eventFilter(QObject* watched, QEvent* event) {
    if (IsUserInput(*event)) {
        // A close request counts as granted unless it is refused.
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void WaitDroppingInput(int milliseconds) {
    TInputBlocker blocker;
    QEventLoop loop;
    QTimer::singleShot(std::max(0, milliseconds), &loop, &QEventLoop::quit);
    loop.exec();
}

bool TWavePlayer::PlayToEnd(const std::filesystem::path& file) {
    std::string bytes;
    std::optional<TWaveData> wave;
    if (platform::ReadWholeFile(file, bytes, kMaxFileBytes).Ok()) {
        wave = ParseWave(bytes);
    }
    if (!wave || wave->FrameCount() == 0) {
        WaitDroppingInput(kSilentVerdictMs);
        return false;
    }
    const std::size_t bytesPerSecond =
        static_cast<std::size_t>(wave->SampleRate) * wave->BlockAlign;
    const std::size_t limit =
        bytesPerSecond * kMaxPlayMs / 1000 / wave->BlockAlign * wave->BlockAlign;
    const std::size_t size = std::min(wave->Samples.size(), limit);
    const int durationMs = static_cast<int>(size * 1000 / bytesPerSecond);

    platform::WAVEFORMATEX format;
    format.wFormatTag = platform::WAVE_FORMAT_PCM;
    format.nChannels = wave->Channels;
    format.nSamplesPerSec = wave->SampleRate;
    format.nAvgBytesPerSec = static_cast<std::uint32_t>(bytesPerSecond);
    format.nBlockAlign = wave->BlockAlign;
    format.wBitsPerSample = wave->BitsPerSample;

    TInputBlocker blocker;
    QEventLoop loop;
    // A tenth of a second per buffer keeps four of them well ahead of the
    // device.
    const std::size_t chunk = std::max<std::size_t>(
        wave->BlockAlign, bytesPerSecond / 10 / wave->BlockAlign * wave->BlockAlign);
    char* samples = bytes.data() + (wave->Samples.data() - bytes.data());
    TFeed feed(samples, size, chunk, loop);
    if (!feed.Open(format)) {
        QTimer::singleShot(durationMs, &loop, &QEventLoop::quit);
        loop.exec();
        return false;
    }
    QTimer::singleShot(durationMs + kGraceMs, &loop, &QEventLoop::quit);
    if (!feed.Finished()) {
        loop.exec();
    }
    // The device has taken the last samples; let it sound them before it
    // closes.
    WaitDroppingInput(50);
    return true;
}

} // namespace exercises
