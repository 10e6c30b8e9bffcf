// The floor for start-up time and memory: an empty Qt main window of the
// dictionary's size, started by the start-up benchmark exactly as the
// program is.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Empty window"));
    window.resize(612, 340);
    window.show();
    return QApplication::exec();
}
