#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "ClassComparisonPage.h"
#include "CommissionPage.h"
#include "CommissionSettings.h"
#include "Golden.h"
#include "InterestIndices.h"
#include "LedgerPage.h"
#include "LedgerSection.h"
#include "PageContext.h"
#include "PageFixture.h"
#include "PngOutput.h"
#include "PrintSurface.h"
#include "Rounding.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

// The ledger rows of a page: lines of numbers only, a policy year first.
int LedgerRows(const Document& document, int page) {
    static const std::regex row(R"(^[0-9]+( [0-9,]+(\.[0-9][0-9])?)+$)");
    int rows = 0;
    for (const auto& line : PageLines(document, page)) rows += std::regex_match(line, row) ? 1 : 0;
    return rows;
}

// A case priced from the sample rate files, on a surface with the chance and
// the calendar fixed; the pages are looked at without the frame's footers.
class LedgerPagesTest : public ::testing::Test {
protected:
    LedgerPagesTest() {
        SetBodyHeader(print,
                      {"Brellan 20", " (Policy Form No. TL-2003 et al)", "Level Premium Term", "John Sample",
                       "35", "Male", "Preferred No Nicotine Use", "$250,000", "Sam Broker"});
        client.SetState("TX");
        client.SetAge(35);
        client.SetIsMale(true);
        client.SetClassification(2);
        client.SetTableRating("None");
        Quote({4}, {250000}, 20);
        print.StartDoc(4);
    }

