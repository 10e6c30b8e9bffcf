#include "ui/Environment.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QScreen>
#include <QUrl>

namespace ui {

TEnvironment::TEnvironment()
    : Beep([] { QApplication::beep(); }), DesktopRect([] {
          const QScreen* screen = QGuiApplication::primaryScreen();
          return screen != nullptr ? screen->geometry() : QRect(0, 0, 800, 600);
      }),
      RunExercise([](QDialog& window) { window.exec(); }),
      RunHelp([](QDialog& window) { window.exec(); }),
      RunAbout([](QDialog& window) { window.exec(); }),
      OpenUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

} // namespace ui
