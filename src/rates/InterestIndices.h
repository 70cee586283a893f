#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ProductInfo.h"

namespace quoravel {

// The 5 % interest-adjusted cost indices per 1,000 of face amount.
struct CostIndex {
    int years = 0;
    double netPayment = 0;
    double surrenderCost = 0;
};

struct InterestIndices {
    CostIndex fiveYear;
    CostIndex tenYear;
    CostIndex twentyYear;  // shortened to 98 − issue age when the policy would pass 98
};

// `premiums` are the annual premiums by policy year from the first. The
// surrender cost index counts the guaranteed cash value only in MD.
InterestIndices ComputeInterestIndices(const std::vector<double>& premiums, std::int32_t faceAmount,
                                       int issueAge, const std::string& state, ProductInfo& product);

}  // namespace quoravel
