#include "exercises/Launcher.h"

#include "exercises/ExerciseWindow.h"

#include <QWidget>

namespace exercises {

std::function<void(TExerciseWindow&)> RunExerciseWindow = [](TExerciseWindow& window) {
    window.exec();
};

void OpenExercise(TLauncherHost& host, const TExerciseFactory& create) {
    host.StopVoicePlayback();
    // A list that cannot be read stays empty: the window then says so.
    host.FillStudyListFromDefault();
    QWidget* mainWindow = host.LauncherWindow();
    {
        // The main window comes back however the exercise ended.
        struct TShowAgain {
            QWidget* Window;
            ~TShowAgain() { Window->show(); }
        } showAgain{mainWindow};
        mainWindow->hide();
        const TMainWindowSeams seams = host.ExerciseSeams();
        const std::unique_ptr<TExerciseWindow> window = create(seams, mainWindow);
        RunExerciseWindow(*window);
    }
    TLookupSteering& lookup = host.ExerciseSeams().Lookup;
    if (lookup.SearchBoxText().empty()) {
        host.ClearArticlePane();
    } else {
        lookup.SearchBoxChanged();
    }
    host.FocusSearchBox();
}

} // namespace exercises
