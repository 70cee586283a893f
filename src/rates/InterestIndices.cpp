#include "InterestIndices.h"

#include <cmath>

#include "RateReaders.h"
#include "Rounding.h"
#include "Text.h"

namespace quoravel {
namespace {

constexpr double kInterest = 1.05;
constexpr int kLastAge = 98;

CostIndex IndexFor(int years, const std::vector<double>& premiums, double face, const std::string& state,
                   ProductInfo& product) {
    CostIndex index;
    index.years = years;
    if (years <= 0 || face <= 0) return index;
    double accumulated = 0;
    double perThousand = 0;
    for (int j = 0; j < years; ++j) {
        const double growth = std::pow(kInterest, years - j);
        if (j < static_cast<int>(premiums.size()))
            accumulated += premiums[static_cast<std::size_t>(j)] * growth;
        perThousand += face * 0.001 * growth;
    }
    const double surrenderValue =
        ToUpper(state) == "MD" ? Get_GCVInYear(product, state, years) * face * 0.001 : 0.0;
    index.netPayment = round(2, accumulated / perThousand);
    index.surrenderCost = round(2, (accumulated - surrenderValue) / perThousand);
    return index;
}

}  // namespace

InterestIndices ComputeInterestIndices(const std::vector<double>& premiums, std::int32_t faceAmount,
                                       int issueAge, const std::string& state, ProductInfo& product) {
    const int twenty = issueAge + 20 > kLastAge ? kLastAge - issueAge : 20;
    return {IndexFor(5, premiums, faceAmount, state, product),
            IndexFor(10, premiums, faceAmount, state, product),
            IndexFor(twenty, premiums, faceAmount, state, product)};
}

}  // namespace quoravel
