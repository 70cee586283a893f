#pragma once

#include <string>
#include <vector>

#include "CasePricer.h"
#include "ClientCase.h"
#include "CommissionSettings.h"
#include "IssueRules.h"
#include "PrintSurface.h"
#include "ProposalRun.h"
#include "TextFile.h"

namespace quoravel {

// What a proposal run leaves for the window besides the document.
struct IllustrationResult {
    // False when no document was made (in relay mode the reasons are in the
    // run's error log).
    bool documentMade = false;
    // The case check's notes on what it removed from the case, shown after
    // validation; in relay mode they are also warnings in the error log.
    std::vector<std::string> notes;
    // Message boxes of an interactive run: a failed age check, a missing
    // rate file ("Rate file missing"). Empty in relay mode.
    std::vector<Notice> notices;
    // The printer the document is to be printed on (see PrinterDeviceName).
    std::string printerDevice;

    explicit operator bool() const { return documentMade; }
};

// One proposal for a case settled and priced in this run (CasePricer):
// removes the previous proposal's page files and answer from the run's
// folder, tells what settling the case found, lays out the report the
// options ask for (single product, face comparison or product comparison)
// with the case's premiums on the surface and ends the document, which
// exports every page into the run's folder. What the answer reports goes into the run; its owner writes
// the answer (ProposalRun::WriteAnswer). The settings, rate and picture files
// come from the program folder.
IllustrationResult CreateIllustration(PrintSurface& surface, const PricedCase& priced,
                                      const CommissionSettings& commission, ProposalRun& run);
// The premiums the proposal of a priced case prints, as its stamp records
// them: the products and face amounts its report shows, each to the end of
// the illustration.
std::vector<StampedPremiums> PrintedPremiums(const PricedCase& priced);

// A ledger as the proposal prints it: the title over its rows, what each
// cell of a row is ("year", "age", a premium column's product and face
// amount, "death benefit") and the text of every row.
struct PrintedLedger {
    std::string title;
    // The first line of every column heading, "Year" first.
    std::vector<std::string> headings;
    std::vector<std::string> cells;
    std::vector<std::vector<std::string>> rows;
    // A single quote's first-year breakdown: its total as printed ("$1,765.00").
    std::string firstYearTotal;
};
// The ledgers the proposal of a priced case prints, in the order of its
// pages, laid out from `premiums` (a stamp's, in PrintedPremiums' form).
std::vector<PrintedLedger> PrintedLedgers(const PricedCase& priced,
                                          const std::vector<StampedPremiums>& premiums);

// A proposal for a case not yet priced, where no stamp is wanted: it is
// settled and priced in the run first.
IllustrationResult CreateIllustration(PrintSurface& surface, const ClientCase& client,
                                      const CommissionSettings& commission, ProposalRun& run);

// The files a relay run may copy into its folder as forms.
std::vector<std::string> RelayFormFiles();

// Writes the surface's document as a PDF: folder (a separator added when
// missing) + name; an existing file is replaced, one whose name differs only
// in case included. Answers the path written, which is the one to open or
// attach afterwards. Raises a RuntimeError naming the path when it cannot be
// written.
std::string ConvertToPdf(const PrintSurface& surface, const std::string& folder,
                         const std::string& name = "illustration.pdf",
                         Durability durability = Durability::Now);

}  // namespace quoravel
