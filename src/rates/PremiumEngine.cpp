#include "PremiumEngine.h"

#include <algorithm>

#include "ProductCatalogue.h"
#include "Riders.h"
#include "Rounding.h"

namespace quoravel {
namespace {

constexpr const char* kModule = "RateStuf";
constexpr std::size_t kBaseColumn = 0;
constexpr std::size_t kWaiverColumn = 4;

// Modal factors of the first-year premium.
constexpr double kSemiAnnualFactor = 0.51;
constexpr double kQuarterlyFactor = 0.26;
constexpr double kSpecialMonthlyFactor = 0.0875;

constexpr double kChildRiderPerUnit = 5.50;
// The products ending at 80 cover no later policy years.
constexpr int kEndAge80 = 80;

}  // namespace

void ReadTermRatesNoRequal(RateContext& context, RateVector& rates, const ClientCase& client,
                           ProductInfo& product, int classCode, int interpolation,
                           const IllustrationOptions& options, std::size_t faceIndex) {
    const std::int32_t number = product.ProductNumber;
    if (OfferOf(number).rates == RateSource::OneYear)
        ReadBrellan1Rates(context, rates, client, product, classCode);
    else
        ReadStandardTermRates(context, rates, client, product, classCode, 0, interpolation, options,
                              faceIndex);
    ReadYRTRates(context, rates, client, product, classCode, 0);
    if (interpolation == 1 && OfferOf(number).rates == RateSource::Ostrel) InterpRates(context, rates);
}

void FillRateMatrix(RateContext& context, RateMatrix& matrix, const ClientCase& client, ProductInfo& product,
                    bool explicitColumn, std::size_t column, int classCode, std::size_t faceIndex,
                    ProductInfo* productSource, int interpolation) {
    try {
        if (productSource) product.ProductNumber = productSource->ProductNumber;
        if (product.ProductNumber >= 34 && product.ProductNumber != 49) product.ProductNumber -= 5;

        const int age = client.Age();
        const std::size_t years = YearsRated(age);
        RateVector base(years, 0.0);
        RateVector waiver(years, 0.0);
        if (productSource) {
            ReadSelectRates(context, base, client, product, classCode, client.Proposal(), faceIndex);
        } else {
            ReadTermRatesNoRequal(context, base, client, product, classCode, interpolation, client.Proposal(),
                                  faceIndex);
        }
        ReadWaiverRates(context, waiver, client, product, productSource);

        const std::size_t baseColumn = explicitColumn ? column : kBaseColumn;
        const std::size_t waiverColumn = explicitColumn ? matrix.Columns() - 1 : kWaiverColumn;
        if (matrix.Rows() < years) matrix.Resize(years);
        for (std::size_t row = 0; row < years; ++row) {
            matrix.At(row, baseColumn) = base[row];
            matrix.At(row, waiverColumn) = waiver[row];
        }
    } catch (const std::exception& error) {
        context.run.ProcessError(error, LoggedError::ErrorWithPlace, kModule, "FillRateMatrix");
    }
}

std::size_t YearsRated(int issueAge) {
    constexpr int kLastRatedAge = 100;
    return issueAge >= 0 && issueAge <= kLastRatedAge ? static_cast<std::size_t>(kLastRatedAge + 1 - issueAge)
                                                      : 0;
}

double PolicyFee(std::int32_t productNumber) { return EndsAtAge80(productNumber) ? 60 : 50; }

double YearPremium::Total() const { return round(2, WithoutRiders() + childRider + waiver); }

double YearPremium::WithoutRiders() const {
    return round(2, base + tableExtra + permFlatExtra + tempFlatExtra);
}

YearPremium PremiumOfYear(const ClientCase& client, std::int32_t productNumber, std::int32_t faceAmount,
                          double baseRate, double waiverRate, int year, double policyFee) {
    const double face = faceAmount;
    const int age = client.Age();
    const ProductOffer& offer = OfferOf(productNumber);
    // Units left on a case whose rider was removed, or on a product without
    // the rider, are not charged.
    const bool childRider = client.ChildRider() && offer.childRider;
    YearPremium p;
    p.base = round(2, face * baseRate * 0.00001 + policyFee);
    p.tableExtra = round(
        2, std::max(0.0, p.base - policyFee) * client.TableRatingAt(static_cast<std::int16_t>(age + year)));
    p.permFlatExtra = round(2, face * 0.001 * client.PermFlatExtra());
    p.tempFlatExtra =
        year < client.TempFlatExtraYears() ? round(2, face * 0.001 * client.TempFlatExtra()) : 0.0;
    p.childRider = childRider && age + year + 1 <= kChildRiderLastChargedAge
                       ? client.ChildRiderUnits() * kChildRiderPerUnit
                       : 0.0;
    if (client.Waiver() && offer.waiver && age + year + 1 <= kWaiverLastChargedAge) {
        double w = face * round(0, client.WaiverRating() * waiverRate) * 0.00001;
        if (childRider) {
            w += client.ChildRiderUnits() *
                 round(2, ClientCase::WaiverAgeRate(static_cast<std::int16_t>(age)) * client.WaiverRating());
        }
        p.waiver = round(2, w);
    }
    return p;
}

bool SpouseFeeWaived(const ClientCase& client) {
    constexpr std::int32_t kQnb = 1;
    return client.WaiveSpouseFee() && client.Proposal().Company() == kQnb;
}

ModalPremiums FirstYearModalPremiums(double firstYearAnnual) {
    const double annual = round(5, firstYearAnnual);
    return {annual, round(2, annual * kSemiAnnualFactor), round(2, annual * kQuarterlyFactor),
            round(2, annual * kSpecialMonthlyFactor)};
}

PremiumSchedule ComputePremiumSchedule(RateContext& context, const ClientCase& client,
                                       std::int32_t productNumber, std::size_t faceIndex, int interpolation) {
    ProductInfo product;
    product.FillProduct(productNumber, client.Age(), false);
    const bool select = product.SelectYears() > 0;
    ProductInfo source = product;
    PremiumSchedule schedule;
    FillRateMatrix(context, schedule.rates, client, product, false, 0, client.Classification(), faceIndex,
                   select ? &source : nullptr, interpolation);
    const std::int32_t face = client.Proposal().GetFaceAmount(faceIndex);
    // A qualifying spouse's policy pays no policy fee in any year.
    const double fee = SpouseFeeWaived(client) ? 0.0 : PolicyFee(productNumber);
    schedule.years.reserve(schedule.rates.Rows());
    for (std::size_t year = 0; year < schedule.rates.Rows(); ++year) {
        schedule.years.push_back(
            PremiumOfYear(client, productNumber, face, schedule.rates.At(year, kBaseColumn),
                          schedule.rates.At(year, kWaiverColumn), static_cast<int>(year), fee));
    }
    return schedule;
}

std::size_t YearsCovered(std::int32_t productNumber, int issueAge, std::size_t yearsPriced) {
    if (!EndsAtAge80(productNumber)) return yearsPriced;
    return std::min(yearsPriced, static_cast<std::size_t>(std::max(0, kEndAge80 - issueAge)));
}

}  // namespace quoravel
