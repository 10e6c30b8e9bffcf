#include "platform/MemoryStream.h"
#include "platform/Paths.h"
#include "sound/Audio.h"
#include "tests/platform/AudioTestSupport.h"
#include "tests/platform/NamedPipe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

using namespace audiotest;
using platform::TMemoryStream;
using sound::TAudio;
using sound::TBPS;
using sound::TChannels;

namespace {

std::vector<std::uint8_t> Bytes(const TMemoryStream& stream) {
    return {stream.Memory(), stream.Memory() + stream.Size()};
}

std::vector<std::uint8_t> Prefix(const std::vector<std::uint8_t>& bytes, std::size_t count) {
    return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count)};
}

// The player's file, in the work folder.
const std::filesystem::path& PlayFile() {
    static const platform::TPaths paths = platform::TPaths::Below(WorkDir());
    return paths.PlayFile();
}

void Fill(TMemoryStream& stream, const std::vector<std::uint8_t>& bytes) {
    stream.Clear();
    stream.Write(bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

class AudioComponent : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        inputFile = WorkDir() + "/" + name + ".in";
        outputFile = WorkDir() + "/" + name + ".out";
        setenv("SDL_DISKAUDIOFILEIN", inputFile.c_str(), 1);
        setenv("SDL_DISKAUDIOFILE", outputFile.c_str(), 1);
        sound::DeletePlayFile(PlayFile());
        audio.Player.SetBitsPerSample(TBPS::_16);
        audio.Player.SetSampleRate(22050);
        audio.Recorder.SetNoSamples(2048);
        audio.OnRecord = [this](sound::TRecorder*, void* lp, void* rp, std::uint32_t size) {
            left.Write(lp, static_cast<std::int32_t>(size));
            if (rp != nullptr)
                right.Write(rp, static_cast<std::int32_t>(size));
            recordThread = std::this_thread::get_id();
            recorded += size;
        };
        audio.OnPlayed = [this](sound::TPlayer*) { ++played; };
        audio.OnBufferPlayed = [this](sound::TPlayer*) { ++buffersPlayed; };
    }

    // Records until `bytes` bytes per channel arrived, then stops.
    void Record(std::size_t bytes) {
        ASSERT_TRUE(audio.Recorder.Start()) << audio.ErrorMessage();
        EXPECT_TRUE(WaitFor([&] { return recorded >= bytes; }));
        EXPECT_TRUE(audio.Recorder.Stop());
        EXPECT_FALSE(audio.Recorder.Active());
        EXPECT_FALSE(audio.Recorder.DeviceOpen());
    }

    std::vector<std::uint8_t> PlayedBytes(std::size_t count) {
        EXPECT_TRUE(WaitFor([&] { return played > 0; }));
        const std::vector<std::uint8_t> out = ReadFile(outputFile);
        const std::size_t start = FirstSound16(out);
        if (out.size() < start + count)
            return {out.begin() + static_cast<std::ptrdiff_t>(start), out.end()};
        return {out.begin() + static_cast<std::ptrdiff_t>(start),
                out.begin() + static_cast<std::ptrdiff_t>(start + count)};
    }

    std::string inputFile;
    std::string outputFile;
    TAudio audio{PlayFile()};
    TMemoryStream left;
    TMemoryStream right;
    std::atomic<std::size_t> recorded{0};
    std::thread::id recordThread;
    std::atomic<int> played{0};
    std::atomic<int> buffersPlayed{0};
};

} // namespace

