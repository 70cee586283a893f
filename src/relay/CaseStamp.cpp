#include "CaseStamp.h"

#include <algorithm>

#include "IssueRules.h"
#include "PremiumEngine.h"
#include "RateReaders.h"
#include "Rounding.h"

namespace quoravel {
namespace {

// The rate matrix columns the premium engine fills without an explicit column.
constexpr std::size_t kBaseColumn = 0;
constexpr std::size_t kWaiverColumn = 4;

const StampedPremiums* Find(const std::vector<StampedPremiums>& all, const StampedPremiums& like) {
    const auto found = std::find_if(all.begin(), all.end(), [&](const StampedPremiums& priced) {
        return priced.product == like.product && priced.faceAmount == like.faceAmount;
    });
    return found == all.end() ? nullptr : &*found;
}

std::string Cents(const std::vector<double>& yearly, std::size_t year) {
    return year < yearly.size() ? FormatAmount(round(2, yearly[year]), 2) : std::string();
}

void AddDifferences(std::vector<PremiumDifference>& differences, const StampedPremiums& recorded,
                    const std::vector<double>& now) {
    for (std::size_t year = 0; year < std::max(recorded.yearly.size(), now.size()); ++year) {
        const std::string before = Cents(recorded.yearly, year);
        const std::string after = Cents(now, year);
        if (before != after)
            differences.push_back(
                {recorded.product, recorded.faceAmount, static_cast<int>(year + 1), before, after});
    }
}

}  // namespace

std::vector<StampedPremiums> PriceCaseForStamp(const cClient& client, const std::string& programFolder) {
    ProcessValues process;
    process.ProgramFolder = programFolder;
    ProposalRun run(process, programFolder);
    cClient priced = client;
    ValidateClientInfo(priced, run);
    RateContext rates{programFolder, run};
    const cIllustrationOptions& options = priced.proposal();
    const auto illustrated = static_cast<std::size_t>(std::max(0, priced.YearsToIllustrate() - priced.age()));
    std::vector<StampedPremiums> all;
    for (std::size_t choice = 0; choice < options.ProductCount(); ++choice) {
        const std::int32_t product = options.ProdChoices()[choice];
        for (std::size_t face = 0; face < options.FaceAmountCount(); ++face) {
            StampedPremiums line{product, options.GetFaceAmount(face), {}};
            const long errorsBefore = run.Errors.Count();
            const PremiumSchedule schedule = ComputePremiumSchedule(rates, priced, product, face);
            if (run.Errors.Count() == errorsBefore) {
                const std::size_t years =
                    std::min(YearsCovered(product, priced.age(), schedule.years.size()), illustrated);
                const bool feeWaived = SpouseFeeWaived(priced);
                for (std::size_t year = 0; year < years; ++year) {
                    const YearPremium premium =
                        feeWaived
                            ? PremiumOfYear(priced, product, line.faceAmount,
                                            schedule.rates.At(year, kBaseColumn),
                                            schedule.rates.At(year, kWaiverColumn), static_cast<int>(year), 0)
                            : schedule.years[year];
                    line.yearly.push_back(premium.Total());
                }
            }
            all.push_back(std::move(line));
        }
    }
    return all;
}

std::vector<PremiumDifference> ComparePremiums(const std::vector<StampedPremiums>& recorded,
                                               const std::vector<StampedPremiums>& now) {
    std::vector<PremiumDifference> differences;
    for (const StampedPremiums& before : recorded) {
        const StampedPremiums* after = Find(now, before);
        AddDifferences(differences, before, after ? after->yearly : std::vector<double>());
    }
    for (const StampedPremiums& after : now)
        if (!Find(recorded, after))
            AddDifferences(differences, {after.product, after.faceAmount, {}}, after.yearly);
    return differences;
}

}  // namespace quoravel
