#pragma once

#include "progress/ProgressModel.h"

#include <QDialog>

#include <functional>

// The progress window is made by a library of its own, loaded when it first
// opens: Qt Charts and the OpenGL libraries it brings cost the program over a
// megabyte of memory from its start, and most runs never show the chart.
namespace progress {

// "progresswindow": libprogresswindow.so beside the program, or in its run path.
constexpr const char* kProgressLibrary = "progresswindow";
constexpr const char* kMakeProgressWindowEntry = "MakeProgressWindow";

using TLookUpMissed = std::function<void(const TMissedRow& word)>;
// The window over the model (see ProgressWindow.h); the caller owns it.
using TMakeProgressWindow = QDialog* (*)(const TProgressModel& model, bool english,
                                         TLookUpMissed lookUp, QWidget* parent);

} // namespace progress
