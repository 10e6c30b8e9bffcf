#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <chrono>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace soundtest {

// A fresh folder below the system's temporary folder, removed on destruction.
class TempFolder {
public:
    explicit TempFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                (name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Runs the event loop until the condition holds or the (generous) time is up.
template <typename Condition> bool ProcessEventsUntil(Condition condition, int timeoutMs = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ::usleep(2000);
    }
    return true;
}

} // namespace soundtest
