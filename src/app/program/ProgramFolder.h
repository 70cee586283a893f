#pragma once

#include <string>

#include "ProcessValues.h"

namespace quoravel {

// The folder of the settings, rate and picture files, which the program only
// reads: QUORAVEL_HOME when set; else, for an installed program, the data
// folder its bin folder leads to (share/quoravel); else the executable's own
// folder, as the build lays it out. Ends with a separator.
std::string ProgramFolderBeside(const std::string& executableFolder);
// The same for this executable. Takes the command line as the application
// object does, before one exists.
std::string ResolveProgramFolder(int& argc, char** argv);

// The user's folders, where the desktop keeps them: the user's own files in
// the data folder ("Quoravel" under XDG_DATA_HOME, ~/.local/share), the run
// folders of window proposals in the cache ("Quoravel/runs" under
// XDG_CACHE_HOME, ~/.cache). Neither is made until something is written.
void LocateUserFolders(ProcessValues& process);

// The program folder and the user's folders of this executable.
void LocateFolders(ProcessValues& process, int& argc, char** argv);

}  // namespace quoravel
