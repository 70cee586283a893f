#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

// What the company switch of the main window changes, by company index
// (0 BRN, 1 QNB, 2 TVNY).

// The product list texts the carrier offers in a state.
std::vector<std::string> ProductNamesOf(std::int32_t company, std::string_view state);

// Product number of a product list text (the Korvel texts name the
// carrier's own products); 0 for any other text.
std::int32_t ProductOfListText(std::string_view text);

// The window title: the carrier's, " GA Version" for the general-agent
// edition, then " - " and the case file's short name.
std::string MainWindowTitle(std::int32_t company, bool isGA, const std::string& caseFileShortName);

// The carrier's help file in the program folder: "termBRN.html" …
std::string HelpFileOf(std::int32_t company);

// The per-user key (section "Clients") of the carrier's last case file.
std::string CaseFileKeyOf(std::int32_t company);

// The carriers' child rider: never for QNB.
bool OffersChildRider(std::int32_t company);

}  // namespace quoravel
