// The entry of the progress window's library (ProgressLibrary.h).
#include "progress/ProgressLibrary.h"
#include "progress/ProgressWindow.h"

extern "C" __attribute__((visibility("default"))) QDialog*
MakeProgressWindow(const progress::TProgressModel& model, bool english,
                   progress::TLookUpMissed lookUp, QWidget* parent) {
    return new progress::TProgressWindow(model, english, std::move(lookUp), parent);
}

// The entry's type is the one the program calls it by.
static_assert(std::is_same_v<decltype(&MakeProgressWindow), progress::TMakeProgressWindow>);