TEST(AudioSettings, DefaultsAndStoredValues) {
    TAudio audio(PlayFile());
    EXPECT_EQ(audio.Version(), "4.1 (32bit)");
    audio.SetVersion("9.9");
    EXPECT_EQ(audio.Version(), "4.1 (32bit)");
    EXPECT_EQ(audio.AudioDeviceID(), -1);
    EXPECT_EQ(audio.MixerDeviceID(), 0);
    EXPECT_FALSE(audio.SeparateCtrls());
    EXPECT_EQ(audio.Recorder.BitsPerSample(), TBPS::_8);
    EXPECT_EQ(audio.Recorder.Channels(), TChannels::Mono);
    EXPECT_EQ(audio.Recorder.SampleRate(), 11025);
    EXPECT_EQ(audio.Recorder.NoSamples(), 8192);
    EXPECT_EQ(audio.Recorder.TrigLevel(), 128);
    EXPECT_TRUE(audio.Recorder.Triggered());
    EXPECT_FALSE(audio.Recorder.SplitChannels());
    EXPECT_EQ(audio.Player.BufferBytes(), 8192u);

    audio.SetAudioDeviceID(10);
    EXPECT_EQ(audio.AudioDeviceID(), -1);
    audio.SetAudioDeviceID(3);
    EXPECT_EQ(audio.AudioDeviceID(), 3);
}

TEST(AudioSettings, FormatChangesFollowSeparateCtrls) {
    TAudio audio(PlayFile());
    audio.Player.SetBitsPerSample(TBPS::_16);
    audio.Player.SetChannels(TChannels::Stereo);
    audio.Player.SetSampleRate(22050);
    for (const sound::TAudioSettings* part : {static_cast<sound::TAudioSettings*>(&audio.Recorder),
                                              static_cast<sound::TAudioSettings*>(&audio.Player)}) {
        EXPECT_EQ(part->BitsPerSample(), TBPS::_16);
        EXPECT_EQ(part->Channels(), TChannels::Stereo);
        const platform::WAVEFORMATEX& format = part->WaveFormat();
        EXPECT_EQ(format.wFormatTag, 1);
        EXPECT_EQ(format.nChannels, 2);
        EXPECT_EQ(format.nSamplesPerSec, 22050u);
        EXPECT_EQ(format.nBlockAlign, 4);
        EXPECT_EQ(format.nAvgBytesPerSec, 88200u);
        EXPECT_EQ(part->BufferBytes(), 8192u * 4);
    }

    audio.SetSeparateCtrls(true);
    audio.Recorder.SetBitsPerSample(TBPS::_8);
    audio.Recorder.SetSampleRate(8000);
    EXPECT_EQ(audio.Recorder.BufferBytes(), 8192u * 2);
    EXPECT_EQ(audio.Player.BitsPerSample(), TBPS::_16);
    EXPECT_EQ(audio.Player.SampleRate(), 22050);
    // The buffer size is shared whatever SeparateCtrls says.
    audio.Recorder.SetNoSamples(100);
    EXPECT_EQ(audio.Recorder.BufferBytes(), 200u);
    EXPECT_EQ(audio.Player.BufferBytes(), 400u);
}

TEST(AudioSettings, SplitChannelsOnlyWithStereo) {
    TAudio audio(PlayFile());
    audio.Recorder.SetSplitChannels(true);
    EXPECT_FALSE(audio.Recorder.SplitChannels());
    audio.Recorder.SetChannels(TChannels::Stereo);
    audio.Recorder.SetSplitChannels(true);
    EXPECT_TRUE(audio.Recorder.SplitChannels());
    audio.Player.SetChannels(TChannels::Mono);
    EXPECT_FALSE(audio.Recorder.SplitChannels());
}

TEST_F(AudioComponent, RecordedBuffersArriveByteExact) {
    const auto input = Ramp16(22050, 1, 7);
    WriteFile(inputFile, input);
    Record(3 * 4096);
    const auto got = Bytes(left);
    ASSERT_GE(got.size(), 3u * 4096);
    EXPECT_EQ(got.size() % 4096, 0u);
    EXPECT_EQ(got, Prefix(input, got.size()));
    EXPECT_EQ(right.Size(), 0);
    // Buffers are handed over on the audio thread.
    EXPECT_NE(recordThread, std::this_thread::get_id());

    EXPECT_TRUE(audio.Recorder.Stop());
    EXPECT_EQ(audio.ErrorMessage(), "Recorder already closed");
}

