#pragma once

#include <string>
#include <vector>

#include "DisplayList.h"
#include "RateImpact.h"

namespace quoravel {

// What the report's first lines say of the comparison.
struct ImpactReportHeading {
    std::string oldRates;  // the identity and folder of each rate set
    std::string newRates;
    std::string date;  // the day the premiums are priced, as shown
    std::vector<std::string> caseFiles;
};

// The rate-change impact report: a summary of every product and face amount
// of every case, the largest yearly change first; the lines that could not be
// priced, with why; then the yearly premiums of each priced line.
Document RateImpactReport(const std::vector<ImpactLine>& lines, const ImpactReportHeading& heading);

// An amount to the cent with its sign: "+52.50", "-3.00", "0.00".
std::string SignedAmount(double amount);

}  // namespace quoravel
