#pragma once

#include <string>
#include <vector>

#include "LedgerSection.h"
#include "PageContext.h"
#include "SectionStart.h"

namespace quoravel {

// One term of the description of terms and what it means for this proposal.
struct DescribedTerm {
    std::string term;
    std::string explanation;
};

// The terms this proposal uses, in the order its pages show them: the
// ledger's columns for the report's layout, the payment mode when not
// annual, each product's level premium period, the ratings and riders the
// case carries, the product's conversion and requalification, the cost
// indices of a basic quotation and the policy fee.
std::vector<DescribedTerm> TermsOfProposal(const ClientCase& client, LedgerLayout layout);

// Pages "Description of Terms" in the narrative summary's style, when the
// case asks for them; their first and last page, none when not asked for.
PageRange PrintDescriptionOfTerms(PageContext& context, LedgerLayout layout);

}  // namespace quoravel
