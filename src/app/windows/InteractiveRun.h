#pragma once

#include "ProcessValues.h"

namespace quoravel {

// The program with its windows: the splash window while the main window
// loads, the main window, and the tip of the day when the user wants it.
// Returns when the main window has closed. A QApplication must exist.
int RunInteractive(ProcessValues& process);

}  // namespace quoravel
