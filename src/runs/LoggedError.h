#pragma once

#include <cstdint>
#include <string>

namespace quoravel {

// One error or warning of a run, handed back to the outside illustration system.
struct LoggedError {
    enum Level : std::int16_t { Warning = 1, Error = 2, ErrorWithPlace = 3 };

    std::string RoutineName;
    std::string ModuleName;
    std::string Description;
    std::int32_t Number = 0;
    std::int16_t Severity = 0;
};

}  // namespace quoravel
