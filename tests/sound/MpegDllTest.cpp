// The decoding library on its own, loaded the way the program loads it.
#include "mpegdll/mpegdll.h"
#include "platform/Wave.h"
#include "tests/platform/NamedPipe.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/sound/ToneMp3.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <csignal>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

using namespace soundtest;
using namespace mpegdll;

namespace {

struct Library {
    Library() : handle(dlopen(MPEGDLL_PATH, RTLD_NOW | RTLD_LOCAL)) {
        if (handle == nullptr)
            return;
        Bind(init, "init");
        Bind(deinit, "deinit");
        Bind(open, "Open");
        Bind(pause, "Pause");
        Bind(stop, "Stop");
        Bind(play, "Play");
        Bind(restart, "Restart");
        Bind(setOutputDevice, "SetOutputDevice");
        Bind(close, "Close");
        Bind(getPlayerMode, "GetPlayerMode");
        Bind(getCurrentPos, "GetCurrentPos");
        Bind(getLength, "GetLength");
        Bind(lastError, "LastError");
        Bind(getFrequency, "GetFrequency");
        Bind(getBitrate, "GetBitrate");
        Bind(getLayer, "GetLayer");
        Bind(resetPlayerMode, "ResetPlayerMode");
        Bind(seek, "Seek");
    }
    ~Library() {
        if (handle != nullptr)
            dlclose(handle);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    template <typename T> void Bind(T& entry, const char* name) {
        entry = reinterpret_cast<T>(dlsym(handle, name));
        if (entry == nullptr)
            complete = false;
    }

    std::int32_t OpenFile(const std::filesystem::path& file) {
        return open(file.c_str(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    }

    void* handle;
    bool complete = true;
    TMpegInitProc init = nullptr;
    TMpegDeinitProc deinit = nullptr;
    TMpegOpenProc open = nullptr;
    TMpegPauseProc pause = nullptr;
    TMpegStopProc stop = nullptr;
    TMpegPlayProc play = nullptr;
    TMpegRestartProc restart = nullptr;
    TMpegSetOutputDeviceProc setOutputDevice = nullptr;
    TMpegCloseProc close = nullptr;
    TMpegGetPlayerModeProc getPlayerMode = nullptr;
    TMpegGetCurrentPosProc getCurrentPos = nullptr;
    TMpegGetLengthProc getLength = nullptr;
    TMpegLastErrorProc lastError = nullptr;
    TMpegGetFrequencyProc getFrequency = nullptr;
    TMpegGetBitrateProc getBitrate = nullptr;
    TMpegGetLayerProc getLayer = nullptr;
    TMpegResetPlayerModeProc resetPlayerMode = nullptr;
    TMpegSeekProc seek = nullptr;
};

bool WaitForFlag(const std::atomic<std::uint8_t>& flag) {
    for (int i = 0; i < 1000 && flag == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return flag != 0;
}

// An in-memory MP3 handed to the library through the stream callbacks.
struct MemoryStream {
    std::vector<unsigned char> data;
    size_t pos = 0;
    bool nonSeekable = false;
    int opens = 0;
    int closes = 0;
    int restarts = 0;
    int seeks = 0;
    void* closedContext = nullptr;

    static MemoryStream& Of(void* userData) { return *static_cast<MemoryStream*>(userData); }

    static void OpenStream(void* userData, bool* nonSeekable, void** context) {
        MemoryStream& s = Of(userData);
        ++s.opens;
        *nonSeekable = s.nonSeekable;
        *context = &s.data;
    }
    static void CloseStream(void* userData, void* context) {
        ++Of(userData).closes;
        Of(userData).closedContext = context;
    }
    static void RestartStream(void* userData, void*, bool* res) {
        ++Of(userData).restarts;
        Of(userData).pos = 0;
        *res = true;
    }
    static void ReadStream(void* userData, void*, void* buffer, std::int32_t bytesToRead,
                           std::int32_t* bytesRead, bool* res) {
        MemoryStream& s = Of(userData);
        const size_t count = std::min(static_cast<size_t>(bytesToRead), s.data.size() - s.pos);
        std::memcpy(buffer, s.data.data() + s.pos, count);
        s.pos += count;
        *bytesRead = static_cast<std::int32_t>(count);
        *res = true;
    }
    static void SeekStream(void* userData, void*, std::int32_t numBytes, std::int32_t moveMethod,
                           std::int32_t* res) {
        MemoryStream& s = Of(userData);
        ++s.seeks;
        const long base = moveMethod == 0   ? 0
                          : moveMethod == 1 ? static_cast<long>(s.pos)
                                            : static_cast<long>(s.data.size());
        const long target = base + numBytes;
        if (target < 0 || target > static_cast<long>(s.data.size())) {
            *res = -1;
            return;
        }
        s.pos = static_cast<size_t>(target);
        *res = static_cast<std::int32_t>(target);
    }
    static void GetStreamSize(void* userData, void*, std::int32_t* res) {
        *res = static_cast<std::int32_t>(Of(userData).data.size());
    }

    std::int32_t OpenIn(Library& library) {
        return library.open(nullptr, 1, OpenStream, CloseStream, RestartStream, ReadStream,
                            SeekStream, GetStreamSize, this);
    }
};

class MpegDllTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(library_.handle, nullptr) << dlerror();
        ASSERT_TRUE(library_.complete);
        mp3_ = EncodeToneMp3(0.3);
        WriteFile(MpegFile(), mp3_);
        reference_ = DecodeMp3(MpegFile());
        ASSERT_EQ(reference_.size(), 2u * 6615u) << "the tone should decode gaplessly";
        ASSERT_NE(library_.init() & 0xFF, 0);
    }
    void TearDown() override { library_.deinit(); }

    std::filesystem::path MpegFile() const { return folder_.Path() / "tone.mp3"; }
    std::filesystem::path PcmFile() const { return folder_.Path() / "out.pcm"; }

    // Plays to a PCM file and returns what arrived there.
    std::vector<unsigned char> PlayToPcm(std::int32_t startPos = 0, std::int32_t endPos = 0) {
        EXPECT_EQ(library_.setOutputDevice(DevicePcmFile, PcmFile().c_str()), 0);
        std::atomic<std::uint8_t> ended{0};
        EXPECT_EQ(library_.play(startPos, endPos, &ended), 0);
        EXPECT_EQ(library_.lastError(), ErrorNone);
        EXPECT_TRUE(WaitForFlag(ended));
        return ReadFile(PcmFile());
    }

    TempFolder folder_{"mpegdll-test"};
    Library library_;
    std::vector<unsigned char> mp3_;
    std::vector<unsigned char> reference_;
};

TEST_F(MpegDllTest, DecodesToPcmFileExactlyAsMpg123) {
    ASSERT_EQ(library_.OpenFile(MpegFile()), 0);
    EXPECT_EQ(library_.getPlayerMode(), ModeOpened);
    EXPECT_EQ(library_.getLength(), 300);
    EXPECT_EQ(library_.getFrequency(), 22050);
    EXPECT_EQ(library_.getLayer(), 3);
    EXPECT_EQ(library_.getBitrate(), 64);

    EXPECT_EQ(PlayToPcm(), reference_);
    EXPECT_EQ(library_.getPlayerMode(), ModeEnded);
    EXPECT_EQ(library_.getCurrentPos(), 300);
    EXPECT_EQ(library_.resetPlayerMode(), ModeOpened);

    // Playing again starts from the beginning.
    std::filesystem::remove(PcmFile());
    std::atomic<std::uint8_t> ended{0};
    ASSERT_EQ(library_.play(0, 0, &ended), 0);
    ASSERT_TRUE(WaitForFlag(ended));
    EXPECT_EQ(ReadFile(PcmFile()), reference_);
    ended = 0;
    std::filesystem::remove(PcmFile());
    ASSERT_EQ(library_.restart(), 0);
    ASSERT_TRUE(WaitForFlag(ended));
    EXPECT_EQ(ReadFile(PcmFile()), reference_);

    EXPECT_EQ(library_.close(), 0);
    EXPECT_EQ(library_.getPlayerMode(), ModeClosed);
}

TEST_F(MpegDllTest, PlaysOnlyBetweenStartAndEndPositions) {
    ASSERT_EQ(library_.OpenFile(MpegFile()), 0);
    const std::vector<unsigned char> middle(reference_.begin() + 2 * 2205,
                                            reference_.begin() + 2 * 4410);
    EXPECT_EQ(PlayToPcm(100, 200), middle);
    const std::vector<unsigned char> tail(reference_.begin() + 2 * 4410, reference_.end());
    EXPECT_EQ(PlayToPcm(200, 0), tail);
}

TEST_F(MpegDllTest, ReadsThroughStreamCallbacks) {
    MemoryStream stream{mp3_};
    ASSERT_EQ(stream.OpenIn(library_), 0);
    EXPECT_EQ(library_.lastError(), ErrorNone);
    EXPECT_EQ(stream.opens, 1);
    EXPECT_EQ(library_.getLength(), 300);
    EXPECT_EQ(PlayToPcm(), reference_);
    EXPECT_GT(stream.seeks, 0);
    ASSERT_EQ(library_.close(), 0);
    EXPECT_EQ(stream.closes, 1);
    EXPECT_EQ(stream.closedContext, &stream.data);
}

TEST_F(MpegDllTest, NonSeekableStreamIsRewoundThroughRestartCallback) {
    MemoryStream stream{mp3_};
    stream.nonSeekable = true;
    ASSERT_EQ(stream.OpenIn(library_), 0);
    EXPECT_EQ(PlayToPcm(), reference_);
    EXPECT_EQ(stream.seeks, 0);

    std::filesystem::remove(PcmFile());
    std::atomic<std::uint8_t> ended{0};
    ASSERT_EQ(library_.play(0, 0, &ended), 0);
    ASSERT_TRUE(WaitForFlag(ended));
    EXPECT_EQ(stream.restarts, 1);
    EXPECT_EQ(ReadFile(PcmFile()), reference_);

    // A start position is reached by reading ahead.
    const std::vector<unsigned char> tail(reference_.begin() + 2 * 4410, reference_.end());
    EXPECT_EQ(PlayToPcm(200, 0), tail);
    EXPECT_EQ(stream.restarts, 2);
    EXPECT_EQ(stream.seeks, 0);
    library_.close();
}

TEST_F(MpegDllTest, ReportsErrorCodes) {
    EXPECT_NE(library_.play(0, 0, nullptr), 0);
    EXPECT_EQ(library_.lastError(), ErrorMode) << "Play without a stream";

    library_.OpenFile(folder_.Path() / "missing.mp3");
    EXPECT_EQ(library_.lastError(), ErrorInput);
    WriteFile(folder_.Path() / "text.mp3", std::vector<unsigned char>(3000, 'x'));
    library_.OpenFile(folder_.Path() / "text.mp3");
    EXPECT_EQ(library_.lastError(), ErrorInput);
    EXPECT_EQ(library_.getPlayerMode(), ModeClosed);

    ASSERT_EQ(library_.OpenFile(MpegFile()), 0);
    EXPECT_EQ(library_.lastError(), ErrorNone);
    library_.stop();
    EXPECT_EQ(library_.lastError(), ErrorMode) << "Stop while not playing";
    library_.pause(0);
    EXPECT_EQ(library_.lastError(), ErrorMode) << "Pause while not playing";
    library_.restart();
    EXPECT_EQ(library_.lastError(), ErrorMode) << "Restart before any Play";

    library_.setOutputDevice(1, "");
    EXPECT_EQ(library_.lastError(), ErrorOutput);
    library_.setOutputDevice(DevicePcmFile, (folder_.Path() / "no" / "such" / "x.pcm").c_str());
    std::atomic<std::uint8_t> ended{0};
    EXPECT_NE(library_.play(0, 0, &ended), 0);
    EXPECT_EQ(library_.lastError(), ErrorOutput);
    EXPECT_EQ(library_.getPlayerMode(), ModeOpened);

    MemoryStream stream{mp3_};
    stream.nonSeekable = true;
    ASSERT_EQ(stream.OpenIn(library_), 0);
    library_.seek(100);
    EXPECT_EQ(library_.lastError(), ErrorNonSeekable);
    library_.close();
}

// A pronunciation or key sample that is a named pipe is refused at once: the
// open runs on the interface thread.
TEST_F(MpegDllTest, ANamedPipeIsRefusedWithoutWaitingForAWriter) {
    testsupport::TNamedPipe pipe(folder_.Path() / "1.mp3");
    ASSERT_TRUE(pipe.Made());
    EXPECT_NE(library_.OpenFile(pipe.Path()), 0);
    EXPECT_EQ(library_.lastError(), ErrorInput);
    EXPECT_EQ(library_.getPlayerMode(), ModeClosed);
    EXPECT_FALSE(pipe.Rescued());
    ASSERT_EQ(library_.OpenFile(MpegFile()), 0) << "a regular file still opens";
    EXPECT_EQ(PlayToPcm(), reference_) << "and plays again from its start";
    EXPECT_EQ(PlayToPcm(), reference_);
    library_.close();
}

TEST_F(MpegDllTest, MissingSoundOutputIsDeviceFailure) {
    // The library uses a sound system its host runs: the one an earlier
    // player of this process may have left lingering must be down first.
    platform::SetAudioLinger(0);
    for (int i = 0; i < 300 && platform::AudioRunning(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    platform::SetAudioLinger(2000);
    ASSERT_FALSE(platform::AudioRunning());
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ASSERT_EQ(library_.OpenFile(MpegFile()), 0);
    library_.setOutputDevice(DeviceDefault, "");
    std::atomic<std::uint8_t> ended{0};
    EXPECT_NE(library_.play(0, 0, &ended), 0);
    EXPECT_EQ(library_.lastError(), ErrorOutput);
    EXPECT_EQ(library_.getPlayerMode(), ModeOpened);
}

class MpegDllDeviceTest : public MpegDllTest {
protected:
    void SetUp() override {
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", DiskFile().c_str(), 1);
        MpegDllTest::SetUp();
    }
    std::filesystem::path DiskFile() const { return folder_.Path() / "device.raw"; }
};

TEST_F(MpegDllDeviceTest, PlaysThroughSoundOutputInRealTime) {
    ASSERT_EQ(library_.OpenFile(MpegFile()), 0);
    library_.setOutputDevice(DeviceDefault, "");
    std::atomic<std::uint8_t> ended{0};
    ASSERT_EQ(library_.play(0, 0, &ended), 0);
    EXPECT_EQ(library_.lastError(), ErrorNone);
    EXPECT_EQ(library_.getPlayerMode(), ModePlaying);
    for (const int signal : {SIGTERM, SIGINT}) {
        struct sigaction current {};
        ::sigaction(signal, nullptr, &current);
        EXPECT_EQ(current.sa_handler, SIG_DFL) << "the host must still end on signal " << signal;
    }
    ASSERT_TRUE(WaitForFlag(ended));
    EXPECT_EQ(library_.getPlayerMode(), ModeEnded);
    EXPECT_EQ(library_.getCurrentPos(), 300);
    library_.close();

    // The device gets the decoded sound between stretches of silence: the
    // device runs for a moment before the first samples are queued.
    const std::vector<unsigned char> written = ReadFile(DiskFile());
    const auto isSound = [](unsigned char byte) { return byte != 0; };
    const auto soundStart = std::find_if(reference_.begin(), reference_.end(), isSound);
    const auto writtenStart = std::find_if(written.begin(), written.end(), isSound);
    ASSERT_GE(written.end() - writtenStart, reference_.end() - soundStart);
    EXPECT_TRUE(std::equal(soundStart, reference_.end(), writtenStart));
    EXPECT_TRUE(std::all_of(writtenStart + (reference_.end() - soundStart), written.end(),
                            [](unsigned char byte) { return byte == 0; }));
}

TEST_F(MpegDllDeviceTest, PausesResumesAndStopsWhilePlaying) {
    ASSERT_EQ(library_.OpenFile(MpegFile()), 0);
    library_.setOutputDevice(DeviceDefault, "");
    std::atomic<std::uint8_t> ended{0};
    ASSERT_EQ(library_.play(0, 0, &ended), 0);
    library_.pause(0);
    EXPECT_EQ(library_.lastError(), ErrorNone);
    EXPECT_EQ(library_.getPlayerMode(), ModePaused);
    const std::int32_t pausedAt = library_.getCurrentPos();
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_EQ(ended, 0) << "a paused stream does not end";
    EXPECT_EQ(library_.getCurrentPos(), pausedAt);
    library_.pause(1);
    EXPECT_EQ(library_.getPlayerMode(), ModePlaying);
    ASSERT_TRUE(WaitForFlag(ended));

    ended = 0;
    ASSERT_EQ(library_.restart(), 0);
    EXPECT_EQ(library_.getPlayerMode(), ModePlaying);
    library_.stop();
    EXPECT_EQ(library_.lastError(), ErrorNone);
    EXPECT_EQ(library_.getPlayerMode(), ModeOpened);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(ended, 0) << "a stopped stream does not report an end";

    ASSERT_EQ(library_.restart(), 0);
    library_.close();
    EXPECT_EQ(library_.lastError(), ErrorNone);
    EXPECT_EQ(library_.getPlayerMode(), ModeClosed);
}

} // namespace
