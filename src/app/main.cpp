#include "app/Environment.h"
#include "app/Unit1.h"
#include "ui/Fonts.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(app::TForm1::kApplicationTitle));
    // The desktop matches the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(DICT_APP_ID));
    ui::RegisterFontSubstitutes();
    // Started from a data folder, it holds the dictionary, the data files and
    // the program's own state; anywhere else the program is the installed one,
    // with shared data beside it and each user's state in the user's folders.
    const platform::TPaths paths = platform::TPaths::ForStart(platform::TStartPlace::ThisProcess());
    ui::TEnvironment environment = app::DesktopEnvironment();
    app::TForm1 form(paths, environment);
    form.FormCreate();
    return QApplication::exec();
}
