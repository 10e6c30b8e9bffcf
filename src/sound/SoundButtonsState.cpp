#include "sound/SoundButtonsState.h"

namespace sound {

TSoundButtonsView TSoundButtonsState::View() const {
    const bool busy = pronouncing_ || playingBack_;
    TSoundButtonsView view;
    // A pronunciation during a recording would end by offering the recording
    // for play-back while the device still writes into it.
    view.Pronounce = pronounceOffered_ && !recording_;
    view.Record = recording_ || !busy;
    view.PlayBack = hasRecording_ && !recording_ && !busy;
    view.ShowsStop = recording_;
    return view;
}

void TSoundButtonsState::PronounceStarted() {
    if (!pronouncing_) {
        offeredBeforePress_ = pronounceOffered_;
    }
    pronouncing_ = true;
    pronounceOffered_ = false;
}

void TSoundButtonsState::PronounceFailed() {
    pronouncing_ = false;
    pronounceOffered_ = offeredBeforePress_;
}

void TSoundButtonsState::PronounceEnded() {
    pronouncing_ = false;
    pronounceOffered_ = pronounceAllowed_;
}

void TSoundButtonsState::RecordingStarted() {
    recording_ = true;
    hasRecording_ = false;
}

void TSoundButtonsState::RecordingStopped(bool hasRecording) {
    recording_ = false;
    hasRecording_ = hasRecording;
    pronounceOffered_ = true;
}

void TSoundButtonsState::PlayBackStarted() {
    playingBack_ = true;
    pronounceOffered_ = false;
}

void TSoundButtonsState::PlayBackEnded() {
    if (!playingBack_) {
        return;
    }
    playingBack_ = false;
    pronounceOffered_ = true;
}

void TSoundButtonsState::LetterChanged(bool english) {
    pronounceAllowed_ = english;
    if (!pronouncing_) {
        pronounceOffered_ = english;
    }
}

void TSoundButtonsState::SearchTextChanged(bool english) {
    pronounceOffered_ = english;
}

} // namespace sound
