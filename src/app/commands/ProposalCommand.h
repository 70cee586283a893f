#pragma once

#include "CommandTable.h"

namespace quoravel {

// `quoravel [FOLDER]`: the proposal of a relay folder holding relay.ini,
// made without a window; else the proposal window.
int ProposalCommand(CommandLine& line);

}  // namespace quoravel
