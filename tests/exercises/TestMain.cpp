#include "ui/Fonts.h"

#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <unistd.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // No sound card is needed: the disk driver writes what is played to a
    // file, in real time, where the verdict tests find it. Whatever driver
    // the caller's environment names, these tests need this one.
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QDir::tempPath().toLocal8Bit() + "/exercises-sound-" +
                                     QByteArray::number(::getpid()) + ".raw");
    QApplication application(argc, argv);
    ui::RegisterFontSubstitutes();
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    QFile::remove(QString::fromLocal8Bit(qgetenv("SDL_DISKAUDIOFILE")));
    return result;
}
