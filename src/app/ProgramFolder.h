#pragma once

#include <string>

namespace quoravel {

// The folder of the settings, rate and picture files: QUORAVEL_HOME when
// set, else the folder of the executable. Ends with a separator. Takes the
// command line as the application object does, before one exists.
std::string ResolveProgramFolder(int& argc, char** argv);

}  // namespace quoravel