TEST_F(AudioComponent, TriggerDropsBuffersUntilTheLevelIsReached) {
    audio.Recorder.SetTriggered(false);
    audio.Recorder.SetTrigLevel(0);
    // Two buffers of negative samples, then one that turns non-negative
    // half-way.
    auto input = Ramp16(2 * 2048 + 1024, -1, 0);
    const auto rising = Ramp16(22050, 0, 3);
    input.insert(input.end(), rising.begin(), rising.end());
    WriteFile(inputFile, input);
    Record(2 * 4096);
    EXPECT_TRUE(audio.Recorder.Triggered());
    const auto got = Bytes(left);
    ASSERT_GE(got.size(), 2u * 4096);
    const std::vector<std::uint8_t> expected(input.begin() + 2 * 4096,
                                             input.begin() + 2 * 4096 +
                                                 static_cast<std::ptrdiff_t>(got.size()));
    EXPECT_EQ(got, expected);
}

TEST_F(AudioComponent, EightBitTriggerComparesUnsignedBytes) {
    audio.Player.SetBitsPerSample(TBPS::_8);
    audio.Recorder.SetTriggered(false);
    std::vector<std::uint8_t> input(2 * 2048 + 700, 127);
    for (int i = 0; i < 22050; ++i)
        input.push_back(static_cast<std::uint8_t>(128 + i % 100));
    WriteFile(inputFile, input);
    Record(2 * 2048);
    const auto got = Bytes(left);
    ASSERT_GE(got.size(), 2u * 2048);
    const std::vector<std::uint8_t> expected(input.begin() + 2 * 2048,
                                             input.begin() + 2 * 2048 +
                                                 static_cast<std::ptrdiff_t>(got.size()));
    EXPECT_EQ(got, expected);
}

TEST_F(AudioComponent, SplitChannelsSeparatesStereo) {
    audio.Recorder.SetChannels(TChannels::Stereo);
    audio.Recorder.SetSplitChannels(true);
    const auto leftInput = Ramp16(22050, 1, 3);
    const auto rightInput = Ramp16(22050, -1, -5);
    std::vector<std::uint8_t> input;
    for (std::size_t i = 0; i < leftInput.size(); i += 2) {
        input.insert(input.end(), leftInput.begin() + static_cast<std::ptrdiff_t>(i),
                     leftInput.begin() + static_cast<std::ptrdiff_t>(i + 2));
        input.insert(input.end(), rightInput.begin() + static_cast<std::ptrdiff_t>(i),
                     rightInput.begin() + static_cast<std::ptrdiff_t>(i + 2));
    }
    WriteFile(inputFile, input);
    Record(2 * 4096);
    const auto gotLeft = Bytes(left);
    ASSERT_GE(gotLeft.size(), 2u * 4096);
    EXPECT_EQ(gotLeft, Prefix(leftInput, gotLeft.size()));
    EXPECT_EQ(Bytes(right), Prefix(rightInput, gotLeft.size()));
}

TEST_F(AudioComponent, RecorderReportsADeviceThatCannotOpen) {
    std::filesystem::remove(inputFile);
    EXPECT_FALSE(audio.Recorder.Start());
    EXPECT_EQ(audio.ErrorMessage().rfind("Could not open the input device for recording: ", 0), 0u)
        << audio.ErrorMessage();
    EXPECT_FALSE(audio.Recorder.DeviceOpen());
    EXPECT_FALSE(audio.Recorder.Active());
}

