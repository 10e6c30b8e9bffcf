#pragma once

#include "exercises/AnswerObserver.h"
#include "exercises/NextWord.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// The rules every exercise shares that need no widget: judging a typed
// answer, the Start/Stop button's state, the timers' state as the windows
// mirror them, and what the five methods' rules have in common. Texts are
// code page 1251.
namespace exercises {

enum class TAnswerCase { Lower, Upper };

// A typed answer against the word: whole strings after turning both to the
// same case, Latin and Cyrillic letters alike. Nothing is trimmed, so a blank
// before or after the word makes the answer wrong.
bool AnswerMatches(std::string_view answer, std::string_view word,
                   TAnswerCase letterCase = TAnswerCase::Lower);

// A timer as the rules see it. A view starts its real timer when On and
// Starts differ from what it applied last, and stops it when On is false.
struct TTimerState {
    bool On = false;
    int Interval = 0;
    // Counts the (re)starts a view has to carry out.
    unsigned Starts = 0;

    // Switching on a running timer leaves its countdown alone.
    void SwitchOn();
    // Starts the countdown afresh, running or not.
    void Restart();
    void SwitchOff() { On = false; }
    // A new interval restarts a running countdown.
    void SetInterval(int milliseconds);
};

// Which picture the Start/Stop button shows: the two blinking Start pictures
// ("Start1.bmp", "Start2.bmp") or "Stop2.bmp".
enum class TStartFace { Start, Stop };
// Its hint: the window's own "Start/Stop" text from its table at opening;
// "Стоп" ("Stop" in English) after Start; "Старт" in both languages after
// Stop.
enum class TStartHint { StartStop, Stop, Start };

// The Start/Stop button and its blink timer, which runs while stopped.
struct TStartStop {
    static constexpr int kBlinkInterval = 500;

    bool Running = false;
    TStartFace Face = TStartFace::Start;
    TStartHint Hint = TStartHint::StartStop;
    // A window without a word to show keeps the button disabled.
    bool Enabled = true;
    TTimerState Blink;

    TStartStop();
    // Stopped -> running: the Stop picture and hint, no blinking.
    void Start();
    // Running -> stopped: the first Start picture, hint "Старт", blinking.
    void Stop();
};

// What ShowStudyWord found of a study word in the dictionary.
struct TStudyWordHit {
    int Tab = -1;         // the letter tab actually selected
    int Position = -1;    // in the search box; -1: not in the dictionary
    std::string HeadWord; // the selected head-word, empty when none
    bool IsBase = false;  // from the base dictionary, not a user word

    bool Found() const { return Position >= 0; }
    // Only English base words have pronunciations.
    bool Speakable() const;
};

// The shared steps as a method's rules use them; the exercise window carries
// them out over the main window's seams and its own controls, tests over
// fakes. Texts are code page 1251.
class TExerciseSteps {
public:
    virtual ~TExerciseSteps() = default;

    // The study list: count, entries, and the selection some methods move.
    virtual int Count() const = 0;
    virtual std::string Entry(int position) const = 0;
    virtual void SelectStudyEntry(int position) = 0;

    // Selects the word's letter tab, lists the letter's head-words in the
    // main window's search box and selects the first one that begins with
    // the word, without regard to case. putHeadWordInBox: the search box's
    // text becomes the selected head-word (empty when none).
    virtual TStudyWordHit FindStudyWord(const std::string& word, bool putHeadWordInBox) = 0;
    // Reads the found head-word's article into the window's article box.
    virtual void LoadArticle(const TStudyWordHit& hit) = 0;

    // Pronounces the head-word selected in the search box; true when a
    // playback started (its end is announced to the window then).
    virtual bool PronounceSelectedWord() = 0;
    // A pronunciation is playing.
    virtual bool PlayerBusy() = 0;
    // Stops a playback; nothing when none runs.
    virtual void StopPlayer() = 0;

    // Shows the verdict picture and plays its sound to the end; the window
    // takes no input meanwhile. Clears the picture afterwards.
    virtual void PlayVerdict(bool right) = 0;
    virtual void ClearVerdictPicture() = 0;

