#pragma once

#include <span>

#include "CertificationPage.h"
#include "PageContext.h"

namespace quoravel {

// The pages of the sections that have relay nodes of their own.
struct PrintedSections {
    PageRange terms;
    PageRange certification;
};

// Every section a proposal can hold, in the order of a basic quotation (a
// comparison prints its ledger before the narrative summary). A new page
// is a file in pages/ and a row here.
enum class SectionId {
    RiderNotice,
    Cover,
    NarrativeSummary,
    DescriptionOfTerms,
    Ledger,
    ClassInformation,
    Certification,
    ClassComparison,
    UnderwritingGuidelines,
    ClientInput,
    Commission,
};

// A section and the function of its page file that prints it from the
// current page on.
struct ProposalSection {
    SectionId id;
    const char* name;
    void (*print)(PageContext& context, PrintedSections& printed);
};

std::span<const ProposalSection> ProposalSections();

void PrintSection(SectionId id, PageContext& context, PrintedSections& printed);

}  // namespace quoravel
