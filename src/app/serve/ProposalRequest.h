#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

// A proposal asked for over HTTP, as the relay file it becomes: the relay
// run then makes it as it makes any outside system's case, and its stamp
// holds that file.
struct ProposalRequest {
    std::string relayText;
    std::vector<std::string> problems;  // each names the input and its rule
};

// One flat JSON object: the quote's inputs (read as the quote reads them,
// a birth date turned into the age) and the proposal's choices: "report",
// "pages", "ledger-years" and the agent's "agent-…" fields.
ProposalRequest ProposalFromJson(std::string_view json, const std::string& programFolder);

// The text of a relay.ini, taken as it stands but for the keys that would
// name a place on the server (PDF.Path, PDF.Name), which are refused.
ProposalRequest ProposalFromRelayText(std::string text);

}  // namespace quoravel
