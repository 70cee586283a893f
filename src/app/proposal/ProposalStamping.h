#pragma once

#include <ostream>
#include <string>

#include "CasePricer.h"
#include "PrintSurface.h"
#include "ProcessValues.h"
#include "ProposalStamp.h"
#include "cClient.h"

namespace quoravel {

// The stamp of a proposal made today from `caseText` (relay.ini's bytes, or
// a case record) and priced as `priced` (the stamp holds the premiums its
// pages print), on the rate files whose identity is `rateSet`.
ProposalStamp MakeStamp(const ProcessValues& process, std::string rateSet, ProposalStamp::CaseKind kind,
                        std::string caseText, const PricedCase& priced);

// The proposal's PDF carries the stamp as its metadata.
void AttachStamp(PrintSurface& surface, const ProposalStamp& stamp);

// One client's case record, as a case file holds it.
std::string CaseRecordOf(const cClient& client);

// Exit codes of `quoravel verify`.
namespace VerifyCode {
inline constexpr int Verified = 0;
inline constexpr int PremiumsDiffer = 1;
inline constexpr int NoStamp = 2;
}  // namespace VerifyCode

// Reads the stamp of the PDF, makes its case again on the rates of the
// program folder and tells on `out` whether the rate set and the yearly
// premiums are those the stamp recorded.
int VerifyProposal(const std::string& pdf, const std::string& programFolder, std::ostream& out,
                   std::ostream& diagnostics);

}  // namespace quoravel
