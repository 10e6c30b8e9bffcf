#include "tests/platform/AudioTestSupport.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // The components post their device work to the event loop.
    audiotest::SetEventPump([] {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    });
    if (!audiotest::PrepareWorkDir()) {
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    audiotest::RemoveWorkDir();
    return result;
}
