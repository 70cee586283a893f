#pragma once

#include "PageContext.h"

namespace quoravel {

// The underwriting requirements by age and face amount, with a legend of
// the requirements and the notes that go with them, on a page of their own
// (the current one when nothing is on it yet); the caller makes them a page
// run of their own.
void PrintUnderwritingGuidelines(PageContext& context);

}  // namespace quoravel
