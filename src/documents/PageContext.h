#pragma once

#include <string>

#include "ProcessValues.h"
#include "cClient.h"
#include "clsPrint.h"

namespace quoravel {

// What every proposal page is built from: the print handle it prints on, the
// case (client record with its illustration options), the process values
// (relay mode, rate scale, logs) and the folders of the program's files and
// of the relay run.
struct PageContext {
    clsPrint& print;
    cClient& client;
    ProcessValues& process;
    std::string programFolder;   // states.ini, Quoravel.ini, pictures, rate files
    std::string startDirectory;  // the relay folder: relay.ini, relay.upd
};

}  // namespace quoravel
