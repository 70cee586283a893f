#pragma once

#include <ostream>
#include <string>

namespace quoravel {

// Prints the cases of a case file, one line each: the developer's and the
// administrator's quick look into a .clt file. Returns the number of cases.
long ListCases(std::ostream& out, const std::string& caseFile, const std::string& programFolder);

}  // namespace quoravel
