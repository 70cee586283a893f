#include <gtest/gtest.h>

#include <algorithm>

#include "ClassComparisonPage.h"
#include "CommissionPage.h"
#include "CommissionSettings.h"
#include "Golden.h"
#include "LedgerPage.h"
#include "LedgerSection.h"
#include "PageContext.h"
#include "PageFixture.h"
#include "PrintSurface.h"
#include "SampleCase.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

// A case priced from the sample rate files, on a surface with the chance and
// the calendar fixed; the pages are looked at without the frame's footers.
class LedgerPagesTest : public ::testing::Test {
protected:
    LedgerPagesTest() {
        SetBodyHeader(print,
                      {"Brellan 20", " (Policy Form No. TL-2003 et al)", "Level Premium Term", "John Sample",
                       "35", "Male", "Preferred No Nicotine Use", "$250,000", "Sam Broker"});
        print.StartDoc(4);
    }

    const Document& document() const { return surface.GetDocument(); }
    bool Has(int page, const std::string& part) const { return PageHasLine(document(), page, part); }

    // The annual premiums of the first product and face amount, by policy year.
    std::vector<double> AnnualPremiums() {
        std::vector<double> premiums;
        for (const YearPremium& year :
             LedgerColumn(context, client.Proposal().ProdChoices()[0], 0, client.Classification()).years)
            premiums.push_back(year.Total());
        return premiums;
    }

    PrintSurface surface;
    ProposalPrinter print{surface, FixedChance()};
    ClientCase client = SampleProposalCase();
    ProcessValues process;
    ProposalRun run{process, ""};
    PageContext context{print, client, run, QUORAVEL_PROGRAM_DIR, QUORAVEL_PROGRAM_DIR};
};

// A rated waiver's label, and a breakdown of base and waiver alone, are the
// basic quotation golden page's.
TEST_F(LedgerPagesTest, TheBreakdownShowsTheChargedPartsUnderTheirLabels) {
    LedgerPage page;
    page.SetLedgerHeader(true);
    // Base, table extra, permanent and temporary flat extras, child rider, waiver.
    page.SetFirstYear({1234.5, 592.25, 1000, 250, 27.5, 45.5}, {5, 1, 5, "B"});
    EXPECT_EQ(page.PrintHeader(print, true), 7);
    EXPECT_EQ(PageLines(document(), 1),
              (std::vector<std::string>{
                  "First Year Annual Premium", "Base Premium: 1,234.50", "Rated Class (B): 592.25",
                  "Temporary Flat Extra (5 yrs): 250.00", "Permanent Flat Extra: 1,000.00", "Waiver: 45.50",
                  "Child rider ($5,000): 27.50", "Total First-Year Premium: $3,149.75"}));
    // Later pages, and a page object left off, print nothing and take no lines.
    const std::size_t items = document().pages[0].items.size();
    EXPECT_EQ(page.PrintHeader(print, false), 0);
    page.SetLedgerHeader(false);
    EXPECT_EQ(page.PrintHeader(print, true), 0);
    EXPECT_EQ(document().pages[0].items.size(), items);
}

TEST_F(LedgerPagesTest, YearsShownFollowTheOptionsUpToTheIllustrationEndAge) {
    const struct {
        std::int16_t yearsToPrint;
        const char* state;
        std::int16_t age;
        std::size_t covered;
        int shown;  // worked by hand from the options and the illustration horizon
    } cases[] = {
        {20, "TX", 35, 66, 20},  {40, "TX", 35, 66, 40},  {100, "TX", 35, 66, 63},  // 98 − 35
        {100, "NY", 35, 66, 65}, {100, "MD", 35, 66, 60}, {40, "TX", 70, 31, 28},
        {20, "TX", 45, 10, 10},  // a product ending earlier
    };
    for (const auto& c : cases) {
        client.SetState(c.state);
        client.SetAge(c.age);
        client.Proposal().SetYearsToPrint(c.yearsToPrint);
        EXPECT_EQ(YearsShown(client, c.covered), c.shown)
            << "years to print " << c.yearsToPrint << ", " << c.state << ", age " << c.age << ", covered "
            << c.covered;
    }
}

// The basic quotation's and the product comparison's ledgers are golden
// pages; the face comparison's title is found by the assembly's tests.
TEST_F(LedgerPagesTest, AFaceComparisonHasItsTitleAndAColumnForEachFace) {
    ::Quote(client, {4}, {100000, 250000, 500000});
    PrintLedgerSection(context);
    EXPECT_EQ(run.Errors.Count(), 0);
    EXPECT_TRUE(Has(2, "Year $100,000 $250,000 $500,000"));
    EXPECT_FALSE(Has(2, "First Year Annual Premium"));
    EXPECT_FALSE(Has(2, "Interest Adjusted"));
}

TEST_F(LedgerPagesTest, AWaivedSpouseFeeIsAssumedOnlyWhereTheCarrierOffersIt) {
    const double withFee = AnnualPremiums()[0];
    client.SetWaiveSpouseFee(true);
    for (const std::int32_t company : {0, 1}) {
        SCOPED_TRACE("company " + std::to_string(company));
        print.StartDoc(4);
        client.Proposal().SetCompany(company);
        PrintLedgerSection(context);
        const bool waived = company == 1;
        EXPECT_EQ(Has(2, "Assumes Waiver of Policy Fee for Qualifying Spouse"), waived);
        EXPECT_DOUBLE_EQ(AnnualPremiums()[0], waived ? withFee - 50 : withFee);
    }
}

