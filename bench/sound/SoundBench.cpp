// Pronunciation latency and playing cost of the MPEG player over the real
// decoding library, with SDL's file-backed and silent drivers standing in for
// a sound card.
#include "sound/MPEGPlay.h"
#include "tests/sound/ToneMp3.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

std::filesystem::path BenchFolder() {
    static const std::filesystem::path folder = [] {
        auto path =
            std::filesystem::temp_directory_path() / ("sound-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

double ProcessCpuSeconds() {
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

// True once the device file holds a non-zero byte past offset, which it
// advances over what has been checked.
bool SoundArrived(const std::filesystem::path& file, std::streamoff& offset) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    in.seekg(offset);
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        const std::streamsize count = in.gcount();
        for (std::streamsize i = 0; i < count; ++i) {
            if (buffer[i] != 0)
                return true;
        }
        offset += count;
    }
    return false;
}

// Pressing pronounce: load the library, open the word's file, play, until the
// device receives the first decoded samples. The disk driver writes each
// device buffer as the device would consume it, one per millisecond here so
// the file shows the device's intake without its real-time pacing.
void BM_PronounceToFirstSamples(benchmark::State& state) {
    const auto mp3 = BenchFolder() / "1.mp3";
    soundtest::WriteFile(mp3, soundtest::EncodeToneMp3(0.6));
    const auto device = BenchFolder() / "device.raw";
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", device.c_str(), 1);
    ::setenv("SDL_DISKAUDIODELAY", "1", 1);

    sound::TMPEGPlayer player;
    player.SetPathToDLL(MPEGDLL_DIR);
    player.SetUseTimer(true);
    player.SetTimerFreq(500);
    for (auto _ : state) {
        std::filesystem::remove(device);
        std::streamoff checked = 0;
        const auto start = Clock::now();
        player.InitPlayer();
        player.SetStreamName(mp3.string());
        player.Open();
        player.Play();
        while (!SoundArrived(device, checked))
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        const auto end = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        player.DonePlayer();
    }
}
BENCHMARK(BM_PronounceToFirstSamples)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Process CPU time per wall time while a 2 s file plays in real time; the
// end is noticed by the 500 ms position poll, as in the main window.
void BM_PlayingCpuLoad(benchmark::State& state) {
    const auto mp3 = BenchFolder() / "2s.mp3";
    soundtest::WriteFile(mp3, soundtest::EncodeToneMp3(2.0));
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);

    sound::TMPEGPlayer player;
    player.SetPathToDLL(MPEGDLL_DIR);
    player.SetUseTimer(true);
    player.SetTimerFreq(500);
    QEventLoop loop;
    bool ended = false;
    player.OnPlayEnd = [&](sound::TMPEGPlayer*) {
        ended = true;
        loop.quit();
    };
    double cpuShare = 0;
    for (auto _ : state) {
        ended = false;
        const double cpuStart = ProcessCpuSeconds();
        const auto start = Clock::now();
        player.InitPlayer();
        player.SetStreamName(mp3.string());
        player.Open();
        player.Play();
        if (!ended)
            loop.exec();
        player.DonePlayer();
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(wall);
        cpuShare = (ProcessCpuSeconds() - cpuStart) / wall;
    }
    state.counters["cpu_percent"] = 100.0 * cpuShare;
}
BENCHMARK(BM_PlayingCpuLoad)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code error;
    std::filesystem::remove_all(BenchFolder(), error);
    return 0;
}
