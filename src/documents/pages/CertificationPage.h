#pragma once

#include "DescriptionOfTermsPage.h"
#include "PageContext.h"

namespace quoravel {

// The certification page, when the case asks for it: the applicant's and the
// owner's acknowledgement, the broker's statement, signature and date lines,
// the proposal's reference number. One page.
struct Certification {
    PageRange pages;
};
Certification PrintCertification(PageContext& context);

}  // namespace quoravel
