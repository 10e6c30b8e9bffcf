#pragma once

#include "app/MainLayout.h"
#include "app/Rooms.h"
#include "exercises/Launcher.h"
#include "interface/InterfaceHost.h"
#include "lookup/RichEditDblClick.h"
#include "lookup/SearchCombo.h"
#include "lookup/TabControl.h"
#include "platform/Paths.h"
#include "studylist/NewWord.h"
#include "ui/Environment.h"
#include "ui/FlatButtons.h"

#include <QTimer>
#include <QToolButton>

// The main window's side of every room's host interface: small adapters over
// its layout and rooms, each override one line. The rules they lead to live
// in the rooms.
namespace app {

class TForm1;

// The look-up every room sees and the exercises steer: the letter tabs, the
// search box and the article pane.
class TLookupAdapter : public exercises::TLookupSteering {
public:
    TLookupAdapter(TRooms& rooms, const TMainLayout& layout) : rooms_(rooms), layout_(layout) {}

    int TabIndex() const override { return layout_.TabControl1->TabIndex(); }
    int SearchBoxItemIndex() const override { return layout_.Combo->ItemIndex(); }
    std::string SearchBoxText() const override { return layout_.Combo->Text(); }
    void SearchBoxChanged() override { rooms_.Lookup->ComboBox1Change(); }
    void FocusSearchBox() override { rooms_.Lookup->FocusSearchBox(); }
    void ClearArticle() override { layout_.RichEdit1->Clear(); }
    const dictionary::TLookupService& Dictionary() const override { return rooms_.Dictionary; }
    int SetTabIndex(int tab) override { return layout_.TabControl1->SetTabIndex(tab); }
    void FillSearchBox() override { rooms_.Lookup->SelectLetter(TabIndex()); }
    void SetSearchBoxItemIndex(int position) override { layout_.Combo->SetItemIndex(position); }
    void SetSearchBoxText(const std::string& text) override { layout_.Combo->SetText(text); }
    std::string ReadArticle(int tab, int position) const override;

private:
    TRooms& rooms_;
    const TMainLayout& layout_;
};

class TPronounceButtonAdapter : public ui::TPronounceButton {
public:
    TPronounceButtonAdapter(TRooms& rooms, const TMainLayout& layout)
        : rooms_(rooms), layout_(layout) {}

    bool PronounceButtonEnabled() const override { return layout_.Button7->isEnabled(); }
    void SetPronounceButtonEnabled(bool enabled) override {
        rooms_.Sound->SearchTextChanged(enabled);
    }
    bool PronounceButtonVisible() const override { return !layout_.Button7->isHidden(); }
    void ApplyPronounceAvailability(int tab) override {
        rooms_.Sound->ApplyPronounceAvailability(tab);
    }
    void Pronounce() override { rooms_.Sound->Button7Click(); }

private:
    TRooms& rooms_;
    const TMainLayout& layout_;
};

class TLookupHostAdapter : public lookup::TLookupHost {
public:
    TLookupHostAdapter(TRooms& rooms, const TMainLayout& layout, TForm1& window,
                       ui::TEnvironment& environment)
        : rooms_(rooms), layout_(layout), window_(window), environment_(environment) {}

    void OpenNewWordDialog(const std::string& word, int tab,
                           const std::function<void(const lookup::TWordPlace&)>& saved) override;
    void Defer(std::function<void()> step) override;
    void PostQuit() override;
    bool TranslateCopiedText() const override { return rooms_.Options->TranslateCopiedText(); }
    bool BringForwardOnCopy() const override { return rooms_.Options->BringForwardOnCopy(); }
    bool ContinueVisible() const override { return !layout_.SpeedButton3->isHidden(); }
    void BringForward() override;
    bool EnglishInterface() const override { return rooms_.Language->English(); }

private:
    TRooms& rooms_;
    const TMainLayout& layout_;
    TForm1& window_;
    ui::TEnvironment& environment_;
};

class TSoundHostAdapter : public sound::TSoundHost {
public:
    TSoundHostAdapter(TRooms& rooms, const TMainLayout& layout, QWidget& window,
                      const ui::TEnvironment& environment)
        : rooms_(rooms), layout_(layout), window_(window), environment_(environment) {}

