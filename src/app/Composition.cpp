#include "app/Composition.h"

#include "app/Splash.h"
#include "app/Unit1.h"
#include "lookup/ClipboardWatcher.h"
#include "platform/FileIo.h"
#include "ui/Captions.h"
#include "ui/FileMessages.h"
#include "ui/FlatButtons.h"
#include "ui/Pictures.h"

#include <QTimer>

namespace app {

TComposition::TComposition(TForm1& window, const TMainLayout& layout, const platform::TPaths& paths,
                           ui::TEnvironment& environment)
    : window_(window), layout_(layout), paths_(paths), environment_(environment),
      lookup_(rooms_, layout), pronounce_(rooms_, layout),
      lookupHost_(rooms_, layout, window, environment),
      soundHost_(rooms_, layout, window, environment), studyListHost_(rooms_), studyWords_(rooms_),
      pronouncer_(rooms_, lookup_), interfaceHost_(rooms_, layout, window, environment),
      launcher_(rooms_, window, {studyWords_, lookup_, pronouncer_, paths, environment}),
      learning_(rooms_, layout, window, paths, environment) {
    const TMainLayout& l = layout;
    // The data build writes the word forms beside the dictionary they are
    // made from.
    rooms_.WordForms =
        std::make_unique<wordforms::TWordFormsResolver>(paths.DictionaryDir(), rooms_.Index);
    rooms_.Dictionary.SetResolver(rooms_.WordForms.get());
    rooms_.Learning = std::make_unique<TLearning>(
        paths.StateFile("Learning.db"), rooms_.Dictionary,
        [this] { return rooms_.Language->English(); },
        [this](const QString& text) { environment_.Dialogs.Error(&window_, text); });
    rooms_.Options = std::make_unique<TOptions>(l.ControlC1, l.PopUp1, environment, &window,
                                                [this] { return rooms_.Language->English(); });
    rooms_.Lookup =
        std::make_unique<lookup::TLookupWindow>(rooms_.Dictionary, *l.TabControl1, *l.Combo,
                                                *l.RichEdit1, lookupHost_, pronounce_, environment);
    l.RichEdit1->EnglishInterface = [this] { return rooms_.Language->English(); };
    rooms_.Sound = std::make_unique<sound::TMainWindowSound>(
        soundHost_, lookup_, rooms_.Index, paths,
        sound::TMainWindowSound::Buttons{l.Button7, l.SpeedButton1, l.SpeedButton2, l.Panel3,
                                         l.Panel4,
                                         ui::ButtonIcon(ui::Picture(ui::PictureId::IconRecord)),
                                         ui::ButtonIcon(ui::Picture(ui::PictureId::IconStop))});
    rooms_.Sound->OnPlayEnded = [this] { rooms_.PlayEnd.Notify(); };
    rooms_.Clipboard = new lookup::TClipboardWatcher(&window);
    rooms_.UserDictionary = std::make_unique<studylist::TUserDictionary>(rooms_.Index);
    rooms_.StudyList = std::make_unique<studylist::TStudyList>(
        studylist::TStudyListControls{l.ListBox1, l.Label1, l.Button2, l.Button4, l.PopupMenu1,
                                      l.Delete1},
        studyListHost_, lookup_, pronounce_, paths, environment, ui::ProgramDialogLook(), &window);
    rooms_.Language = std::make_unique<interface::TLanguageSwitch>(
        interface::TLanguageControls{&window, l.N14, l.N15, l.Label1}, interfaceHost_,
        rooms_.StudyList->Words());
    rooms_.View = std::make_unique<interface::TViewModes>(
        interface::TViewControls{l.N11, l.N12, &window, window.centralWidget(), l.topPanel,
                                 l.TabControl1, l.Combo, l.mainPanel, l.rightPanel1},
        interfaceHost_);
    rooms_.Pages = std::make_unique<interface::TReferencePages>(
        interface::TPageControls{l.Locked(), l.Button7, l.SpeedButton1, l.SpeedButton2,
                                 l.SpeedButton3, l.Panel3, l.Panel4, l.RzRichEdit1},
        interfaceHost_, lookup_, rooms_.StudyList->Words(), paths, environment);
}

TComposition::~TComposition() {
    ShutDown();
    // The rooms go before the adapters they reach each other through, the
    // last made first: a room's last events still find everything it uses.
    rooms_.Learning.reset();
    rooms_.Pages.reset();
    rooms_.View.reset();
    rooms_.Language.reset();
    rooms_.StudyList.reset();
    rooms_.UserDictionary.reset();
    rooms_.Sound.reset();
    rooms_.Lookup.reset();
    rooms_.Options.reset();
}

void TComposition::StartUp() {
    // The splash is painted at once: no events are processed while loading.
    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();
    // Every draw of the exercises comes from the one random source.
    rooms_.Random.Seed(platform::ClockSeed());
    // Widths the view switch restores; the recorded streams are absent until
    // the first recording.
    rooms_.View->RememberWidths();
    // Installed, the user's own folders are made on the first start; where
    // that fails nothing of the user's is read or written anywhere, and the
    // rest of the program goes on.
    const platform::TFileResult stateReady = PrepareStateFolders();
    // The view and the language through their own switches, which do not
    // rewrite the file at start.
    const platform::TFileResult settingsRead =
        stateReady.Ok() ? rooms_.Options->Load(paths_.StateDir()) : platform::TFileResult();
    if (rooms_.Options->Settings().Stored()) {
        const TSettings& settings = rooms_.Options->Settings();
        rooms_.View->ApplyStored(settings.IsFirst(TSettings::Position::View));
        rooms_.Language->ApplyStored(settings.IsFirst(TSettings::Position::Language));
    }
    // The index, counting progress in dots on the splash; the Cyrillic tabs
    // are added as their letters are read.
    const dictionary::LoadReport report =
        rooms_.Index.Load(paths_.DictionaryDir(), stateReady.Ok() ? paths_.UserWordsDir() : "",
                          [&](int tab, dictionary::LoadStep step) {
                              if (step == dictionary::LoadStep::BeforeRead) {
                                  layout_.TabControl1->AddTab(dictionary::TabCaption(tab));
                              } else {
                                  splash->AdvanceProgress();
                              }
                          });
    // The search box lists the selected letter.
    rooms_.Lookup->SelectLetter(layout_.TabControl1->TabIndex());
    layout_.Combo->repaint();
    // Usage hints in the interface language.
    rooms_.Lookup->ShowUsageHints(rooms_.Language->English());
    learning_.HintsShown();
    splash.reset();
    window_.show();
    window_.repaint();
    // What start-up found wrong, in one box once the window shows.
    const bool english = rooms_.Language->English();
    QString problems = rooms_.Options->LoadProblem(settingsRead);
    if (!stateReady.Ok()) {
        const platform::TFileError& error = stateReady.Error();
        problems = ui::Phrase(ui::TPhrase::StateFolderUnusable, english)
                       .arg(QString::fromStdString(error.File.string()),
                            ui::FileFailureReason(error.Errno, ui::LanguageOf(english)));
    }
    const auto add = [&problems](const QString& text) {
        problems += (problems.isEmpty() ? "" : "\n\n") + text;
    };
    if (paths_.Installed() && report.NoDictionary()) {
        add(ui::Phrase(ui::TPhrase::SharedDataMissing, english)
                .arg(QString::fromStdString(paths_.DictionaryDir().string())));
    } else if (!report.Complete()) {
        add(QString::fromStdString(report.Message()));
    }
    if (!problems.isEmpty()) {
        environment_.Dialogs.Error(&window_, problems);
    }
    // Text already on the clipboard is looked up at once.
    rooms_.Clipboard->Register();
    lookup_.FocusSearchBox();
    // The due count is read once the window shows, off the interface thread.
    QTimer::singleShot(0, &window_, [this] { learning_.RefreshDueCount(); });
}

platform::TFileResult TComposition::PrepareStateFolders() const {
    if (!paths_.Installed()) {
        return {};
    }
    platform::TFileResult state = platform::PrepareWritableFolder(paths_.StateDir());
    if (!state.Ok()) {
        // Named as the user's folder even when no home folder gave one.
        platform::TFileError error = state.Error();
        if (error.File.empty()) {
            error.File = std::filesystem::path("~/.local/share") / platform::TPaths::kProgramFolder;
        }
        return error;
    }
    // The recording's folder matters only when there is a recording: it is
    // reported then, by the recording's own message.
    (void)platform::PrepareWritableFolder(paths_.PlayFile().parent_path());
    return {};
}

void TComposition::ShutDown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    // Stopping the sound lets queued events through while it waits for the
    // device: a clipboard change must not look a word up and bring the
    // closing window forward again.
    rooms_.Clipboard->Leave();
    rooms_.Sound->Shutdown();
}

} // namespace app
