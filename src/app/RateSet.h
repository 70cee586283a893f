#pragma once

#include <string>

#include "ProcessValues.h"

namespace quoravel {

// The identity of the rate files of a folder, so that a proposal can be
// traced to the rates that priced it: the first twelve hexadecimal digits of
// the SHA-256 of every rate file (.rat, whatever its case) in the order of
// the names upper-cased, each as its name upper-cased, a NUL, its size in
// decimal, a NUL and its bytes. Names are upper-cased because the program
// finds a rate file whatever the case of its name.
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
