#pragma once

#include <string>

#include "ProposalRun.h"
#include "RateLayout.h"
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
    // The rate files the proposal's pages have opened, each once.
    RateFiles rateFiles = {};
};

}  // namespace quoravel
