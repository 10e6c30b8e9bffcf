#include "ui/Fonts.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // No sound card is needed: the dummy driver plays and records silence,
    // whatever driver the caller's environment names.
    qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication application(argc, argv);
    ui::RegisterFontSubstitutes();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
