#pragma once

namespace quoravel {

// The one way a calculated amount becomes a shown amount: the value's
// 15-significant-digit decimal form, rounded half away from zero to
// `decimals` places, as number formatting does it. round(2, 1.005) is 1.01
// and round(2, 2.675) is 2.68, though the binary doubles sit just below both.
double round(int decimals, double value);

}  // namespace quoravel
