#pragma once

#include <algorithm>
#include <span>
#include <vector>

#include "CertificationPage.h"
#include "PageContext.h"

namespace quoravel {

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

// The pages of the sections that have relay nodes of their own, and every
// section that put something on the surface (an optional page not chosen
// puts nothing there).
struct PrintedSections {
    PageRange terms;
    PageRange certification;
    std::vector<SectionId> printed;
    bool Printed(SectionId id) const {
        return std::find(printed.begin(), printed.end(), id) != printed.end();
    }
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
