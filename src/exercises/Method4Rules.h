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
// kept between the user and the program. Handlers bear the window's names;
// the window mirrors the state after each one.
class TMethod4Rules {
public:
    TMethod4Rules(TExerciseSteps& steps, TArticleHead& head);

    void FormCreate();
    void Button5Click(); // Start/Stop
    // Next: a random word when "Random word" is checked, else the next one.
    void Button4Click();
    void Button7Click(); // Next word, always in list order
    void Button6Click(); // Previous word, always in list order
    void Button3Click(); // Check, also Enter in the answer box
    void Button8Click(); // Show
    void PlayEnded();

    // No study word: nothing to ask, and nothing that would ask one works.
    bool EmptyList() const { return steps_.Count() <= 0; }
    // "You - Me".
    std::string ScoreText() const;

    int CurrentIndex = 0;
    std::string CurrentWord;
    bool Answered = false;
    bool RandomOrder = false; // CheckBox1
    bool Exam = false;        // CheckBox2
    int ScoreYou = 0;
    int ScoreMe = 0;
    TStartStop StartStop;
    bool Button4Enabled = true;
    bool Button6Enabled = true;
    bool Button7Enabled = true;
    int Progress = 0;
    int ProgressMax = 0;

private:
    void ShowWordAt(int position);

    TExerciseSteps& steps_;
    TArticleHead& head_;
};

} // namespace exercises
