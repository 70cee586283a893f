#pragma once

#include <string>

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

}  // namespace quoravel
