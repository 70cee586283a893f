#include "CasePricer.h"

#include <algorithm>

#include "RateReaders.h"
#include "RelayInputs.h"
#include "TextFile.h"

namespace quoravel {
namespace {

constexpr const char* kRateFileMissing = "Rate file missing.";

// Moves what the rate files reported since `before` from the run's log into the line.
void TakeRateErrors(ErrorLog& log, long before, PricedLine& line) {
    while (log.Count() > before) {
        line.rateErrors.push_back(log.Item(before + 1));
        log.Remove(before + 1);
    }
}

}  // namespace

std::string PricedCase::Refusal() const {
    for (const auto* problems : {&inputProblems, &unavailable}) {
        std::string refusal;
        for (const std::string& problem : *problems) refusal += (refusal.empty() ? "" : "  ") + problem;
        if (!refusal.empty()) return refusal;
    }
    return ages.message;
}

const PricedLine* PricedCase::Line(std::int32_t product, std::int32_t faceAmount) const {
    const auto line = std::find_if(lines.begin(), lines.end(), [&](const PricedLine& candidate) {
        return candidate.product == product && candidate.faceAmount == faceAmount;
    });
    return line == lines.end() ? nullptr : &*line;
}

std::size_t PricedCase::IllustratedYears(const PricedLine& line) const {
    // Each product to its own end: a product's own proposal shows its years,
    // whatever the end of another product compared with it.
    const auto illustrated =
        static_cast<std::size_t>(std::max(0, settled.YearsToIllustrate(line.product) - settled.Age()));
    return std::min(line.years.size(), illustrated);
}

CasePricer::CasePricer(const std::string& programFolder, const std::string& rateFolder)
    : rateFolder_(WithTrailingSeparator(rateFolder.empty() ? programFolder : rateFolder)) {
    process_.ProgramFolder = WithTrailingSeparator(programFolder);
}

PricedCase CasePricer::Price(const ClientCase& client, ProposalRun& run, std::optional<Date> today) {
    PricedCase priced;
    priced.inputProblems = CaseInputProblems(client);
    priced.settled = client;
    ClientCase& settled = priced.settled;
    priced.corrections = ValidateClientInfo(settled, run, today);
    const auto carrierState = std::make_pair(settled.Proposal().Company(), settled.State());
    auto approved = approved_.find(carrierState);
    if (approved == approved_.end())
        approved = approved_.emplace(carrierState, settled.CompanyApprovedInState(run.ProgramFolder())).first;
    priced.unavailable = CheckAvailability(settled, approved->second);
    priced.ages = ValidateAge(settled, run.UsePriorRates);
    const std::string refusal = priced.Refusal();

    RateContext rates{rateFolder_, run, std::move(files_)};
    const IllustrationOptions& options = settled.Proposal();
    for (std::size_t choice = 0; choice < options.ProductCount(); ++choice) {
        const std::int32_t product = options.ProdChoices()[choice];
        const bool outOfAge = std::ranges::find(priced.ages.outOfAge, product) != priced.ages.outOfAge.end();
        for (std::size_t face = 0; face < options.FaceAmountCount(); ++face) {
            PricedLine& line = priced.lines.emplace_back();
            line.product = product;
            line.faceAmount = options.GetFaceAmount(face);
            if (!refusal.empty() || outOfAge) {
                // A comparison goes on without the products out of age, and says so last.
                line.problem = refusal.empty() ? priced.ages.notices.back().text : refusal;
                continue;
            }
            const long before = run.Errors.Count();
            PremiumSchedule schedule = ComputePremiumSchedule(rates, settled, product, face);
            TakeRateErrors(run.Errors, before, line);
            // A schedule read with a rate file missing or damaged is no premium.
            if (!line.rateErrors.empty() || schedule.years.empty()) {
                line.problem =
                    line.rateErrors.empty() ? kRateFileMissing : line.rateErrors.front().Description;
                continue;
            }
            schedule.years.resize(YearsCovered(product, settled.Age(), schedule.years.size()));
            line.years = std::move(schedule.years);
        }
    }
    files_ = std::move(rates.files);
    return priced;
}

PricedCase CasePricer::Price(const ClientCase& client, const PricingTerms& terms) {
    ProposalRun run(process_, process_.ProgramFolder);
    run.RelayUsePriorRates = terms.priorScaleAsked;
    return Price(client, run, terms.today);
}

StampedPremiums YearlyPremiumsOf(const PricedCase& priced, const PricedLine& line) {
    StampedPremiums stamped{line.product, line.faceAmount, {}};
    for (std::size_t year = 0; year < priced.IllustratedYears(line); ++year)
        stamped.yearly.push_back(line.years[year].Total());
    return stamped;
}

std::vector<StampedPremiums> StampedPremiumsOf(const PricedCase& priced) {
    std::vector<StampedPremiums> premiums;
    for (const PricedLine& line : priced.lines) premiums.push_back(YearlyPremiumsOf(priced, line));
    return premiums;
}

}  // namespace quoravel
