#include <gtest/gtest.h>

#include "IllustrationOptions.h"

using namespace quoravel;

TEST(IllustrationOptions, ProductsAndFaceAmountsStayListedOnce) {
    IllustrationOptions o;
    o.AddProduct(12);
    EXPECT_TRUE(o.ProposalTypeFlag);  // a single-product proposal
    o.AddProduct(12);
    o.AddProduct(1);
    EXPECT_FALSE(o.ProposalTypeFlag);
    EXPECT_EQ(o.ProdChoices(), (std::vector<std::int32_t>{12, 1, 0}));  // the spare slot stays last
    for (auto amount : {250000, 100000, 100000}) o.AddFaceAmount(amount, "TX");
    // Sorted, each once, the spare slot last and empty.
    EXPECT_EQ(o.FaceAmounts(), (std::vector<std::optional<std::int32_t>>{100000, 250000, std::nullopt}));

    o.SetYearsToPrint(30);
    EXPECT_EQ(o.YearsToPrint(), 40);
    o.SetIsFaceSolve(true);  // a face amount solve is never made
    EXPECT_FALSE(o.IsFaceSolve());
}

TEST(IllustrationOptions, MinimumFaceAmountByStateProductAndCompany) {
    struct Row {
        std::int32_t product;
        std::int32_t company;
        const char* state;
        bool added;
    } rows[] = {
        {1, 0, "TX", false},  // level products of BRN: 50,000
        {11, 0, "TX", true},  // 25,000 elsewhere
        {1, 1, "TX", true},   // QNB is not held to the higher minimum
        {1, 2, "TX", false}, {11, 0, "NJ", false}, {18, 1, "NJ", false},  // NJ: 50,000 for every product
    };
    for (const auto& r : rows) {
        IllustrationOptions o;
        o.SetCompany(r.company);
        o.AddProduct(r.product);
        o.AddFaceAmount(40000, r.state);
        EXPECT_EQ(o.FaceAmountCount(), r.added ? 1u : 0u) << r.product << " " << r.company << " " << r.state;
    }
}
