#pragma once

#include <array>
#include <string_view>

namespace quoravel {

// The riders' ages. A rider is issued from its first to its last issue age;
// once issued it is charged until the insured reaches its last charged age.
inline constexpr int kWaiverFirstIssueAge = 15;
inline constexpr int kWaiverLastIssueAge = 55;
inline constexpr int kWaiverLastChargedAge = 60;
inline constexpr int kChildRiderFirstIssueAge = 18;
inline constexpr int kChildRiderLastIssueAge = 55;
inline constexpr int kChildRiderLastChargedAge = 65;
// The policy fee of a spouse's policy may be waived from this age.
inline constexpr int kSpouseFeeFirstAge = 15;

// The waiver is offered without a table rating and with ratings up to D (4).
inline constexpr std::array<std::string_view, 7> kWaiverTableRatings{"A", "AA", "B", "BB", "C", "CC", "D"};

}  // namespace quoravel
