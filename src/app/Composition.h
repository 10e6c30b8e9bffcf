#pragma once

#include "app/Adapters.h"
#include "app/LearningCommands.h"
#include "app/MainLayout.h"
#include "app/Rooms.h"

namespace app {

class TForm1;

// Which object gets which seam: the main window's rooms, made over its
// layout with the paths and the environment the program's entry handed down,
// and the adapters through which they reach the window and each other. It
// also holds the window's start-up and shutdown sequences, which need every
// room.
class TComposition {
public:
    TComposition(TForm1& window, const TMainLayout& layout, const platform::TPaths& paths,
                 ui::TEnvironment& environment);
    ~TComposition();
    TComposition(const TComposition&) = delete;
    TComposition& operator=(const TComposition&) = delete;

    // The splash, the settings, the index, the search box and the usage
    // hints, the window shown, what start-up found wrong, the clipboard.
    void StartUp();
    // Leaves the clipboard notification and stops the sound; runs once.
    void ShutDown();

    TRooms& Rooms() { return rooms_; }
    exercises::TLauncherHost& Launcher() { return launcher_; }
    interface::TInterfaceHost& InterfaceHost() {
        return interfaceHost_;
    }
    TLearningCommands& Learning() { return learning_; }

private:
    // Installed: the user's state folder and the recording's folder made
    // where missing; the state folder's failure, if any.
    platform::TFileResult PrepareStateFolders() const;

    TForm1& window_;
    const TMainLayout& layout_;
    const platform::TPaths& paths_;
    ui::TEnvironment& environment_;
    TRooms rooms_;
    TLookupAdapter lookup_;
    TPronounceButtonAdapter pronounce_;
    TLookupHostAdapter lookupHost_;
    TSoundHostAdapter soundHost_;
    TStudyListHostAdapter studyListHost_;
    TStudyWordsAdapter studyWords_;
    TPronouncerAdapter pronouncer_;
    TInterfaceHostAdapter interfaceHost_;
    TLauncherHostAdapter launcher_;
    TLearningCommands learning_;
    bool shutDown_ = false;
};

} // namespace app
