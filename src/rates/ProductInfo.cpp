#include "ProductInfo.h"

#include <array>
#include <cmath>

#include "Enumerations.h"

namespace quoravel {
namespace {

constexpr int kNoColumn = -1;

// One product's rules by product number. Row 0 holds the rules of every
// product the catalogue has no row for.
struct ProductRules {
    std::int16_t levelPeriod;
    std::int16_t guaranteePeriod;
    std::int16_t requalAge;
    std::int16_t yearsToPrint;
    int rateColumn;
    std::int16_t selectYears;
    std::int16_t gradeYear;
};

constexpr std::array<ProductRules, 50> kCatalogue{{
    // level, guarantee, requal age, years to print, rate column, select years, grade year
    {5, 10, 60, 10, kNoColumn, 0, 11},  // 0
    {5, 5, 75, 10, 0, 0, 11},           {10, 10, 70, 10, 1, 0, 11},        {15, 15, 65, 15, 2, 0, 16},
    {20, 20, 60, 20, 3, 0, 21},         {30, 30, 50, 30, 4, 0, 32},        {1, 10, 75, 10, 3, 0, 11},
    {10, 10, 75, 10, 0, 3, 11},         {10, 10, 70, 10, 1, 7, 11},        {15, 15, 65, 15, 2, 10, 16},
    {20, 20, 60, 20, kNoColumn, 0, 21},  // 10
    {5, 5, 60, 10, 0, 0, 11},           {10, 10, 60, 10, 1, 0, 11},        {15, 15, 60, 15, 2, 0, 11},
    {20, 20, 60, 20, 3, 0, 11},         {5, 10, 60, 10, 5, 0, 11},         {5, 10, 60, 10, 1, 0, 11},
    {5, 10, 60, 10, 2, 0, 11},          {10, 10, 60, 10, 0, 0, 11},        {15, 15, 60, 15, 1, 0, 11},
    {5, 10, 60, 10, 10, 0, 11},  // 20
    {5, 10, 60, 10, 0, 0, 11},          {5, 10, 60, 10, 1, 0, 11},         {5, 10, 60, 10, 2, 0, 11},
    {5, 10, 60, 10, 3, 0, 11},          {5, 10, 60, 10, 4, 0, 11},         {5, 5, 60, 5, 0, 0, 11},
    {10, 5, 60, 5, 1, 0, 11},           {15, 5, 60, 5, 2, 0, 11},          {5, 5, 75, 10, 0, 0, 11},
    {10, 10, 70, 10, 1, 0, 11},  // 30
    {10, 15, 65, 15, 2, 0, 11},         {10, 20, 60, 20, 3, 0, 11},        {15, 30, 50, 30, 4, 0, 16},
    {5, 5, 75, 10, 0, 0, 11},           {10, 10, 70, 10, 1, 0, 11},        {10, 15, 65, 15, 2, 0, 11},
    {10, 20, 60, 20, 3, 0, 11},         {15, 30, 50, 30, 4, 0, 16},        {5, 10, 60, 10, kNoColumn, 0, 11},
    {5, 10, 60, 10, kNoColumn, 0, 11},  // 40
    {5, 10, 60, 10, kNoColumn, 0, 11},  {5, 10, 60, 10, kNoColumn, 0, 11}, {5, 10, 60, 10, kNoColumn, 0, 11},
    {5, 10, 60, 10, kNoColumn, 0, 11},  {5, 10, 60, 10, kNoColumn, 0, 11}, {5, 10, 60, 10, kNoColumn, 0, 11},
    {5, 10, 60, 10, kNoColumn, 0, 11},  {5, 10, 60, 10, kNoColumn, 0, 11}, {30, 30, 60, 30, 4, 0, 11},
}};

const ProductRules& RulesOf(std::int32_t productNumber) {
    const bool listed = productNumber > 0 && productNumber < static_cast<std::int32_t>(kCatalogue.size());
    return kCatalogue[listed ? static_cast<std::size_t>(productNumber) : 0];
}

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

std::int16_t ProductInfo::RequalAge() { return requalAge_ = RulesOf(ProductNumber).requalAge; }

std::int16_t ProductInfo::GuarenteePeriod(std::int16_t issueAge, std::string_view) {
    if (ProductNumber == kEndsAt80Product && issueAge >= kShortGuaranteeFromAge) {
        return guaranteePeriod_ = static_cast<std::int16_t>(kEndAge - issueAge);
    }
    return guaranteePeriod_ = RulesOf(ProductNumber).guaranteePeriod;
}

std::int16_t ProductInfo::LevelPeriod(std::int16_t, int fullGuaranteeSwitch, std::string_view) {
    // Under the full guarantee the Ostrel products stay level for their whole
    // guarantee; every other product keeps the level period found before.
    if (fullGuaranteeSwitch == 1) {
        if (ProductNumber >= 29 && ProductNumber <= 33) levelPeriod_ = RulesOf(ProductNumber).guaranteePeriod;
        return levelPeriod_;
    }
    return levelPeriod_ = RulesOf(ProductNumber).levelPeriod;
}

std::int16_t ProductInfo::SelectYears() { return RulesOf(ProductNumber).selectYears; }

std::int16_t ProductInfo::GradeYear() { return gradeYear_ = RulesOf(ProductNumber).gradeYear; }

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

std::int16_t ProductInfo::YearsToPrint() { return RulesOf(ProductNumber).yearsToPrint; }

std::optional<int> ProductInfo::RateColumn() const {
    const int column = RulesOf(ProductNumber).rateColumn;
    if (column == kNoColumn) return std::nullopt;
    return column;
}

}  // namespace quoravel
