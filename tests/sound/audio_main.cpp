#include "audio_support.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace audiotest {

const std::string& WorkDir() {
    static const std::string dir = [] {
        char pattern[] = "/tmp/audio_test_XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made != nullptr ? made : "/tmp");
    }();
    return dir;
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

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return done();
}

std::size_t FirstSound16(const std::vector<std::uint8_t>& bytes) {
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        if (bytes[i] != 0 || bytes[i + 1] != 0)
            return i;
    return bytes.size();
}

} // namespace audiotest

int main(int argc, char** argv) {
    // SDL reads the driver settings when it starts and opens a device.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (chdir(audiotest::WorkDir().c_str()) != 0)
        return 1;
    const int result = RUN_ALL_TESTS();
    if (chdir("/") == 0)
        std::filesystem::remove_all(audiotest::WorkDir());
    return result;
}
