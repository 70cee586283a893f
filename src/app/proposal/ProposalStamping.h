#pragma once

#include <string>

#include "CasePricer.h"
#include "ClientCase.h"
#include "PrintSurface.h"
#include "ProcessValues.h"
#include "ProposalStamp.h"

namespace quoravel {

// The stamp of a proposal made today from `caseText` (relay.ini's bytes, or
// a case record) and priced as `priced` (the stamp holds the premiums its
// pages print), on the rate files whose identity is `rateSet`.
ProposalStamp MakeStamp(const ProcessValues& process, std::string rateSet, ProposalStamp::CaseKind kind,
                        std::string caseText, const PricedCase& priced);

// The proposal's PDF carries the stamp as its metadata.
void AttachStamp(PrintSurface& surface, const ProposalStamp& stamp);

// One client's case record, as a case file holds it.
std::string CaseRecordOf(const ClientCase& client);

}  // namespace quoravel
