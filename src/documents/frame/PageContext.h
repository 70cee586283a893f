#pragma once

#include <string>

#include "CasePricer.h"
#include "ClientCase.h"
#include "CommissionSettings.h"
#include "ProposalPrinter.h"
#include "ProposalRun.h"
#include "RateReaders.h"

namespace quoravel {

// What every proposal page is built from: the print handle it prints on, the
// case (client record with its illustration options), the proposal run
// (relay mode, rate scale, logs, answer) and the folders of the program's
// files and of the run.
struct PageContext {
    ProposalPrinter& print;
    ClientCase& client;
    ProposalRun& run;
    std::string programFolder;   // states.ini, Quoravel.ini, pictures, rate files
    std::string startDirectory;  // the run's folder: relay.ini in, page files out
    // The premiums of the proposal's pages, from rate files each opened once.
    RateContext rates = {programFolder, run};
    // The case as settled and priced for this proposal: its pages print
    // these premiums. Pages of other classes are priced from `rates`.
    const PricedCase* priced = nullptr;
    // The broker's commission percentages, for the commission page.
    const CommissionSettings* commission = nullptr;
};

}  // namespace quoravel
