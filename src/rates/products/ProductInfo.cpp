#include "ProductInfo.h"

#include <cmath>

#include "ProductCatalogue.h"
#include "ProductLookups.h"

namespace quoravel {
namespace {

// Product 11 ends at age 80, so its guarantee shortens for the oldest issue ages.
constexpr std::int32_t kEndsAt80Product = 11;
constexpr std::int16_t kEndAge = 80;
constexpr std::int16_t kShortGuaranteeFromAge = 76;

}  // namespace

void ProductInfo::FillProduct(std::int32_t productNumber, std::int16_t issueAge, bool brandFlag) {
    ProductNumber = productNumber;
    ProductName = GetProductName(productNumber, brandFlag, 0);
    YRTYear = GetYRTYear(issueAge);
}

std::int16_t ProductInfo::RequalAge() { return requalAge_ = OfferOf(ProductNumber).requalAge; }

std::int16_t ProductInfo::GuarenteePeriod(std::int16_t issueAge, std::string_view) {
    if (ProductNumber == kEndsAt80Product && issueAge >= kShortGuaranteeFromAge) {
        return guaranteePeriod_ = static_cast<std::int16_t>(kEndAge - issueAge);
    }
    return guaranteePeriod_ = OfferOf(ProductNumber).guaranteePeriod;
}

std::int16_t ProductInfo::LevelPeriod(std::int16_t, int fullGuaranteeSwitch, std::string_view) {
    // Under the full guarantee the Ostrel products stay level for their whole
    // guarantee; every other product keeps the level period found before.
    if (fullGuaranteeSwitch == 1) {
        if (ProductNumber >= 29 && ProductNumber <= 33) levelPeriod_ = OfferOf(ProductNumber).guaranteePeriod;
        return levelPeriod_;
    }
    return levelPeriod_ = OfferOf(ProductNumber).levelPeriod;
}

std::int16_t ProductInfo::SelectYears() { return OfferOf(ProductNumber).selectYears; }

std::int16_t ProductInfo::GradeYear() { return gradeYear_ = OfferOf(ProductNumber).gradeYear; }

bool ProductInfo::GuaranteeGrading() {
    // The Brellan products and Tessel 5 to 20 carry no graded guarantee.
    const bool ungraded = ProductNumber < 7 || (ProductNumber >= 11 && ProductNumber <= 14);
    return guaranteeGrading_ = !ungraded;
}

std::int16_t ProductInfo::GetYRTYear(std::int16_t issueAge) {
    const int guarantee = GuarenteePeriod(0, "");
    const double periods = std::floor(static_cast<double>(RequalAge() - issueAge) / guarantee);
    return YRTYear = static_cast<std::int16_t>(guarantee * periods + 1);
}

std::int16_t ProductInfo::YearsToPrint() { return OfferOf(ProductNumber).yearsToPrint; }

std::optional<int> ProductInfo::RateColumn() const {
    const int column = OfferOf(ProductNumber).rateColumn;
    if (column == kNoRateColumn) return std::nullopt;
    return column;
}

}  // namespace quoravel
