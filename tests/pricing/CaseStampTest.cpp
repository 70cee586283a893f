#include <gtest/gtest.h>

#include "CaseStamp.h"

using namespace quoravel;

namespace {

std::vector<std::string> Said(const std::vector<PremiumDifference>& differences) {
    std::vector<std::string> said;
    for (const PremiumDifference& d : differences)
        said.push_back(std::to_string(d.product) + " " + std::to_string(d.faceAmount) + " year " +
                       std::to_string(d.year) + ": " + d.recorded + " / " + d.now);
    return said;
}

}  // namespace

// Every year either list holds is compared, whichever is longer, and a
// product that prices to nothing now differs in every year it was stamped.
TEST(CaseStamp, EveryYearOfEitherListIsCompared) {
    const StampedPremiums stamped{4, 250000, {1765, 1765, 1815.5}};
    const StampedPremiums shorter{4, 250000, {1765, 1765}};
    const StampedPremiums other{5, 250000, {2100}};
    const struct {
        const char* what;
        std::vector<StampedPremiums> recorded, now;
        std::vector<std::string> said;
    } rows[] = {
        {"the same", {stamped}, {stamped}, {}},
        {"a year fewer now", {stamped}, {shorter}, {"4 250000 year 3: 1,815.50 / "}},
        {"a year more now", {shorter}, {stamped}, {"4 250000 year 3:  / 1,815.50"}},
        {"priced to nothing now",
         {stamped},
         {},
         {"4 250000 year 1: 1,765.00 / ", "4 250000 year 2: 1,765.00 / ", "4 250000 year 3: 1,815.50 / "}},
        {"a product not stamped", {stamped}, {stamped, other}, {"5 250000 year 1:  / 2,100.00"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Said(ComparePremiums(row.recorded, row.now)), row.said) << row.what;
}
