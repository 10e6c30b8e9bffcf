#include "exercises/Launcher.h"

#include "exercises/ExerciseWindow.h"
#include "ui/Environment.h"

#include <QWidget>

namespace exercises {

void RunWithMainWindowHidden(TLauncherHost& host, const TExerciseFactory& create) {
    QWidget* mainWindow = host.LauncherWindow();
    // Shown again after the window and the seams are gone.
    struct TShowAgain {
        QWidget* Window;
        ~TShowAgain() { Window->show(); }
    } showAgain{mainWindow};
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
