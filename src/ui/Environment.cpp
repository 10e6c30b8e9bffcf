#include "ui/Environment.h"

#include "ui/WindowPlace.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QUrl>

namespace ui {

TEnvironment::TEnvironment()
    : Beep([] { QApplication::beep(); }), DesktopRect([] { return AvailableArea(nullptr); }),
      RunExercise([](QDialog& window) { window.exec(); }),
      RunHelp([](QDialog& window) { window.exec(); }),
      RunAbout([](QDialog& window) { window.exec(); }),
      OpenUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

} // namespace ui
