#include "platform/Wave.h"
#include "tests/platform/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

using namespace platform;
using namespace audiotest;

namespace {

struct Events {
    std::mutex Mutex;
    std::vector<std::uint32_t> Messages;
    std::vector<WAVEHDR*> Headers;
    std::atomic<int> Count{0};
};

void Record(WaveDevice*, std::uint32_t msg, std::uintptr_t instance, std::uintptr_t param1,
            std::uintptr_t) {
    auto* events = reinterpret_cast<Events*>(instance);
    std::lock_guard lock(events->Mutex);
    events->Messages.push_back(msg);
    events->Headers.push_back(reinterpret_cast<WAVEHDR*>(param1));
    ++events->Count;
}

WAVEFORMATEX Mono16() {
    WAVEFORMATEX format;
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 22050;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = 44100;
    return format;
}

class AudioWave : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        inputFile = WorkDir() + "/" + name + ".in";
        outputFile = WorkDir() + "/" + name + ".out";
        setenv("SDL_DISKAUDIOFILEIN", inputFile.c_str(), 1);
        setenv("SDL_DISKAUDIOFILE", outputFile.c_str(), 1);
    }
    std::string inputFile;
    std::string outputFile;
    Events events;
};

} // namespace

TEST(AudioWaveErrors, TextsAndCodes) {
    char text[MAXERRORLENGTH];
    EXPECT_EQ(waveOutGetErrorText(WAVERR_STILLPLAYING, text, sizeof text), MMSYSERR_NOERROR);
    EXPECT_STRNE(text, "");
    EXPECT_EQ(waveInGetErrorText(12345, text, sizeof text), MMSYSERR_BADERRNUM);
    EXPECT_STREQ(text, "");
    char tiny[5];
    EXPECT_EQ(waveInGetErrorText(MMSYSERR_BADDEVICEID, tiny, sizeof tiny), MMSYSERR_NOERROR);
    EXPECT_EQ(std::strlen(tiny), 4u);

    WAVEHDR header;
    EXPECT_EQ(waveOutWrite(nullptr, &header, sizeof header), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveInStart(nullptr), MMSYSERR_INVALHANDLE);

    WaveDevice* device = nullptr;
    WAVEFORMATEX format = Mono16();
    format.wBitsPerSample = 12;
    EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, nullptr, 0, CALLBACK_NULL),
              WAVERR_BADFORMAT);
    format = Mono16();
    EXPECT_EQ(waveOutOpen(&device, 5, &format, nullptr, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
    EXPECT_GE(waveOutGetNumDevs(), 1u);
    EXPECT_GE(waveInGetNumDevs(), 1u);
}

// The program must still end on SIGTERM and Ctrl+C once audio is running.
TEST_F(AudioWave, OpeningADeviceLeavesTheSignalsAlone) {
    WaveDevice* device = nullptr;
    const WAVEFORMATEX format = Mono16();
    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, Record,
                          reinterpret_cast<std::uintptr_t>(&events), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    for (const int signal : {SIGTERM, SIGINT}) {
        struct sigaction current {};
        ::sigaction(signal, nullptr, &current);
        EXPECT_EQ(current.sa_handler, SIG_DFL) << "signal " << signal;
    }
    EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
}

TEST_F(AudioWave, OutputHeadersCycleThroughTheDevice) {
    WaveDevice* device = nullptr;
    const WAVEFORMATEX format = Mono16();
    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, Record,
                          reinterpret_cast<std::uintptr_t>(&events), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    auto sound = Ramp16(2000, 1, 3);
    WAVEHDR header;
    header.lpData = reinterpret_cast<char*>(sound.data());
    header.dwBufferLength = static_cast<std::uint32_t>(sound.size());
    EXPECT_EQ(waveOutWrite(device, &header, sizeof header), WAVERR_UNPREPARED);
    ASSERT_EQ(waveOutPrepareHeader(device, &header, sizeof header), MMSYSERR_NOERROR);
    EXPECT_EQ(header.dwFlags, WHDR_PREPARED);
    ASSERT_EQ(waveOutWrite(device, &header, sizeof header), MMSYSERR_NOERROR);
    EXPECT_TRUE(WaitFor([&] { return events.Count >= 2; }));
    EXPECT_EQ(header.dwFlags, WHDR_PREPARED | WHDR_DONE);
    EXPECT_EQ(waveOutUnprepareHeader(device, &header, sizeof header), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);

    std::lock_guard lock(events.Mutex);
    EXPECT_EQ(events.Messages, (std::vector<std::uint32_t>{WOM_OPEN, WOM_DONE, WOM_CLOSE}));
    EXPECT_EQ(events.Headers[1], &header);
    const auto out = ReadFile(outputFile);
    const std::size_t start = FirstSound16(out);
    ASSERT_GE(out.size(), start + sound.size());
    EXPECT_TRUE(
        std::equal(sound.begin(), sound.end(), out.begin() + static_cast<std::ptrdiff_t>(start)));
}

TEST_F(AudioWave, ResetReturnsEveryQueuedHeader) {
    WaveDevice* device = nullptr;
    const WAVEFORMATEX format = Mono16();
    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, Record,
                          reinterpret_cast<std::uintptr_t>(&events), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    std::vector<std::uint8_t> longSound(10 * 44100, 1);
    WAVEHDR headers[3];
    for (WAVEHDR& header : headers) {
        header.lpData = reinterpret_cast<char*>(longSound.data());
        header.dwBufferLength = static_cast<std::uint32_t>(longSound.size());
        ASSERT_EQ(waveOutPrepareHeader(device, &header, sizeof header), MMSYSERR_NOERROR);
        ASSERT_EQ(waveOutWrite(device, &header, sizeof header), MMSYSERR_NOERROR);
    }
    EXPECT_EQ(waveOutWrite(device, &headers[0], sizeof headers[0]), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveOutUnprepareHeader(device, &headers[0], sizeof headers[0]), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveOutClose(device), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveOutReset(device), MMSYSERR_NOERROR);
    for (const WAVEHDR& header : headers)
        EXPECT_EQ(header.dwFlags, WHDR_PREPARED | WHDR_DONE);
    EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
    std::lock_guard lock(events.Mutex);
    EXPECT_EQ(events.Messages,
              (std::vector<std::uint32_t>{WOM_OPEN, WOM_DONE, WOM_DONE, WOM_DONE, WOM_CLOSE}));
}

TEST_F(AudioWave, InputFillsHeadersOnlyAfterStart) {
    const auto input = Ramp16(22050, 5, 9);
    WriteFile(inputFile, input);
    WaveDevice* device = nullptr;
    const WAVEFORMATEX format = Mono16();
    ASSERT_EQ(waveInOpen(&device, WAVE_MAPPER, &format, Record,
                         reinterpret_cast<std::uintptr_t>(&events),
                         CALLBACK_FUNCTION | WAVE_ALLOWSYNC),
              MMSYSERR_NOERROR);
    std::vector<char> first(3000);
    std::vector<char> second(50000);
    WAVEHDR headers[2];
    headers[0].lpData = first.data();
    headers[0].dwBufferLength = static_cast<std::uint32_t>(first.size());
    headers[1].lpData = second.data();
    headers[1].dwBufferLength = static_cast<std::uint32_t>(second.size());
    for (WAVEHDR& header : headers) {
        ASSERT_EQ(waveInPrepareHeader(device, &header, sizeof header), MMSYSERR_NOERROR);
        ASSERT_EQ(waveInAddBuffer(device, &header, sizeof header), MMSYSERR_NOERROR);
    }
    ASSERT_EQ(waveInStart(device), MMSYSERR_NOERROR);
    EXPECT_TRUE(WaitFor([&] { return events.Count >= 2; }));
    // The second header is part-filled when the reset hands it back.
    ASSERT_EQ(waveInReset(device), MMSYSERR_NOERROR);
    EXPECT_EQ(waveInClose(device), MMSYSERR_NOERROR);

    std::lock_guard lock(events.Mutex);
    EXPECT_EQ(events.Messages,
              (std::vector<std::uint32_t>{WIM_OPEN, WIM_DATA, WIM_DATA, WIM_CLOSE}));
    EXPECT_EQ(headers[0].dwBytesRecorded, first.size());
    EXPECT_LT(headers[1].dwBytesRecorded, second.size());
    EXPECT_TRUE(
        std::equal(first.begin(), first.end(), reinterpret_cast<const char*>(input.data())));
    EXPECT_TRUE(std::equal(second.begin(), second.begin() + headers[1].dwBytesRecorded,
                           reinterpret_cast<const char*>(input.data()) + first.size()));
}
