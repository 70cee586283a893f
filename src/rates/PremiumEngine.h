#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ClientCase.h"
#include "ProductInfo.h"
#include "RateReaders.h"

namespace quoravel {

// Rates by policy year (row) and column, owned by the report that asks for them.
class RateMatrix {
public:
    RateMatrix(std::size_t rows = 0, std::size_t columns = 5) : columns_(columns), cells_(rows * columns) {}
    std::size_t Rows() const { return columns_ ? cells_.size() / columns_ : 0; }
    std::size_t Columns() const { return columns_; }
    void Resize(std::size_t rows) { cells_.resize(rows * columns_); }
    double& At(std::size_t row, std::size_t column) { return cells_[row * columns_ + column]; }
    double At(std::size_t row, std::size_t column) const { return cells_[row * columns_ + column]; }

private:
    std::size_t columns_;
    std::vector<double> cells_;
};

// Fills one product's rates for one face amount: the base rates into column 0
// and the waiver rates into column 4, or, with an explicit column, the base
// rates into that column and the waiver rates into the last. The "Guarantees"
// variants 34-48 are priced as the products five below them (the product
// object keeps the lowered number). With a product source the select-period
// path prices its product.
void FillRateMatrix(RateContext& context, RateMatrix& matrix, const ClientCase& client, ProductInfo& product,
                    bool explicitColumn, std::size_t column, int classCode, std::size_t faceIndex,
                    ProductInfo* productSource = nullptr, int interpolation = 0);

// The base rates of a product without requalification.
void ReadTermRatesNoRequal(RateContext& context, RateVector& rates, const ClientCase& client,
                           ProductInfo& product, int classCode, int interpolation,
                           const IllustrationOptions& options, std::size_t faceIndex);

// The policy fee: 60 on the Tessel products, 50 on every other.
// The policy years a rate vector holds: from the issue age to age 100.
std::size_t YearsRated(int issueAge);
double PolicyFee(std::int32_t productNumber);

// The premium of one policy year, each part rounded as the ledger shows it.
struct YearPremium {
    double base = 0;        // face × rate × 0.00001 + policy fee
    double tableExtra = 0;  // (base − fee) × table factor of the attained age
    double permFlatExtra = 0;
    double tempFlatExtra = 0;
    double childRider = 0;
    double waiver = 0;
    // The annual premium of the year, to the cent.
    double Total() const;
    // The base policy's premium (with its rating and flat extras), to the
    // cent: the premium without the riders, as the cost indices take it.
    double WithoutRiders() const;
};

// `year` counts from 0 (the first policy year). A rider is charged only
// where the case has it and the product offers it.
YearPremium PremiumOfYear(const ClientCase& client, std::int32_t productNumber, std::int32_t faceAmount,
                          double baseRate, double waiverRate, int year, double policyFee);

// True when the premiums assume the spouse's policy fee waived (QNB only).
bool SpouseFeeWaived(const ClientCase& client);

// First-year premiums by payment mode from the first-year annual premium.
struct ModalPremiums {
    double annual = 0;
    double semiAnnual = 0;
    double quarterly = 0;
    double specialMonthly = 0;
};
ModalPremiums FirstYearModalPremiums(double firstYearAnnual);

// A product's premiums for one face amount, year by year from issue to age
// 100, the policy fee waived where the spouse's fee is (SpouseFeeWaived).
struct PremiumSchedule {
    RateMatrix rates;
    std::vector<YearPremium> years;
};
// Select-period products (those with select years) go through the select path.
PremiumSchedule ComputePremiumSchedule(RateContext& context, const ClientCase& client,
                                       std::int32_t productNumber, std::size_t faceIndex,
                                       int interpolation = 0);

// The policy years a product covers of those priced: up to age 80 on the
// products that end there, else all of them (to age 100).
std::size_t YearsCovered(std::int32_t productNumber, int issueAge, std::size_t yearsPriced);

}  // namespace quoravel
