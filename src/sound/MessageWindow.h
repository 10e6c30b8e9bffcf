#pragma once

#include <QEvent>
#include <QObject>

#include <cstdint>
#include <functional>

namespace sound {

// Receives messages posted from the audio thread (or the mixer's watcher)
// and runs them on the thread it lives on, as a hidden window would.
class TMessageWindow : public QObject {
public:
    using THandler = std::function<void(std::uintptr_t, std::uintptr_t)>;
    explicit TMessageWindow(THandler handler);

    void Post(std::uintptr_t wParam, std::uintptr_t lParam = 0);

protected:
    bool event(QEvent* e) override;

private:
    THandler Handler;
};

} // namespace sound
