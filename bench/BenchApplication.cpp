#include "bench/BenchApplication.h"

#include "app/Environment.h"
#include "ui/Fonts.h"

#include <benchmark/benchmark.h>

#include <cstdio>

std::unique_ptr<QApplication> MakeBenchApplication(int& argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (!qEnvironmentVariableIsSet("SDL_AUDIODRIVER")) {
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
    auto application = std::make_unique<QApplication>(argc, argv);
    ui::RegisterFontSubstitutes();
    return application;
}

ui::TEnvironment& BenchEnvironment() {
    static ui::TEnvironment environment = [] {
        ui::TEnvironment made = app::DesktopEnvironment();
        made.Dialogs.Error = [](QWidget*, const QString& text) {
            std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        };
        return made;
    }();
    return environment;
}

int RunBenchmarks(int& argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
