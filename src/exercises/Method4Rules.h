#pragma once

#include "exercises/ExerciseRules.h"

#include <string>

namespace exercises {

// The article box as Method 4 needs it besides the shared steps.
class TArticleHead {
public:
    virtual ~TArticleHead() = default;
    // Deletes the article's head part, the head-word and its transcription:
    // everything up to the first "]" and the one character after it, or only
    // the first character when the article holds no "]".
    virtual void CutArticleHead() = 0;
};

// Method 4: a study word asked for by its meaning. The article is shown
// without its head part and the user types the word; in exam mode a score is
// kept between the user and the program.
class TMethod4Rules : public TMethodRules {
public:
    TMethod4Rules(TExerciseSteps& steps, TNextWordSource& words, TArticleHead& head);

    void Open();
    // Exam mode: checks and shows count in the score.
    void SetExam(bool on) { exam_ = on; }
    // Start asks the word at the current position again.
    void StartOrStop();
    // The typed answer judged: a right one moves on, a wrong one stays.
    void Check();
    // The word in the answer box; a point for the program in exam mode.
    void Show();
    void PlayEnded() override;

    // The current word was answered right.
    bool Answered() const { return answered_; }
    bool Exam() const { return exam_; }
    int ScoreYou() const { return scoreYou_; }
    int ScoreMe() const { return scoreMe_; }
    // "You - Me".
    std::string ScoreText() const;
    bool NextWordEnabled() const { return nextWordEnabled_; }
    bool PreviousEnabled() const { return previousEnabled_; }
    bool NextInListEnabled() const { return nextInListEnabled_; }

private:
    void ShowWordAt(int position) override;

    TArticleHead& head_;
    bool answered_ = false;
    bool exam_ = false;
    int scoreYou_ = 0;
    int scoreMe_ = 0;
    bool nextWordEnabled_ = true;
    bool previousEnabled_ = true;
    bool nextInListEnabled_ = true;
};

} // namespace exercises
