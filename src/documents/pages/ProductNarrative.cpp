#include "ProductNarrative.h"

#include "ClientCase.h"
#include "PremiumEngine.h"
#include "ProductInfo.h"
#include "ProductLookups.h"
#include "RateReaders.h"
#include "Rounding.h"

namespace quoravel {
namespace {

std::string Years(int n) { return std::to_string(n) + (n == 1 ? " year" : " years"); }

// Fills the description's premium pattern from the product's terms.
std::string PremiumPattern(const ProductTerms& terms) {
    const bool risesAfter = terms.yearlyFrom <= terms.yearsCovered;
    const std::string thereafter = risesAfter ? "  Guaranteed premiums increase annually thereafter." : "";
    if (terms.selectYears > 0) {
        const int levelFrom = terms.selectYears + 1;
        return "The premiums of the first " + Years(terms.selectYears) +
               " are select premiums, which reflect the insured's recent underwriting.  Premiums are then "
               "guaranteed level for " +
               Years(terms.levelYears) + ", from policy year " + std::to_string(levelFrom) +
               " through policy year " + std::to_string(levelFrom + terms.levelYears - 1) + "." + thereafter;
    }
    if (terms.gradedYears == 0)
        return "Premiums are guaranteed level for " + Years(terms.levelYears) + "." + thereafter;
    const int gradedFrom = terms.levelYears + 1;
    const int gradedTo = terms.levelYears + terms.gradedYears;
    if (terms.levelYears == 1)
        return "Premiums are guaranteed for the first " + Years(gradedTo) +
               " and increase annually after the first policy year.";
    return "Premiums are guaranteed level for " + Years(terms.levelYears) + ".  From policy year " +
           std::to_string(gradedFrom) + " through policy year " + std::to_string(gradedTo) +
           " premiums increase annually by a guaranteed schedule" +
           (risesAfter ? ", and guaranteed premiums continue to increase annually thereafter." : ".");
}

std::string ConversionText(const ProductTerms& terms) {
    const std::string converts =
        "This policy may be converted to a permanent policy offered by the Company at the insured's attained "
        "age, without evidence of insurability";
    switch (terms.conversion) {
        case Conversion::ToAge75:
            return converts + ", during the initial period (" + Years(terms.InitialPeriod()) +
                   ") or to the insured's attained age 75, whichever comes first.  ";
        case Conversion::FirstYearOnly:
            return converts +
                   ".  For issue ages 75 to 77, conversion is available up to one year from the "
                   "date of issue.";
        default:
            return "Conversion is not available for issue ages above 77.";
    }
}

std::string RenewalText(const ProductTerms& terms, const std::string& name) {
    const std::string age = std::to_string(terms.requalAge);
    switch (terms.renewal) {
        case Renewal::Requalification:
            return "At the end of each guarantee period the owner may requalify for a new guarantee period "
                   "of " +
                   Years(terms.guaranteeYears) +
                   " by giving new evidence of insurability; the new premiums are those of the insured's "
                   "attained age and class.  A new period is available only when it ends by the insured's "
                   "age " +
                   age + ".  Without requalification, premiums increase annually.";
        case Renewal::ReEntry:
            return "At the end of the guarantee period the owner may apply for re-entry: with new evidence "
                   "of "
                   "insurability the policy continues at the premiums of the insured's attained age and "
                   "class "
                   "for a new guarantee period.  Re-entry is available while the insured is age " +
                   age + " or younger.  Without re-entry, premiums increase annually.";
        case Renewal::NotInState:
            return "Requalification is not available for " + name + " in this state.";
        default:
            return "Requalification is not available at the insured's issue age: a new guaranteed period "
                   "would end after the insured's age " +
                   age + ".  Premiums increase annually after the initial period.";
    }
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

std::vector<ProductNarrative> DescribeProducts(const ClientCase& client) {
    const IllustrationOptions& options = client.Proposal();
    std::vector<ProductNarrative> products;
    for (std::size_t i = 0; i < options.ProductCount(); ++i)
        products.push_back(DescribeProduct(client, options.ProdChoices()[i]));
    if (products.empty()) products.push_back(DescribeProduct(client, options.ProductType()));
    return products;
}

std::string EachProduct(const std::vector<ProductNarrative>& products, bool named,
                        const std::function<std::string(const ProductNarrative&)>& say) {
    std::string text;
    for (const ProductNarrative& product : products) {
        if (!text.empty()) text += "\n";
        text += (named ? product.name + ": " : "") + say(product);
    }
    return text;
}

std::string PolicyFeeText(const ProductNarrative& product, bool spouseFeeWaived) {
    const std::string fee = "$" + FormatAmount(product.terms.policyFee, 0);
    if (spouseFeeWaived)
        return "The " + fee +
               " yearly policy fee is waived for a qualifying spouse: the premiums shown leave it "
               "out.";
    return "All premiums include a " + fee + " policy fee.  ";
}

ProductNarrative DescribeProduct(const ClientCase& client, std::int32_t product) {
    const ProductFamily family = FamilyOf(product);
    const IllustrationOptions& options = client.Proposal();
    const std::string& state = client.State();
    ProductInfo info;
    info.FillProduct(product, client.Age(), false);
    const int ceases = client.YearsToIllustrate(product);

    ProductNarrative text;
    text.name = ProductDisplayName(product, options.Company());
    text.terms = TermsOf(product, client.Age(), state);
    const ProductTerms& terms = text.terms;
    text.premiumPattern = PremiumPattern(terms);

    const std::string terminology = options.ProductTypeTerminology(state, product);
    const bool vowel =
        !terminology.empty() && std::string("AEIOU").find(terminology.front()) != std::string::npos;
    text.description = text.name + (vowel ? " is an " : " is a ") + terminology +
                       " policy.  The Guaranteed Premiums and Benefits shown are guaranteed.  " +
                       text.premiumPattern + "  The last premium is payable at age " +
                       std::to_string(ceases - 1) + " and coverage ceases at age " + std::to_string(ceases) +
                       ".  The Company may charge less than the maximum premiums shown, but never more.  " +
                       "This product is subject to all the terms and conditions of the policy.";

    if (terms.renewal == Renewal::Requalification)
        text.additionalFeatures =
            "Requalification option: at the end of the guarantee period the owner may buy a new level "
            "premium guarantee period, subject to issue age restrictions and evidence of insurability.  ";
    else if (terms.renewal == Renewal::ReEntry)
        text.additionalFeatures =
            "Re-entry option: at the end of the guarantee period the owner may apply to re-enter the policy "
            "at new premiums for a new guarantee period, subject to issue age restrictions and evidence of "
            "insurability.  ";
    if (terms.conversion != Conversion::NotAtAge)
        text.additionalFeatures +=
            "Conversion right: the policy may be converted to a permanent policy without evidence of "
            "insurability.";

    text.conversionTerm = ConversionTerm(client);
    text.conversion = ConversionText(terms);
    text.requalification = RenewalText(terms, text.name);

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