    // The window's word box (Edit1): the word shown or the answer typed.
    virtual std::string WordBoxText() const = 0;
    virtual void SetWordBoxText(const std::string& text) = 0;
    virtual void FocusWordBox() = 0;
};

// What the five methods' rules share: the shared steps, the step policy over
// the next-word source, the current study position and word, the Start/Stop
// button and the progress bar. Each method's rules add intents (NextWord,
// Check, StartOrStop ...) and the state its window shows; the window mirrors
// that state after every intent.
class TMethodRules {
public:
    virtual ~TMethodRules() = default;
    TMethodRules(const TMethodRules&) = delete;
    TMethodRules& operator=(const TMethodRules&) = delete;

    // The study position shown last; -1 before the first word where the
    // method starts without one.
    int CurrentIndex() const { return current_; }
    // The word the user has to recall or type.
    const std::string& CurrentWord() const { return currentWord_; }
    // "Random word", in the methods that offer it: the order of their next
    // word.
    void SetRandomOrder(bool on) { order_ = on ? TStudyOrder::Random : TStudyOrder::List; }
    bool RandomOrder() const { return order_ == TStudyOrder::Random; }
    const TStartStop& StartStop() const { return startStop_; }
    int Progress() const { return progress_; }
    int ProgressMax() const { return progressMax_; }
    // No study word: nothing to show, and nothing that would show one works.
    bool EmptyList() const { return steps_.Count() <= 0; }
    // Whether a tick of the blink timer changes the Start picture now: while
    // the exercise is stopped.
    virtual bool BlinkAllowed() const { return !startStop_.Running; }

    // The next word: drawn when "Random word" is checked, else the next in
    // list order.
    virtual void NextWord() { Step(TStep::Forward, order_); }
    void NextInListOrder() { Step(TStep::Forward); }
    // The previous word in list order.
    virtual void PreviousWord() { Step(TStep::Back); }
    // A pronunciation has ended: what it locked is unlocked.
    virtual void PlayEnded() = 0;
    // Where the judged answers go; none until set.
    void SetAnswerObserver(TAnswerObserver* observer) { observer_ = observer; }

protected:
    enum class TStep { Forward, Back };

    TMethodRules(TExerciseSteps& steps, TNextWordSource& words) : steps_(steps), policy_(words) {}

    // The state of a window just opened: stopped with the Start picture
    // blinking, the bar empty out of the study-list count, Start/Stop
    // disabled for an empty list.
    void OpenStopped();
    // The Start/Stop toggle; true when the exercise has just started. An
    // empty list stays stopped.
    bool ToggleStartStop();
    // One word on or back from the current position, in the order given, and
    // that word shown; nothing for an empty list.
    void Step(TStep step, TStudyOrder order = TStudyOrder::List);
    // Shows the study word at position, which becomes the current one.
    virtual void ShowWordAt(int position) = 0;
    // The answer box against the current word, as the method compares them.
    bool AnswerIsRight(TAnswerCase letterCase) const;
    // Tells the observer how the current word was answered.
    void Judged(learning::TExercise exercise, learning::TAnswerKind kind,
                bool afterShow = false) const;
    // A Show, once per round: the word shown next begins a new one.
    void JudgedShown(learning::TExercise exercise);
    // A word is shown or asked: a new round, and the time its answer takes
    // is counted from now.
    void BeginRound();

    TExerciseSteps& steps_;
    TStepPolicy policy_;
    int current_ = -1;
    std::string currentWord_;
    TStudyOrder order_ = TStudyOrder::List;
    TStartStop startStop_;
    int progress_ = 0;
    int progressMax_ = 0;
    TAnswerObserver* observer_ = nullptr;
    // The answer was shown since the current word was.
    bool shownInRound_ = false;
    // When the round began, by the observer's clock.
    std::optional<std::chrono::steady_clock::time_point> askedAt_;
};

} // namespace exercises
