#include "ProductTerms.h"

#include <algorithm>

#include "PremiumEngine.h"
#include "ProductCatalogue.h"
#include "ProductInfo.h"

namespace quoravel {
namespace {

// Conversion runs to attained age 75; the issue ages 75 to 77 keep it for the
// first policy year.
constexpr int kConversionEndAge = 75;
constexpr int kLastFirstYearConversionAge = 77;

bool RenewsByReEntry(ProductFamily family) {
    return family == ProductFamily::OneYear || family == ProductFamily::Dorrance ||
           family == ProductFamily::IncreasingPremium;
}

}  // namespace

// The years follow the order the premium engine fills a product's rates in:
// the select years; the level rate for the level period; the Ostrel products'
// non-level schedule to the end of the guarantee; the one-year plans' rates
// for the guarantee; then the yearly-renewable rates from the end of the
// guarantee, which take over any level year beyond it.
ProductTerms TermsOf(std::int32_t productNumber, std::int16_t issueAge, std::string_view state) {
    const ProductOffer& offer = OfferOf(productNumber);
    ProductInfo info;
    info.FillProduct(productNumber, issueAge, false);
    const int select = info.SelectYears();
    const int level = info.LevelPeriod(issueAge, 0, state);
    const int guarantee = info.GuarenteePeriod(static_cast<std::int16_t>(issueAge + select), state);

    ProductTerms terms;
    terms.selectYears = select;
    terms.guaranteeYears = guarantee;
    // A one-year plan's premium is its own for each year of the guarantee.
    terms.levelYears =
        offer.rates == RateSource::OneYear ? std::min(1, guarantee) : std::min(level, guarantee);
    terms.gradedYears = offer.rates == RateSource::OneYear || offer.rates == RateSource::Ostrel
                            ? guarantee - terms.levelYears
                            : 0;
    terms.yearlyFrom = select + guarantee + 1;
    terms.yearsCovered = static_cast<int>(YearsCovered(productNumber, issueAge, YearsRated(issueAge)));
    terms.modalYears = level;
    terms.policyFee = PolicyFee(productNumber);
    terms.requalAge = info.RequalAge();

    const bool reEntry = RenewsByReEntry(offer.family);
    const int ageAtPeriodEnd = issueAge + terms.InitialPeriod();
    // New Jersey did not approve the new guarantee period on the 30-year products.
    if (state == "NJ" && guarantee == 30)
        terms.renewal = Renewal::NotInState;
    else if (ageAtPeriodEnd + (reEntry ? 0 : guarantee) > terms.requalAge)
        terms.renewal = Renewal::NotAtAge;
    else
        terms.renewal = reEntry ? Renewal::ReEntry : Renewal::Requalification;

    if (issueAge > kLastFirstYearConversionAge)
        terms.conversion = Conversion::NotAtAge;
    else if (issueAge >= kConversionEndAge)
        terms.conversion = Conversion::FirstYearOnly;
    return terms;
}

}  // namespace quoravel
