#pragma once

namespace sound {

// What the pronounce, record and play-back buttons show.
struct TSoundButtonsView {
    bool Pronounce = true;  // Button7 enabled
    bool Record = true;     // SpeedButton1 enabled
    bool PlayBack = false;  // SpeedButton2 enabled
    bool ShowsStop = false; // SpeedButton1 shows the stop picture and hint

    bool operator==(const TSoundButtonsView&) const = default;
};

// The record and play state behind the main window's three sound buttons,
// without the buttons. Only what is going on is kept; the buttons follow
// from it, so no sequence of events can leave them locked or let the
// recording be played while it is still being written.
class TSoundButtonsState {
public:
    TSoundButtonsView View() const;

    bool Pronouncing() const { return pronouncing_; }
    bool Recording() const { return recording_; }
    bool HasRecording() const { return hasRecording_; }
    bool PronounceAllowed() const { return pronounceAllowed_; }

    // A pronunciation of the shown head-word began; a failure to start it
    // puts every button back as it was before the press.
    void PronounceStarted();
    void PronounceFailed();
    // The end of any pronunciation or sound sample.
    void PronounceEnded();

    void RecordingStarted();
    // hasRecording: whether anything was recorded.
    void RecordingStopped(bool hasRecording);

    void PlayBackStarted();
    // The play-back finished, was stopped or could not start.
    void PlayBackEnded();

    // The letter tab changed or a study word was picked: pronunciations exist
    // for English head-words only. While a pronunciation plays, its end
    // decides the button.
    void LetterChanged(bool english);
    // The search box shows another text: the look-up offers pronouncing
    // exactly for an English letter, whatever is playing.
    void SearchTextChanged(bool english);

private:
    bool pronouncing_ = false;
    bool recording_ = false;
    bool playingBack_ = false;
    bool hasRecording_ = false;
    bool pronounceAllowed_ = true;
    // Whether the pronounce button is offered, apart from a recording, which
    // always withholds it.
    bool pronounceOffered_ = true;
    bool offeredBeforePress_ = true;
};

} // namespace sound
