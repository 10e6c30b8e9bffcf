#pragma once

#include "exercises/ExerciseWindow.h"
#include "exercises/MainWindowSeams.h"
#include "tests/dictionary/TestDictionary.h"
#include "tests/exercises/FakeLookup.h"
#include "ui/Environment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class FakeStudy : public exercises::TStudyWords {
public:
    std::vector<std::string> Entries;
    int SelectedPosition = -1;

    int Count() const override { return static_cast<int>(Entries.size()); }
    std::string Entry(int position) const override {
        if (position < 0 || position >= Count()) {
            ADD_FAILURE() << "read position " << position << " of " << Count();
            return {};
        }
        return Entries[static_cast<std::size_t>(position)];
    }
    int Selected() const override { return SelectedPosition; }
    void Select(int position) override {
        SelectedPosition = position >= 0 && position < Count() ? position : -1;
    }
};

// The player: a playback starts for English head-words at the positions
// listed in Sounds of their letter.
class FakePronouncer : public exercises::TPronouncer {
public:
    explicit FakePronouncer(exercises::TLookupSteering& lookup) : lookup_(lookup) {}

    bool PronounceSelectedWord() override {
        const int position = lookup_.SearchBoxItemIndex();
        if (position < 0 || !Sounds) {
            return false;
        }
        Spoken.push_back(lookup_.SearchBoxText());
        playing_ = true;
        return true;
    }
    bool Playing() override { return playing_; }
    void StopPlaying() override {
        ++Stops;
        playing_ = false;
    }
    void End() { playing_ = false; }

    bool Sounds = true;
    std::vector<std::string> Spoken;
    int Stops = 0;

private:
    exercises::TLookupSteering& lookup_;
    bool playing_ = false;
};

class FakePlayEnd : public exercises::TPlayEndSubscription {
public:
    void Join(exercises::TPlayEndListener& listener) override { Listeners.push_back(&listener); }
    void Leave(exercises::TPlayEndListener& listener) override { std::erase(Listeners, &listener); }
    // The main window's play-end handler telling the open windows.
    void Notify(FakePronouncer& player) {
        player.End();
        const auto listeners = Listeners;
        for (exercises::TPlayEndListener* listener : listeners) {
            listener->PlayEnded();
        }
    }
    std::vector<exercises::TPlayEndListener*> Listeners;
};

// A dictionary of a few words in a folder that also holds the data files,
// and the main window's seams over it.
class WindowFixture : public ::testing::Test {
protected:
    static constexpr int kTabH = 'H' - 'A';
    static constexpr int kTabCyrillicA = 26;

    void SetUp() override {
        dictionary_.WriteLetter(kTabH, {{"hound", "{\\rtf1 hound dog}", 0},
                                        {"hour", "{\\rtf1 hour article}"},
                                        {"house", "{\\rtf1 house article}"}});
        // "ад" in code page 1251.
        dictionary_.WriteLetter(kTabCyrillicA, {{"\xE0\xE4", "{\\rtf1 hell article}"}});
        dictionary_.FillEmptyLetters();
        lookup_ = std::make_unique<FakeLookup>(dictionary_.Dir());
        pronouncer_ = std::make_unique<FakePronouncer>(*lookup_);
        study_.Entries = {"house", "hour", "\xC0\xE4"};
        env_.DesktopRect = [] { return QRect(0, 0, 1280, 1024); };
        env_.PlayVerdictSound = [this](const std::filesystem::path& file) {
            verdicts_.push_back(file.filename().string());
            if (OnVerdict) {
                OnVerdict();
            }
        };
    }

    exercises::TMainWindowSeams Seams(bool english = false) {
        return {study_, *lookup_,   *pronouncer_, playEnd_, paths_,
                env_,   nextWords_, random_,      english};
    }

    TestDictionary dictionary_;
    platform::TPaths paths_ = platform::TPaths::Below(dictionary_.Dir());
    ui::TEnvironment env_;
    FakeStudy study_;
    std::unique_ptr<FakeLookup> lookup_;
    std::unique_ptr<FakePronouncer> pronouncer_;
    FakePlayEnd playEnd_;
    platform::TRandom random_{20240611};
    exercises::TListOrder nextWords_{random_};
    std::vector<std::string> verdicts_;
    std::function<void()> OnVerdict;
};
