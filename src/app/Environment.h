#pragma once

#include "ui/Environment.h"

namespace app {

// The program's environment: the desktop's own, error boxes under the main
// window's caption, and the exercises' wave player for the verdict sounds.
ui::TEnvironment DesktopEnvironment();

} // namespace app
