#pragma once

#include "ui/Dialogs.h"

#include <QRect>

#include <filesystem>
#include <functional>

class QDialog;
class QUrl;

namespace ui {

// What the program asks of the desktop, one object handed down from the
// program's entry: the modal boxes, the system beep, the desktop's size, the
// verdict sounds, the modal runs of the windows opened over the main window
// and the browser. Tests make one of their own per fixture, which answers the
// boxes, runs the windows and counts what was asked.
struct TEnvironment {
    TDialogs Dialogs;
    std::function<void()> Beep;
    // The desktop the exercise windows fill: the screen's available area,
    // so that no panel or task bar covers them.
    std::function<QRect()> DesktopRect;
    // Plays a verdict sound file to its end, dropping user input meanwhile.
    // Empty here: the program gives it the exercises' wave player.
    std::function<void(const std::filesystem::path& file)> PlayVerdictSound;
    // Each runs a window modally and returns when it has closed.
    std::function<void(QDialog& window)> RunExercise;
    std::function<void(QDialog& window)> RunHelp;
    std::function<void(QDialog& window)> RunAbout;
    // Opens an address in the desktop's default browser; false when none
    // could be started.
    std::function<bool(const QUrl& url)> OpenUrl;

    // The desktop's own: real boxes, beep, screen, modal runs and browser.
    TEnvironment();
};

} // namespace ui
