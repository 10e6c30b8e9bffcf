#pragma once

#include "dictionary/Letters.h"
#include "exercises/ExerciseRules.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

// The shared steps as the rules see them, recorded: a study list, a
// dictionary of the words it knows, and a log of what was done.
class FakeSteps : public exercises::TExerciseSteps {
public:
    std::vector<std::string> List;
    // Study word -> head-word found; base English words unless listed in
    // UserWords. Words missing here are not in the dictionary.
    std::map<std::string, std::string> Known;
    std::vector<std::string> UserWords;
    // Whether a pronunciation starts (a sound file exists).
    bool SoundExists = true;
    bool Busy = false;

    int Selected = -1;
    std::string Box;
    std::vector<std::string> Log;
    int Focused = 0;
    int PictureClears = 0;

    int Count() const override { return static_cast<int>(List.size()); }

    std::string Entry(int position) const override {
        if (position < 0 || position >= Count()) {
            ADD_FAILURE() << "read position " << position << " of " << Count();
            return {};
        }
        return List[static_cast<std::size_t>(position)];
    }

    void SelectStudyEntry(int position) override { Selected = position; }

    exercises::TStudyWordHit FindStudyWord(const std::string& word, bool) override {
        Log.push_back("find " + word);
        exercises::TStudyWordHit hit;
        hit.Tab = dictionary::TabOfWord(word);
        const auto known = Known.find(word);
        if (known != Known.end()) {
            hit.Position = 0;
            hit.HeadWord = known->second;
            hit.IsBase = std::find(UserWords.begin(), UserWords.end(), word) == UserWords.end();
        }
        lastFound_ = hit.HeadWord;
        return hit;
    }

    void LoadArticle(const exercises::TStudyWordHit& hit) override {
        Log.push_back("article " + hit.HeadWord);
    }

    bool PronounceSelectedWord() override {
        if (!SoundExists) {
            return false;
        }
        Log.push_back("speak " + lastFound_);
        return true;
    }

    bool PlayerBusy() override { return Busy; }
    void StopPlayer() override { Log.push_back("stop"); }

    void PlayVerdict(bool right) override { Log.push_back(right ? "right" : "wrong"); }
    void ClearVerdictPicture() override { ++PictureClears; }

    std::string WordBoxText() const override { return Box; }
    void SetWordBoxText(const std::string& text) override { Box = text; }
    void FocusWordBox() override { ++Focused; }

    // How many log lines begin with prefix.
    int Logged(const std::string& prefix) const {
        int count = 0;
        for (const std::string& line : Log) {
            count += line.rfind(prefix, 0) == 0 ? 1 : 0;
        }
        return count;
    }
    bool LastIs(const std::string& line) const { return !Log.empty() && Log.back() == line; }

private:
    std::string lastFound_;
};

// The study list's own order, drawing from a fixed seed.
struct FakeOrder {
    platform::TRandom Random{7};
    exercises::TListOrder Order{Random};
};

// A source that answers with what it was told and says what it was asked.
class ScriptedSource : public exercises::TNextWordSource {
public:
    int Next(int current, int count) override { return Answer("next", current, count); }
    int Previous(int current, int count) override { return Answer("previous", current, count); }
    int Random(int count) override { return Answer("random", -1, count); }

    int Position = 0;
    std::vector<std::string> Asked;

private:
    int Answer(const std::string& what, int current, int count) {
        Asked.push_back(what + " " + std::to_string(current) + "/" + std::to_string(count));
        return Position;
    }
};
