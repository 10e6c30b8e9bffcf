// Stepping, answers, the Start/Stop state, the wave reader and the play-end
// listeners: no display.
#include "exercises/ExerciseRules.h"
#include "exercises/MainWindowSeams.h"
#include "exercises/WaveFile.h"
#include "platform/Cp1251.h"
#include "tests/exercises/FakeSteps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace exercises;

TEST(Stepping, NextAndPreviousWrapBothWaysAndStartFromNoWord) {
    platform::TRandom random(1);
    TListOrder order(random);
    EXPECT_EQ(order.Next(-1, 3), 0) << "the first word after none";
    EXPECT_EQ(order.Next(0, 3), 1);
    EXPECT_EQ(order.Next(2, 3), 0) << "after the last, the first";
    EXPECT_EQ(order.Previous(-1, 3), 2) << "before any word, the last";
    EXPECT_EQ(order.Previous(0, 3), 2);
    EXPECT_EQ(order.Previous(2, 3), 1);
    EXPECT_EQ(order.Next(0, 1), 0);
    EXPECT_EQ(order.Previous(0, 1), 0);
}

TEST(Stepping, AnEmptyListGivesNoPositionEver) {
    platform::TRandom random(1);
    TListOrder order(random);
    for (const int current : {-2, -1, 0, 1, 5}) {
        EXPECT_EQ(order.Next(current, 0), -1);
        EXPECT_EQ(order.Previous(current, 0), -1);
    }
    EXPECT_EQ(order.Random(0), -1);
    EXPECT_EQ(order.Random(-3), -1);
}

TEST(Stepping, PositionsLeftOverFromALongerListStayInside) {
    platform::TRandom random(1);
    TListOrder order(random);
    EXPECT_EQ(order.Next(7, 3), 0);
    EXPECT_EQ(order.Previous(7, 3), 2);
}

TEST(Stepping, RandomDrawsCoverTheListAndStayInside) {
    platform::TRandom random(1234);
    TListOrder order(random);
    std::set<int> seen;
    for (int i = 0; i < 400; ++i) {
        const int position = order.Random(5);
        ASSERT_GE(position, 0);
        ASSERT_LT(position, 5);
        seen.insert(position);
    }
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(order.Random(1), 0);
}

TEST(Stepping, ThePolicyAsksItsSourceInListOrderOrForADraw) {
    ScriptedSource source;
    const TStepPolicy policy(source);
    source.Position = 4;
    EXPECT_EQ(policy.Forward(1, 6), 4);
    EXPECT_EQ(policy.Back(1, 6, TStudyOrder::List), 4);
    EXPECT_EQ(policy.Forward(1, 6, TStudyOrder::Random), 4);
    EXPECT_EQ(policy.Back(2, 6, TStudyOrder::Random), 4);
    EXPECT_EQ(source.Asked,
              (std::vector<std::string>{"next 1/6", "previous 1/6", "random -1/6", "random -1/6"}));
}

TEST(Answers, CaseOfBothAlphabetsAndNoTrimming) {
    EXPECT_TRUE(AnswerMatches("HOUSE", "house"));
    EXPECT_TRUE(AnswerMatches("house", "House", TAnswerCase::Upper));
    EXPECT_FALSE(AnswerMatches("house ", "house")) << "a trailing blank is wrong";
    EXPECT_FALSE(AnswerMatches(" house", "house"));
    EXPECT_FALSE(AnswerMatches("hous", "house"));
    EXPECT_FALSE(AnswerMatches("house", "hous"));
    // Cyrillic letters (code page 1251) fold as the Latin ones do: "КЪЩА",
    // "Къща" and "къща" are one answer, in either case of comparison.
    for (const TAnswerCase letterCase : {TAnswerCase::Lower, TAnswerCase::Upper}) {
        EXPECT_TRUE(AnswerMatches("\xCA\xDA\xD9\xC0", "\xEA\xFA\xF9\xE0", letterCase));
        EXPECT_TRUE(AnswerMatches("\xCA\xFA\xF9\xE0", "\xEA\xFA\xF9\xE0", letterCase));
        EXPECT_TRUE(AnswerMatches("\xEA\xFA\xF9\xE0", "\xCA\xDA\xD9\xC0", letterCase));
        // Folding joins the two cases of a letter, never two letters: "къщи".
        EXPECT_FALSE(AnswerMatches("\xEA\xFA\xF9\xE8", "\xEA\xFA\xF9\xE0", letterCase));
    }
    EXPECT_TRUE(AnswerMatches("", ""));
}

TEST(Timers, SwitchingOnARunningTimerKeepsItsCountdown) {
    TTimerState timer;
    timer.SwitchOn();
    const unsigned starts = timer.Starts;
    timer.SwitchOn();
    EXPECT_EQ(timer.Starts, starts);
    timer.Restart();
    EXPECT_EQ(timer.Starts, starts + 1);
    timer.SetInterval(500);
    EXPECT_EQ(timer.Starts, starts + 2) << "a new interval restarts a running timer";
    timer.SwitchOff();
    timer.SetInterval(700);
    EXPECT_EQ(timer.Starts, starts + 2);
    EXPECT_FALSE(timer.On);
}

