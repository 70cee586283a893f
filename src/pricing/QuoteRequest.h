#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ClientCase.h"
#include "Date.h"
#include "RelayInputs.h"

namespace quoravel {

// One input of a quote as the user gave it: an option ("--age", "45") or a
// member of a JSON object ("age", "45"). A repeatable input comes once per value.
struct QuoteInput {
    std::string name;
    std::string value;
};

// One client and what the quote prices for them. Coded values are held as
// the case stores them (class 0-8, table rating "None"/"A".."P", payment
// mode and company index).
struct QuoteRequest {
    // The insured's name: its rate-scale markers ("1BACK", …) choose the scale.
    std::string name;
    std::int16_t age = 0;
    bool isMale = false;
    std::string state;
    std::int32_t classCode = 0;
    std::string tableRating = "None";
    double permFlatExtra = 0;
    TemporaryExtra tempFlatExtra;
    bool waiver = false;
    double waiverRating = 1.0;
    std::int16_t childUnits = 0;
    // QNB waives the policy fee of a spouse's policy.
    bool waiveSpouseFee = false;
    // The outside system's request for the prior rate scale.
    bool priorScaleAsked = false;
    std::vector<std::int32_t> faceAmounts;  // in the order given, each once
    std::int32_t paymentMode = 0;
    std::int32_t company = 0;
    // The relay product codes asked for, upper-case; empty: every product
    // the carrier offers.
    std::vector<std::string> productCodes;
    // When the age was taken from a birth date: that date and the day the
    // age holds on, from which the next age change is found.
    std::optional<Date> birthDate;
    Date asOf;
};

// A case as a quote of every product its carrier offers: the insured and
// the name, the riders and the ratings, the spouse's fee, the payment mode
// and the case's face amounts.
QuoteRequest QuoteRequestOf(const ClientCase& client);

// The request, or every problem of the inputs: each names the input and the
// value with the relay's wording (InputMessage). The state must be a
// section of states.ini in the program folder.
struct QuoteReading {
    QuoteRequest request;
    std::vector<std::string> problems;
};
QuoteReading ReadQuoteRequest(std::span<const QuoteInput> inputs, const std::string& programFolder);

// The names a quote takes, without dashes, and whether one may be repeated.
struct QuoteInputName {
    const char* name;
    bool repeatable;
};
std::span<const QuoteInputName> QuoteInputNames();

}  // namespace quoravel
