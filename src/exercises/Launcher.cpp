#include "exercises/Launcher.h"

#include "exercises/ExerciseWindow.h"
#include "ui/Environment.h"

#include <QWidget>
#include <QWindow>

namespace exercises {

void RunWithMainWindowHidden(TLauncherHost& host, const TExerciseFactory& create) {
    QWidget* mainWindow = host.LauncherWindow();
    // Shown again after the window and the seams are gone, where it was: a
    // window manager places a window shown anew where it likes unless it is
    // told where it goes. The place without the frame, whose size a hidden
    // window no longer knows.
    struct TShowAgain {
        QWidget* Window;
        QRect Place;
        ~TShowAgain() {
            Window->setGeometry(Place);
            // Placed through its native window too, so that the window
            // manager is told the place was chosen.
            if (QWindow* native = Window->windowHandle()) {
                native->setGeometry(Place);
            }
            Window->show();
        }
    } showAgain{mainWindow, mainWindow->geometry()};
    mainWindow->hide();
    // The seams outlive the window, which may keep a reference to them.
    const TMainWindowSeams seams = host.ExerciseSeams();
    const std::unique_ptr<TExerciseWindow> window = create(seams, mainWindow);
    seams.Environment.RunExercise(*window);
}

void OpenExercise(TLauncherHost& host, const TExerciseFactory& create) {
    host.StopVoicePlayback();
    // A list that cannot be read stays empty: the window then says so.
    host.FillStudyListFromDefault();
    RunWithMainWindowHidden(host, create);
    TLookupSteering& lookup = host.ExerciseSeams().Lookup;
    if (lookup.SearchBoxText().empty()) {
        lookup.ClearArticle();
    } else {
        lookup.SearchBoxChanged();
    }
    lookup.FocusSearchBox();
}

} // namespace exercises
