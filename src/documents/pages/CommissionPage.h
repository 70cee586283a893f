#pragma once

#include <cstdint>

#include "PageContext.h"

namespace quoravel {

class CommissionSettings;

// The commission row of a product: its rate column + 1; row 0 serves the
// products without a rate column.
int CommissionRow(std::int32_t productNumber);

// A page of the broker's first-year and renewal commission percentages of
// the quoted products, printed when the options ask for it.
void PrintCommissionPage(PageContext& context, const CommissionSettings& commission);

}  // namespace quoravel
