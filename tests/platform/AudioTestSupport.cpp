#include "tests/platform/AudioTestSupport.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace audiotest {
namespace {

std::function<void()>& Pump() {
    static std::function<void()> pump = [] {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    };
    return pump;
}

} // namespace

const std::string& WorkDir() {
    static const std::string dir = [] {
        char pattern[] = "/tmp/audio_test_XXXXXX";
        const char* made = mkdtemp(pattern);
        // Empty when no folder could be made: nothing is then removed.
        return std::string(made != nullptr ? made : "");
    }();
    return dir;
}

bool PrepareWorkDir() {
    // SDL reads the driver settings when it starts and opens a device.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    return !WorkDir().empty();
}

void RemoveWorkDir() {
    std::error_code ec;
    if (!WorkDir().empty()) {
        std::filesystem::remove_all(WorkDir(), ec);
    }
}

std::vector<std::uint8_t> Ramp16(std::size_t samples, std::int16_t first, std::int16_t step) {
    std::vector<std::uint8_t> bytes;
    auto value = static_cast<std::uint16_t>(first);
    for (std::size_t i = 0; i < samples; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
        value = static_cast<std::uint16_t>(value + static_cast<std::uint16_t>(step));
    }
    return bytes;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void SetEventPump(std::function<void()> pump) {
    Pump() = std::move(pump);
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        Pump()();
    }
    return done();
}

std::size_t FirstSound16(const std::vector<std::uint8_t>& bytes) {
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        if (bytes[i] != 0 || bytes[i + 1] != 0) {
            return i;
        }
    }
    return bytes.size();
}

} // namespace audiotest
