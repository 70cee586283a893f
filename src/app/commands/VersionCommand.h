#pragma once

#include "CommandTable.h"

namespace quoravel {

// `quoravel --version`: the version and the rate set the program folder holds.
int VersionCommand(CommandLine& line);

}  // namespace quoravel