std::string Le16(unsigned value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string Le32(unsigned value) {
    return Le16(value & 0xFFFF) + Le16(value >> 16);
}

std::string Format(unsigned channels, unsigned rate, unsigned bits, unsigned tag = 1) {
    const unsigned align = channels * bits / 8;
    return "fmt " + Le32(16) + Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) +
           Le16(align) + Le16(bits);
}

std::string Riff(const std::string& chunks) {
    return "RIFF" + Le32(static_cast<unsigned>(4 + chunks.size())) + "WAVE" + chunks;
}

TEST(WaveFile, ReadsPcmAndSkipsOtherChunksWithTheirPadding) {
    const std::string samples(2205 * 2, '\x10');
    const std::string bytes = Riff("LIST" + Le32(3) + "abc" + std::string(1, '\0') +
                                   Format(1, 22050, 16) + "data" + Le32(4410) + samples);
    const auto wave = ParseWave(bytes);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->Channels, 1);
    EXPECT_EQ(wave->SampleRate, 22050u);
    EXPECT_EQ(wave->BitsPerSample, 16);
    EXPECT_EQ(wave->FrameCount(), 2205u);
    EXPECT_EQ(wave->DurationMs(), 100u);
    EXPECT_EQ(wave->Samples.data(), bytes.data() + bytes.size() - samples.size());
}

TEST(WaveFile, ADataChunkLongerThanTheFileIsCutToWholeFrames) {
    const std::string bytes =
        Riff(Format(2, 8000, 16) + "data" + Le32(1000000) + std::string(4003, '\x01'));
    const auto wave = ParseWave(bytes);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->Samples.size(), 4000u);
    EXPECT_EQ(wave->FrameCount(), 1000u);
}

TEST(WaveFile, RejectsWhatCannotBePlayedSafely) {
    const std::string data = "data" + Le32(4) + "abcd";
    EXPECT_FALSE(ParseWave("")) << "nothing";
    EXPECT_FALSE(ParseWave("RIFF\x04\0\0\0WAV")) << "cut header";
    EXPECT_FALSE(ParseWave(Riff(data))) << "data before any format";
    EXPECT_FALSE(ParseWave(Riff(Format(1, 22050, 16, 3) + data))) << "not PCM";
    EXPECT_FALSE(ParseWave(Riff(Format(3, 22050, 16) + data))) << "three channels";
    EXPECT_FALSE(ParseWave(Riff(Format(1, 22050, 12) + data))) << "12 bits";
    EXPECT_FALSE(ParseWave(Riff(Format(1, 0, 16) + data))) << "no rate";
    EXPECT_FALSE(ParseWave(Riff("fmt " + Le32(40) + Format(1, 22050, 16).substr(8))))
        << "a format chunk longer than the file";
    EXPECT_FALSE(ParseWave(Riff("fmt " + Le32(8) + std::string(8, '\x01') + data)))
        << "a format chunk too short";
    EXPECT_FALSE(ParseWave(Riff("junk" + Le32(0xFFFFFFF0u) + "xx")))
        << "an unknown chunk claiming more than there is";
    std::string misaligned = Format(1, 22050, 16);
    misaligned[20] = 3; // block align 3 for 16-bit mono
    EXPECT_FALSE(ParseWave(Riff(misaligned + data)));
    const auto empty = ParseWave(Riff(Format(1, 22050, 8) + "data" + Le32(0)));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->DurationMs(), 0u) << "an empty data chunk has no frames to play";
}

struct RecordingListener : TPlayEndListener {
    RecordingListener(std::vector<int>& told, int name) : Told(told), Name(name) {}
    void PlayEnded() override {
        Told.push_back(Name);
        if (OnEnd) {
            OnEnd();
        }
    }
    std::vector<int>& Told;
    int Name;
    std::function<void()> OnEnd;
};

// A window that closes while the end is announced leaves at once; one that
// joined twice is told once; one that left is not told any more.
TEST(PlayEndListeners, AreToldOnceInTheirOrderAndNotAfterLeaving) {
    std::vector<int> told;
    TPlayEndListeners listeners;
    RecordingListener first(told, 1);
    RecordingListener second(told, 2);
    RecordingListener third(told, 3);
    listeners.Join(first);
    listeners.Join(second);
    listeners.Join(first);
    listeners.Join(third);
    listeners.Notify();
    EXPECT_EQ(told, (std::vector<int>{1, 2, 3}));

    told.clear();
    first.OnEnd = [&] { listeners.Leave(second); };
    listeners.Notify();
    EXPECT_EQ(told, (std::vector<int>{1, 3})) << "one that left while told is skipped";

    told.clear();
    first.OnEnd = nullptr;
    {
        RecordingListener passing(told, 4);
        const TPlayEndMembership membership(listeners, passing);
        listeners.Notify();
    }
    listeners.Notify();
    EXPECT_EQ(told, (std::vector<int>{1, 3, 4, 1, 3})) << "a membership ends with its window";
}

} // namespace
