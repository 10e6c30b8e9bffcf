#include "sound/MPEGPlay.h"
#include "tests/sound/FakeMpegDll.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/sound/ToneMp3.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <optional>

using namespace soundtest;
using namespace sound;
using Calls = std::vector<std::string>;

namespace {

template <typename Action> std::optional<TMPEGError> MpegErrorOf(Action action) {
    try {
        action();
    } catch (const TMPEGError& error) {
        return error;
    }
    return std::nullopt;
}

TEST(MPEGLibraryPathTest, AddsSeparatorOnlyWhereNeeded) {
    EXPECT_EQ(MPEGLibraryPath(""), "mpegdll.dll");
    EXPECT_EQ(MPEGLibraryPath("C:"), "C:mpegdll.dll");
    EXPECT_EQ(MPEGLibraryPath("C:\\Sound\\"), "C:\\Sound\\mpegdll.dll");
    EXPECT_EQ(MPEGLibraryPath("C:\\Sound"), "C:\\Sound\\mpegdll.dll");
    EXPECT_EQ(MPEGLibraryPath("/opt/sound"), "/opt/sound\\mpegdll.dll");
    EXPECT_EQ(MPEGLibraryPath("/opt/sound/"), "/opt/sound/mpegdll.dll");
}

TEST(MPEGErrorTest, MessagesFollowTheCode) {
    const char* const expected[] = {
        "MPEG library not loaded", "Internal decoder error",       "Incorrect mode",
        "Input stream error",      "Input stream is non-seekable", "Output device failure"};
    for (std::int32_t code = 0; code < 6; ++code) {
        const TMPEGError error(code);
        EXPECT_STREQ(error.what(), expected[code]);
        EXPECT_EQ(error.ErrorCode, code);
    }
    EXPECT_STREQ(TMPEGError(254).what(), "Can't play non-specified stream");
    EXPECT_STREQ(TMPEGError(9).what(), "Unknown MPEG library error 9");
    EXPECT_EQ(TMPEGError(-1).ErrorCode, 255);
}

TEST(MPEGPlayerDefaultsTest, PublishedPropertiesStartAtTheirDefaults) {
    TMPEGPlayer player;
    EXPECT_FALSE(player.Seekable());
    EXPECT_FALSE(player.FromStream());
    EXPECT_EQ(player.PlayerPriority(), TPlayPriority::Normal);
    EXPECT_FALSE(player.UseTimer());
    EXPECT_EQ(player.TimerFreq(), 0);
    EXPECT_FALSE(player.AutoPlay());
    EXPECT_EQ(player.StreamName(), "");
    EXPECT_EQ(player.OutputDevice(), TOutputDevice::wavemapper);
    EXPECT_EQ(player.OutFilename(), "");
    EXPECT_EQ(player.PathToDLL(), "");
    EXPECT_EQ(player.StartPos(), 0);
    EXPECT_EQ(player.EndPos(), 0);
    EXPECT_EQ(player.PlayedXTimes(), 0);
    EXPECT_FALSE(player.IsLibraryLoaded());
}

TEST(MPEGPlayerDefaultsTest, SettersFollowTheirRules) {
    TMPEGPlayer player;
    player.SetUseTimer(true);
    player.SetTimerFreq(500);
    EXPECT_TRUE(player.UseTimer());
    player.SetTimerFreq(0);
    EXPECT_FALSE(player.UseTimer());

    player.SetOutputDevice(TOutputDevice::pcmfile);
    EXPECT_EQ(player.OutputDevice(), TOutputDevice::wavemapper) << "needs OutFilename first";
    player.SetOutFilename("out.pcm");
    player.SetOutputDevice(TOutputDevice::pcmfile);
    EXPECT_EQ(player.OutputDevice(), TOutputDevice::pcmfile);
    player.SetOutputDevice(TOutputDevice::wavemapper);
    EXPECT_EQ(player.OutputDevice(), TOutputDevice::wavemapper);

    player.SetPlayerPriority(TPlayPriority::Idle);
    EXPECT_EQ(player.PlayerPriority(), TPlayPriority::Idle);
}

TEST(MPEGPlayerDefaultsTest, EveryOperationNeedsTheLibrary) {
    TMPEGPlayer player;
    player.SetStreamName("x.mp3");
    const std::function<void()> operations[] = {
        [&] { player.DonePlayer(); },    [&] { player.Open(); },
        [&] { player.Play(); },          [&] { player.SetPaused(false); },
        [&] { player.Restart(); },       [&] { player.Close(); },
        [&] { player.GetPlayerMode(); }, [&] { player.GetCurrentPos(); },
        [&] { player.GetLength(); },
    };
    for (const auto& operation : operations) {
        const auto error = MpegErrorOf(operation);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->ErrorCode, 0);
        EXPECT_STREQ(error->what(), "MPEG library not loaded");
    }
    // Stop looks at its mode first.
    const auto error = MpegErrorOf([&] { player.Stop(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->ErrorCode, 2);
}

TEST(MPEGPlayerLoadTest, MissingLibraryIsAPlainError) {
    TMPEGPlayer player;
    player.SetPathToDLL("/no/such/folder");
    try {
        player.InitPlayer();
        FAIL() << "loaded a library that does not exist";
    } catch (const TMPEGError&) {
        FAIL() << "expected a plain error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Can't load MPEG library");
    }
    EXPECT_FALSE(player.IsLibraryLoaded());
}

class MPEGPlayerMissingEntryTest : public ::testing::TestWithParam<const char*> {};

TEST_P(MPEGPlayerMissingEntryTest, LibraryIsReleased) {
    const std::string folder = std::string(FAKE_MISSING_DIR_PREFIX) + GetParam();
    TMPEGPlayer player;
    player.SetPathToDLL(folder);
    const auto error = MpegErrorOf([&] { player.InitPlayer(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->ErrorCode, 0);
    EXPECT_STREQ(error->what(), "MPEG library not loaded");
    EXPECT_FALSE(player.IsLibraryLoaded());
    EXPECT_EQ(dlopen((folder + "/libmpegdll.so").c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Entries, MPEGPlayerMissingEntryTest,
                         ::testing::Values("init", "Seek", "LastError"));

// The component over the stand-in library in the test program's own folder,
// loaded by bare name.
class MPEGPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        handle_ =
            dlopen((std::string(SOUND_TEST_DIR) + "/libmpegdll.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
        auto stateOf = reinterpret_cast<TFakeMpegStateProc>(dlsym(handle_, "FakeMpegStateOf"));
        ASSERT_NE(stateOf, nullptr);
        fake_ = stateOf();
        *fake_ = FakeMpegState{};
    }
    void TearDown() override {
        if (player_.IsLibraryLoaded()) {
            try {
                player_.DonePlayer();
            } catch (const TMPEGError&) {
            }
        }
        dlclose(handle_);
    }

    void LoadAndOpen() {
        player_.InitPlayer();
        player_.SetStreamName("/data/wave/12.mp3");
        player_.Open();
        fake_->calls.clear();
    }

    void* handle_ = nullptr;
    FakeMpegState* fake_ = nullptr;
    TMPEGPlayer player_;
};

TEST_F(MPEGPlayerTest, LoadsFromProgramFolderAndUnloads) {
    player_.InitPlayer();
    EXPECT_TRUE(player_.IsLibraryLoaded());
    EXPECT_EQ(fake_->calls, Calls{"init"});
    player_.DonePlayer();
    EXPECT_FALSE(player_.IsLibraryLoaded());
    EXPECT_EQ(fake_->calls, (Calls{"init", "deinit"}));
}

TEST_F(MPEGPlayerTest, FailedInitReleasesWithTheLibraryError) {
    fake_->initResult = 0x100; // only the low byte counts
    fake_->errorEntry = "init";
    fake_->errorCode = 3;
    const auto error = MpegErrorOf([&] { player_.InitPlayer(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->ErrorCode, 3);
    EXPECT_STREQ(error->what(), "Input stream error");
    EXPECT_EQ(player_.LastErrorCode(), 3);
    EXPECT_FALSE(player_.IsLibraryLoaded());
}

TEST_F(MPEGPlayerTest, OpenHandsOverTheFileName) {
    player_.InitPlayer();
    const auto noName = MpegErrorOf([&] { player_.Open(); });
    ASSERT_TRUE(noName);
    EXPECT_EQ(noName->ErrorCode, 254);
    EXPECT_STREQ(noName->what(), "Can't play non-specified stream");
    EXPECT_EQ(fake_->calls, Calls{"init"});

    fake_->length = 820;
    player_.SetStreamName("/data/wave/12.mp3");
    player_.Open();
    EXPECT_EQ(fake_->openName, "/data/wave/12.mp3");
    EXPECT_EQ(fake_->openFromStream, 0);
    EXPECT_EQ(fake_->openStream, nullptr);
    EXPECT_EQ(fake_->userData, nullptr);
    EXPECT_EQ(player_.PlayedXTimes(), 1);
    EXPECT_EQ(fake_->calls, (Calls{"init", "Open", "GetLength"}));

    // Opening again closes first; a new name closes too.
    player_.Open();
    player_.SetStreamName("/data/wave/13.mp3");
    EXPECT_EQ(player_.PlayedXTimes(), 0);
    EXPECT_EQ(fake_->calls,
              (Calls{"init", "Open", "GetLength", "Close", "Open", "GetLength", "Close"}));
}

class MPEGPlayerErrorCodeTest : public MPEGPlayerTest,
                                public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(MPEGPlayerErrorCodeTest, LibraryErrorsBecomeExceptions) {
    player_.InitPlayer();
    player_.SetStreamName("x.mp3");
    fake_->errorEntry = "Open";
    fake_->errorCode = GetParam();
    const auto error = MpegErrorOf([&] { player_.Open(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->ErrorCode, GetParam());
    EXPECT_EQ(error->what(), MPEGErrorMessage(GetParam()));
    EXPECT_EQ(player_.LastErrorCode(), GetParam());
    EXPECT_EQ(player_.PlayedXTimes(), 0) << "a failed open leaves the stream closed";

    // Not opened: Play tries to open again.
    fake_->calls.clear();
    EXPECT_TRUE(MpegErrorOf([&] { player_.Play(); }));
    EXPECT_EQ(fake_->calls, Calls{"Open"});
}

INSTANTIATE_TEST_SUITE_P(Codes, MPEGPlayerErrorCodeTest, ::testing::Values(1, 2, 3, 4, 5, 6));

TEST_F(MPEGPlayerTest, FirstPlayStartsLaterOnesRestart) {
    player_.SetStartPos(120);
    player_.SetEndPos(640);
    player_.SetPlayerPriority(TPlayPriority::BelowNormal);
    LoadAndOpen();
    player_.Play();
    EXPECT_EQ(fake_->calls, (Calls{"SetPriority", "SetOutputDevice", "Play"}));
    EXPECT_EQ(fake_->priority, -1);
    EXPECT_EQ(fake_->device, 0);
    EXPECT_EQ(fake_->deviceFile, "");
    EXPECT_EQ(fake_->startPos, 120);
    EXPECT_EQ(fake_->endPos, 640);
    EXPECT_NE(fake_->ended, nullptr);
    EXPECT_EQ(player_.PlayedXTimes(), 2);

    fake_->calls.clear();
    player_.Play();
    EXPECT_TRUE(fake_->calls.empty()) << "already playing";

    player_.Stop();
    player_.Play();
    player_.Play();
    EXPECT_EQ(fake_->calls, (Calls{"Stop", "Restart"}));
    EXPECT_EQ(player_.PlayedXTimes(), 3);

    player_.Close();
    EXPECT_EQ(player_.PlayedXTimes(), 0);
}

TEST_F(MPEGPlayerTest, FailedPlayKeepsState) {
    LoadAndOpen();
    fake_->playResult = 1;
    fake_->errorEntry = "Play";
    fake_->errorCode = -1;
    const auto error = MpegErrorOf([&] { player_.Play(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->ErrorCode, 255);
    EXPECT_STREQ(error->what(), "Unknown MPEG library error -1");
    EXPECT_EQ(player_.PlayedXTimes(), 1);
    EXPECT_TRUE(MpegErrorOf([&] { player_.Stop(); })) << "not playing";
}

TEST_F(MPEGPlayerTest, PcmOutputHandsOverTheFile) {
    player_.SetOutFilename("/tmp/out.pcm");
    player_.SetOutputDevice(TOutputDevice::pcmfile);
    LoadAndOpen();
    player_.Play();
    EXPECT_EQ(fake_->device, 2);
    EXPECT_EQ(fake_->deviceFile, "/tmp/out.pcm");
}

TEST_F(MPEGPlayerTest, PriorityReachesLoadedLibraryAtOnce) {
    player_.InitPlayer();
    player_.SetPlayerPriority(TPlayPriority::TimeCritical);
    EXPECT_EQ(fake_->calls, (Calls{"init", "SetPriority"}));
    EXPECT_EQ(fake_->priority, 15);
    fake_->errorEntry = "SetPriority";
    fake_->errorCode = 2;
    EXPECT_TRUE(MpegErrorOf([&] { player_.SetPlayerPriority(TPlayPriority::Idle); }));
}

TEST_F(MPEGPlayerTest, PauseOnlyWhilePlaying) {
    LoadAndOpen();
    player_.SetPaused(false);
    const auto notPlaying = MpegErrorOf([&] { player_.SetPaused(true); });
    ASSERT_TRUE(notPlaying);
    EXPECT_EQ(notPlaying->ErrorCode, 2);
    EXPECT_TRUE(fake_->calls.empty());

    player_.Play();
    fake_->calls.clear();
    player_.SetPaused(true);
    EXPECT_EQ(fake_->pauseArgument, 0);
    player_.Play(); // resumes
    EXPECT_EQ(fake_->pauseArgument, 1);
    EXPECT_EQ(fake_->calls, (Calls{"Pause", "Pause"}));

    // Once the library has ended playing, neither pause nor stop apply.
    *fake_->ended = 1;
    EXPECT_TRUE(MpegErrorOf([&] { player_.SetPaused(true); }));
    const auto stopped = MpegErrorOf([&] { player_.Stop(); });
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->ErrorCode, 2);
}

TEST_F(MPEGPlayerTest, AutoPlayPlaysOnOpen) {
    player_.SetAutoPlay(true);
    player_.InitPlayer();
    player_.SetStreamName("x.mp3");
    player_.Open();
    EXPECT_EQ(fake_->calls.back(), "Play");
    EXPECT_EQ(player_.PlayedXTimes(), 2);
}

TEST_F(MPEGPlayerTest, DonePlayerClosesTheStream) {
    LoadAndOpen();
    player_.DonePlayer();
    EXPECT_EQ(fake_->calls, (Calls{"Close", "deinit"}));
    EXPECT_EQ(player_.PlayedXTimes(), 0);
}

TEST_F(MPEGPlayerTest, DestroyingStopsPlaybackButKeepsLibrary) {
    {
        TMPEGPlayer player;
        player.InitPlayer();
        player.SetStreamName("x.mp3");
        player.Open();
        player.Play();
        fake_->calls.clear();
    }
    EXPECT_EQ(fake_->calls, Calls{"Stop"});
}

TEST_F(MPEGPlayerTest, StreamCallbacksForwardToEvents) {
    player_.SetFromStream(true);
    player_.InitPlayer();
    player_.Open();
    EXPECT_EQ(fake_->openName, "<null>");
    EXPECT_EQ(fake_->openFromStream, 1);
    EXPECT_EQ(fake_->userData, &player_);
    ASSERT_NE(fake_->openStream, nullptr);
    void* const user = fake_->userData;

    // Without handlers the callbacks answer with failures.
    bool nonSeekable = false;
    void* context = &nonSeekable;
    bool ok = true;
    std::int32_t number = 0;
    char buffer[8] = {};
    fake_->openStream(user, &nonSeekable, &context);
    EXPECT_EQ(context, nullptr);
    fake_->restartStream(user, nullptr, &ok);
    EXPECT_FALSE(ok);
    ok = true;
    fake_->readStream(user, nullptr, buffer, 8, &number, &ok);
    EXPECT_FALSE(ok);
    fake_->seekStream(user, nullptr, 4, 0, &number);
    EXPECT_EQ(number, -1);
    number = 0;
    fake_->getStreamSize(user, nullptr, &number);
    EXPECT_EQ(number, -1);
    fake_->closeStream(user, nullptr);

    int token = 0;
    void* closed = nullptr;
    player_.OnOpenStream = [&](bool& nonseekable, void*& ctx) {
        nonseekable = true;
        ctx = &token;
    };
    player_.OnCloseStream = [&](void* ctx) { closed = ctx; };
    player_.OnRestartStream = [&](void* ctx, bool& res) { res = ctx == &token; };
    player_.OnReadStream = [&](void* ctx, void* out, std::int32_t count, std::int32_t& read,
                               bool& res) {
        std::memset(out, 'a', static_cast<size_t>(count));
        read = count;
        res = ctx == &token;
    };
    player_.OnSeekStream = [&](void*, std::int32_t numbytes, std::int32_t moveMethod,
                               std::int32_t& res) { res = numbytes * 10 + moveMethod; };
    player_.OnGetStreamSize = [&](void*, std::int32_t& res) { res = 4321; };

    fake_->openStream(user, &nonSeekable, &context);
    EXPECT_TRUE(nonSeekable);
    EXPECT_EQ(context, &token);
    fake_->restartStream(user, context, &ok);
    EXPECT_TRUE(ok);
    ok = false;
    fake_->readStream(user, context, buffer, 3, &number, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(number, 3);
    EXPECT_EQ(std::string(buffer, 4), std::string("aaa\0", 4));
    fake_->seekStream(user, context, 7, 2, &number);
    EXPECT_EQ(number, 72);
    fake_->getStreamSize(user, context, &number);
    EXPECT_EQ(number, 4321);
    fake_->closeStream(user, context);
    EXPECT_EQ(closed, &token);
}

class MPEGPlayerTimerTest : public MPEGPlayerTest {
protected:
    void SetUp() override {
        MPEGPlayerTest::SetUp();
        player_.SetUseTimer(true);
        player_.SetTimerFreq(10);
        player_.OnPosUpdate = [this](std::int32_t pos, std::int32_t len) {
            updates_.emplace_back(pos, len);
        };
        player_.OnPlayEnd = [this](TMPEGPlayer* sender) {
            EXPECT_EQ(sender, &player_);
            ++ends_;
        };
    }

    std::vector<std::pair<std::int32_t, std::int32_t>> updates_;
    int ends_ = 0;
};

TEST_F(MPEGPlayerTimerTest, PollsAtOnceWhenPlayStarts) {
    fake_->endOnPlay = true;
    fake_->currentPos = 400;
    LoadAndOpen();
    player_.Play();
    EXPECT_EQ(ends_, 1);
    ASSERT_EQ(updates_.size(), 1u);
    EXPECT_EQ(updates_[0], std::make_pair(400, 1000));
    EXPECT_EQ(*fake_->ended, 0) << "the handler consumed the end";

    // The stream ended: the next Play restarts it, and a position past the
    // length reads as 0.
    fake_->currentPos = 5000;
    fake_->calls.clear();
    player_.Play();
    EXPECT_EQ(fake_->calls, (Calls{"Restart", "GetCurrentPos"}));
    EXPECT_EQ(ends_, 2);
    EXPECT_EQ(updates_.back(), std::make_pair(0, 1000));
}

TEST_F(MPEGPlayerTimerTest, TimerReportsTheEndOnItsThread) {
    fake_->currentPos = 250;
    LoadAndOpen();
    player_.Play();
    EXPECT_EQ(ends_, 0);
    EXPECT_TRUE(ProcessEventsUntil([&] { return updates_.size() >= 3; }));
    *fake_->ended = 1;
    EXPECT_TRUE(ProcessEventsUntil([&] { return ends_ == 1; }));
    const size_t updatesAtEnd = updates_.size();
    ProcessEventsUntil([] { return false; }, 100);
    EXPECT_EQ(updates_.size(), updatesAtEnd) << "the timer stops at the end";
    EXPECT_EQ(ends_, 1);
}

TEST_F(MPEGPlayerTimerTest, WithoutTimerTheEndGoesUnnoticed) {
    player_.SetTimerFreq(0);
    fake_->endOnPlay = true;
    LoadAndOpen();
    player_.Play();
    ProcessEventsUntil([] { return false; }, 100);
    EXPECT_EQ(ends_, 0);
    EXPECT_TRUE(updates_.empty());
    EXPECT_NE(*fake_->ended, 0);
}

TEST_F(MPEGPlayerTimerTest, WithoutHandlerTheEndStaysFlagged) {
    player_.OnPlayEnd = nullptr;
    fake_->endOnPlay = true;
    LoadAndOpen();
    player_.Play();
    EXPECT_EQ(updates_.size(), 1u);
    EXPECT_NE(*fake_->ended, 0);
    EXPECT_TRUE(MpegErrorOf([&] { player_.Stop(); })) << "no longer playing";
}

// The player keeps the sound system once any test has used it, and the sound
// system reads its driver when it starts: the program chooses the disk device
// before the first test, whatever order the tests run in.
const bool kDiskDevice = [] { return ::setenv("SDL_AUDIODRIVER", "disk", 1) == 0; }();

// The component over the real library: a short tone to the SDL disk device,
// its end reported through the position timer.
TEST(MPEGPlayerEndToEndTest, PlaysAFileToTheEnd) {
    ASSERT_TRUE(kDiskDevice);
    TempFolder folder("mpegplay-e2e");
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", (folder.Path() / "device.raw").c_str(), 1);
    const auto mp3 = folder.Path() / "1.mp3";
    WriteFile(mp3, EncodeToneMp3(0.3));

    TMPEGPlayer player;
    player.SetPathToDLL(MPEGDLL_DIR);
    player.SetUseTimer(true);
    player.SetTimerFreq(50);
    int ends = 0;
    std::int32_t lastLength = 0;
    player.OnPlayEnd = [&](TMPEGPlayer*) { ++ends; };
    player.OnPosUpdate = [&](std::int32_t, std::int32_t len) { lastLength = len; };
    player.InitPlayer();
    player.SetStreamName(mp3.string());
    player.Open();
    player.Play();
    EXPECT_EQ(player.GetPlayerMode(), 3);
    EXPECT_TRUE(ProcessEventsUntil([&] { return ends == 1; }));
    EXPECT_EQ(lastLength, 300);
    player.DonePlayer();
    EXPECT_FALSE(player.IsLibraryLoaded());
    EXPECT_EQ(ReadFile(folder.Path() / "device.raw").size() >= 2 * 6615, true);
}

// Stream events feeding the real library, decoded to a PCM file.
TEST(MPEGPlayerEndToEndTest, DecodesFromStreamEventsToPcmFile) {
    TempFolder folder("mpegplay-stream");
    const auto mp3 = folder.Path() / "1.mp3";
    const auto bytes = EncodeToneMp3(0.3);
    WriteFile(mp3, bytes);
    const auto pcm = folder.Path() / "out.pcm";

    TMPEGPlayer player;
    player.SetPathToDLL(std::string(MPEGDLL_DIR) + "/");
    player.SetFromStream(true);
    player.SetOutFilename(pcm.string());
    player.SetOutputDevice(TOutputDevice::pcmfile);
    player.SetUseTimer(true);
    player.SetTimerFreq(20);
    size_t pos = 0;
    bool closed = false;
    player.OnOpenStream = [&](bool&, void*& context) { context = &pos; };
    player.OnReadStream = [&](void*, void* buffer, std::int32_t count, std::int32_t& read,
                              bool& res) {
        const size_t n = std::min(static_cast<size_t>(count), bytes.size() - pos);
        std::memcpy(buffer, bytes.data() + pos, n);
        pos += n;
        read = static_cast<std::int32_t>(n);
        res = true;
    };
    player.OnSeekStream = [&](void*, std::int32_t numbytes, std::int32_t moveMethod,
                              std::int32_t& res) {
        const long base = moveMethod == 0   ? 0
                          : moveMethod == 1 ? static_cast<long>(pos)
                                            : static_cast<long>(bytes.size());
        pos = static_cast<size_t>(base + numbytes);
        res = static_cast<std::int32_t>(pos);
    };
    player.OnGetStreamSize = [&](void*, std::int32_t& res) {
        res = static_cast<std::int32_t>(bytes.size());
    };
    player.OnCloseStream = [&](void* context) { closed = context == &pos; };
    int ends = 0;
    player.OnPlayEnd = [&](TMPEGPlayer* sender) {
        ++ends;
        sender->DonePlayer();
    };
    player.InitPlayer();
    player.Open();
    player.Play();
    EXPECT_TRUE(ProcessEventsUntil([&] { return ends == 1; }));
    EXPECT_FALSE(player.IsLibraryLoaded());
    EXPECT_TRUE(closed);
    EXPECT_EQ(ReadFile(pcm), DecodeMp3(mp3));
}

} // namespace
