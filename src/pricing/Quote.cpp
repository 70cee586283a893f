#include "Quote.h"

#include <algorithm>

#include "ProductCatalogue.h"
#include "ProductInfo.h"
#include "ProductLookups.h"
#include "RelayExchange.h"
#include "RelayProducts.h"
#include "Rounding.h"

namespace quoravel {
namespace {

// The client as a relay case with these inputs is read.
ClientCase Insured(const QuoteRequest& request) {
    ClientCase client;
    client.SetFirstName(request.name);
    client.SetAge(request.age);
    client.SetIsMale(request.isMale);
    client.SetState(request.state);
    client.SetClassification(request.classCode);
    client.SetTableRating(request.tableRating);
    client.SetPermFlatExtra(request.permFlatExtra);
    client.SetTempFlatExtra(request.tempFlatExtra.amount);
    client.SetTempFlatExtraYears(request.tempFlatExtra.years);
    client.SetWaiverRating(request.waiverRating);
    client.SetWaiver(request.waiver);
    client.SetChildRiderUnits(request.childUnits);
    client.SetChildRider(request.childUnits >= 1);
    client.SetWaiveSpouseFee(request.waiveSpouseFee);
    client.SetPaymentMode(request.paymentMode);
    client.Proposal().SetCompany(request.company);
    return client;
}

// The premiums of a priced line as the quote shows them.
void FillPremiums(QuoteLine& line, const PricedCase& priced, const PricedLine& premiums) {
    const ClientCase& client = priced.settled;
    // The cost indices leave the riders out, as the ledger page says.
    std::vector<double> withoutRiders;
    for (const YearPremium& year : premiums.years) withoutRiders.push_back(year.WithoutRiders());
    ProductInfo product;
    product.FillProduct(line.product, client.Age(), false);
    line.indices =
        ComputeInterestIndices(withoutRiders, line.faceAmount, client.Age(), client.State(), product);
    for (std::size_t year = 0; year < priced.IllustratedYears(premiums); ++year)
        line.yearlyPremiums.push_back(premiums.years[year].Total());
    line.firstYear = premiums.years.front();
    line.modal = FirstYearModalPremiums(line.firstYear.Total());
    line.issuable = true;
}

}  // namespace

QuotePricer::QuotePricer(const std::string& programFolder) : pricer_(programFolder) {}

void QuotePricer::PriceProduct(const QuoteRequest& asked, const std::string& code,
                               const RetiredProduct* retired, std::vector<QuoteLine>& lines) {
    // A New York company product is issued in New York unless the case is in
    // New Jersey, as a relay case for it is read; its code names the plan there.
    QuoteRequest request = asked;
    const std::int32_t asProduct = RelayProductNumber(code, asked.state);
    const bool movedToNewYork = IsNewYorkCompanyProduct(asProduct) &&
                                CarrierSells(asked.company, asProduct) && asked.state != "NY" &&
                                asked.state != "NJ";
    if (movedToNewYork) request.state = "NY";
    const std::int32_t product = RelayProductNumber(code, request.state);
    ClientCase client = Insured(request);
    client.Proposal().AddProduct(product);
    const FaceAmountLimits limits = FaceAmountLimitsOf(client);
    // An amount the product does not take is that line's refusal; the others are priced.
    for (const std::int32_t face : request.faceAmounts)
        if (limits.Take(face)) client.Proposal().AddFaceAmount(face, request.state);
    const PricedCase priced = pricer_.Price(
        client, {request.priorScaleAsked, request.birthDate ? std::optional(request.asOf) : std::nullopt});

    for (const std::int32_t face : request.faceAmounts) {
        QuoteLine& line = lines.emplace_back();
        line.code = code;
        line.product = product;
        line.name = ProductDisplayName(product, request.company);
        line.faceAmount = face;
        if (retired) line.corrections.push_back(RetiredProductNotice(*retired));
        if (movedToNewYork)
            line.corrections.push_back("Insured.State: " + ProductTitle(product, request.company) +
                                       " is issued in New York; the case is priced in NY.  ");
        line.corrections.insert(line.corrections.end(), priced.corrections.begin(), priced.corrections.end());
        const PricedLine* premiums = priced.Line(product, face);
        if (!priced.unavailable.empty()) {
            line.refusal = priced.Refusal();
        } else if (!limits.Take(face) || !premiums) {
            line.refusal = InputMessage("--face", std::to_string(face), limits.Expected());
        } else if (!premiums->Priced()) {
            line.refusal = premiums->problem;
        } else {
            FillPremiums(line, priced, *premiums);
        }
    }
}

std::vector<QuoteLine> QuotePricer::Price(const QuoteRequest& request) {
    const std::vector<std::string> codes = request.productCodes.empty()
                                               ? CarrierProductCodes(request.company, request.state)
                                               : request.productCodes;
    // A retired product is quoted as its successor, as a relay case naming
    // it in "BRLN.Product" is; a product asked for twice is quoted once.
    std::vector<std::string> quoted;
    std::vector<QuoteLine> lines;
    for (const std::string& asked : codes) {
        const RetiredProduct* retired = FindRetiredProduct(asked);
        const std::string code = retired ? std::string(retired->newCode) : asked;
        if (std::find(quoted.begin(), quoted.end(), code) != quoted.end()) continue;
        quoted.push_back(code);
        PriceProduct(request, code, retired, lines);
    }
    std::stable_sort(lines.begin(), lines.end(), [](const QuoteLine& a, const QuoteLine& b) {
        if (a.issuable != b.issuable) return a.issuable;
        return a.issuable && a.firstYear.Total() < b.firstYear.Total();
    });
    return lines;
}

}  // namespace quoravel
