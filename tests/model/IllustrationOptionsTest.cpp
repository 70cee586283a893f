#include <gtest/gtest.h>

#include "IllustrationOptions.h"
#include "RuntimeError.h"

using namespace quoravel;

namespace {

std::vector<std::int32_t> Amounts(const IllustrationOptions& o) {
    std::vector<std::int32_t> out;
    for (std::size_t i = 0; i < o.FaceAmountCount(); ++i) out.push_back(o.GetFaceAmount(i));
    return out;
}

}  // namespace

TEST(IllustrationOptions, FaceAmountsStaySortedWithoutDuplicates) {
    IllustrationOptions o;
    o.AddProduct(1);
    for (auto amount : {250000, 100000, 100000}) o.AddFaceAmount(amount, "TX");
    EXPECT_EQ(Amounts(o), (std::vector<std::int32_t>{100000, 250000}));
    EXPECT_FALSE(o.FaceAmounts().back().has_value());  // the spare slot stays last and empty
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

TEST(IllustrationOptions, CodedSettersAndProducts) {
    IllustrationOptions o;
    o.SetPrintOption(3);
    EXPECT_EQ(o.PrintOption(), -1);
    o.AddProduct(12);
    EXPECT_TRUE(o.ProposalTypeFlag);
    EXPECT_EQ(o.ProductType(), 12);  // taken from the first product while none is stored
    o.AddProduct(12);
    EXPECT_EQ(o.ProductCount(), 1u);
    o.AddProduct(1);
    EXPECT_FALSE(o.ProposalTypeFlag);
    EXPECT_TRUE(o.IsProductSelected(0));  // the spare slot counts
    EXPECT_EQ(o.ProductType(), 12);

    o.SetYearsToPrint(30);
    EXPECT_EQ(o.YearsToPrint(), 40);
    o.SetYearsToPrint(0);
    EXPECT_EQ(o.YearsToPrint(), 20);

    o.SetIsFaceSolve(true);
    EXPECT_FALSE(o.IsFaceSolve());
    EXPECT_THROW(o.SetFaceAmount(5, 1), RuntimeError);
}
