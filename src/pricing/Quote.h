#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CasePricer.h"
#include "InterestIndices.h"
#include "PremiumEngine.h"
#include "QuoteRequest.h"
#include "RelayProducts.h"

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

// Prices quotes as proposals are priced (CasePricer): each product asked for
// is a case of its own with every face amount of the request, settled and
// priced as a relay case naming that product would be. The rate files stay
// open for the pricer's life: a quote after the first reads no file again.
class QuotePricer {
public:
    explicit QuotePricer(const std::string& programFolder);

    // Every product asked for (or every product the carrier offers) at every
    // face amount: the issuable ones cheapest first by their first-year
    // premium, then the others in the order of the products.
    std::vector<QuoteLine> Price(const QuoteRequest& request);

private:
    // The lines of one product code (a retired product's successor, with the
    // relay's warning), one a face amount in the request's order.
    void PriceProduct(const QuoteRequest& request, const std::string& code, const RetiredProduct* retired,
                      std::vector<QuoteLine>& lines);

    CasePricer pricer_;
};

}  // namespace quoravel