    void Quote(const std::vector<std::int32_t>& products, const std::vector<std::int32_t>& faces,
               std::int16_t yearsToPrint) {
        auto& options = client.Proposal();
        options.ClearProdChoices();
        for (const std::int32_t product : products) options.AddProduct(product);
        options.ClearFaceAmounts();
        for (const std::int32_t face : faces) options.AddFaceAmount(face, client.State());
        options.SetYearsToPrint(yearsToPrint);
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

    void WriteSamplePages(const std::string& name) const { ::WriteSamplePages(document(), name); }

    PrintSurface surface;
    ProposalPrinter print{surface, FixedChance()};
    ClientCase client;
    ProcessValues process;
    ProposalRun run{process, ""};
    PageContext context{print, client, run, QUORAVEL_PROGRAM_DIR, QUORAVEL_PROGRAM_DIR};
};

// --- The ledger page object ------------------------------------------------

TEST_F(LedgerPagesTest, TheBreakdownShowsTheChargedPartsUnderTheirLabels) {
    struct Case {
        const char* what;
        const char* table;
        double tableExtra;
        double tempExtra;
        double permExtra;
        double waiver;
        double waiverRating;
        double child;
        std::vector<std::string> lines;  // breakdown lines in order
    };
    // clang-format off
    const Case cases[] = {
        {"standard waiver only", "None", 0, 0, 0, 45.5, 1, 0,
         {"Base Premium: 1,234.50", "Waiver: 45.50", "Total First-Year Premium: $1,280.00"}},
        {"rated waiver", "None", 0, 0, 0, 68.25, 1.5, 0,
         {"Base Premium: 1,234.50", "Waiver (Rated 150%): 68.25", "Total First-Year Premium: $1,302.75"}},
        {"every part", "B", 592.25, 250, 1000, 45.5, 1, 27.5,
         {"Base Premium: 1,234.50", "Rated Class (B): 592.25", "Temporary Flat Extra (5 yrs): 250.00",
          "Permanent Flat Extra: 1,000.00", "Waiver: 45.50", "Child rider ($5,000): 27.50",
           "Total First-Year Premium: $3,149.75"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        print.StartDoc(4);
        LedgerPage page;
        page.SetLedgerHeader(true);
        YearPremium year;
        year.base = 1234.5;
        year.tableExtra = c.tableExtra;
        year.tempFlatExtra = c.tempExtra;
        year.permFlatExtra = c.permExtra;
        year.waiver = c.waiver;
        year.childRider = c.child;
        page.SetFirstYear(year, {5, c.waiverRating, 5, c.table});
        EXPECT_EQ(page.PrintHeader(print, true), 7);
        const auto lines = PageLines(document(), 1);
        ASSERT_EQ(lines.size(), c.lines.size() + 1);
        EXPECT_EQ(lines[0], "First Year Annual Premium");
        for (std::size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(lines[i + 1], c.lines[i]);
        // Later pages, and a page object left off, print nothing and take no lines.
        const std::size_t items = document().pages[0].items.size();
        EXPECT_EQ(page.PrintHeader(print, false), 0);
        page.SetLedgerHeader(false);
        EXPECT_EQ(page.PrintHeader(print, true), 0);
        EXPECT_EQ(document().pages[0].items.size(), items);
    }
}

// --- The ledger section ----------------------------------------------------

TEST_F(LedgerPagesTest, YearsShownFollowTheOptionsUpToTheIllustrationEndAge) {
    struct Case {
        std::int16_t yearsToPrint;
        const char* state;
        std::int16_t age;
        std::size_t covered;
        int shown;  // worked by hand from the options and the illustration horizon
    };
    const Case cases[] = {
        {20, "TX", 35, 66, 20},  {40, "TX", 35, 66, 40},  {100, "TX", 35, 66, 63},  // 98 − 35
        {100, "NY", 35, 66, 65}, {100, "MD", 35, 66, 60}, {40, "TX", 70, 31, 28},
        {20, "TX", 45, 10, 10},  // a product ending earlier
    };
    for (const Case& c : cases) {
        client.SetState(c.state);
        client.SetAge(c.age);
        client.Proposal().SetYearsToPrint(c.yearsToPrint);
        EXPECT_EQ(YearsShown(client, c.covered), c.shown)
            << "years to print " << c.yearsToPrint << ", " << c.state << ", age " << c.age << ", covered "
            << c.covered;
    }
}

TEST_F(LedgerPagesTest, AOnePageQuotationShowsTheBreakdownTheYearsAndTheIndices) {
    PrintLedgerSection(context);
    ASSERT_EQ(run.Errors.Count(), 0);
    ASSERT_EQ(surface.PageCount(), 2);
    const std::vector<double> premiums = AnnualPremiums();
    EXPECT_TRUE(Has(2, "First Year Annual Premium"));
    EXPECT_TRUE(Has(2, "Base Premium: " + FormatAmount(premiums[0], 2)));
    EXPECT_TRUE(Has(2, "Total First-Year Premium: $" + FormatAmount(premiums[0], 2)));
    EXPECT_TRUE(Has(2, "Guaranteed Premiums and Benefits"));
    EXPECT_TRUE(Has(2, "Year Age Annual Death Benefit"));
    EXPECT_EQ(LedgerRows(document(), 2), 20);
    EXPECT_TRUE(Has(2, "1 35 " + FormatAmount(premiums[0], 2) + " 250,000"));
    EXPECT_TRUE(Has(2, "20 54 " + FormatAmount(premiums[19], 2) + " 250,000"));
    EXPECT_TRUE(Has(2, "Modal Factors: Special Monthly (Pre-Arranged Withdrawals): 0.0875 (10.8% APR),"));

    // Outside MD the surrender value is 0, so both indices of a period agree.
    ProductInfo product;
    product.FillProduct(4, 35, false);
    const auto indices = ComputeInterestIndices(premiums, 250000, 35, "TX", product);
    const std::string ten = FormatAmount(indices.tenYear.netPayment, 2);
    const std::string twenty = FormatAmount(indices.twentyYear.netPayment, 2);
    EXPECT_TRUE(Has(2, "10 Year Net Payment/Surrender Cost " + ten + " / " + ten));
    EXPECT_TRUE(Has(2, "20 Year Net Payment/Surrender Cost " + twenty + " / " + twenty));
}

// The page says the riders are excluded from the indices. Brellan 20's
// premium is level for twenty years, so both indices are its base premium
// per 1,000 of face amount, whatever the waiver and children's rider add.
TEST_F(LedgerPagesTest, TheCostIndicesLeaveTheRidersOut) {
    client.SetWaiver(true);
    client.SetChildRider(true);
    client.SetChildRiderUnits(2);
    PrintLedgerSection(context);
    ASSERT_EQ(run.Errors.Count(), 0);
    const YearPremium first = LedgerColumn(context, 4, 0, client.Classification()).years.front();
    ASSERT_GT(first.waiver + first.childRider, 0);
    const std::string index = FormatAmount(round(2, first.base * 1000 / 250000), 2);
    EXPECT_TRUE(Has(2, "10 Year Net Payment/Surrender Cost " + index + " / " + index));
    EXPECT_TRUE(Has(2, "20 Year Net Payment/Surrender Cost " + index + " / " + index));
}

TEST_F(LedgerPagesTest, RowsFillWholeBlocksAndTheBlocksStayOnTheFirstAndLastPages) {
    struct Case {
        std::int32_t mode;
        std::vector<int> rowsPerPage;  // 30 lines less the breakdown (7 + 2) and a symbol's 2, in blocks of 5
    };
    const Case cases[] = {{Annual, {25, 15}}, {Quarterly, {20, 20}}};
    for (const Case& c : cases) {
        SCOPED_TRACE("payment mode " + std::to_string(c.mode));
        print.StartDoc(4);
        client.SetPaymentMode(c.mode);
        Quote({4}, {250000}, 40);
        PrintLedgerSection(context);
        ASSERT_EQ(surface.PageCount(), 3);
        EXPECT_EQ(LedgerRows(document(), 2), c.rowsPerPage[0]);
        EXPECT_EQ(LedgerRows(document(), 3), c.rowsPerPage[1]);
        EXPECT_TRUE(Has(2, "First Year Annual Premium"));
        EXPECT_FALSE(Has(3, "First Year Annual Premium"));
        EXPECT_FALSE(Has(2, "Interest Adjusted"));
        EXPECT_TRUE(Has(3, "5% Interest Adjusted Indices"));
        EXPECT_TRUE(Has(3, "John Sample"));
    }
}

TEST_F(LedgerPagesTest, ModalPremiumsCoverTheLevelYearsAndTheFootnotesSaySo) {
    client.SetPaymentMode(Quarterly);
    Quote({2}, {250000}, 20);
    PrintLedgerSection(context);
    const std::vector<double> premiums = AnnualPremiums();
    // Brellan 10 is level for 10 years: quarterly premiums there, annual after.
    EXPECT_TRUE(Has(2, "Quarterly Death Benefit"));
    EXPECT_TRUE(Has(2, "Premium Outlay#"));
    EXPECT_TRUE(Has(2, "1 35 " + FormatAmount(round(2, premiums[0] * 0.26), 2) + " 250,000"));
    EXPECT_TRUE(Has(2, "10 44 " + FormatAmount(round(2, premiums[9] * 0.26), 2) + " 250,000"));
    EXPECT_TRUE(Has(2, "11 45 " + FormatAmount(premiums[10], 2) + " 250,000"));
    EXPECT_TRUE(Has(2, "# These are initial quarterly premiums.  Other premiums shown are annual.  Future"));

    // Massachusetts lists the first-year premium of each mode instead of the factors.
    print.StartDoc(4);
    client.SetState("MA");
    PrintLedgerSection(context);
    const ModalPremiums modal = FirstYearModalPremiums(AnnualPremiums()[0]);
    EXPECT_TRUE(Has(2, "Special Monthly: $" + FormatAmount(modal.specialMonthly, 2) + " Quarterly: $" +
                           FormatAmount(modal.quarterly, 2) + " Semi-Annual: $" +
                           FormatAmount(modal.semiAnnual, 2)));
    EXPECT_FALSE(Has(2, "Modal Factors:"));
}

TEST_F(LedgerPagesTest, EachReportHasItsTitleAndColumnHeadings) {
    struct Case {
        const char* report;
        std::vector<std::int32_t> products;
        std::vector<std::int32_t> faces;
        LedgerLayout layout;
        const char* title;
        const char* headings;
    };
    // clang-format off
    const Case cases[] = {
        {"basic quotation", {4}, {250000}, LedgerLayout::BasicQuotation, "Guaranteed Premiums and Benefits",
         "Year Age Annual Death Benefit"},
        {"face comparison", {4}, {100000, 250000, 500000}, LedgerLayout::FaceComparison,
         "Comparison of Premiums for the Guaranteed Period", "Year $100,000 $250,000 $500,000"},
        {"product comparison", {2, 3, 4}, {250000}, LedgerLayout::ProductComparison,
         "Premium Outlay Comparison",
         "Year Brellan 10 Brellan 15 Brellan 20"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        print.StartDoc(4);
        Quote(c.products, c.faces, 20);
        EXPECT_EQ(ReportLayout(client.Proposal()), c.layout);
        PrintLedgerSection(context);
        EXPECT_TRUE(Has(2, c.title));
        EXPECT_TRUE(Has(2, c.headings));
        EXPECT_EQ(LedgerRows(document(), 2), 20);
        EXPECT_EQ(Has(2, "First Year Annual Premium"), c.layout == LedgerLayout::BasicQuotation);
        EXPECT_EQ(Has(2, "Interest Adjusted"), c.layout == LedgerLayout::BasicQuotation);
    }
    EXPECT_EQ(run.Errors.Count(), 0);
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
    Quote({4, 14}, {250000}, 20);
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

// --- Class comparison ------------------------------------------------------

TEST_F(LedgerPagesTest, ClassesAreComparedWithTheIssuedClassesBelowThemOnTheirLadder) {
    struct Case {
        std::int32_t classCode;
        std::int32_t product;
        std::int16_t age;
        std::vector<std::int32_t> classes;
    };
    const Case cases[] = {
        {0, 4, 35, {0, 1, 2}}, {2, 4, 35, {2, 3, 4}}, {4, 4, 35, {4, 7}},  {7, 4, 35, {7}},
        {5, 4, 35, {5, 6, 8}}, {6, 4, 35, {6, 8}},    {0, 18, 62, {0, 2}},  // the Quenby products issue no
                                                                            // super-preferred class
    };
    for (const Case& c : cases) {
        client.SetClassification(c.classCode);
        client.SetAge(c.age);
        EXPECT_EQ(ClassesCompared(client, c.product, false), c.classes)
            << "class " << c.classCode << ", product " << c.product;
    }
}

TEST_F(LedgerPagesTest, TheClassComparisonMarksTheClientsClass) {
    PrintClassComparisonPages(context);
    ASSERT_EQ(run.Errors.Count(), 0);
    EXPECT_TRUE(Has(2, "Comparison of Guaranteed Premiums by Risk Classification"));
    // The class names wrap in their columns.
    EXPECT_TRUE(Has(2, "Year Age Preferred No Nicotine Select No Nicotine Standard No Nicotine"));
    EXPECT_TRUE(Has(2, "Use** Use Use"));
    EXPECT_TRUE(Has(2, "** Assumed Risk Classification of Client"));
    EXPECT_EQ(LedgerRows(document(), 2), 20);
    EXPECT_FALSE(Has(2, "First Year Annual Premium"));
}

// --- Commission page -------------------------------------------------------

TEST_F(LedgerPagesTest, TheCommissionPageListsTheQuotedProductsRows) {
    TempFolder folder;
    // Brellan 10 and 20 have rate columns 1 and 3: rows 2 and 4; Carrow 20 has none: row 0.
    folder.Write("TermComm.ini",
                 "[0]\r\nFirstYear=40\r\n[2]\r\nFirstYear=80\r\nRenewal=3\r\n"
                 "[4]\r\nFirstYear=72.5\r\nRenewal=2\r\n");
    const CommissionSettings commission(folder.folder());
    Quote({2, 4, 10}, {250000}, 20);
    PrintCommissionPage(context, commission);
    EXPECT_EQ(surface.PageCount(), 1);  // not asked for

    client.Proposal().SetOutputCommision(true);
    PrintCommissionPage(context, commission);
    ASSERT_EQ(surface.PageCount(), 2);
    EXPECT_TRUE(Has(2, "Broker Commission Schedule"));
    EXPECT_TRUE(Has(2, "Product First Year Renewal"));
    EXPECT_TRUE(Has(2, "Brellan 10 80% 3%"));
    EXPECT_TRUE(Has(2, "Brellan 20 72.5% 2%"));
    EXPECT_TRUE(Has(2, "Carrow 20 40% Not set"));
}

// --- Golden pages ----------------------------------------------------------

TEST_F(LedgerPagesTest, GoldenPages) {
    struct Case {
        const char* name;
        std::vector<std::int32_t> products;
        std::int32_t mode;
        const char* state;
    };
    const Case cases[] = {
        {"ledger-basic-quotation", {4}, Quarterly, "MA"},
        {"ledger-product-comparison", {1, 2, 3, 4, 5}, SemiAnnual, "TX"},
        {"ledger-class-comparison", {4}, Annual, "TX"},
        {"ledger-commission", {2, 4}, Annual, "TX"},
    };
    TempFolder folder;
    folder.Write("TermComm.ini", "[2]\r\nFirstYear=80\r\nRenewal=3\r\n[4]\r\nFirstYear=70\r\nRenewal=2\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        print.StartDoc(4);
        client.SetPaymentMode(c.mode);
        client.SetState(c.state);
        client.SetWaiver(true);
        client.SetWaiverRating(1.5);
        Quote(c.products, {250000}, 40);
        const std::string name = c.name;
        if (name == "ledger-class-comparison") {
            PrintClassComparisonPages(context);
        } else if (name == "ledger-commission") {
            client.Proposal().SetOutputCommision(true);
            PrintCommissionPage(context, CommissionSettings(folder.folder()));
        } else {
            PrintLedgerSection(context);
        }
        EXPECT_EQ(run.Errors.Count(), 0);
        EXPECT_EQ(CompareWithGolden(document(), name), "");
        WriteSamplePages(name);
        if (name == "ledger-basic-quotation") {
            // The columns (720, 720, 1800, 1800 twips) stand centred between
            // the margins of 700 twips, the amounts right-aligned 60 twips
            // inside their cells: the table's left edge is 700 + (10,840 − 5,040) / 2.
            EXPECT_EQ(CheckPlacement(document(), {{2, "35", 3600 + 1440 - 60, -1, true},
                                                  {2, "261.95", 3600 + 3240 - 60, -1, true},
                                                  {2, "250,000", 3600 + 5040 - 60, -1, true}}),
                      "");
        }
    }
}

}  // namespace
