// Every product, class, sex, state group, face band and rate scale at every
// issue age the issue rules allow, priced from the bundled sample rate files:
// no valid case may ever meet a missing rate, and the sample rates keep the
// familiar order of classes, sexes, bands and level periods.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "PremiumEngine.h"
#include "ProductLookups.h"
#include "SweepCases.h"

using namespace quoravel;

namespace {

// The level rate by case.
using Key = std::tuple<std::int32_t, std::string, bool, int, int, int,
                       int>;  // product, state, prior, band, class, sex, age

}  // namespace

TEST(Sweep, EveryValidCaseIsPricedAndTheSampleRatesKeepTheirOrder) {
    ProcessValues process;
    ProposalRun run(process, QUORAVEL_PROGRAM_DIR);
    RateContext context{QUORAVEL_PROGRAM_DIR, run};
    std::map<Key, double> levelRate;
    long cases = 0;
    ForEachSweepCase(run, [&](const ClientCase& client, const SweepCase& sweep) {
        ++cases;
        const auto schedule = ComputePremiumSchedule(context, client, sweep.product, 0);
        const auto& m = schedule.rates;
        ASSERT_EQ(m.Rows(), static_cast<std::size_t>(101 - client.Age())) << sweep.Describe();
        for (std::size_t row = 0; row < m.Rows(); ++row) {
            ASSERT_TRUE(m.At(row, 0) > 0 && std::isfinite(m.At(row, 0)) && m.At(row, 4) > 0)
                << sweep.Describe() << " policy year " << row + 1;
        }
        ASSERT_EQ(run.Errors.Count(), 0) << sweep.Describe() << ": " << run.Errors.Item(1).Description;
        // The level rate: after the select years on the select products.
        ProductInfo info;
        info.FillProduct(sweep.product, client.Age(), false);
        const auto levelYear =
            std::min<std::size_t>(static_cast<std::size_t>(info.SelectYears()), m.Rows() - 1);
        levelRate[{sweep.product, sweep.state, sweep.prior, sweep.band, sweep.classCode, sweep.sex,
                   client.Age()}] = m.At(levelYear, 0);
    });
    EXPECT_GT(cases, 100000);

    auto rate = [&](Key key) {
        auto it = levelRate.find(key);
        return it == levelRate.end() ? std::nan("") : it->second;
    };
    long compared = 0;
    for (const auto& [key, value] : levelRate) {
        auto [product, state, prior, band, classCode, sex, age] = key;
        auto check = [&](Key other, const char* what) {
            const double better = rate(other);
            if (std::isnan(better)) return;
            ++compared;
            EXPECT_LT(better, value) << what << ": product " << product << " " << state << " band " << band
                                     << " class " << classCode << " sex " << sex << " age " << age;
        };
        if (sex == 0) check({product, state, prior, band, classCode, 1, age}, "female below male");
        if (band < 5) check({product, state, prior, band + 1, classCode, sex, age}, "larger band cheaper");
        static const std::map<int, int> kBetterClass{{4, 2}, {6, 5}, {5, 2}, {6, 4}, {8, 7}, {7, 4}};
        // The select products price the custom classes as the standard ones.
        const bool select = product == 8 || product == 9;
        if (auto better = kBetterClass.find(classCode);
            better != kBetterClass.end() && !(select && classCode >= 7)) {
            check({product, state, prior, band, better->second, sex, age}, "better class cheaper");
        }
        if (product >= 2 && product <= 5)
            check({product - 1, state, prior, band, classCode, sex, age}, "shorter level cheaper");
    }
    EXPECT_GT(compared, 100000);
}
