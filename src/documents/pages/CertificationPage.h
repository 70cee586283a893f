#pragma once

#include "DescriptionOfTermsPage.h"
#include "PageContext.h"

namespace quoravel {

// The certification page, when the case asks for it: the applicant's and the
// owner's acknowledgement, the broker's statement, signature and date lines,
// the proposal's reference number and its number of pages. One page, the
// last of its proposal's run; the pages printed, none when not chosen.
PageRange PrintCertification(PageContext& context);

}  // namespace quoravel
