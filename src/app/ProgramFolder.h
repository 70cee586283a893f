#pragma once

#include <string>

namespace quoravel {

// The folder of the settings, rate and picture files: QUORAVEL_HOME when
// set, else the folder of the executable. Ends with a separator.
std::string ResolveProgramFolder(const char* argv0);

}  // namespace quoravel
