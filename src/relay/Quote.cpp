#include "Quote.h"

#include <algorithm>

#include "Enumerations.h"
#include "IssueRules.h"
#include "ProductCatalogue.h"
#include "ProductInfo.h"
#include "RateReaders.h"
#include "RelayExchange.h"
#include "RelayProducts.h"
#include "Rounding.h"

namespace quoravel {
namespace {

// The client as a relay case with these inputs is read.
cClient Insured(const QuoteRequest& request) {
    cClient client;
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
    client.proposal().SetCompany(request.company);
    return client;
}

}  // namespace

QuotePricer::QuotePricer(const std::string& programFolder) { process_.ProgramFolder = programFolder; }

QuoteLine QuotePricer::PriceLine(const QuoteRequest& request, const std::string& code,
                                 const std::string& unavailable, std::int32_t faceAmount) {
    cClient client = Insured(request);
    QuoteLine line;
    line.code = code;
    line.product = RelayProductNumber(code, request.state);
    line.name = ProductDisplayName(line.product, request.company);
    line.faceAmount = faceAmount;
    cIllustrationOptions& options = client.proposal();
    options.AddProduct(line.product);

    if (!unavailable.empty()) {
        line.refusal = unavailable;
        return line;
    }
    if (const std::int32_t minimum = MinimumFaceAmount(line.product, request.company, request.state);
        faceAmount < minimum) {
        line.refusal = ProductTitle(line.product, request.company) + ": the face amount must be at least $" +
                       FormatAmount(minimum, 0) + ".";
        return line;
    }
    options.AddFaceAmount(faceAmount, request.state);

    // A run of its own, as a proposal has; the open rate files carry over.
    ProposalRun run(process_, process_.ProgramFolder);
    RateContext rates{process_.ProgramFolder, run, std::move(files_)};
    line.corrections = ValidateClientInfo(client, run);
    const AgeCheck ages = ValidateAge(client, run.UsePriorRates);
    if (!ages.ok) {
        line.refusal = ages.message;
        files_ = std::move(rates.files);
        return line;
    }
    const long errorsBefore = run.Errors.Count();
    PremiumSchedule schedule = ComputePremiumSchedule(rates, client, line.product, 0);
    files_ = std::move(rates.files);
    // A schedule read with a rate file missing or damaged is no premium.
    if (run.Errors.Count() > errorsBefore || schedule.years.empty()) {
        line.refusal = run.Errors.Count() > errorsBefore ? run.Errors.Item(errorsBefore + 1).Description
                                                         : "Rate file missing.";
        return line;
    }

    const std::size_t covered = YearsCovered(line.product, client.age(), schedule.years.size());
    // The cost indices leave the riders out, as the ledger page says.
    std::vector<double> withoutRiders;
    for (std::size_t year = 0; year < covered; ++year)
        withoutRiders.push_back(schedule.years[year].WithoutRiders());
    ProductInfo product;
    product.FillProduct(line.product, client.age(), false);
    line.indices = ComputeInterestIndices(withoutRiders, faceAmount, client.age(), client.state(), product);

    const auto illustrated = static_cast<std::size_t>(std::max(0, client.YearsToIllustrate() - client.age()));
    for (std::size_t year = 0; year < std::min(covered, illustrated); ++year)
        line.yearlyPremiums.push_back(schedule.years[year].Total());
    line.firstYear = schedule.years.front();
    line.modal = FirstYearModalPremiums(line.firstYear.Total());
    line.issuable = true;
    return line;
}

std::vector<QuoteLine> QuotePricer::Price(const QuoteRequest& request) {
    const std::vector<std::string> codes = request.productCodes.empty()
                                               ? CarrierProductCodes(request.company, request.state)
                                               : request.productCodes;
    std::vector<QuoteLine> lines;
    for (const std::string& code : codes) {
        // Whether the carrier may sell the product here reads states.ini:
        // once a carrier, state and product for the pricer's life.
        const auto key = std::make_tuple(request.company, request.state, code);
        auto known = unavailable_.find(key);
        if (known == unavailable_.end()) {
            cClient client = Insured(request);
            client.proposal().AddProduct(RelayProductNumber(code, request.state));
            const auto problems = CheckAvailability(client, process_.ProgramFolder);
            known = unavailable_.emplace(key, problems.empty() ? std::string() : problems.front()).first;
        }
        const std::string& unavailable = known->second;
        for (const std::int32_t face : request.faceAmounts)
            lines.push_back(PriceLine(request, code, unavailable, face));
    }
    std::stable_sort(lines.begin(), lines.end(), [](const QuoteLine& a, const QuoteLine& b) {
        if (a.issuable != b.issuable) return a.issuable;
        return a.issuable && a.firstYear.Total() < b.firstYear.Total();
    });
    return lines;
}

}  // namespace quoravel
