#include "Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "Text.h"

namespace quoravel {
namespace {

constexpr std::array<double, 23> kPowers{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr std::array<std::int64_t, 19> kIntegerPowers{1,
                                                      10,
                                                      100,
                                                      1000,
                                                      10000,
                                                      100000,
                                                      1000000,
                                                      10000000,
                                                      100000000,
                                                      1000000000,
                                                      10000000000,
                                                      100000000000,
                                                      1000000000000,
                                                      10000000000000,
                                                      100000000000000,
                                                      1000000000000000,
                                                      10000000000000000,
                                                      100000000000000000,
                                                      1000000000000000000};

// Scales by a power of ten exactly where the power is exact (up to 10^22).
double Scale(double value, int exponent) {
    if (exponent >= 0)
        return exponent < 23 ? value * kPowers[static_cast<std::size_t>(exponent)]
                             : value * std::pow(10.0, exponent);
    return -exponent < 23 ? value / kPowers[static_cast<std::size_t>(-exponent)]
                          : value / std::pow(10.0, -exponent);
}

}  // namespace

double round(int decimals, double value) {
    if (value == 0 || !std::isfinite(value)) return value;
    const double magnitude = std::fabs(value);
    // The decimal exponent of the leading digit: found among the exact powers
    // of ten where it lies between them (every amount of a premium does),
    // else from the logarithm, corrected where it lands one off.
    int leading = 0;
    if (magnitude >= 1 && magnitude < kPowers.back()) {
        leading =
            static_cast<int>(std::upper_bound(kPowers.begin(), kPowers.end(), magnitude) - kPowers.begin()) -
            1;
    } else {
        leading = static_cast<int>(std::floor(std::log10(magnitude)));
        if (Scale(magnitude, -leading) >= 10)
            ++leading;
        else if (Scale(magnitude, -leading) < 1)
            --leading;
    }

    // The 15 significant digits as a whole number: mantissa × 10^(leading − 14).
    const int shift = 14 - leading;
    if (shift > 300 || shift < -300) return value;
    std::int64_t digits = static_cast<std::int64_t>(std::nearbyint(Scale(magnitude, shift)));
    int places = shift;  // decimal places the digits stand for

    const int drop = places - decimals;
    if (drop > 18) return 0.0 * value;  // below half a unit of the last place kept
    if (drop > 0) {
        const std::int64_t unit = kIntegerPowers[static_cast<std::size_t>(drop)];
        const std::int64_t kept = digits / unit;
        digits = kept + (digits % unit * 2 >= unit ? 1 : 0);
        places = decimals;
    }
    const double result = Scale(static_cast<double>(digits), -places);
    return value < 0 ? -result : result;
}

std::string FormatAmount(double value, int decimals) {
    std::string digits = FixedText(std::fabs(round(decimals, value)), decimals);
    const std::size_t point = digits.find('.');
    std::size_t whole = point == std::string::npos ? digits.size() : point;
    for (std::size_t group = whole; group > 3; group -= 3) digits.insert(group - 3, ",");
    return (round(decimals, value) < 0 ? "-" : "") + digits;
}

}  // namespace quoravel
