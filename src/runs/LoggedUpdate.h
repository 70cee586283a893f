#pragma once

#include <cstdint>
#include <string>

#include "Value.h"

namespace quoravel {

// One input value the system corrected on its own, under its relay key.
struct LoggedUpdate {
    std::string Key;
    Value NewValue;
    std::int32_t DataType = 1;  // 1 text, 2 number, 3 boolean, as in the settings files

    // The value as Relay.upd carries it: booleans as "Y" or "N".
    std::string RelayText() const;
};

}  // namespace quoravel
