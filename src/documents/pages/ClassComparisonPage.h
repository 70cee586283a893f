#pragma once

#include <cstdint>
#include <vector>

#include "PageContext.h"

namespace quoravel {

// The classes a class comparison shows, the client's own first: the classes
// the issue rules compare it with, as far as the product issues them at the
// client's age.
std::vector<std::int32_t> ClassesCompared(const ClientCase& client, std::int32_t productNumber,
                                          bool usePriorRates);

// The class comparison pages of a single-product proposal: the premiums of
// the client's class beside those of the classes compared with it, year by
// year, at the first face amount.
void PrintClassComparisonPages(PageContext& context);

}  // namespace quoravel
