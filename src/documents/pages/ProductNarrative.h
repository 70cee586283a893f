#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ProductCatalogue.h"
#include "ProductTerms.h"

namespace quoravel {

class ClientCase;

ProductFamily FamilyOf(std::int32_t product);

// The product's own wording of the narrative summary, chosen by product,
// carrier and state of delivery, with the riders the product offers.
struct ProductNarrative {
    std::string name;
    std::string description;
    std::string premiumPattern;  // when the premiums are level, rise and are guaranteed
    std::string additionalFeatures;
    std::string conversionTerm;
    std::string conversion;
    std::string requalification;
    // When its premiums are level, rise and are guaranteed, its fee and options.
    ProductTerms terms;
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
// Every product the proposal shows, in its order (a comparison is cut to what
// it shows before its pages are laid out); the first is the proposal's own.
std::vector<ProductNarrative> DescribeProducts(const ClientCase& client);

// One statement for each product, each under the product's name where
// `named` (a page that names the products it speaks of).
std::string EachProduct(const std::vector<ProductNarrative>& products, bool named,
                        const std::function<std::string(const ProductNarrative&)>& say);

// The product's policy fee as every page states it; a qualifying spouse's
// premiums leave it out.
std::string PolicyFeeText(const ProductNarrative& product, bool spouseFeeWaived);

// Surrender charges per 1,000 of face amount for policy years 1 to 20.
const std::vector<double>& SurrenderChargesPerThousand();

}  // namespace quoravel
