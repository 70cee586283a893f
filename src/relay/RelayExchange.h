#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ClientCase.h"
#include "ProposalRun.h"

namespace quoravel {

// The exchange with the outside illustration system: a case read from its
// relay file, and the answer written back into the relay folder.

// A relay file holds one case: a few dozen keys, some kilobytes. One larger
// than this is no case, and is refused before it is read.
inline constexpr std::uintmax_t kMostRelayFileBytes = 1024 * 1024;
// Why the relay file cannot be read as a case because of its size, "" when it can.
std::string RelayFileSizeProblem(const std::string& folder, const std::string& fileName);

// The relay file's text as the case is read from it, Windows-1252 with CR LF,
// however the outside system wrote it; "" for a file that cannot be read.
std::string RelayFileText(const std::string& path);

// Builds a case from section "Identifiers" of folder + fileName: the client,
// the agent and the illustration options, with the checks and corrections of
// a relay case (problems go to the run's error log, corrected inputs to its
// update log). A missing key reads as its default; a run-time error ends
// the reading with what was read.
std::shared_ptr<ClientCase> ReadRelayFile(const std::string& folder, const std::string& fileName,
                                          ProposalRun& run);

// The product number of a relay product code ("BRLN10", "ostr20g", …), in
// the client's state; 0 for a code that names no product.
std::int32_t RelayProductNumber(std::string_view code, std::string_view state);

// True when the state is a state of delivery: a section of states.ini in the
// program folder.
bool IsStateOfDelivery(const std::string& state, const std::string& programFolder);

// Puts "HeaderValues" and "BasicValues" of the illustrated product and face
// amount into the run's answer: the years the ledger shows ("bridge_Years"),
// never more than were priced.
void AnswerPolicyValues(ProposalRun& run, const ClientCase& client, std::int32_t productNumber,
                        std::int32_t faceAmount, const std::vector<double>& yearlyPremiums, int yearsShown);

// Writes relay.out once, whole, and last: "HeaderValues" and "BasicValues"
// of the policy, "Engine" with "Status", the messages and the forms, "EMF"
// with the pages. A run that made no document answers with "Engine" alone.
// In relay mode Error.log, Relay.upd, Update.log, the forms and PDF.log are
// written before it. Any answer file of the same name in another letter case
// is removed, so the folder holds one answer. Raises a RuntimeError naming
// the file that cannot be written; relay.out is then not written at all.
void WriteRelayAnswer(const ProposalRun& run);

}  // namespace quoravel
