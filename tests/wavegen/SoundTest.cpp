#include "tests/wavegen/Mp3Decode.h"
#include "wavegen/Mp3Encoder.h"
#include "wavegen/Speech.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <unistd.h>

namespace {

std::filesystem::path WriteTemporary(const std::vector<unsigned char>& bytes) {
    static int counter = 0;
    const auto path =
        std::filesystem::temp_directory_path() /
        ("wavegen-sound-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".mp3");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<std::int16_t> Tone(std::size_t count) {
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<std::int16_t>(
            8000 * std::sin(2 * std::numbers::pi * 440 * static_cast<double>(i) / kSampleRate));
    }
    return samples;
}

TEST(Mp3EncoderTest, DecodersTrimDelayAndPaddingToTheExactLength) {
    // Lengths on and off the 576-sample frame grid of this rate.
    for (const std::size_t count : {576u, 5000u, 22050u, 22051u}) {
        SCOPED_TRACE(count);
        const std::vector<unsigned char> mp3 = wavegen::EncodeMp3(Tone(count), kSampleRate);
        const auto path = WriteTemporary(mp3);
        const Decoded decoded = DecodeMp3(path);
        std::filesystem::remove(path);
        EXPECT_EQ(decoded.Rate, kSampleRate);
        EXPECT_EQ(decoded.Channels, 1);
        EXPECT_EQ(decoded.Samples.size(), count);
        // Constant 64 kb/s: about 8,000 bytes a second.
        EXPECT_NEAR(static_cast<double>(mp3.size()), 8000.0 * count / kSampleRate + 600, 600);
    }
}

TEST(Mp3EncoderTest, NoSoundStillMakesAFileThatDecodesToNothing) {
    const auto path = WriteTemporary(wavegen::EncodeMp3({}, kSampleRate));
    const Decoded decoded = DecodeMp3(path);
    std::filesystem::remove(path);
    EXPECT_TRUE(decoded.Samples.empty());
}

TEST(SpeechTest, AWordSoundsTheSameWhateverWasSpokenBefore) {
    wavegen::Speech& speech = wavegen::Speech::Engine();
    EXPECT_EQ(speech.SampleRate(), kSampleRate);
    const std::size_t fresh = speech.Speak("world").size();
    EXPECT_GT(fresh, static_cast<std::size_t>(kSampleRate / 5));
    // Text ending like a sentence makes the engine pause longer afterwards.
    for (const char* before : {"o'clock", "a.", "hello world"}) {
        speech.Speak(before);
        const std::vector<std::int16_t> after = speech.Speak("world");
        EXPECT_NEAR(static_cast<double>(after.size()), static_cast<double>(fresh), 100) << before;
        ASSERT_FALSE(after.empty());
        EXPECT_NE(after.front(), 0);
        EXPECT_NE(after.back(), 0);
    }
}

TEST(SpeechTest, TextBeyondPlainLettersIsSpoken) {
    wavegen::Speech& speech = wavegen::Speech::Engine();
    EXPECT_FALSE(speech.Speak("T-shirt").empty());
    EXPECT_FALSE(speech.Speak("\xd0\xba\xd1\x8a\xd1\x89\xd0\xb0").empty()); // къща
    EXPECT_NO_THROW(speech.Speak(""));
    EXPECT_NO_THROW(speech.Speak("[[x]] <b>"));
}

} // namespace
