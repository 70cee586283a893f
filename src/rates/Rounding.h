#pragma once

#include <string>

namespace quoravel {

// The one way a calculated amount becomes a shown amount: the value's
// 15-significant-digit decimal form, rounded half away from zero to
// `decimals` places, as number formatting does it. round(2, 1.005) is 1.01
// and round(2, 2.675) is 2.68, though the binary doubles sit just below both.
double round(int decimals, double value);

// An amount as the pages show it: rounded with `round`, digits grouped by
// thousands with ",", "." before the decimals ("#,###.00" for 2 decimals).
std::string FormatAmount(double value, int decimals);

}  // namespace quoravel
