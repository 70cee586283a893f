#pragma once

#include <ostream>
#include <string>

#include "CommandTable.h"

namespace quoravel {

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

// `quoravel verify FILE.pdf`.
int VerifyCommand(CommandLine& line);

}  // namespace quoravel
