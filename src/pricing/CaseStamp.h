#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ProposalStamp.h"

namespace quoravel {

// One policy year whose premium is not what the stamp recorded.
struct PremiumDifference {
    std::int32_t product = 0;
    std::int32_t faceAmount = 0;
    int year = 0;  // the policy year, from 1
    // Absent (nothing priced for that year) is shown as no value.
    std::string recorded;
    std::string now;
};

// The years where `now` differs from `recorded`, to the cent; a product or
// face amount found on one side only differs in each of its years.
std::vector<PremiumDifference> ComparePremiums(const std::vector<StampedPremiums>& recorded,
                                               const std::vector<StampedPremiums>& now);

}  // namespace quoravel
