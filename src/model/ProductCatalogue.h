#pragma once

#include <cstdint>
#include <string_view>

namespace quoravel {

// The product lines whose rates, pages and narratives read alike.
enum class ProductFamily {
    LevelTerm,          // Brellan, Korvel, Carrow: level for the guarantee period
    OneYear,            // Brellan 1, Dorrance 1: yearly premiums guaranteed for ten years
    Select,             // Pellamy: select premiums first, then level
    NonLevel,           // Ostrel, Amberlin: level, then guaranteed increasing years
    TermTo80,           // Tessel: coverage ends at age 80
    IncreasingPremium,  // Quenby: the New York company's increasing-premium term
    Dorrance,           // Dorrance 5/10/15: short guarantee, then yearly increases
};

// Where the level years' rates are read: the one-year file, the banded files
// of five or of three products, the Ostrel files; none for a product without
// a rate column.
enum class RateSource { None, OneYear, Banded5, Banded3, Ostrel };

// The carriers by company index, as bits: BRN 0, QNB 1, TVNY 2.
enum CarrierBits : unsigned { kSoldByBRN = 1u, kSoldByQNB = 2u, kSoldByTVNY = 4u };

// What one product number offers. Every rule that depends on the product
// asks this row.
struct ProductOffer {
    std::int16_t levelPeriod;
    std::int16_t guaranteePeriod;
    std::int16_t requalAge;
    std::int16_t yearsToPrint;
    int rateColumn;  // its column in the multi-product rate records; kNoRateColumn for none
    std::int16_t selectYears;
    std::int16_t gradeYear;
    ProductFamily family;
    RateSource rates;
    unsigned carriers;       // CarrierBits of the carriers that sell it
    bool childRider;         // the children's rider can be added
    bool waiver;             // the waiver of premium can be added
    bool increasingPremium;  // premiums rise yearly after the guarantee: the New York company's forms
    bool higherMinimum;      // $50,000 minimum for BRN and TVNY outside NJ
    bool endsAtAge80;        // cover, fee and ledger end at age 80
    // Why the product cannot be illustrated; empty when it can.
    std::string_view refusal;
};

inline constexpr int kNoRateColumn = -1;

// The face amounts a proposal accepts: the minimum by carrier, product and
// state, and the largest the carriers issue through a proposal.
inline constexpr std::int32_t kMinimumFaceAmount = 25000;
inline constexpr std::int32_t kHigherMinimumFaceAmount = 50000;
inline constexpr std::int32_t kMaximumFaceAmount = 100000000;

// The row of a product number; numbers outside 1..49 get row 0, which
// offers nothing.
const ProductOffer& OfferOf(std::int32_t productNumber);

// True when the product can be illustrated at all (it has issue ages and its
// rates cover every year it shows).
bool IsIllustrated(std::int32_t productNumber);

// True when the carrier (company index) sells the product.
bool CarrierSells(std::int32_t company, std::int32_t productNumber);

// The smallest face amount of a product sold by a carrier in a state.
std::int32_t MinimumFaceAmount(std::int32_t productNumber, std::int32_t company, std::string_view state);

}  // namespace quoravel
