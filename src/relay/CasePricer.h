#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Date.h"
#include "ProcessValues.h"
#include "ProposalStamp.h"
#include "RateLayout.h"
#include "cClient.h"

namespace quoravel {

// One product at one face amount of a case, priced: the annual premium of
// each policy year, or why it has none.
struct PricedLine {
    StampedPremiums premiums;
    std::string problem;  // "" when priced
};

// Prices whole cases as their proposals price them, from the rate files of
// one folder: the issue rules' corrections and rate scale, the ages the
// products take, the years the product covers and the proposal illustrates.
// The rate files stay open for the pricer's life, so that many cases are
// priced without reading a file twice.
class CasePricer {
public:
    explicit CasePricer(const std::string& rateFolder);

    // Every product of the case at every face amount, in the case's order.
    // `today` is the day the proposal is made (the rate scale depends on it):
    // the system clock's when not given.
    std::vector<PricedLine> Price(const cClient& client, std::optional<Date> today = std::nullopt);

private:
    ProcessValues process_;
    RateFiles files_;
};

// The premiums of the priced lines, as a stamp records them (a line without
// premiums has none).
std::vector<StampedPremiums> StampedPremiumsOf(const std::vector<PricedLine>& lines);

}  // namespace quoravel
