// The verdict player on SDL's disk driver: the sound reaches the device, the
// event loop runs while it plays, and user input is dropped meanwhile.
#include "exercises/WavePlayer.h"
#include "tests/platform/NamedPipe.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using exercises::TWavePlayer;

std::string Le(unsigned value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

// A 16-bit mono tone at 22,050 Hz, as the verdict sounds are made.
std::string Tone(double seconds) {
    std::string samples;
    const int count = static_cast<int>(22050 * seconds);
    for (int i = 0; i < count; ++i) {
        const auto value = static_cast<std::int16_t>(6000 * std::sin(i * 2 * M_PI * 523 / 22050));
        samples += Le(static_cast<std::uint16_t>(value), 2);
    }
    return samples;
}

std::string Wave(const std::string& samples) {
    const std::string format = "fmt " + Le(16, 4) + Le(1, 2) + Le(1, 2) + Le(22050, 4) +
                               Le(44100, 4) + Le(2, 2) + Le(16, 2);
    const std::string data = "data" + Le(static_cast<unsigned>(samples.size()), 4) + samples;
    return "RIFF" + Le(static_cast<unsigned>(4 + format.size() + data.size()), 4) + "WAVE" +
           format + data;
}

class WavePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("wave-player-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return dir_ / name;
    }

    fs::path dir_;
};

TEST_F(WavePlayerTest, PlaysToTheEndWhileTimersRunAndInputIsDropped) {
    const std::string samples = Tone(0.4);
    const fs::path file = Write("da.wav", Wave(samples));

    QLineEdit edit;
    QToolButton button;
    edit.show();
    button.show();
    int clicks = 0;
    QObject::connect(&button, &QToolButton::clicked, [&] { ++clicks; });
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    QTimer::singleShot(100, [&] {
        QTest::keyClicks(&edit, QStringLiteral("typed"));
        QTest::mouseClick(&button, Qt::LeftButton);
    });

    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(TWavePlayer().PlayToEnd(file));
    EXPECT_GE(clock.elapsed(), 380) << "returns when the sound has ended";
    EXPECT_GE(ticks, 5) << "the event loop ran meanwhile";
    EXPECT_TRUE(edit.text().isEmpty()) << "keys were dropped";
    EXPECT_EQ(clicks, 0) << "clicks were dropped";

    QTest::keyClicks(&edit, QStringLiteral("after"));
    EXPECT_EQ(edit.text(), QStringLiteral("after")) << "input works again afterwards";

    std::ifstream played(qgetenv("SDL_DISKAUDIOFILE").toStdString(), std::ios::binary);
    const std::string device((std::istreambuf_iterator<char>(played)),
                             std::istreambuf_iterator<char>());
    EXPECT_NE(std::search(device.begin(), device.end(), samples.begin(), samples.end()),
              device.end())
        << "the samples reached the device whole and in order";
}

TEST_F(WavePlayerTest, AMissingOrBrokenFileStillHoldsTheVerdictBriefly) {
    for (const fs::path& file :
         {dir_ / "missing.wav", Write("broken.wav", "RIFF\x10\0\0\0WAVEfmt ")}) {
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(TWavePlayer().PlayToEnd(file));
        EXPECT_GE(clock.elapsed(), TWavePlayer::kSilentVerdictMs - 20);
    }
}

// A verdict file far beyond any verdict's size (sparse, so the test costs no
// disk) is not read into memory, nor played: the verdict holds as for a
// broken file. A named pipe in its place is not waited for.
TEST_F(WavePlayerTest, AHugeFileOrANamedPipeIsNotReadButStillHoldsTheVerdict) {
    const fs::path huge = Write("ne.wav", Wave(Tone(0.2)));
    fs::resize_file(huge, std::uintmax_t{3} << 30);
    testsupport::TNamedPipe pipe(dir_ / "da.wav");
    ASSERT_TRUE(pipe.Made());
    for (const fs::path& file : {huge, pipe.Path()}) {
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(TWavePlayer().PlayToEnd(file)) << file;
        EXPECT_GE(clock.elapsed(), TWavePlayer::kSilentVerdictMs - 20);
    }
    EXPECT_FALSE(pipe.Rescued());
}

// What the window manager's close button sends.
void CloseFromOutside(QWidget& window) {
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    QApplication::sendEvent(window.windowHandle(), &close);
}

TEST_F(WavePlayerTest, TheWindowManagersCloseIsDroppedWhileWaiting) {
    QWidget window;
    window.show();
    QTimer::singleShot(50, [&] { CloseFromOutside(window); });
    exercises::WaitDroppingInput(150);
    EXPECT_TRUE(window.isVisible());
    CloseFromOutside(window);
    EXPECT_FALSE(window.isVisible()) << "and closes the window again afterwards";
}

} // namespace
