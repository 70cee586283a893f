#pragma once

#include <string>
#include <vector>

#include "ProposalAssembly.h"

namespace quoravel {

// A figure of a ledger row whose printed text is not what the ledger holds.
struct PrintedDifference {
    int page = 0;         // from 1; 0 when the row is on no page
    int year = 0;         // the policy year of the row
    std::string column;   // "age", "death benefit", or the product and face amount
    std::string printed;  // empty when nothing is printed there
    std::string expected;
};

// Finds the rows of `ledgers` in the pages' text, as a reader sees it, and
// names every figure printed otherwise and every row not printed at all.
std::vector<PrintedDifference> ComparePrintedLedgers(const std::vector<std::string>& pages,
                                                     const std::vector<PrintedLedger>& ledgers);

// Names the pages' own words that do not fit the case: no page naming the
// insured `name` (when the case has one), and a page whose "Date Prepared"
// is not `datePrepared` (as the pages print it, "12/7/2026").
std::vector<PrintedDifference> ComparePrintedCase(const std::vector<std::string>& pages,
                                                  const std::string& name, const std::string& datePrepared);

}  // namespace quoravel
