#include "CaseStamp.h"

#include <algorithm>

#include "Rounding.h"

namespace quoravel {
namespace {

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
