#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CasePricer.h"
#include "ClientCase.h"
#include "Date.h"

namespace quoravel {

// One product at one face amount of one saved case, priced on the rates in
// force and on the new ones.
struct ImpactLine {
    std::string caseFile;
    int caseIndex = 0;  // the case's place in its file, from 1
    std::string name;   // "Last, First M"
    std::int32_t product = 0;
    std::string productName;
    std::int32_t faceAmount = 0;
    // The annual premium of each policy year on each set; empty when not priced.
    std::vector<double> oldYearly;
    std::vector<double> newYearly;
    // Why the line has no premiums on a set: "old rates: …", "new rates: …",
    // or the reason alone when both sets give it.
    std::string problem;
    // A rate file of a set could not be read for the line: the set failed,
    // where a case refused for its own reasons did not.
    bool rateSetFailed = false;

    bool Priced() const { return problem.empty(); }
    // To the cent: the first year's premium on each set and the change.
    double OldFirstYear() const;
    double NewFirstYear() const;
    double Change() const;
    // The change as a percentage of the old premium, to two places; 0 when
    // the old premium is 0.
    double ChangePercent() const;
    // The policy year (from 1) whose premium changes most in dollars either
    // way, and that change to the cent; the first such year on a tie, 0 when
    // no year changes.
    int LargestChangeYear() const;
    double LargestChange() const;
};

// Prices saved cases on two rate sets, each from a folder of rate files,
// with the issue rules' settings of the program folder.
class RateImpact {
public:
    RateImpact(const std::string& programFolder, const std::string& oldRates, const std::string& newRates,
               std::optional<Date> today = std::nullopt);

    // The lines of one case, one per product and face amount, in the case's order.
    std::vector<ImpactLine> Compare(const ClientCase& client, const std::string& caseFile);

private:
    CasePricer old_;
    CasePricer new_;
    std::optional<Date> today_;
};

// The lines sorted by the size of their largest yearly change, largest first
// (lines priced on both sets before the others, the case order kept on a tie).
std::vector<const ImpactLine*> ByLargestChange(const std::vector<ImpactLine>& lines);

}  // namespace quoravel