    void SetRecordingLock(bool locked) override { layout_.Locked().SetLocked(locked); }
    void ShowSoundError(const QString& text) override {
        environment_.Dialogs.Error(&window_, text);
    }
    bool EnglishInterface() const override { return rooms_.Language->English(); }

private:
    TRooms& rooms_;
    const TMainLayout& layout_;
    QWidget& window_;
    const ui::TEnvironment& environment_;
};

class TStudyListHostAdapter : public studylist::TStudyListHost {
public:
    explicit TStudyListHostAdapter(TRooms& rooms) : rooms_(rooms) {}

    const dictionary::DictionaryIndex& Index() const override { return rooms_.Index; }
    bool EnglishInterface() const override { return rooms_.Language->English(); }
    void LookUpStudyWord(const std::string& word) override { rooms_.Lookup->ShowWord(word); }
    void SwitchToStandardView() override { rooms_.View->N11Click(); }
    void StopVoicePlayback() override { rooms_.Sound->StopVoicePlayback(); }

private:
    TRooms& rooms_;
};

class TStudyWordsAdapter : public exercises::TStudyWords {
public:
    explicit TStudyWordsAdapter(TRooms& rooms) : rooms_(rooms) {}

    int Count() const override { return rooms_.StudyList->Count(); }
    std::string Entry(int position) const override { return rooms_.StudyList->Item(position); }
    int Selected() const override { return rooms_.StudyList->ItemIndex(); }
    void Select(int position) override { rooms_.StudyList->SetItemIndex(position); }

private:
    TRooms& rooms_;
};

class TPronouncerAdapter : public exercises::TPronouncer {
public:
    TPronouncerAdapter(TRooms& rooms, const ui::TLookupView& lookup)
        : rooms_(rooms), lookup_(lookup) {}

    bool PronounceSelectedWord() override {
        return rooms_.Sound->PronounceHeadWord(lookup_.TabIndex(), lookup_.SearchBoxItemIndex());
    }
    bool Playing() override { return rooms_.Sound->Pronouncing(); }
    void StopPlaying() override { rooms_.Sound->StopPronouncing(); }

private:
    TRooms& rooms_;
    const ui::TLookupView& lookup_;
};

class TInterfaceHostAdapter : public interface::TInterfaceHost {
public:
    TInterfaceHostAdapter(TRooms& rooms, const TMainLayout& layout, QWidget& window,
                          const ui::TEnvironment& environment)
        : rooms_(rooms), layout_(layout), window_(window), environment_(environment) {}

    bool EnglishInterface() const override { return rooms_.Language->English(); }
    void StoreSetting(interface::TStoredSetting setting, bool firstChoice) override {
        rooms_.Options->Store(setting, firstChoice);
    }
    void LoadPage(std::string_view rtf) override { layout_.RichEdit1->LoadArticle(rtf); }
    bool LoadPlayerLibrary() override { return rooms_.Sound->LoadPlayerLibrary(); }
    bool PlayKeySample(const std::filesystem::path& file) override {
        return rooms_.Sound->PlayFile(file);
    }
    bool VoiceRecording() const override { return rooms_.Sound->Recording(); }
    void ReportError(const QString& text) override { environment_.Dialogs.Error(&window_, text); }

private:
    TRooms& rooms_;
    const TMainLayout& layout_;
    QWidget& window_;
    const ui::TEnvironment& environment_;
};

// What the launchers are given, and what every exercise window is given of
// the main window when it opens.
class TLauncherHostAdapter : public exercises::TLauncherHost {
public:
    struct TSeamParts {
        exercises::TStudyWords& Study;
        exercises::TLookupSteering& Lookup;
        exercises::TPronouncer& Pronouncer;
        const platform::TPaths& Paths;
        const ui::TEnvironment& Environment;
    };

    TLauncherHostAdapter(TRooms& rooms, QWidget& window, const TSeamParts& parts)
        : rooms_(rooms), window_(window), parts_(parts) {}

    QWidget* LauncherWindow() override { return &window_; }
    void StopVoicePlayback() override { rooms_.Sound->StopVoicePlayback(); }
    bool FillStudyListFromDefault() override { return rooms_.StudyList->FillFromDefaultList(); }
    exercises::TMainWindowSeams ExerciseSeams() override {
        return {parts_.Study,         parts_.Lookup, parts_.Pronouncer,
                rooms_.PlayEnd,       parts_.Paths,  parts_.Environment,
                rooms_.NextWords,     rooms_.Random, rooms_.Language->English(),
                rooms_.Learning.get()};
    }

private:
    TRooms& rooms_;
    QWidget& window_;
    TSeamParts parts_;
};

} // namespace app
