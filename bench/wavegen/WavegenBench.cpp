// Cost of one head-word's file, the unit of a full run: about 28,500 of them
// share the CPUs, so a full run within 2 minutes on 2 cores needs well under
// 8 ms per word on one core.
#include "wavegen/Manifest.h"
#include "wavegen/Mp3Encoder.h"
#include "wavegen/Speech.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const std::vector<std::string> kWords = {"house", "a friend in need is a friend indeed",
                                         "extraordinary", "cat", "to look forward to"};

void BM_Speak(benchmark::State& state) {
    wavegen::Speech& speech = wavegen::Speech::Engine();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(speech.Speak(kWords[i++ % kWords.size()]));
    }
}
BENCHMARK(BM_Speak)->Unit(benchmark::kMillisecond);

void BM_Encode(benchmark::State& state) {
    wavegen::Speech& speech = wavegen::Speech::Engine();
    std::vector<std::vector<std::int16_t>> sounds;
    for (const std::string& word : kWords) {
        sounds.push_back(speech.Speak(word));
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            wavegen::EncodeMp3(sounds[i++ % sounds.size()], speech.SampleRate()));
    }
}
BENCHMARK(BM_Encode)->Unit(benchmark::kMillisecond);

// What a worker does per job: speak, encode, write under a temporary name and
// rename.
void BM_MakeFile(benchmark::State& state) {
    wavegen::Speech& speech = wavegen::Speech::Engine();
    const auto folder =
        std::filesystem::temp_directory_path() / ("wavegen-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& word = kWords[i % kWords.size()];
        const std::vector<unsigned char> mp3 =
            wavegen::EncodeMp3(speech.Speak(word), speech.SampleRate());
        wavegen::WriteFileAtomically(
            folder / wavegen::FileNameOfNumber(static_cast<std::uint32_t>(i % 100 + 1)),
            std::string_view(reinterpret_cast<const char*>(mp3.data()), mp3.size()));
        ++i;
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_MakeFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
