#include "sound/MainWindowSound.h"

#include "dictionary/Letters.h"
#include "dictionary/Pronunciations.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "ui/Captions.h"
#include "ui/FileMessages.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QWidget>

namespace sound {

namespace {

// Runs steps of the player; false when they failed as the player reports
// failures: a library that cannot be loaded, or one that refuses a call.
// Anything else is a fault of the program and goes on.
template <typename Steps> bool PlayerSteps(Steps&& steps) {
    try {
        steps();
        return true;
    } catch (const TMPEGError&) {
        return false;
    } catch (const TMPEGLoadError&) {
        return false;
    }
}

// A sound file that is missing, or no regular file (a named pipe would hold
// the player's open), plays nothing.
bool IsPlayable(const std::filesystem::path& file) {
    return !file.empty() && platform::CheckRegularFile(file).Ok();
}

} // namespace

TMainWindowSound::TMainWindowSound(TSoundHost& host, const ui::TLookupView& lookup,
                                   const dictionary::DictionaryIndex& index,
                                   const platform::TPaths& paths, Buttons buttons)
    : Audio1(paths.PlayFile()), host_(host), lookup_(lookup), index_(index), paths_(paths),
      buttons_(std::move(buttons)) {
    MPEG1.SetUseTimer(true);
    MPEG1.SetTimerFreq(500);
    MPEG1.SetPlayerPriority(TPlayPriority::Normal);
    MPEG1.SetOutputDevice(TOutputDevice::wavemapper);
    MPEG1.SetAutoPlay(false);
    MPEG1.SetFromStream(false);
    MPEG1.SetStartPos(0);
    MPEG1.SetEndPos(0);
    MPEG1.OnPlayEnd = [this](TMPEGPlayer*) { MPEG1PlayEnd(); };

    Audio1.Player.SetBitsPerSample(TBPS::_16);
    Audio1.Player.SetSampleRate(22050);
    Audio1.Recorder.SetBitsPerSample(TBPS::_16);
    Audio1.Recorder.SetSampleRate(22050);
    Audio1.Recorder.SetTrigLevel(0);
    Audio1.Recorder.SetTriggered(false);
    Audio1.OnRecord = [this](TRecorder*, void* lp, void* rp, std::uint32_t size) {
        Audio1Record(lp, rp, size);
    };
    Audio1.OnPlayed = [this](TPlayer*) { Audio1Played(); };
}

TMainWindowSound::~TMainWindowSound() {
    Shutdown();
}

void TMainWindowSound::Button7Click() {
    if (state_.Recording()) {
        return;
    }
    StopVoicePlayback();
    const int position = lookup_.SearchBoxItemIndex();
    if (position < 0) {
        return;
    }
    // No sound file, no library, a library error: silently nothing, and the
    // buttons are as they were before the press.
    bool started = false;
    const bool played = PlayerSteps([&] {
        EnsurePlayerLibrary();
        const int tab = lookup_.TabIndex();
        const std::filesystem::path file = dictionary::PronunciationFile(
            paths_.DataDir(), tab,
            index_.Letter(tab).SoundNumber(static_cast<std::size_t>(position)));
        MPEG1.SetStreamName(file.string());
        if (!IsPlayable(file)) {
            return;
        }
        state_.PronounceStarted();
        ApplyState();
        started = true;
    });
    if (!played || (started && !PlayStream())) {
        state_.PronounceFailed();
        ApplyState();
    }
}

void TMainWindowSound::EnsurePlayerLibrary() {
    if (!MPEG1.IsLibraryLoaded()) {
        MPEG1.InitPlayer();
    }
}

bool TMainWindowSound::PlayStream() {
    if (PlayerSteps([this] {
            MPEG1.Open();
            MPEG1.Play();
        })) {
        return true;
    }
    // An unloaded library is no failure here: it is what this wants.
    PlayerSteps([this] { MPEG1.DonePlayer(); });
    return false;
}

void TMainWindowSound::SpeedButton1Click() {
    if (!state_.Recording()) {
        if (!ButtonsState().View().Record) {
            return;
        }
        host_.SetRecordingLock(true);
        // The new streams are in place before the first buffer can arrive.
        Left = std::make_unique<platform::TMemoryStream>();
        Right = std::make_unique<platform::TMemoryStream>();
        state_.RecordingStarted();
        Audio1.Recorder.Start();
        ApplyState();
    } else {
        // The recorder has closed its device when Stop returns: from here on
        // nothing writes into the streams.
        Audio1.Recorder.Stop();
        host_.SetRecordingLock(false);
        state_.RecordingStopped(Left && Left->Size() > 0);
        ApplyState();
    }
}

void TMainWindowSound::ApplyState() {
    const TSoundButtonsView view = state_.View();
    buttons_.Button7->setEnabled(view.Pronounce);
    buttons_.SpeedButton1->setEnabled(view.Record);
    buttons_.SpeedButton2->setEnabled(view.PlayBack);
    if (view.ShowsStop != showsStop_) {
        showsStop_ = view.ShowsStop;
        ShowRecordButton(showsStop_);
    }
}

void TMainWindowSound::ShowRecordButton(bool recording) {
    // The pictures are data files beside the program's data; the built-in
    // icons stand in when they are missing. The hints stay Bulgarian.
    const QPixmap picture(
        QString::fromStdString(paths_.DataFile(recording ? "Stop2.bmp" : "Record1.bmp").string()));
    const QIcon fallback = recording ? buttons_.StopIcon : buttons_.RecordIcon;
    buttons_.SpeedButton1->setIcon(picture.isNull() ? fallback : QIcon(picture));
    buttons_.SpeedButton1->setToolTip(
        ui::Phrase(recording ? ui::TPhrase::StopRecordingHint : ui::TPhrase::RecordHint, false));
}

void TMainWindowSound::Audio1Record(void* lp, void* rp, std::uint32_t bufferSize) {
    // Runs on the audio thread: only appends.
    Left->Write(lp, static_cast<std::int32_t>(bufferSize));
    if (rp != nullptr) {
        Right->Write(rp, static_cast<std::int32_t>(bufferSize));
    }
}

void TMainWindowSound::SpeedButton2Click() {
    if (!ButtonsState().View().PlayBack) {
        return;
    }
    Left->Seek(0, 0);
    if (Right && Right->Size() > 0) {
        Right->Seek(0, 0);
    } else {
        Right.reset();
    }
    state_.PlayBackStarted();
    ApplyState();
    if (!Audio1.Player.Play(Left.get(), Right.get(), 0)) {
        // Nothing was queued, so no end will come to give the buttons back.
        state_.PlayBackEnded();
        ApplyState();
        const platform::TFileResult& file = Audio1.Player.FileResult();
        host_.ShowSoundError(
            file.Ok()
                ? QString::fromStdString(Audio1.ErrorMessage())
                : ui::FileErrorMessage(file.Error(), ui::LanguageOf(host_.EnglishInterface())));
    }
}

void TMainWindowSound::Audio1Played() {
    state_.PlayBackEnded();
    ApplyState();
}

void TMainWindowSound::MPEG1PlayEnd() {
    // One window's failure to use the player must not keep the main window
    // locked, nor does unloading a library that failed.
    if (OnPlayEnded) {
        PlayerSteps(OnPlayEnded);
    }
    buttons_.Panel4->setEnabled(true);
    buttons_.Panel3->setEnabled(true);
    if (MPEG1.IsLibraryLoaded()) {
        PlayerSteps([this] { MPEG1.DonePlayer(); });
    }
    state_.PronounceEnded();
    ApplyState();
}

bool TMainWindowSound::PronounceHeadWord(int tab, int position) {
    if (position < 0 || !dictionary::IsEnglishTab(tab)) {
        return false;
    }
    bool found = false;
    const bool ready = PlayerSteps([&] {
        EnsurePlayerLibrary();
        StopPlaying();
        const std::filesystem::path file = dictionary::PronunciationFile(
            paths_.DataDir(), tab,
            index_.Letter(tab).SoundNumber(static_cast<std::size_t>(position)));
        MPEG1.SetStreamName(file.string());
        found = IsPlayable(file);
    });
    return ready && found && PlayStream();
}

bool TMainWindowSound::LoadPlayerLibrary() {
    return PlayerSteps([this] { EnsurePlayerLibrary(); });
}

void TMainWindowSound::StopPlaying() {
    if (MPEG1.GetPlayerMode() == mpegdll::ModePlaying) {
        MPEG1.Stop();
    }
}

bool TMainWindowSound::PlayFile(const std::filesystem::path& file) {
    if (!LoadPlayerLibrary()) {
        return false;
    }
    bool started = false;
    return PlayerSteps([&] {
               StopPlaying();
               MPEG1.SetStreamName(file.string());
               if (!IsPlayable(file)) {
                   return;
               }
               MPEG1.Open();
               MPEG1.Play();
               started = true;
           }) &&
           started;
}

bool TMainWindowSound::Pronouncing() {
    bool playing = false;
    PlayerSteps([&] {
        playing = MPEG1.IsLibraryLoaded() && MPEG1.GetPlayerMode() == mpegdll::ModePlaying;
    });
    return playing;
}

void TMainWindowSound::StopPronouncing() {
    // Stopping when nothing plays is refused: nothing to do then.
    PlayerSteps([this] { MPEG1.Stop(); });
    // A stopped pronunciation has no end to give the buttons back.
    if (state_.Pronouncing()) {
        state_.PronounceEnded();
        ApplyState();
    }
}

void TMainWindowSound::ApplyPronounceAvailability(int tab) {
    state_.LetterChanged(dictionary::IsEnglishTab(tab));
    ApplyState();
}

void TMainWindowSound::SearchTextChanged(bool english) {
    state_.SearchTextChanged(english);
    ApplyState();
}

void TMainWindowSound::StopVoicePlayback() {
    if (Audio1.Player.Active()) {
        Audio1.Player.Stop();
    }
    state_.PlayBackEnded();
    ApplyState();
}

void TMainWindowSound::Shutdown() {
    Audio1.Player.Stop();
    Audio1.Recorder.Stop();
    DeletePlayFile(Audio1.PlayFile());
    Left.reset();
    Right.reset();
}

} // namespace sound
