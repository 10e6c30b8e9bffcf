#include "wavegen/Progress.h"

#include <string>

namespace wavegen {

namespace {

constexpr int kBarWidth = 40;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

} // namespace

void Progress::Begin(std::size_t total) {
    total_ = total;
    nextQuarter_ = 1;
    drawn_ = false;
    if (total_ == 0) {
        return;
    }
    if (terminal_) {
        Draw(0);
    } else {
        out_ << "wavegen: making " << total_ << " files\n" << std::flush;
    }
}

void Progress::Update(std::size_t done) {
    if (total_ == 0) {
        return;
    }
    if (terminal_) {
        const auto now = std::chrono::steady_clock::now();
        if (done == total_ || now - lastDraw_ >= kRedrawInterval) {
            Draw(done);
        }
        return;
    }
    if (nextQuarter_ <= 4 && done * 4 >= total_ * nextQuarter_) {
        out_ << "wavegen: " << done << " of " << total_ << " files made (" << done * 100 / total_
             << "%)\n"
             << std::flush;
        while (nextQuarter_ <= 4 && done * 4 >= total_ * nextQuarter_) {
            ++nextQuarter_;
        }
    }
}

void Progress::End() {
    if (terminal_ && drawn_) {
        out_ << '\n' << std::flush;
    }
    total_ = 0;
}

void Progress::Draw(std::size_t done) {
    const auto filled = static_cast<int>(done * kBarWidth / total_);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '-');
    out_ << "\r[" << bar << "] " << done * 100 / total_ << "% " << done << '/' << total_
         << std::flush;
    drawn_ = true;
    lastDraw_ = std::chrono::steady_clock::now();
}

} // namespace wavegen