TEST_F(AudioComponent, PlaysTheBytesAndCloses) {
    const auto sound = Ramp16(3000, 1, 11);
    Fill(left, sound);
    ASSERT_TRUE(audio.Player.Play(&left, nullptr, 0)) << audio.ErrorMessage();
    EXPECT_TRUE(audio.Player.Active());
    EXPECT_EQ(PlayedBytes(sound.size()), sound);
    EXPECT_EQ(played, 1);
    // Two buffers went out; the last one's return finishes the playing.
    EXPECT_EQ(buffersPlayed, 1);
    EXPECT_FALSE(audio.Player.Active());
    EXPECT_FALSE(audio.Player.DeviceOpen());
    EXPECT_TRUE(std::filesystem::exists(PlayFile()));
    EXPECT_TRUE(sound::DeletePlayFile(PlayFile()));
    EXPECT_FALSE(std::filesystem::exists(PlayFile()));

    audio.Player.Stop();
    EXPECT_EQ(audio.ErrorMessage(), "Player already closed");
}

TEST_F(AudioComponent, RepeatPlaysTheSoundAgain) {
    const auto sound = Ramp16(3000, 1, 13);
    Fill(left, sound);
    ASSERT_TRUE(audio.Player.Play(&left, nullptr, 2));
    auto expected = sound;
    expected.insert(expected.end(), sound.begin(), sound.end());
    expected.insert(expected.end(), sound.begin(), sound.end());
    EXPECT_EQ(PlayedBytes(expected.size()), expected);
}

TEST_F(AudioComponent, PlayWhilePlayingAppends) {
    const auto first = Ramp16(6 * 2048, 1, 5);
    const auto second = Ramp16(1500, 3, -9);
    TMemoryStream more;
    Fill(left, first);
    Fill(more, second);
    ASSERT_TRUE(audio.Player.Play(&left, nullptr, 0));
    ASSERT_TRUE(audio.Player.Play(&more, nullptr, 0));
    auto expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(PlayedBytes(expected.size()), expected);
    EXPECT_EQ(played, 1);
}

TEST_F(AudioComponent, StereoInterleavesEqualStreamsAndOtherwisePlaysLeft) {
    audio.Player.SetChannels(TChannels::Stereo);
    const auto l = Ramp16(1500, 1, 3);
    const auto r = Ramp16(1500, 2, -7);
    Fill(left, l);
    Fill(right, r);
    ASSERT_TRUE(audio.Player.Play(&left, &right, 0));
    std::vector<std::uint8_t> expected;
    for (std::size_t i = 0; i < l.size(); i += 2) {
        expected.insert(expected.end(), {l[i], l[i + 1], r[i], r[i + 1]});
    }
    EXPECT_EQ(PlayedBytes(expected.size()), expected);

    played = 0;
    const std::string second = WorkDir() + "/stereo-unequal.out";
    setenv("SDL_DISKAUDIOFILE", second.c_str(), 1);
    outputFile = second;
    right.SetSize(100);
    ASSERT_TRUE(audio.Player.Play(&left, &right, 0));
    EXPECT_EQ(PlayedBytes(l.size()), l);
}

TEST_F(AudioComponent, StopEndsPlayingAndClosesTheDevice) {
    Fill(left, Ramp16(5 * 22050, 1, 1));
    ASSERT_TRUE(audio.Player.Play(&left, nullptr, 0));
    EXPECT_TRUE(audio.Player.Stop());
    EXPECT_EQ(audio.ErrorMessage(), "");
    EXPECT_FALSE(audio.Player.Active());
    EXPECT_FALSE(audio.Player.DeviceOpen());
    EXPECT_EQ(played, 1);
    // The stream is closed but its file stays for the host to delete.
    EXPECT_TRUE(sound::DeletePlayFile(PlayFile()));
}

TEST_F(AudioComponent, EmptySoundOpensTheDeviceButPlaysNothing) {
    ASSERT_TRUE(audio.Player.Play(&left, nullptr, 0));
    EXPECT_TRUE(audio.Player.DeviceOpen());
    EXPECT_TRUE(audio.Player.Active());
    EXPECT_FALSE(std::filesystem::exists(PlayFile()));
    EXPECT_TRUE(audio.Player.Stop());
    EXPECT_FALSE(audio.Player.DeviceOpen());
    EXPECT_FALSE(audio.Player.Active());
}

