#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "LedgerSection.h"
#include "PageContext.h"

namespace quoravel {

// The carrier of a company index: 0 BRN, 1 QNB, 2 TVNY; any other index is
// taken as BRN, as the carrier codes are.
std::size_t CarrierIndex(std::int32_t company);

// The printer proposals are sent to: "Device" of "All Companies" in TVRN.ini
// of the program folder, else of the first "Talvern Assurance" folder under
// the XDG config folders; upper-cased, "PRINTER" when neither names one.
std::string PrinterDeviceName(const std::string& programFolder);

// "Quoravel®  - V1.0"; a relay run carries the state and the outside
// system's versions before its own: "WF" + state, then the company and
// system versions the relay file sent and the version text, blank-separated
// ("WFTX 4.2 7.0.3 V1.0w"), pieces the relay file left empty omitted.
std::string FooterVersionText(const ClientCase& client, const ProposalRun& run);

// What the footers call a report: "Basic Quotation", "Multiple Face Amount
// Comparison", "Product Comparison" or "Class Comparison".
std::string IllustrationTypeText(LedgerLayout layout);

// Everything the frame and body header need before the document starts:
// body header texts, footer state, version and type, the carrier's header
// picture and the folder the pages and relay answer go to.
void SetUpProposal(PageContext& context, LedgerLayout layout);

}  // namespace quoravel
