#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ClientCase.h"
#include "Date.h"
#include "ProposalRun.h"

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
    // The title of the box that tells the message, or the products left out
    // of a comparison: a class the Quenby products refuse has a title of its own.
    std::string title = "Age out of range";
    std::vector<Notice> notices;
    // In a comparison whose other products fit: the products left out.
    std::vector<std::int32_t> outOfAge;
};

// The rate scale a case is shown on, from the case alone: the markers in its
// name fields, or the outside system's request for the prior scale
// ("TVRN.UsePriorRates"), with the notes that confirm it. `today` is the day
// the quote is prepared: the system clock's when not given.
struct RateScaleChoice {
    bool usePriorRates = false;
    std::vector<std::string> notes;
};
RateScaleChoice ChooseRateScale(const ClientCase& client, std::optional<Date> today = std::nullopt,
                                bool outsideAskedPrior = false);

// Whether the outside system may ask for the prior rate scale in a state:
// Mississippi and Oregon never moved off the older scale.
bool OutsidePriorScaleAllowed(std::string_view state);

// The chosen products the case cannot have, one message each: a product that
// cannot be illustrated at all, one the case's carrier does not sell, or any
// product where its carrier is not approved (states.ini in the program
// folder) unless the agent's second address line holds an override word.
std::vector<std::string> CheckAvailability(const ClientCase& client, const std::string& programFolder);
// The same where whether the carrier is approved in the case's state is
// known already (ClientCase::CompanyApprovedInState).
std::vector<std::string> CheckAvailability(const ClientCase& client, bool carrierApproved);

// Checks the client's age against every chosen product's issue ages.
AgeCheck ValidateAge(ClientCase& client, bool usePriorRates);

// Removes riders and options the case does not allow, with a note for each
// change and an update under the input's relay key in the run's update log,
// and sets the run's rate scale from the case (ChooseRateScale). At most 61 notes, each a sentence ending in
// two blanks. `today` is the day the quote is prepared: the system clock's when not given.
std::vector<std::string> ValidateClientInfo(ClientCase& client, ProposalRun& run,
                                            std::optional<Date> today = std::nullopt);

// The classes the class comparison page sets beside a class: up to two
// below it on its ladder (no nicotine 0-1-2-3-4-7, nicotine 5-6-8).
std::span<const std::int32_t> ComparedClasses(std::int32_t classCode);

// The Quenby products refuse the super-preferred classes, and the custom
// classes in New York.
bool QuenbyRefusesClass(std::int32_t product, std::string_view state, std::int32_t classCode);

}  // namespace quoravel
