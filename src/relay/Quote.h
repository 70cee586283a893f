#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "InterestIndices.h"
#include "PremiumEngine.h"
#include "ProcessValues.h"
#include "QuoteRequest.h"
#include "RateLayout.h"

namespace quoravel {

// One product at one face amount for the quote's client.
struct QuoteLine {
    std::string code;  // the relay product code
    std::int32_t product = 0;
    std::string name;
    std::int32_t faceAmount = 0;
    bool issuable = false;
    // Why it cannot be issued: the issue rules' own message.
    std::string refusal;
    // The riders and ratings the issue rules took off the case, one note each.
    std::vector<std::string> corrections;
    // Priced only when issuable.
    YearPremium firstYear;
    ModalPremiums modal;
    // The annual premium of each policy year to the end of the illustration.
    std::vector<double> yearlyPremiums;
    InterestIndices indices;
};

// Prices quotes with the premium engine and the issue rules of a proposal
// run, from the rate files of the program folder. The rate files stay open
// for the pricer's life: a quote after the first reads no file again.
class QuotePricer {
public:
    explicit QuotePricer(const std::string& programFolder);

    // Every product asked for (or every product the carrier offers) at every
    // face amount: the issuable ones cheapest first by their first-year
    // premium, then the others in the order of the products.
    std::vector<QuoteLine> Price(const QuoteRequest& request);

private:
    // `unavailable`: why the carrier cannot sell the product here, "" when it can.
    QuoteLine PriceLine(const QuoteRequest& request, const std::string& code, const std::string& unavailable,
                        std::int32_t faceAmount);

    ProcessValues process_;
    RateFiles files_;
    // Why the carrier cannot sell a product in a state ("" when it can), by
    // carrier, state and product code: states.ini does not change under a pricer.
    std::map<std::tuple<std::int32_t, std::string, std::string>, std::string> unavailable_;
};

}  // namespace quoravel
