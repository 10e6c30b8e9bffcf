#pragma once

#include "ui/Environment.h"

#include <QApplication>

#include <memory>

// The application of the benchmarks that drive the main window: headless on
// the offscreen platform and the dummy sound driver unless the environment
// names others, with the program's font substitutes.
std::unique_ptr<QApplication> MakeBenchApplication(int& argc, char** argv);

// The program's environment for the benchmarks, with error messages printed
// rather than shown in boxes nobody answers.
ui::TEnvironment& BenchEnvironment();

// Runs the benchmarks the command line asks for; the exit status.
int RunBenchmarks(int& argc, char** argv);
