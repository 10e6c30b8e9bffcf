#pragma once

#include <QObject>

#include <cstdint>
#include <filesystem>

// The exercises' verdict sounds: a wave file played to its end while the
// event loop runs on, so that pictures are painted and timers fire, but every
// piece of user input that arrives meanwhile is dropped.
namespace exercises {

// Drops user input (keys, mouse, wheel, touch, shortcuts, context menus and a
// window's close request) for every window of the program while it lives.
class TInputBlocker : public QObject {
public:
    TInputBlocker();
    ~TInputBlocker() override;
    TInputBlocker(const TInputBlocker&) = delete;
    TInputBlocker& operator=(const TInputBlocker&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Runs the event loop for a time with user input dropped.
void WaitDroppingInput(int milliseconds);

class TWavePlayer {
public:
    // How long a verdict stays when its sound file is missing or unplayable.
    static constexpr int kSilentVerdictMs = 700;
    // Longer files are cut: a verdict must not hold the window for long.
    static constexpr int kMaxPlayMs = 10000;
    // A verdict file is read whole before it plays: no sound of kMaxPlayMs
    // comes near this size, and a larger file is not played at all rather
    // than read for seconds into memory it may not fit.
    static constexpr std::uintmax_t kMaxFileBytes = 16 << 20;
    // Time allowed beyond the sound's length before the wait gives up on a
    // device that stopped reporting.
    static constexpr int kGraceMs = 1500;

    // Plays the file to its end with user input dropped. True when the sound
    // went to a device; otherwise (no or no playable file, one that is no
    // regular file or beyond kMaxFileBytes, no device) the
    // wait lasts as long as the sound would, or kSilentVerdictMs without one,
    // so that a verdict picture is still seen.
    bool PlayToEnd(const std::filesystem::path& file);
};

} // namespace exercises
