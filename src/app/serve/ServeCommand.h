#pragma once

#include "CommandTable.h"

namespace quoravel {

// `quoravel serve [--listen ADDRESS:PORT] ...`: quotes and proposals over
// HTTP from one long-running process, until it is told to stop (SIGTERM, SIGINT).
int ServeCommand(CommandLine& line);

}  // namespace quoravel
