#pragma once

#include <functional>
#include <string>

#include "ClientCase.h"
#include "ProposalRun.h"

namespace quoravel {

// One priced combination of the sweep over the sample rate files.
struct SweepCase {
    std::int32_t product = 0;
    std::string state;
    bool prior = false;
    int band = 0;
    int classCode = 0;
    int sex = 0;
    std::string Describe() const;
};

// Calls `visit` for every product that has rates, with the carrier that sells
// it, in every state group whose files differ, every face band, rate scale,
// class and sex, at every issue age the issue rules allow. The run's rate
// scale and error log are set up for each case.
void ForEachSweepCase(ProposalRun& run,
                      const std::function<void(const ClientCase&, const SweepCase&)>& visit);

}  // namespace quoravel
