#include "platform/Mixer.h"
#include "platform/Wave.h"
#include "sound/Audio.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
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
        sound::TAudio audio;
        EXPECT_FALSE(audio.Mixer.Opened());
        EXPECT_TRUE(audio.Mixer.Details().empty());
        EXPECT_FALSE(audio.Recorder.Start());
        EXPECT_FALSE(audio.ErrorMessage.empty());
    }
    EXPECT_EQ(capture.Text(), "");
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
