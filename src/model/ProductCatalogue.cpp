#include "ProductCatalogue.h"

#include <array>

namespace quoravel {
namespace {

using F = ProductFamily;
using R = RateSource;
constexpr unsigned kBRN = kSoldByBRN;
constexpr unsigned kQNB = kSoldByQNB;
constexpr unsigned kTVNY = kSoldByTVNY;
constexpr unsigned kBrellan = kSoldByBRN | kSoldByTVNY;  // TVNY sells the Brellan plans as Korvel
constexpr int kNo = kNoRateColumn;

constexpr std::string_view kNoProduct = "is no product";
constexpr std::string_view kNoIssueAges = "has no issue ages";
// The level rates cover the first five years and the yearly-renewable rates
// start after the ten-year guarantee.
constexpr std::string_view kGapInRates = "has no rates for policy years 6 to 10";
constexpr std::string_view kNoRates = "has no rates";
// Numbers the carriers' own lists never name: the product is illustrated
// under its own number.
constexpr std::string_view kAlias = "is illustrated under another product number";

// clang-format off
constexpr std::array<ProductOffer, 50> kCatalogue{{
    // level, guarantee, requal age, years to print, rate column, select years, grade year,
    // family, rates, carriers, child rider, waiver, increasing premium, higher minimum, ends at 80, refusal
    {5, 10, 60, 10, kNo, 0, 11, F::LevelTerm, R::None, 0, false, false, false, false, false, kNoProduct},  // 0
    {5, 5, 75, 10, 0, 0, 11, F::LevelTerm, R::Banded5, kBrellan, true, true, false, true, false, {}},
    {10, 10, 70, 10, 1, 0, 11, F::LevelTerm, R::Banded5, kBrellan, true, true, false, true, false, {}},
    {15, 15, 65, 15, 2, 0, 16, F::LevelTerm, R::Banded5, kBrellan, true, true, false, true, false, {}},
    {20, 20, 60, 20, 3, 0, 21, F::LevelTerm, R::Banded5, kBrellan, true, true, false, true, false, {}},
    {30, 30, 50, 30, 4, 0, 32, F::LevelTerm, R::Banded5, kBrellan, true, true, false, true, false, {}},
    {1, 10, 75, 10, 3, 0, 11, F::OneYear, R::OneYear, kBrellan, true, true, false, false, false, {}},
    {10, 10, 75, 10, 0, 3, 11, F::Select, R::Banded5, kBRN, true, true, false, false, false, kNoIssueAges},
    {10, 10, 70, 10, 1, 7, 11, F::Select, R::Banded5, kBRN, true, true, false, false, false, {}},
    {15, 15, 65, 15, 2, 10, 16, F::Select, R::Banded5, kBRN, true, true, false, false, false, {}},
    {20, 20, 60, 20, kNo, 0, 21, F::LevelTerm, R::None, kBRN, true, true, false, false, false, kNoIssueAges},  // 10
    {5, 5, 60, 10, 0, 0, 11, F::TermTo80, R::Banded5, kQNB, false, true, false, false, true, {}},
    {10, 10, 60, 10, 1, 0, 11, F::TermTo80, R::Banded5, kQNB, false, true, false, false, true, {}},
    {15, 15, 60, 15, 2, 0, 11, F::TermTo80, R::Banded5, kQNB, false, true, false, false, true, {}},
    {20, 20, 60, 20, 3, 0, 11, F::TermTo80, R::Banded5, kQNB, false, true, false, false, true, {}},
    {5, 10, 60, 10, 5, 0, 11, F::OneYear, R::OneYear, kQNB, false, true, false, false, false, {}},
    {5, 10, 60, 10, 1, 0, 11, F::Dorrance, R::Banded5, kQNB, false, true, false, false, false, kGapInRates},
    {5, 10, 60, 10, 2, 0, 11, F::Dorrance, R::Banded5, kQNB, false, true, false, false, false, kGapInRates},
    {10, 10, 60, 10, 0, 0, 11, F::IncreasingPremium, R::Banded3, kQNB, false, true, true, false, false, {}},
    {15, 15, 60, 15, 1, 0, 11, F::IncreasingPremium, R::Banded3, kQNB, false, true, true, false, false, {}},
    {5, 10, 60, 10, 10, 0, 11, F::LevelTerm, R::None, kTVNY, true, true, false, false, false, kNoRates},  // 20
    {5, 10, 60, 10, 0, 0, 11, F::LevelTerm, R::Banded5, kTVNY, true, true, false, true, false, kAlias},
    {5, 10, 60, 10, 1, 0, 11, F::LevelTerm, R::Banded5, kTVNY, true, true, false, true, false, kAlias},
    {5, 10, 60, 10, 2, 0, 11, F::LevelTerm, R::Banded5, kTVNY, true, true, false, true, false, kAlias},
    {5, 10, 60, 10, 3, 0, 11, F::LevelTerm, R::Banded5, kTVNY, true, true, false, true, false, kAlias},
    {5, 10, 60, 10, 4, 0, 11, F::LevelTerm, R::Banded5, kTVNY, true, true, false, true, false, kAlias},
    {5, 5, 60, 5, 0, 0, 11, F::Dorrance, R::Banded3, kQNB, false, true, true, false, false, {}},
    {10, 5, 60, 5, 1, 0, 11, F::Dorrance, R::Banded3, kQNB, false, true, true, false, false, {}},
    {15, 5, 60, 5, 2, 0, 11, F::Dorrance, R::Banded3, kQNB, false, true, true, false, false, {}},
    {5, 5, 75, 10, 0, 0, 11, F::NonLevel, R::Ostrel, kBrellan, true, true, false, false, false, {}},
    {10, 10, 70, 10, 1, 0, 11, F::NonLevel, R::Ostrel, kBrellan, true, true, false, false, false, {}},  // 30
    {10, 15, 65, 15, 2, 0, 11, F::NonLevel, R::Ostrel, kBrellan, true, true, false, false, false, {}},
    {10, 20, 60, 20, 3, 0, 11, F::NonLevel, R::Ostrel, kBrellan, true, true, false, false, false, {}},
    {15, 30, 50, 30, 4, 0, 16, F::NonLevel, R::Ostrel, kBrellan, true, true, false, false, false, {}},
    {5, 5, 75, 10, 0, 0, 11, F::NonLevel, R::Ostrel, kBrellan, true, true, false, false, false, {}},
    {10, 10, 70, 10, 1, 0, 11, F::NonLevel, R::Ostrel, kBrellan, true, true, false, false, false, {}},
    {10, 15, 65, 15, 2, 0, 11, F::NonLevel, R::Ostrel, kBrellan, true, true, false, false, false, {}},
    {10, 20, 60, 20, 3, 0, 11, F::NonLevel, R::Ostrel, kBrellan, true, true, false, false, false, {}},
    {15, 30, 50, 30, 4, 0, 16, F::NonLevel, R::Ostrel, kBrellan, true, true, false, false, false, {}},
    {5, 10, 60, 10, kNo, 0, 11, F::NonLevel, R::Ostrel, kTVNY, true, true, false, false, false, kAlias},
    {5, 10, 60, 10, kNo, 0, 11, F::NonLevel, R::Ostrel, kTVNY, true, true, false, false, false, kAlias},  // 40
    {5, 10, 60, 10, kNo, 0, 11, F::NonLevel, R::Ostrel, kTVNY, true, true, false, false, false, kAlias},
    {5, 10, 60, 10, kNo, 0, 11, F::NonLevel, R::Ostrel, kTVNY, true, true, false, false, false, kAlias},
    {5, 10, 60, 10, kNo, 0, 11, F::NonLevel, R::Ostrel, kTVNY, true, true, false, false, false, kAlias},
    {5, 10, 60, 10, kNo, 0, 11, F::NonLevel, R::Ostrel, kTVNY, true, true, false, false, false, kAlias},
    {5, 10, 60, 10, kNo, 0, 11, F::NonLevel, R::Ostrel, kTVNY, true, true, false, false, false, kAlias},
    {5, 10, 60, 10, kNo, 0, 11, F::NonLevel, R::Ostrel, kTVNY, true, true, false, false, false, kAlias},
    {5, 10, 60, 10, kNo, 0, 11, F::NonLevel, R::Ostrel, kTVNY, true, true, false, false, false, kAlias},
    {5, 10, 60, 10, kNo, 0, 11, F::NonLevel, R::Ostrel, kTVNY, true, true, false, false, false, kAlias},
    {30, 30, 60, 30, 4, 0, 11, F::TermTo80, R::Banded5, kQNB, false, true, false, false, true, {}},  // 49
}};
// clang-format on

}  // namespace

const ProductOffer& OfferOf(std::int32_t productNumber) {
    const bool listed = productNumber > 0 && productNumber < static_cast<std::int32_t>(kCatalogue.size());
    return kCatalogue[listed ? static_cast<std::size_t>(productNumber) : 0];
}

bool IsIllustrated(std::int32_t productNumber) { return OfferOf(productNumber).refusal.empty(); }

bool CarrierSells(std::int32_t company, std::int32_t productNumber) {
    return company >= 0 && company <= 2 && (OfferOf(productNumber).carriers & (1u << company)) != 0;
}

std::int32_t MinimumFaceAmount(std::int32_t productNumber, std::int32_t company, std::string_view state) {
    if (state == "NJ") return kHigherMinimumFaceAmount;
    const bool higher = OfferOf(productNumber).higherMinimum && (company == 0 || company == 2);
    return higher ? kHigherMinimumFaceAmount : kMinimumFaceAmount;
}

}  // namespace quoravel
