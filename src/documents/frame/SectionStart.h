#pragma once

#include <cstdint>

#include "PrintSurface.h"
#include "ProposalPrinter.h"

namespace quoravel {

// The document pages a section took, from 1; {0, 0} for a section not printed.
struct PageRange {
    std::int16_t first = 0;
    std::int16_t last = 0;
};

// A section begins on a page of its own: the page StartDoc began when nothing
// is on it yet, else a new one.
inline void StartOnFreshPage(ProposalPrinter& print) {
    const Document& document = print.Surface().GetDocument();
    if (document.pages.empty() || !document.pages.back().items.empty()) print.NewPage();
}

// Every section begins in the style a new document has (font, alignment,
// table separators and border, pen): nothing a section before it set
// carries over.
inline void BeginSection(ProposalPrinter& print) { print.Surface().ResetStyle(); }

}  // namespace quoravel
