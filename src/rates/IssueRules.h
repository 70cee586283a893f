#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Date.h"
#include "ProcessValues.h"
#include "cClient.h"

namespace quoravel {

// A message box the caller shows (in relay mode it goes to the error log).
struct Notice {
    std::string title;
    std::string text;
};

struct AgeCheck {
    bool ok = true;
    // "No proposal created for this client: " and the messages; empty when ok.
    std::string message;
    std::vector<Notice> notices;
};

// Checks the client's age against every chosen product's issue ages.
AgeCheck ValidateAge(cClient& client, bool usePriorRates);

// Removes riders and options the case does not allow, with a note for each
// change, and sets or clears process.UsePriorRates from the case's rate-scale
// markers. At most 61 notes, each a sentence ending in two blanks. `today` is
// the day the quote is prepared: the system clock's when not given.
std::vector<std::string> ValidateClientInfo(cClient& client, ProcessValues& process,
                                            std::optional<Date> today = std::nullopt);

// The classes the class comparison page sets beside a class: up to two
// below it on its ladder (no nicotine 0-1-2-3-4-7, nicotine 5-6-8).
std::span<const std::int32_t> ComparedClasses(std::int32_t classCode);

// The Quenby products refuse the super-preferred classes, and the custom
// classes in New York.
bool QuenbyRefusesClass(std::int32_t product, std::string_view state, std::int32_t classCode);

}  // namespace quoravel
