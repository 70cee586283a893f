#include "RateImpact.h"

#include <algorithm>
#include <cmath>

#include "ProductLookups.h"
#include "Rounding.h"

namespace quoravel {
namespace {

double Cents(double amount) { return round(2, amount); }

double FirstYear(const std::vector<double>& yearly) { return yearly.empty() ? 0 : Cents(yearly.front()); }

}  // namespace

double ImpactLine::OldFirstYear() const { return FirstYear(oldYearly); }
double ImpactLine::NewFirstYear() const { return FirstYear(newYearly); }
double ImpactLine::Change() const { return Cents(NewFirstYear() - OldFirstYear()); }

double ImpactLine::ChangePercent() const {
    return OldFirstYear() == 0 ? 0 : round(2, 100 * Change() / OldFirstYear());
}

int ImpactLine::LargestChangeYear() const {
    int largestYear = 0;
    double largest = 0;
    for (std::size_t year = 0; year < std::min(oldYearly.size(), newYearly.size()); ++year) {
        const double change = std::abs(Cents(Cents(newYearly[year]) - Cents(oldYearly[year])));
        if (change > largest) {
            largest = change;
            largestYear = static_cast<int>(year + 1);
        }
    }
    return largestYear;
}

double ImpactLine::LargestChange() const {
    const int year = LargestChangeYear();
    if (year == 0) return 0;
    const auto at = static_cast<std::size_t>(year - 1);
    return Cents(Cents(newYearly[at]) - Cents(oldYearly[at]));
}

RateImpact::RateImpact(const std::string& programFolder, const std::string& oldRates,
                       const std::string& newRates, std::optional<Date> today)
    : old_(programFolder, oldRates), new_(programFolder, newRates), today_(today) {}

std::vector<ImpactLine> RateImpact::Compare(const ClientCase& client, const std::string& caseFile) {
    const PricedCase oldPriced = old_.Price(client, {false, today_});
    const PricedCase newPriced = new_.Price(client, {false, today_});
    const std::vector<PricedLine>& before = oldPriced.lines;
    const std::vector<PricedLine>& after = newPriced.lines;
    const std::vector<StampedPremiums> oldPremiums = StampedPremiumsOf(oldPriced);
    const std::vector<StampedPremiums> newPremiums = StampedPremiumsOf(newPriced);
    const std::int32_t company = client.Proposal().Company();
    std::vector<ImpactLine> lines;
    // Both sets price the same case, so their lines come in the same order.
    for (std::size_t at = 0; at < std::min(before.size(), after.size()); ++at) {
        ImpactLine& line = lines.emplace_back();
        line.caseFile = caseFile;
        line.caseIndex = client.Index();
        line.name = client.SortName();
        line.product = before[at].product;
        line.productName = ProductDisplayName(line.product, company);
        line.faceAmount = before[at].faceAmount;
        line.oldYearly = oldPremiums[at].yearly;
        line.newYearly = newPremiums[at].yearly;
        line.rateSetFailed = !before[at].rateErrors.empty() || !after[at].rateErrors.empty();
        const std::string& oldProblem = before[at].problem;
        const std::string& newProblem = after[at].problem;
        // A reason both sets give (the case's own) is said once.
        if (oldProblem == newProblem)
            line.problem = oldProblem;
        else if (newProblem.empty())
            line.problem = "old rates: " + oldProblem;
        else
            line.problem =
                (oldProblem.empty() ? "" : "old rates: " + oldProblem + " ") + "new rates: " + newProblem;
    }
    return lines;
}

std::vector<const ImpactLine*> ByLargestChange(const std::vector<ImpactLine>& lines) {
    // Unpriced lines sort after every priced one.
    std::vector<std::pair<double, const ImpactLine*>> keyed;
    for (const ImpactLine& line : lines)
        keyed.emplace_back(line.Priced() ? std::abs(line.LargestChange()) : -1, &line);
    std::ranges::stable_sort(keyed, [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<const ImpactLine*> sorted;
    for (const auto& [key, line] : keyed) sorted.push_back(line);
    return sorted;
}

}  // namespace quoravel