TEST_F(AudioComponent, ASoundThatCannotGoToThePlayersFileIsReportedAndClosesTheDevice) {
    const auto sound = Ramp16(3000, 1, 11);
    Fill(left, sound);
    const std::string file = PlayFile().string();

    // Only a regular file is the player's: a device or a named pipe there is
    // refused before anything is written (a pipe would hold play-back).
    std::filesystem::create_symlink("/dev/full", PlayFile());
    EXPECT_FALSE(audio.Player.Play(&left, nullptr, 0));
    ASSERT_FALSE(audio.Player.FileResult().Ok());
    EXPECT_EQ(audio.Player.FileResult().Error().File, file);
    EXPECT_EQ(audio.Player.FileResult().Error().Operation, platform::TFileOperation::Create);
    EXPECT_EQ(audio.Player.FileResult().Errno(), platform::kIsDevice);
    EXPECT_FALSE(audio.Player.DeviceOpen());
    EXPECT_FALSE(audio.Player.Active());
    EXPECT_TRUE(sound::DeletePlayFile(PlayFile()));
    {
        testsupport::TNamedPipe pipe(PlayFile());
        ASSERT_TRUE(pipe.Made());
        EXPECT_FALSE(audio.Player.Play(&left, nullptr, 0));
        EXPECT_EQ(audio.Player.FileResult().Errno(), platform::kIsNamedPipe);
        EXPECT_FALSE(audio.Player.DeviceOpen());
        EXPECT_FALSE(pipe.Rescued());
    }

    std::filesystem::create_directory(PlayFile());
    EXPECT_FALSE(audio.Player.Play(&left, nullptr, 0));
    ASSERT_FALSE(audio.Player.FileResult().Ok());
    EXPECT_EQ(audio.Player.FileResult().Error().Operation, platform::TFileOperation::Create);
    EXPECT_EQ(audio.Player.FileResult().Errno(), EISDIR);
    EXPECT_FALSE(audio.Player.DeviceOpen());
    EXPECT_TRUE(sound::DeletePlayFile(PlayFile()));
    EXPECT_EQ(played, 0) << "nothing was played";

    ASSERT_TRUE(audio.Player.Play(&left, nullptr, 0)) << audio.ErrorMessage();
    EXPECT_EQ(PlayedBytes(sound.size()), sound);
}

// The thread that owns the player is held up while the device plays the
// four buffers it was given: the device runs dry and reports its last buffer
// before the queue-next messages are handled.
TEST_F(AudioComponent, AHeldUpThreadDuringPlayingStillEndsAndCloses) {
    const auto sound = Ramp16(10 * 2048, 1, 7);
    Fill(left, sound);
    ASSERT_TRUE(audio.Player.Play(&left, nullptr, 0));
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    EXPECT_TRUE(WaitFor([&] { return played > 0; }, 6000)) << audio.ErrorMessage();
    EXPECT_EQ(audio.ErrorMessage().find("Error closing output device"), std::string::npos)
        << audio.ErrorMessage();
    EXPECT_FALSE(audio.Player.DeviceOpen());
    EXPECT_FALSE(audio.Player.Active());
    // All of it reached the device, the end last.
    const std::vector<std::uint8_t> out = ReadFile(outputFile);
    const std::vector<std::uint8_t> tail(sound.end() - 4096, sound.end());
    EXPECT_NE(std::search(out.begin(), out.end(), tail.begin(), tail.end()), out.end());

    played = 0;
    ASSERT_TRUE(audio.Player.Play(&left, nullptr, 0)) << "the player is usable again";
    EXPECT_TRUE(WaitFor([&] { return played > 0; }, 6000));
}
