#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ClientCase.h"

namespace quoravel {

// A case as the main window shows it may differ from the case as stored: the
// window lists only the products its carrier offers in the state, and its
// controls hold only the values the rules leave open. These helpers keep a
// stored case from being changed by merely being shown.

// The case as the case file would write it; two cases with the same record
// are the same case.
std::string CaseRecord(const ClientCase& client);

// The inputs of `stored` that the window's open controls would give otherwise
// (`shown` is the case as the window alone would build it), one line each:
// "Table rating: B (the window would take None)".
std::vector<std::string> UnshownInputs(const ClientCase& stored, const ClientCase& shown);

// The products of `stored` that the window's product list (`listed`, its
// product numbers) does not offer, in their stored order: the window lists
// them as kept, so the broker sees and can remove them.
std::vector<std::int32_t> UnlistedProducts(const IllustrationOptions& stored,
                                           const std::vector<std::int32_t>& listed);

}  // namespace quoravel
