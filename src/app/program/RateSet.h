#pragma once

#include <string>

#include "ProcessValues.h"

namespace quoravel {

// The identity of the rate files of a folder, so that a proposal can be
// traced to the rates that priced it: the first twelve hexadecimal digits of
// the SHA-256 of every rate file (a name ending in ".rat") in the byte order
// of the names, each as its name, a NUL, its size in decimal, a NUL and its
// bytes. Names are taken exactly as they stand, as the rate readers open
// them: a file renamed in another letter case is a file they do not find,
// and so another rate set.
struct RateSet {
    std::string identity;  // empty when the folder holds no rate file
    int files = 0;
};

// Raises a RuntimeError naming a rate file that cannot be read.
RateSet IdentifyRateSet(const std::string& folder);

// The identity, empty when the folder holds no rate file or one cannot be read.
std::string RateSetIdentityOf(const std::string& folder);

// The identity of the process's program folder, found the first time it is
// asked for and kept in the process values: hashing every rate file for each
// proposal of a batch would cost more than the proposal. Empty when the
// folder holds no rate file or one cannot be read (the run reports that).
const std::string& RateSetIdentityOnce(ProcessValues& process);

}  // namespace quoravel
