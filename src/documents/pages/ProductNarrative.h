#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ProductCatalogue.h"

namespace quoravel {

class ClientCase;

ProductFamily FamilyOf(std::int32_t product);

// The product's own wording of the narrative summary, chosen by product,
// carrier and state of delivery, with the riders the product offers.
struct ProductNarrative {
    std::string name;
    std::string description;
    std::string additionalFeatures;
    std::string conversionTerm;
    std::string conversion;
    std::string requalification;
    double policyFee = 0;
    bool offersWaiver = true;
    bool offersChildRider = true;
    int waiverStartAge = 15;  // disability must begin after the anniversary nearest this birthday
    int childEndAge = 25;     // a child's cover ends at this birthday
    bool childIssueAges = true;
    // The rate tables some states ask for.
    bool showWaiverTable = false;
    bool showSurrenderCharges = false;
    std::string cashValues;  // the guaranteed cash value explained; empty without one
};

ProductNarrative DescribeProduct(const ClientCase& client, std::int32_t product);

// Surrender charges per 1,000 of face amount for policy years 1 to 20.
const std::vector<double>& SurrenderChargesPerThousand();

}  // namespace quoravel
