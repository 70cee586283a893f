#pragma once

#include <optional>

#include "DescriptionOfTermsPage.h"
#include "PageContext.h"

namespace quoravel {

// Where the certification states the proposal's number of pages, which is
// known only once the whole document is laid out.
struct PageCountPlace {
    int page = 0;  // the document's page, from 1
    double y = 0;
};

// The certification page, when the case asks for it: the applicant's and the
// owner's acknowledgement, the broker's statement, signature and date lines,
// the proposal's reference number. One page.
struct Certification {
    PageRange pages;
    std::optional<PageCountPlace> pageCount;
};
Certification PrintCertification(PageContext& context);

// "This proposal has N pages." at the place.
void StatePageCount(ProposalPrinter& print, const PageCountPlace& place, int pages);

}  // namespace quoravel
