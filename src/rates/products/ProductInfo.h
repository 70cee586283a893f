#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quoravel {

// The years a ledger shows: 20, 40, or to the product's end (age 80 or 100
// by product), which the illustration options hold as 98.
inline constexpr std::int16_t kYearsToProductEnd = 98;
inline constexpr std::array<std::int16_t, 3> kYearsToPrintChoices{20, 40, kYearsToProductEnd};

// One product's rules as the premium engine and the ledger pages ask them.
class ProductInfo {
public:
    std::int32_t ProductNumber = 0;
    std::string ProductName;
    std::int16_t YRTYear = 0;

    // Stores the product number, its name (company 0) and YRTYear for the age.
    void FillProduct(std::int32_t productNumber, std::int16_t issueAge, bool brandFlag);

    std::int16_t RequalAge();
    std::int16_t GuarenteePeriod(std::int16_t issueAge, std::string_view state);
    // Switch 1: products 29-33 report their guarantee periods.
    std::int16_t LevelPeriod(std::int16_t issueAge, int fullGuaranteeSwitch, std::string_view state);
    std::int16_t SelectYears();
    std::int16_t GradeYear();
    bool GuaranteeGrading();
    // The first policy year whose premium is yearly renewable.
    std::int16_t GetYRTYear(std::int16_t issueAge);
    std::int16_t YearsToPrint();
    // The product's column in the multi-product rate records; none for 10 and 39-48.
    std::optional<int> RateColumn() const;

private:
    std::int16_t levelPeriod_ = 0;
    std::int16_t guaranteePeriod_ = 0;
    std::int16_t gradeYear_ = 0;
    std::int16_t requalAge_ = 0;
    bool guaranteeGrading_ = false;
};

}  // namespace quoravel
