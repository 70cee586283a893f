#include "CasePricer.h"

#include <algorithm>

#include "IssueRules.h"
#include "PremiumEngine.h"
#include "RateReaders.h"
#include "TextFile.h"

namespace quoravel {
namespace {

// The rate matrix columns the premium engine fills without an explicit column.
constexpr std::size_t kBaseColumn = 0;
constexpr std::size_t kWaiverColumn = 4;

}  // namespace

CasePricer::CasePricer(const std::string& rateFolder) {
    process_.ProgramFolder = WithTrailingSeparator(rateFolder);
}

std::vector<PricedLine> CasePricer::Price(const cClient& client, std::optional<Date> today) {
    // A run of its own, as a proposal has; the open rate files carry over.
    ProposalRun run(process_, process_.ProgramFolder);
    cClient priced = client;
    ValidateClientInfo(priced, run, today);
    const AgeCheck ages = ValidateAge(priced, run.UsePriorRates);
    RateContext rates{process_.ProgramFolder, run, std::move(files_)};
    const cIllustrationOptions& options = priced.proposal();
    const auto illustrated = static_cast<std::size_t>(std::max(0, priced.YearsToIllustrate() - priced.age()));
    const bool feeWaived = SpouseFeeWaived(priced);
    std::vector<PricedLine> lines;
    for (std::size_t choice = 0; choice < options.ProductCount(); ++choice) {
        const std::int32_t product = options.ProdChoices()[choice];
        const bool outOfAge = std::ranges::find(ages.outOfAge, product) != ages.outOfAge.end();
        for (std::size_t face = 0; face < options.FaceAmountCount(); ++face) {
            PricedLine& line = lines.emplace_back();
            line.premiums = {product, options.GetFaceAmount(face), {}};
            if (!ages.ok || outOfAge) {
                // A comparison goes on without the products out of age, and says so last.
                line.problem = ages.ok ? ages.notices.back().text : ages.message;
                continue;
            }
            const long errorsBefore = run.Errors.Count();
            const PremiumSchedule schedule = ComputePremiumSchedule(rates, priced, product, face);
            // A schedule read with a rate file missing or damaged is no premium.
            if (run.Errors.Count() > errorsBefore || schedule.years.empty()) {
                line.problem = run.Errors.Count() > errorsBefore
                                   ? run.Errors.Item(errorsBefore + 1).Description
                                   : "Rate file missing.";
                continue;
            }
            const std::size_t years =
                std::min(YearsCovered(product, priced.age(), schedule.years.size()), illustrated);
            for (std::size_t year = 0; year < years; ++year) {
                // The spouse fee is waived year by year as the ledger shows it.
                const YearPremium premium =
                    feeWaived
                        ? PremiumOfYear(priced, product, line.premiums.faceAmount,
                                        schedule.rates.At(year, kBaseColumn),
                                        schedule.rates.At(year, kWaiverColumn), static_cast<int>(year), 0)
                        : schedule.years[year];
                line.premiums.yearly.push_back(premium.Total());
            }
        }
    }
    files_ = std::move(rates.files);
    return lines;
}

std::vector<StampedPremiums> StampedPremiumsOf(const std::vector<PricedLine>& lines) {
    std::vector<StampedPremiums> premiums;
    for (const PricedLine& line : lines) premiums.push_back(line.premiums);
    return premiums;
}

}  // namespace quoravel
