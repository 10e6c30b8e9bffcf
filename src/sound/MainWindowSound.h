#pragma once

#include "dictionary/LetterIndex.h"
#include "platform/MemoryStream.h"
#include "platform/Paths.h"
#include "sound/Audio.h"
#include "sound/MPEGPlay.h"
#include "sound/SoundButtonsState.h"
#include "ui/LookupView.h"

#include <QIcon>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QAbstractButton;
class QWidget;

namespace sound {

// What the sound controls need of the main window besides its look-up.
class TSoundHost {
public:
    virtual ~TSoundHost() = default;
    // Recording locks the look-up and study-list controls, the launchers and
    // the menus; unlocking restores them, but for the save-list button, which
    // stays disabled.
    virtual void SetRecordingLock(bool locked) = 0;
    // The standard error box.
    virtual void ShowSoundError(const QString& text) = 0;
    virtual bool EnglishInterface() const = 0;
};

// The main window's pronounce, record and play-back buttons over its MP3
// player and wave component.
class TMainWindowSound {
public:
    struct Buttons {
        QAbstractButton* Button7;      // pronounce
        QAbstractButton* SpeedButton1; // record / stop
        QAbstractButton* SpeedButton2; // play the recording
        QWidget* Panel3;               // the button bar
        QWidget* Panel4;               // the pronunciation key
        QIcon RecordIcon;              // used when "Record1.bmp" is missing
        QIcon StopIcon;                // used when "Stop2.bmp" is missing
    };

    // The pronounce button speaks the head-word selected in the look-up. The
    // pronunciations and the record button's pictures are data files; the
    // recording streams through the paths' play file.
    TMainWindowSound(TSoundHost& host, const ui::TLookupView& lookup,
                     const dictionary::DictionaryIndex& index, const platform::TPaths& paths,
                     Buttons buttons);
    ~TMainWindowSound();

    void Button7Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Audio1Record(void* lp, void* rp, std::uint32_t bufferSize);
    void Audio1Played();
    void MPEG1PlayEnd();

    // Plays the pronunciation of a letter's head-word at a position for a
    // window other than the main one, stopping a playback still running.
    // True when a playback started; its end comes through MPEG1PlayEnd. No
    // file, no library or a player error: false, and nothing plays.
    bool PronounceHeadWord(int tab, int position);
    bool Pronouncing();
    // Loads the decoding library when it is not loaded; false when it cannot
    // be loaded.
    bool LoadPlayerLibrary();
    // Plays a sound file through MPEG1 (the pronunciation key's samples),
    // stopping a playback still running. True when it started; its end comes
    // through MPEG1PlayEnd. No file, no library or a player error: false, and
    // nothing plays.
    bool PlayFile(const std::filesystem::path& file);
    // Stops a running pronunciation; player errors are ignored.
    void StopPronouncing();

    // The letter tab changed or a study word was picked.
    void ApplyPronounceAvailability(int tab);
    // The search box shows another text: the look-up offers pronouncing for
    // an English letter.
    void SearchTextChanged(bool english);
    // Stops a running play-back of the recording; the play-back button then
    // shows whether anything was recorded.
    void StopVoicePlayback();
    // From the main window's destruction.
    void Shutdown();

    // A finished, non-empty recording; never the one still being made.
    bool HasRecording() const { return state_.HasRecording(); }
    bool Recording() const { return state_.Recording(); }
    bool PronounceAllowed() const { return state_.PronounceAllowed(); }
    const TSoundButtonsState& ButtonsState() const { return state_; }

    TMPEGPlayer MPEG1;
    TAudio Audio1;
    std::unique_ptr<platform::TMemoryStream> Left;
    std::unique_ptr<platform::TMemoryStream> Right;
    // Runs first at the end of every pronunciation, for the windows that
    // listen for it; its failure does not keep the main window locked.
    std::function<void()> OnPlayEnded;

private:
    // Gives the buttons what the state says.
    void ApplyState();
    void ShowRecordButton(bool recording);
    // Opens and plays the file set as the stream; false after a failure,
    // which unloads the library, so that nothing looks busy.
    bool PlayStream();
    // Loads the decoding library unless it is loaded; the player's errors
    // are raised.
    void EnsurePlayerLibrary();
    // Stops a playback still running; the player's errors are raised.
    void StopPlaying();

    TSoundHost& host_;
    const ui::TLookupView& lookup_;
    const dictionary::DictionaryIndex& index_;
    const platform::TPaths& paths_;
    Buttons buttons_;
    TSoundButtonsState state_;
    bool showsStop_ = false;
};

} // namespace sound
