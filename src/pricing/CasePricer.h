#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ClientCase.h"
#include "Date.h"
#include "IssueRules.h"
#include "PremiumEngine.h"
#include "ProcessValues.h"
#include "ProposalRun.h"
#include "ProposalStamp.h"
#include "RateLayout.h"

namespace quoravel {

// One product at one face amount of a settled case: the premium of every
// policy year the product covers, or why it has none.
struct PricedLine {
    std::int32_t product = 0;
    std::int32_t faceAmount = 0;
    std::vector<YearPremium> years;
    // Why the line has no premiums: the case's refusal, the product left out
    // of a comparison for the age, or the rate file's fault. "" when priced.
    std::string problem;
    // The rate files' own reports, kept for the proposal that prints the line.
    std::vector<LoggedError> rateErrors;
    bool Priced() const { return problem.empty(); }
};

// A case settled by the issue rules and priced: what every way into the
// program (relay, window, quick quote, quote, stamp, verify, impact, case
// listing) shows of it.
struct PricedCase {
    // The case as the rules corrected it; the caller's case is left as given.
    ClientCase settled;
    // The values a relay case would refuse (a case record an editor wrote),
    // one message each: such a case is not priced.
    std::vector<std::string> inputProblems;
    // One note for each rider or option the rules took off, and the rate
    // scale's notes, as the proposal shows them after validation.
    std::vector<std::string> corrections;
    // The chosen products the carrier cannot sell here, one message each.
    std::vector<std::string> unavailable;
    AgeCheck ages;
    // Every product of the case at every face amount, in the case's order.
    std::vector<PricedLine> lines;

    // Why no proposal is made of the case ("" when one is): its inputs, else
    // the products not sold, else the age check's message.
    std::string Refusal() const;
    // The line of a product at a face amount, or null.
    const PricedLine* Line(std::int32_t product, std::int32_t faceAmount) const;
    // The years a line's premiums run in the proposal: to the end of the
    // illustration, as far as the product covers.
    std::size_t IllustratedYears(const PricedLine& line) const;
};

// What a case asks for besides its record.
struct PricingTerms {
    // The outside system asked for the prior rate scale ("TVRN.UsePriorRates").
    bool priorScaleAsked = false;
    // The day the proposal is made (the rate scale depends on it): the
    // system clock's when not given.
    std::optional<Date> today;
};

// The one way from a case to its prices: settle it (the issue rules'
// corrections, the rate scale from its markers and the outside system's
// request, whether the carrier sells its products here, the ages they take)
// and price every product at every face amount with the premium engine,
// the spouse's fee waived where it is. The rate files stay open for the
// pricer's life, so that many cases are priced without reading a file twice.
class CasePricer {
public:
    // The settings files (states.ini) come from the program folder, the rate
    // files from `rateFolder`: the program folder's own unless another set is
    // compared.
    explicit CasePricer(const std::string& programFolder, const std::string& rateFolder = "");

    // Settles and prices the case within a proposal's run: the run takes the
    // rate scale and the corrections' updates (its `RelayUsePriorRates` is
    // the outside system's request). The rate files' reports are kept with
    // the lines, not in the run's error log.
    PricedCase Price(const ClientCase& client, ProposalRun& run, std::optional<Date> today = std::nullopt);
    // The same in a run of its own.
    PricedCase Price(const ClientCase& client, const PricingTerms& terms = {});

private:
    ProcessValues process_;
    std::string rateFolder_;
    RateFiles files_;
    // Whether each carrier is approved in each state: states.ini does not
    // change under a pricer.
    std::map<std::pair<std::int32_t, std::string>, bool> approved_;
};

// The yearly premiums of a line of a priced case, the years it runs in a
// proposal (none for a line without premiums).
StampedPremiums YearlyPremiumsOf(const PricedCase& priced, const PricedLine& line);
// Those of every line of the case.
std::vector<StampedPremiums> StampedPremiumsOf(const PricedCase& priced);

}  // namespace quoravel
