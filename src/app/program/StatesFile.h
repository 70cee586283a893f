#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quoravel {

// The states of states.ini in the program folder, in file order; with a
// carrier code ("BRN", "QNB", "TVNY") only those whose key for the carrier
// reads "yes".
std::vector<std::string> StatesOf(const std::string& programFolder, const std::string& companyCode = "");

// The state's "FullName"; "" when states.ini does not name it.
std::string StateFullName(const std::string& programFolder, const std::string& state);

// The per-user setting ("Options") of the state preselected for a carrier.
struct DefaultStateSetting {
    const char* key;
    const char* defaultState;
};
DefaultStateSetting DefaultStateOf(std::int32_t company);

}  // namespace quoravel
