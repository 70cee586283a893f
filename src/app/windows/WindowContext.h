#pragma once

#include "ProcessValues.h"
#include "UserDialogs.h"
#include "UserSettings.h"

namespace quoravel {

// What every window of the program shares: the process values (program
// folder, version, logs), the user's settings store and the dialogs.
struct WindowContext {
    ProcessValues& process;
    UserSettings& settings;
    UserDialogs& dialogs;
};

}  // namespace quoravel
