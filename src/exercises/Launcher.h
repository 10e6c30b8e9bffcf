#pragma once

#include "exercises/MainWindowSeams.h"

#include <functional>
#include <memory>

class QWidget;

namespace exercises {

class TExerciseWindow;

// What the method launchers need of the main window besides the seams the
// windows get.
class TLauncherHost {
public:
    virtual ~TLauncherHost() = default;
    // The main window: hidden while an exercise is open, and its owner.
    virtual QWidget* LauncherWindow() = 0;
    // Stops a play-back of the recorded voice; the play-back button then
    // shows whether anything was recorded.
    virtual void StopVoicePlayback() = 0;
    // Fills an empty study list from the default list (the count label
    // follows); a list that holds entries is left alone. False when the
    // default list cannot be read, after the error message.
    virtual bool FillStudyListFromDefault() = 0;
    // Among them the look-up the article pane is refreshed from afterwards.
    virtual TMainWindowSeams ExerciseSeams() = 0;
};

using TExerciseFactory =
    std::function<std::unique_ptr<TExerciseWindow>(const TMainWindowSeams& seams, QWidget* owner)>;

// The frame every exercise window opens in: the main window hides while the
// window made by create runs modally (the environment's RunExercise), and
// shows again however the window ended.
void RunWithMainWindowHidden(TLauncherHost& host, const TExerciseFactory& create);

// Opening a method window: the recorded voice stops playing, an empty study
// list is filled from the default list, the main window hides while a fresh
// window runs modally, then shows again with its article pane refreshed from
// the search box (emptied when the box's text is empty, else the box's change
// handling shows the article of the word the exercise left selected) and the
// keyboard focus in the search box.
void OpenExercise(TLauncherHost& host, const TExerciseFactory& create);

// The five method launchers are this one operation over the window class.
template <typename TWindow> void OpenMethod(TLauncherHost& host) {
    OpenExercise(host, [](const TMainWindowSeams& seams, QWidget* owner) {
        return std::make_unique<TWindow>(seams, owner);
    });
}

} // namespace exercises
