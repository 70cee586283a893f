#include "ProductNarrative.h"

#include <algorithm>
#include <array>

#include "ClientCase.h"
#include "PremiumEngine.h"
#include "ProductInfo.h"
#include "ProductLookups.h"
#include "RateReaders.h"
#include "Rounding.h"

namespace quoravel {
namespace {

std::string Years(int n) { return std::to_string(n) + (n == 1 ? " year" : " years"); }

std::string PremiumPattern(ProductFamily family, ProductInfo& info, const ClientCase& client) {
    const std::int16_t age = client.Age();
    const int guarantee = info.GuarenteePeriod(age, client.State());
    const int level = info.LevelPeriod(age, 0, client.State());
    const std::string levelThenYearly = "Premiums are guaranteed level for " + Years(guarantee) +
                                        ".  Guaranteed premiums increase annually thereafter.";
    switch (family) {
        case ProductFamily::OneYear:
            return "Premiums are guaranteed for the first " + Years(guarantee) +
                   " and increase annually after the first policy year.";
        case ProductFamily::Dorrance: {
            const int years = std::min(level, guarantee);
            return "Premiums are guaranteed level for the first " + Years(years) +
                   ".  Guaranteed premiums increase annually after the first " + std::to_string(years) +
                   " policy years.";
        }
        case ProductFamily::NonLevel:
            if (level >= guarantee) return levelThenYearly;
            return "Premiums are guaranteed level for " + Years(level) + ".  From policy year " +
                   std::to_string(level + 1) + " through policy year " + std::to_string(guarantee) +
                   " premiums increase annually by a guaranteed schedule, and guaranteed premiums continue "
                   "to increase annually thereafter.";
        case ProductFamily::Select:
            return "The premiums of the first " + Years(info.SelectYears()) +
                   " are select premiums, which reflect the insured's recent underwriting.  " +
                   levelThenYearly;
        default:
            return levelThenYearly;
    }
}

bool OffersReentry(ProductFamily family) {
    return family == ProductFamily::OneYear || family == ProductFamily::Dorrance ||
           family == ProductFamily::IncreasingPremium;
}

// New Jersey did not approve the new guarantee period on the 30-year products.
bool RequalificationWithdrawn(const ClientCase& client, ProductInfo& info) {
    return client.State() == "NJ" && info.GuarenteePeriod(client.Age(), client.State()) == 30;
}

std::string ConversionTerm(const ClientCase& client) {
    if (client.Proposal().Company() == 1) return "Exchange\nOption";
    if (client.State() == "MD") return "Conversion\n(Exchange)\nOption";
    return "Conversion\nOption";
}

// The cash value of the 30-year products in the states that require one:
// where it peaks and when it has run down again.
std::string CashValueText(ProductInfo& info, const std::string& state) {
    double peak = 0;
    int peakYear = 0;
    int lastYear = 0;
    for (int year = 1; year <= 30; ++year) {
        const double value = Get_GCVInYear(info, state, year);
        if (value > peak) {
            peak = value;
            peakYear = year;
        }
        if (value > 0) lastYear = year;
    }
    if (peak <= 0) return "";
    return "This policy has a small guaranteed cash value, which reaches $" + FormatAmount(peak, 2) +
           " per $1,000 of face amount in policy year " + std::to_string(peakYear) +
           " and is gone by the end of policy year " + std::to_string(lastYear + 1) +
           ".  A surrender charge per $1,000 of face amount, shown below, is deducted from the cash value "
           "when "
           "the policy is surrendered in the first 20 policy years; the amount paid on surrender is never "
           "less "
           "than zero.";
}

}  // namespace

ProductFamily FamilyOf(std::int32_t product) { return OfferOf(product).family; }

const std::vector<double>& SurrenderChargesPerThousand() {
    // A charge of $12.00 per $1,000 in the first policy year, falling by
    // $0.60 a year to $0.60 in year 20: about a year's cost of issuing the
    // policy at first, recovered over the years the cash value builds.
    static const std::vector<double> charges = [] {
        std::vector<double> values;
        for (int year = 1; year <= 20; ++year) values.push_back(12.00 - 0.60 * (year - 1));
        return values;
    }();
    return charges;
}

ProductNarrative DescribeProduct(const ClientCase& client, std::int32_t product) {
    const ProductFamily family = FamilyOf(product);
    const IllustrationOptions& options = client.Proposal();
    const std::string& state = client.State();
    ProductInfo info;
    info.FillProduct(product, client.Age(), false);
    const int guarantee = info.GuarenteePeriod(client.Age(), state);
    const int level = info.LevelPeriod(client.Age(), 0, state);
    const int requalAge = info.RequalAge();
    const int ceases = EndsAtAge80(product) ? 80 : client.YearsToIllustrate();

    ProductNarrative text;
    text.name = ProductDisplayName(product, options.Company());
    text.policyFee = PolicyFee(product);

    const std::string terminology = options.ProductTypeTerminology(state);
    const bool vowel =
        !terminology.empty() && std::string("AEIOU").find(terminology.front()) != std::string::npos;
    text.description = text.name + (vowel ? " is an " : " is a ") + terminology +
                       " policy.  The Guaranteed Premiums and Benefits shown are guaranteed.  " +
                       PremiumPattern(family, info, client) + "  The last premium is payable at age " +
                       std::to_string(ceases - 1) + " and coverage ceases at age " + std::to_string(ceases) +
                       ".  The Company may charge less than the maximum premiums shown, but never more.  " +
                       "This product is subject to all the terms and conditions of the policy.";

    const bool reentry = OffersReentry(family);
    const bool withdrawn = RequalificationWithdrawn(client, info);
    if (withdrawn) {
        text.additionalFeatures.clear();
    } else if (reentry) {
        text.additionalFeatures =
            "Re-entry option: at the end of the guarantee period the owner may apply to re-enter the policy "
            "at new premiums for a new guarantee period, subject to issue age restrictions and evidence of "
            "insurability.  ";
    } else {
        text.additionalFeatures =
            "Requalification option: at the end of the level premium period the owner may buy a new level "
            "premium guarantee period, subject to issue age restrictions and evidence of insurability.  ";
    }
    text.additionalFeatures +=
        "Conversion right: the policy may be converted to a permanent policy without evidence of "
        "insurability.";

    text.conversionTerm = ConversionTerm(client);
    const int initial = std::max(level, guarantee);
    text.conversion =
        "This policy may be converted to a permanent policy offered by the Company at the insured's attained "
        "age, without evidence of insurability, during the initial period (" +
        std::to_string(initial) + " years) or to the insured's attained age 75, whichever comes first.  ";
    if (client.Age() >= 75 && client.Age() <= 77)
        text.conversion +=
            "For issue ages 75 to 77, conversion is available up to one year from the date of issue.";

    if (withdrawn) {
        text.requalification = "Requalification is not available for " + text.name + " in this state.";
    } else if (reentry) {
        text.requalification =
            "At the end of the guarantee period the owner may apply for re-entry: with new evidence of "
            "insurability the policy continues at the premiums of the insured's attained age and class for a "
            "new guarantee period.  Re-entry is available while the insured is age " +
            std::to_string(requalAge) + " or younger.  Without re-entry, premiums increase annually.";
    } else {
        text.requalification =
            "At the end of each level premium period the owner may requalify for a new level premium period "
            "of " +
            Years(guarantee) +
            " by giving new evidence of insurability; the new premiums are those of the insured's attained "
            "age "
            "and class.  A new period is available only when it ends by the insured's age " +
            std::to_string(requalAge) + ".  Without requalification, premiums increase annually.";
    }

    // The New York company's increasing-premium plans carry the waiver only.
    const bool newYorkPlan = family == ProductFamily::IncreasingPremium || family == ProductFamily::Dorrance;
    text.offersChildRider = OfferOf(product).childRider;
    text.offersWaiver = OfferOf(product).waiver;
    text.waiverStartAge = newYorkPlan ? 50 : 15;
    text.childEndAge = options.Company() == 1 ? 21 : 25;
    text.childIssueAges = options.Company() != 1;

    text.showWaiverTable = client.Waiver() && (state == "NJ" || state == "MD");
    text.cashValues = CashValueText(info, state);
    text.showSurrenderCharges = !text.cashValues.empty();
    return text;
}

}  // namespace quoravel
