// The proposal stamp's reader: a stamp found in any bytes is written again
// as the same packet and read back equal.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "ProposalStamp.h"

using namespace quoravel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto stamp = FindStamp({reinterpret_cast<const char*>(data), size});
    if (!stamp) return 0;
    const auto again = FindStamp(StampXmp(*stamp));
    fuzz::Require(again && *again == *stamp, "a stamp read does not read back equal once written");
    return 0;
}
