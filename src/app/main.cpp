#include "app/Unit1.h"
#include "ui/Fonts.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(app::TForm1::kApplicationTitle));
    ui::RegisterFontSubstitutes();
    app::TForm1 form;
    return QApplication::exec();
}
