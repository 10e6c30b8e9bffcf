#pragma once

#include "dictionary/LookupService.h"
#include "exercises/AnswerObserver.h"
#include "exercises/NextWord.h"
#include "platform/Paths.h"
#include "platform/Random.h"
#include "ui/LookupView.h"

#include <string>
#include <vector>

namespace ui {
struct TEnvironment;
} // namespace ui

// The exercise windows own no word data: they read and steer the main
// window's study list, look-up and player through these small interfaces,
// which the main window implements. Texts are code page 1251.
namespace exercises {

// The study list: its entries by position and its selection, which some
// exercises move.
class TStudyWords {
public:
    virtual ~TStudyWords() = default;
    virtual int Count() const = 0;
    // Empty for a position outside the list.
    virtual std::string Entry(int position) const = 0;
    // The selected position, -1 for none.
    virtual int Selected() const = 0;
    // Moves the selection without picking the entry; a position outside the
    // list selects nothing.
    virtual void Select(int position) = 0;
};

// The main window's letter tabs, search box and index, through which a study
// word is found and its article read: the look-up every room sees, and its
// steering.
class TLookupSteering : public ui::TLookupView {
public:
    // The look-up service over the main window's index.
    virtual const dictionary::TLookupService& Dictionary() const = 0;

    // Returns the tab actually selected (an invalid tab selects nothing new).
    virtual int SetTabIndex(int tab) = 0;
    // The search box's items become the selected tab's head-words.
    virtual void FillSearchBox() = 0;
    // Selecting a position puts its head-word into the search box text.
    virtual void SetSearchBoxItemIndex(int position) = 0;
    virtual void SetSearchBoxText(const std::string& text) = 0;
    // The RTF article of a letter's head-word at a position, as the main
    // window's look-up service reads it; empty when there is none.
    virtual std::string ReadArticle(int tab, int position) const = 0;
};

// The main window's MP3 player, as the exercises use it.
class TPronouncer {
public:
    virtual ~TPronouncer() = default;
    // Plays the pronunciation of the head-word selected in the search box,
    // found by the one rule for pronunciation files, stopping a playback
    // still running. True when a playback started: its end is announced to
    // the play-end listeners. No file, no library or a player error: false,
    // and nothing plays.
    virtual bool PronounceSelectedWord() = 0;
    virtual bool Playing() = 0;
    // Stops a running playback; doing nothing when nothing plays.
    virtual void StopPlaying() = 0;
};

// An open exercise window that wants to know when a playback has ended.
class TPlayEndListener {
public:
    virtual ~TPlayEndListener() = default;
    virtual void PlayEnded() = 0;
};

class TPlayEndSubscription {
public:
    virtual ~TPlayEndSubscription() = default;
    virtual void Join(TPlayEndListener& listener) = 0;
    virtual void Leave(TPlayEndListener& listener) = 0;
};

// The open windows that listen for the end of a playback, told in the order
// they joined; joining twice counts once.
class TPlayEndListeners : public TPlayEndSubscription {
public:
    void Join(TPlayEndListener& listener) override;
    void Leave(TPlayEndListener& listener) override;
    // A listener may leave, or another join, while they are told; one that
    // left is not told.
    void Notify();

private:
    std::vector<TPlayEndListener*> listeners_;
};

// Joins when a window opens, leaves when it is destroyed, so that a closed
// window is never called.
class TPlayEndMembership {
public:
    TPlayEndMembership(TPlayEndSubscription& subscription, TPlayEndListener& listener);
    ~TPlayEndMembership();
    TPlayEndMembership(const TPlayEndMembership&) = delete;
    TPlayEndMembership& operator=(const TPlayEndMembership&) = delete;

private:
    TPlayEndSubscription& subscription_;
    TPlayEndListener& listener_;
};

// Everything an exercise window is given of the main window when it opens.
struct TMainWindowSeams {
    TStudyWords& Study;
    TLookupSteering& Lookup;
    TPronouncer& Pronouncer;
    TPlayEndSubscription& PlayEnd;
    // Where the data files (help pages, pictures, sounds) and the verdict
    // files beside the dictionary are.
    const platform::TPaths& Paths;
    // The desktop: its size, the verdict sounds, the help window's modal run.
    const ui::TEnvironment& Environment;
    // Where the methods take their next study word from.
    TNextWordSource& NextWords;
    // The program's one random source, seeded from the clock at start-up.
    platform::TRandom& Random;
    // The interface language when the window opens; a window keeps it.
    bool English = false;
    // Where the rules tell each judged answer; none when null.
    TAnswerObserver* Answers = nullptr;
};

} // namespace exercises
