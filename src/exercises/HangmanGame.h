#pragma once

#include "exercises/AnswerObserver.h"
#include "exercises/MainWindowSeams.h"
#include "platform/Random.h"

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The Hangman game without its window: the word's pattern, the guesses, the
// strokes, the score and the choice of the next word. Texts are code page
// 1251; letters are compared without regard to case, Latin and Cyrillic alike.
namespace exercises {

// Games won by the user and by the program since the program started. The
// main window keeps it, so it outlives every Hangman window; the game adds
// to it and the window shows it.
struct THangmanScore {
    int You = 0;
    int Me = 0;
    // "You - Me", as the score label shows it.
    std::string Text() const;
};

enum class THangmanState {
    NoGame,  // no word yet
    Playing, // letters left to find, fewer than ten misses
    Won,
    Lost, // the tenth miss, or given up
};

// What a key press did, so the window knows what to repaint.
enum class THangmanGuess {
    Ignored, // tried before, or the game is over: nothing changed
    Hit,     // revealed at least one position; more are hidden
    Miss,    // one more stroke
    Won,     // the last hidden position was revealed
    Lost,    // the tenth miss: the whole word is shown
};

class THangmanGame {
public:
    // The tenth miss loses.
    static constexpr int kStrokes = 10;

    explicit THangmanGame(THangmanScore& score);

    // Where won and lost games go as answers (a win right, a loss or the
    // tenth miss lost); none until set. A word complete from the start was
    // not guessed and is no answer.
    void SetAnswerObserver(TAnswerObserver* observer) { observer_ = observer; }

    // A new game. The first and last letters are given, everywhere they
    // occur, so a word of one or two letters is won at once (and counted for
    // the user). An empty word starts no game.
    void Init(std::string_view word);

    // One key press, letter or not. The first press of a character that is
    // not in the word is a miss; any later press of it, in either case, is
    // ignored.
    THangmanGuess Guess(char c);

    // The user gives up: the word is shown and the game counted for the
    // program. False, and nothing changes, when no game is being played.
    bool GiveUp();

    THangmanState State() const { return state_; }
    // The word in lower case.
    const std::string& SecretWord() const { return secretWord_; }
    // 2L - 1 characters for L letters: each letter in upper case once
    // revealed, "_" while hidden, blanks between them.
    const std::string& Pattern() const { return pattern_; }
    // The characters the user tried, in upper case, in the order typed.
    const std::string& TriedText() const { return triedText_; }
    bool IsTried(char c) const;
    bool InWord(char c) const;
    int LettersLeft() const { return lettersLeft_; }
    int Misses() const { return misses_; }
    // The game is over and the user has something to look up: not after a
    // word that was complete from the start.
    bool CanTranslate() const;
    const THangmanScore& Score() const { return score_; }

private:
    void RevealAll();
    void Judged(learning::TAnswerKind kind) const;

    THangmanScore& score_;
    TAnswerObserver* observer_ = nullptr;
    // When the word was set, by the observer's clock: a game is timed from it.
    std::optional<std::chrono::steady_clock::time_point> givenAt_;
    std::string givenWord_; // as Init was given it
    THangmanState state_ = THangmanState::NoGame;
    std::string secretWord_;
    std::string pattern_;
    std::string triedText_;
    std::vector<bool> revealed_;
    // Indexed by the lower-case form of a character.
    std::array<bool, 256> tried_{};
    std::array<bool, 256> wordLetters_{};
    int lettersLeft_ = 0;
    int misses_ = 0;
    bool completeAtInit_ = false;
};

// Where Next word takes its word from (the four options of the window).
enum class THangmanSource {
    StudyRandom,     // a random study-list entry
    StudyNext,       // the study-list entry after the selected one
    EnglishRandom,   // a random head-word of the letters A..Y
    BulgarianRandom, // a random head-word of the letters А..Я
};

// What the word choice reads and steers of the main window.
class THangmanWords {
public:
    virtual ~THangmanWords() = default;
    virtual int StudyCount() const = 0;
    virtual std::string StudyEntry(int position) const = 0;
    // -1 for none.
    virtual int StudySelected() const = 0;
    virtual void SelectStudy(int position) = 0;
    virtual int HeadWordCount(int tab) const = 0;
    virtual std::string HeadWord(int tab, int position) const = 0;
    // Selects the letter tab and fills the search box with its head-words,
    // so that the main window shows where a random word came from.
    virtual void ShowLetter(int tab) = 0;
};

// The word choice over the main window's own interfaces.
class TSeamHangmanWords final : public THangmanWords {
public:
    TSeamHangmanWords(TStudyWords& study, TLookupSteering& lookup);
    int StudyCount() const override;
    std::string StudyEntry(int position) const override;
    int StudySelected() const override;
    void SelectStudy(int position) override;
    int HeadWordCount(int tab) const override;
    std::string HeadWord(int tab, int position) const override;
    void ShowLetter(int tab) override;

private:
    TStudyWords& study_;
    TLookupSteering& lookup_;
};

// Next word takes only words of at least this many characters, and only
// those that leave something to guess.
inline constexpr std::size_t kMinWordLength = 3;
// Whether a game with the word has a letter to find: one that is neither its
// first nor its last letter (in either case). "go" and "zzzzz" would be won
// before a key is pressed.
bool LeavesLettersToGuess(std::string_view word);
// Random head-words are drawn at most this often before the choice gives up.
inline constexpr int kMaxWordDraws = 1000;

// A word of at least three characters from the source, or nothing when none
// was found: the study list holds no such entry, or the dictionary yielded
// none in kMaxWordDraws draws. The sequential option moves the study-list
// selection; the random dictionary options show the chosen word's letter.
// The random options draw from random.
std::optional<std::string> ChooseHangmanWord(THangmanSource source, THangmanWords& words,
                                             platform::TRandom& random);

// Next word: chooses a word and starts a game with it. False when no word
// was found; the game is then left as it was.
bool StartNextGame(THangmanGame& game, THangmanSource source, THangmanWords& words,
                   platform::TRandom& random);

// How a Hangman window opens.
struct THangmanOpening {
    // The option shown selected.
    THangmanSource Source = THangmanSource::StudyRandom;
    // The two study-list options can be chosen.
    bool StudyOptions = true;
};

// The first game of a window opened on study entries, with the first entry.
// An entry that Next word would pass over (too short, nothing to guess) is
// passed over as "Next word from list" does from the first entry: the next
// suitable entry is taken and selected. False, and no game, when no entry
// will do.
bool StartFirstStudyGame(THangmanGame& game, std::string_view firstEntry, THangmanWords& words);

// The first game of a window. With study entries, StartFirstStudyGame (the
// first entry becomes selected when none was; otherwise the selection stays
// unless the first entry is passed over).
// Without, a random English word; when none is found the game stays at
// NoGame.
THangmanOpening StartOpeningGame(THangmanGame& game, THangmanWords& words,
                                 platform::TRandom& random);

} // namespace exercises
