#pragma once

#include <QApplication>

#include <memory>

// The application of the benchmarks that drive the main window: headless on
// the offscreen platform and the dummy sound driver unless the environment
// names others, with the program's font substitutes, and error messages
// printed rather than shown in boxes nobody answers.
std::unique_ptr<QApplication> MakeBenchApplication(int& argc, char** argv);

// Runs the benchmarks the command line asks for; the exit status.
int RunBenchmarks(int& argc, char** argv);