TEST_F(LedgerPagesTest, ProductsEndingAt80LeaveTheirLaterYearsBlank) {
    client.SetAge(70);
    ::Quote(client, {4, 14}, {250000});
    PrintLedgerSection(context);
    // Tessel 20 ends at 80: year 10 is age 79, year 11 has no Tessel premium.
    const auto lines = PageLines(document(), 2);
    const auto amounts = [&](const std::string& year) {
        const auto line = std::find_if(lines.begin(), lines.end(),
                                       [&](const std::string& l) { return l.rfind(year + " ", 0) == 0; });
        return line == lines.end() ? -1 : static_cast<int>(std::count(line->begin(), line->end(), '.'));
    };
    EXPECT_EQ(amounts("10"), 2);
    EXPECT_EQ(amounts("11"), 1);
}

TEST_F(LedgerPagesTest, ClassesAreComparedWithTheIssuedClassesBelowThemOnTheirLadder) {
    const struct {
        std::int32_t classCode, product;
        std::int16_t age;
        std::vector<std::int32_t> classes;
    } cases[] = {
        {0, 4, 35, {0, 1, 2}}, {2, 4, 35, {2, 3, 4}}, {4, 4, 35, {4, 7}},  {7, 4, 35, {7}},
        {5, 4, 35, {5, 6, 8}}, {6, 4, 35, {6, 8}},    {0, 18, 62, {0, 2}},  // the Quenby products issue no
                                                                            // super-preferred class
    };
    for (const auto& c : cases) {
        client.SetClassification(c.classCode);
        client.SetAge(c.age);
        EXPECT_EQ(ClassesCompared(client, c.product, false), c.classes)
            << "class " << c.classCode << ", product " << c.product;
    }
}

TEST_F(LedgerPagesTest, TheCommissionPageListsTheQuotedProductsRows) {
    TempFolder folder;
    // Brellan 10 and 20 have rate columns 1 and 3: rows 2 and 4; Carrow 20 has none: row 0.
    folder.Write("TermComm.ini",
                 "[0]\r\nFirstYear=40\r\n[2]\r\nFirstYear=80\r\nRenewal=3\r\n"
                 "[4]\r\nFirstYear=72.5\r\nRenewal=2\r\n");
    const CommissionSettings commission(folder.folder());
    ::Quote(client, {2, 4, 10}, {250000});
    PrintCommissionPage(context, commission);
    EXPECT_EQ(surface.PageCount(), 1);  // not asked for

    client.Proposal().SetOutputCommision(true);
    PrintCommissionPage(context, commission);
    ASSERT_EQ(surface.PageCount(), 2);
    EXPECT_TRUE(Has(2, "Brellan 20 72.5% 2%"));
    EXPECT_TRUE(Has(2, "Carrow 20 40% Not set"));
}

TEST_F(LedgerPagesTest, GoldenPages) {
    const struct {
        std::string name;
        std::vector<std::int32_t> products;
        std::int32_t mode;
        const char* state;
    } cases[] = {
        // Quarterly premiums for Brellan 20's twenty level years, annual ones after.
        {"ledger-basic-quotation", {4}, Quarterly, "MA"},
        {"ledger-product-comparison", {1, 2, 3, 4, 5}, SemiAnnual, "TX"},
        {"ledger-class-comparison", {4}, Annual, "TX"},
        {"ledger-commission", {2, 4}, Annual, "TX"},
    };
    TempFolder folder;
    folder.Write("TermComm.ini", "[2]\r\nFirstYear=80\r\nRenewal=3\r\n[4]\r\nFirstYear=70\r\nRenewal=2\r\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        print.StartDoc(4);
        client.SetPaymentMode(c.mode);
        client.SetState(c.state);
        client.SetWaiver(true);
        client.SetWaiverRating(1.5);
        ::Quote(client, c.products, {250000}, 40);
        if (c.name == "ledger-class-comparison") {
            PrintClassComparisonPages(context);
        } else if (c.name == "ledger-commission") {
            client.Proposal().SetOutputCommision(true);
            PrintCommissionPage(context, CommissionSettings(folder.folder()));
        } else {
            PrintLedgerSection(context);
        }
        EXPECT_EQ(run.Errors.Count(), 0);
        EXPECT_EQ(CompareWithGolden(document(), c.name), "");
        WriteSamplePages(document(), c.name);
        if (c.name == "ledger-basic-quotation") {
            // The columns (720, 720, 1800, 1800 twips) stand centred between
            // the margins of 700 twips, the amounts right-aligned 60 twips
            // inside their cells: the table's left edge is 700 + (10,840 − 5,040) / 2.
            for (const auto& [text, cellEnd] : {std::pair{"35", 1440}, {"261.95", 3240}, {"250,000", 5040}}) {
                const TextItem* cell = FindText(document(), 2, text);
                ASSERT_NE(cell, nullptr) << text;
                EXPECT_NEAR(cell->x + cell->width, 3600 + cellEnd - 60, 30) << text;
            }
        }
    }
}

}  // namespace
