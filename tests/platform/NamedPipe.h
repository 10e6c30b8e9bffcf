#pragma once

// A named pipe at a data file's place, for the tests that every reader
// refuses it at once. Nobody writes to it; should a reader wait for a writer
// all the same, a rescuer opens and closes the writing end after a long
// while, so that the test fails instead of hanging, and Rescued() tells.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

class TNamedPipe {
public:
    explicit TNamedPipe(std::filesystem::path path) : path_(std::move(path)) {
        made_ = ::mkfifo(path_.c_str(), 0600) == 0;
        rescuer_ = std::thread([this] { Watch(); });
    }
    ~TNamedPipe() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        rescuer_.join();
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    TNamedPipe(const TNamedPipe&) = delete;
    TNamedPipe& operator=(const TNamedPipe&) = delete;

    bool Made() const { return made_; }
    const std::filesystem::path& Path() const { return path_; }
    // Whether a reader waited so long that the rescuer had to let it go.
    bool Rescued() const { return rescued_; }

private:
    void Watch() {
        std::unique_lock lock(mutex_);
        while (!done_) {
            if (wake_.wait_for(lock, std::chrono::seconds(10)) == std::cv_status::timeout &&
                !done_) {
                // A reader blocked in its open gets end of file; one blocked in
                // a read of a pipe it opened itself gets a byte.
                const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    rescued_ = true;
                    [[maybe_unused]] const ssize_t n = ::write(fd, "", 1);
                    ::close(fd);
                }
            }
        }
    }

    std::filesystem::path path_;
    bool made_ = false;
    std::atomic<bool> rescued_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread rescuer_;
};

} // namespace testsupport
