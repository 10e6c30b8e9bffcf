#include "platform/Mixer.h"
#include "platform/Wave.h"
#include "sound/Audio.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// Sends stderr to a temporary file for the life of the object.
class StderrCapture {
public:
    StderrCapture() : File(std::tmpfile()), Saved(dup(2)) {
        std::fflush(stderr);
        dup2(fileno(File), 2);
    }
    ~StderrCapture() {
        Restore();
        std::fclose(File);
    }
    std::string Text() {
        Restore();
        std::string text;
        std::rewind(File);
        for (int c = std::fgetc(File); c != EOF; c = std::fgetc(File))
            text.push_back(static_cast<char>(c));
        return text;
    }

private:
    void Restore() {
        if (Saved < 0)
            return;
        std::fflush(stderr);
        dup2(Saved, 2);
        close(Saved);
        Saved = -1;
    }
    std::FILE* File;
    int Saved;
};

} // namespace

// Without a sound card everything reports no device and says nothing.
TEST(AudioQuiet, NoCardMeansNoDevicesAndNoNoise) {
    StderrCapture capture;
    EXPECT_EQ(platform::mixerGetNumDevs(), 0u);
    platform::MIXERCAPS caps;
    EXPECT_EQ(platform::mixerGetDevCaps(0, &caps), platform::MMSYSERR_BADDEVICEID);
    EXPECT_EQ(platform::waveOutGetNumDevs(), 0u);
    EXPECT_EQ(platform::waveInGetNumDevs(), 0u);
    {
        // Nothing is played here: no file to play through.
        sound::TAudio audio({});
        EXPECT_FALSE(audio.Mixer.Opened());
        EXPECT_TRUE(audio.Mixer.Details().empty());
        EXPECT_FALSE(audio.Recorder.Start());
        EXPECT_FALSE(audio.ErrorMessage().empty());
    }
    EXPECT_EQ(capture.Text(), "");
}

namespace {

// Whether a thread of this process carries the name.
bool ThreadRuns(const std::string& name) {
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string line;
        if (std::getline(comm, line) && line == name)
            return true;
    }
    return false;
}

template <typename Condition> bool Eventually(Condition condition) {
    for (int i = 0; i < 300 && !condition(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return condition();
}

} // namespace

// SDL's ALSA back end watches for new devices with a thread that wakes ten
// times a second for as long as the sound system runs.
TEST(AudioQuiet, TheSoundSystemRunsOnlyWhileSomethingUsesIt) {
    platform::SetAudioLinger(100);
    // An earlier test's sound system may still be stopping, or its thread
    // not yet named: wait until it is down.
    ASSERT_TRUE(
        Eventually([] { return !platform::AudioRunning() && !ThreadRuns("SDLHotplugALSA"); }));
    {
        sound::TAudio audio({});
        // A new thread takes its name a moment after it starts.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_FALSE(ThreadRuns("SDLHotplugALSA")) << "creating the component starts nothing";
        EXPECT_FALSE(platform::AudioRunning());
    }
    platform::SetAudioLinger(500);
    EXPECT_EQ(platform::waveOutGetNumDevs(), 0u);
    EXPECT_TRUE(Eventually([] { return ThreadRuns("SDLHotplugALSA"); }))
        << "counting devices needs the sound system";
    EXPECT_TRUE(Eventually([] { return !ThreadRuns("SDLHotplugALSA"); }))
        << "and it stops once nothing uses it";
    EXPECT_FALSE(platform::AudioRunning());
    platform::SetAudioLinger(100);

    ASSERT_TRUE(platform::HoldAudio());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(platform::AudioRunning()) << "held beyond the linger";
    ASSERT_TRUE(platform::HoldAudio());
    platform::ReleaseAudio();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(platform::AudioRunning()) << "one hold is left";
    platform::ReleaseAudio();
    EXPECT_TRUE(Eventually([] { return !platform::AudioRunning(); }));
    platform::SetAudioLinger(2000);
}

TEST(AudioQuiet, ShorteningTheLingerBringsAPendingStopForward) {
    platform::SetAudioLinger(60000);
    ASSERT_TRUE(platform::HoldAudio());
    platform::ReleaseAudio();
    EXPECT_TRUE(platform::AudioRunning()) << "a minute to go";
    platform::SetAudioLinger(0);
    EXPECT_TRUE(Eventually([] { return !platform::AudioRunning(); }));
    platform::SetAudioLinger(2000);
}

int main(int argc, char** argv) {
    // The machine's own choice of driver, as the program will meet it.
    unsetenv("SDL_AUDIODRIVER");
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
