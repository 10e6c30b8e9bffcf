#pragma once

#include <string>
#include <string_view>

// The rules every exercise shares that need no widget: stepping through the
// study list, judging a typed answer, the Start/Stop button's state and the
// timers' state as the windows mirror them. Texts are code page 1251.
namespace exercises {

// Stepping through a study list of count entries. Every step of an empty list
// gives -1, so that no caller ever reads a position of an empty list.
// Next: one on, the first after the last (and after -1, no word yet).
int NextPosition(int current, int count);
// Previous: one back, the last from the first or from no word yet.
int PreviousPosition(int current, int count);
// A uniformly drawn position from the system-wide generator (std::rand, which
// the main window seeds at start-up); repeats are allowed.
int RandomPosition(int count);

enum class TAnswerCase { Lower, Upper };

// A typed answer against the word: whole strings after turning both to the
// same case of the Latin letters. Nothing is trimmed, so a blank before or
// after the word makes the answer wrong.
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

} // namespace exercises
