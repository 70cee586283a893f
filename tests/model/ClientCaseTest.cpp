#include <gtest/gtest.h>

#include "ClientCase.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

ClientCase MakeClient(const std::string& state, std::int32_t company, std::int32_t product = 1) {
    ClientCase c;
    c.SetState(state);
    c.Proposal().SetCompany(company);
    if (product) c.Proposal().AddProduct(product);
    return c;
}

}  // namespace

// The names, mode and class as the case list, the pages and the relay show them.
TEST(ClientCase, WordingAndMontanaRates) {
    ClientCase c;
    c.SetLastName("Smith");
    EXPECT_EQ(c.FullName(), "Smith");
    c.SetFirstName("John");
    c.SetMiddleInit("Q.");
    EXPECT_EQ(c.SortName() + "|" + c.FullName(), "Smith, John Q.|John Q. Smith");
    c.SetLastName("");
    EXPECT_EQ(c.SortName(), "John Q.");  // no comma without a last name
    c.SetPaymentMode(SpecialMonthly);
    EXPECT_EQ(c.ModeText(true), "Monthly");  // the case list's wording
    // Montana rates do not depend on sex: a woman there is priced on the male rates.
    c.SetIsMale(false);
    c.SetState("MT");
    EXPECT_EQ(c.sex(false), 0);

    c.SetClassification(7);
    EXPECT_EQ(c.Classstring(), "Custom No Nicotine Use");
    c.SetTableRating("D");
    EXPECT_EQ(c.Classstring() + "|" + c.Classstring(8), "Rated No Nicotine Use|Rated Nicotine Use");
    EXPECT_EQ(c.Classstring(0), "Preferred Elite No Nicotine");
    EXPECT_EQ(c.Classstring(9), "");
}

TEST(ClientCase, TableRatingScales) {
    struct Row {
        const char *code, *state;
        std::int32_t company;
        std::int16_t age;
        double expected;
    } rows[] = {
        {"BB", "TX", 0, 85, 0.62},                             // full scale for BRN at any age
        {"BB", "TX", 1, 79, 0.62},                             // QNB below 80 outside NJ
        {"BB", "TX", 1, 80, 0.37},                             // QNB reduced scale from 80
        {"BB", "NJ", 1, 69, 0.62}, {"BB", "NJ", 1, 70, 0.37},  // NJ reduces from 70
        {"P", "NY", 1, 80, 2.40},  {"None", "TX", 0, 40, 0.0},
        {"b", "TX", 0, 40, 0.0},  // codes compare exactly
    };
    for (const auto& r : rows) {
        ClientCase c = MakeClient(r.state, r.company);
        c.SetTableRating(r.code);
        EXPECT_DOUBLE_EQ(c.TableRatingNum(r.age), r.expected)
            << r.code << " " << r.state << " " << r.company << " age " << r.age;
        EXPECT_DOUBLE_EQ(c.TableRatingNum(), r.expected);
    }
}

TEST(ClientCase, HorizonAndPolicyForms) {
    EXPECT_EQ(MakeClient("NY", 0, 12).YearsToIllustrate(), 80);  // Tessel ends at 80 even in New York

    struct Row {
        const char* state;
        std::int32_t company, product;
        bool prior;
        const char* form;
    } rows[] = {
        {"NJ", 2, 1, false, "Talvern-1420 NJ"}, {"MD", 2, 1, false, "Talvern-1420 MD"},
        {"MD", 2, 1, true, "Talvern-1420"},     {"NJ", 1, 18, false, "QN-1410-GP-04"},
        {"NY", 1, 27, false, "QN-1410-GP"},     {"NY", 1, 2, false, "QN-1420"},
        {"NJ", 0, 1, false, "1420 (96) NJ"},    {"MD", 0, 1, false, "1421 MD"},
        {"MD", 0, 1, true, "1420 (96)"},        {"TX", 5, 1, false, ""},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(MakeClient(r.state, r.company, r.product).PolicyForm(r.prior), r.form)
            << r.state << " company " << r.company << " product " << r.product << " prior " << r.prior;
    }
    EXPECT_EQ(MakeClient("TX", 0).PolicyForm2(), "1421");
    EXPECT_EQ(MakeClient("TX", 2).PolicyForm2(), "");
}

TEST(ClientCase, ProductsWaiverRatesAndApproval) {
    // Both edges of every age band of the children's waiver charge.
    const std::pair<std::int16_t, double> bands[] = {{17, 0},    {18, 0.06}, {29, 0.06}, {30, 0.11},
                                                     {39, 0.11}, {40, 0.18}, {49, 0.18}, {50, 0.27},
                                                     {59, 0.27}, {60, 0}};
    for (const auto& [age, rate] : bands) EXPECT_EQ(ClientCase::WaiverAgeRate(age), rate) << age;

    ClientCase c = MakeClient("NJ", 1, 0);
    TempFolder folder;
    folder.Write("STATES.INI", "[NJ]\r\nBRN=yes\r\nQNB=Yes\r\n");  // found whatever the case of its name
    EXPECT_FALSE(c.CompanyApprovedInState(folder.folder()));       // "Yes" is not "yes"
    c.Proposal().SetCompany(0);
    EXPECT_TRUE(c.CompanyApprovedInState(folder.folder()));
    c.SetState("TX");
    EXPECT_FALSE(c.CompanyApprovedInState(folder.folder()));
}
