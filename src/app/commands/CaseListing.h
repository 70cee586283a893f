#pragma once

#include <ostream>
#include <string>

#include "CommandTable.h"

namespace quoravel {

// Prints the cases of a case file, one line each: the developer's and the
// administrator's quick look into a .clt file. Returns the number of cases;
// a case file that does not exist raises a RuntimeError naming it.
long ListCases(std::ostream& out, const std::string& caseFile, const std::string& programFolder);

// `quoravel --list-cases CASEFILE`.
int ListCasesCommand(CommandLine& line);

}  // namespace quoravel
