#pragma once

#include <string>

#include "CasePricer.h"
#include "ProposalRun.h"
#include "RateReaders.h"
#include "cClient.h"
#include "clsPrint.h"

namespace quoravel {

// What every proposal page is built from: the print handle it prints on, the
// case (client record with its illustration options), the proposal run
// (relay mode, rate scale, logs, answer) and the folders of the program's
// files and of the run.
struct PageContext {
    clsPrint& print;
    cClient& client;
    ProposalRun& run;
    std::string programFolder;   // states.ini, Quoravel.ini, pictures, rate files
    std::string startDirectory;  // the run's folder: relay.ini in, page files out
    // The premiums of the proposal's pages, from rate files each opened once.
    RateContext rates = {programFolder, run};
    // The case as settled and priced for this proposal: its pages print
    // these premiums. Pages of other classes are priced from `rates`.
    const PricedCase* priced = nullptr;
};

}  // namespace quoravel
