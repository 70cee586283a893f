#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <functional>

#include "CoverPage.h"
#include "Golden.h"
#include "NarrativeSummaryPage.h"
#include "PageContext.h"
#include "PageFixture.h"
#include "PrintSurface.h"
#include "ProductNarrative.h"
#include "Rounding.h"
#include "SampleCase.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

// A case on a surface with the chance and the calendar fixed, without the frame's footers.
class CoverSummaryTest : public ::testing::Test {
protected:
    CoverSummaryTest() {
        auto broker = std::make_shared<Broker>();
        using enum BrokerField;
        // clang-format off
        for (const auto& [field, value] : std::initializer_list<std::pair<BrokerField, const char*>>{
                 {first_name, "Dana"}, {last_name, "Whitfield"}, {address_1, "118 Orchard Lane"},
                 {city, "Columbus"}, {state, "OH"}, {zip, "43215"}, {phone_num, "6145550142"},
                 {license_num, "OH-772104"}, {GA_Name, "Buckeye Brokerage"}})
            broker->Set(field, value);
        // clang-format on
        client.SetBroker(broker);
        client.SetFirstName("Morgan");
        client.SetLastName("Ellery");
        client.SetAge(45);
        Quote(0, "OH", {4}, {250000});
        SetBodyHeader(print, {"Brellan 30®", " (Policy Form Nos. 1420 (96) NJ et al and 1421 et al)",
                              "Term Life Insurance", "Morgan Ellery", "45", "Male",
                              "Preferred No Nicotine Use", "$250,000", "Dana Whitfield"});
    }

    void Quote(std::int32_t company, const std::string& state, const std::vector<std::int32_t>& products,
               const std::vector<std::int32_t>& faces) {
        client.SetState(state);
        client.SetProposal({});
        client.Proposal().SetCompany(company);
        ::Quote(client, products, faces);
    }

    const Document& document() const { return surface.GetDocument(); }
    // The page alone (the cover unless told), from the program folder given.
    const Document& Printed(void (*page)(PageContext&) = PrintCover,
                            const std::string& programFolder = QUORAVEL_PROGRAM_DIR) {
        context.programFolder = programFolder;
        print.StartDoc(4);
        page(context);
        return document();
    }

    PrintSurface surface;
    ProposalPrinter print{surface, FixedChance()};
    ProcessValues process;
    ProposalRun run{process, ""};
    ClientCase client = SampleProposalCase();  // a preferred male without nicotine
    TempFolder pictures;
    PageContext context{print, client, run, QUORAVEL_PROGRAM_DIR, ""};
};

// Rows: the case, texts its cover (or narrative) must show and must not. The narrative shows the riders as
// chosen, a standard waiver not rated; outside New Jersey and Maryland no surrender charges or waiver rates.
TEST_F(CoverSummaryTest, CoverAndNarrativeTextsByCarrierStateReportAndRatings) {
    struct Row {
        std::int32_t company;
        const char* state;
        std::vector<std::int32_t> products, faces;
        std::vector<const char*> lines, absent;
        std::function<void(ClientCase&)> change = {};
        bool narrative = false;
    };
    // clang-format off
    const Row rows[] = {
        {0, "NJ", {4}, {250000}, {"Brellan 20 (Policy Form Nos. 1420 (96) NJ et al & 1421 et al)"},
         {"Policy Form No."}},
        {0, "MD", {4}, {250000}, {"Brellan 20 (Policy Form No. 1421 MD et al)"}, {"Nos."}},
        {2, "NJ", {4}, {250000}, {"Korvel® 20 (Policy Form No. Talvern-1420 NJ et al)"}, {"Nos."}},
        {0, "MT", {4}, {250000}, {"Age 45, Preferred No Nicotine Use"}, {"Male"}},
        {0, "OH", {4}, {1000000, 250000, 500000}, {"$250,000, $500,000, $1,000,000"}, {"Total First-Year"}},
        {2, "OH", {2, 4, 33}, {250000},
         {"Castmere Life Insurance Company", "Korvel® 10 (Policy", "Korvel® 20 (Policy",
          "Amberlin 30 • 15 (Policy"}, {"Total First-Year"}},
        {0, "OH", {4}, {250000}, {"Table Rating: B", "Permanent Flat Extra: $2.50 per $1000",
          "Temporary Flat Extra: $5.00 per $1000 for 3 yrs.", "Child Rider: 2 unit(s)", "Waiver: Rated 150%"},
         {}, [](ClientCase& c) {
             c.SetTableRating("B"); c.SetPermFlatExtra(2.5); c.SetTempFlatExtra(5); c.SetTempFlatExtraYears(3);
             c.SetChildRider(true); c.SetChildRiderUnits(2); c.SetWaiver(true); c.SetWaiverRating(1.5); }},
        // A standard waiver is not rated; a case without a broker has no "Prepared by:" block.
        {0, "OH", {4}, {250000}, {"Waiver"}, {"Rated"}, [](ClientCase& c) { c.SetWaiverRating(1); }},
        {0, "OH", {4}, {250000}, {"Prepared For:"}, {"Prepared by:"}, [](ClientCase& c) { c.SetBroker({}); }},
        {0, "OH", {4}, {250000}, {"Unit(s) = 4 ($4,000 per child)"},
         {"Rated", "Year Charge Year Charge", "Waiver Rate per $1000"},
         [](ClientCase& c) { c.SetWaiverRating(1); c.SetChildRider(true); c.SetChildRiderUnits(4); }, true},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.state) + " company " + std::to_string(row.company));
        Quote(row.company, row.state, row.products, row.faces);
        if (row.change) row.change(client);
        const std::string text = AllText(Printed(row.narrative ? PrintNarrativeSummary : PrintCover));
        for (const char* line : row.lines) EXPECT_TRUE(Contains(text, line)) << line;
        for (const char* absent : row.absent) EXPECT_FALSE(Contains(text, absent)) << absent;
    }
}

// The premium of a mode is the annual premium times the mode's factor, to the cent.
TEST_F(CoverSummaryTest, FirstYearPremiumOfEachMode) {
    auto premium = [&](std::int32_t mode, const std::string& word) {
        client.SetPaymentMode(mode);
        const std::string prefix = "Total First-Year " + word + " Premium: $";
        for (auto line : PageLines(Printed(), 1)) {
            if (line.rfind(prefix, 0) != 0) continue;
            std::erase(line, ',');
            return std::stod(line.substr(prefix.size()));
        }
        ADD_FAILURE() << "no line " << prefix;
        return 0.0;
    };
    const double annual = premium(Annual, "Annual");
    ASSERT_GT(annual, 50) << "a premium carries at least the policy fee";
    EXPECT_DOUBLE_EQ(premium(SemiAnnual, "Semi-annual"), round(2, annual * 0.51));
    EXPECT_DOUBLE_EQ(premium(Quarterly, "Quarterly"), round(2, annual * 0.26));
    EXPECT_DOUBLE_EQ(premium(DirectMonthly, "Monthly"), round(2, annual * 0.09));
    EXPECT_DOUBLE_EQ(premium(SpecialMonthly, "Monthly"), round(2, annual * 0.0875));
}

TEST_F(CoverSummaryTest, BankChannelRelayCoverBoxesTheDisclosureAndNamesTheAgency) {
    run.FISMode = true;
    process.RelayMode = true;
    client.SetChildRider(true);
    client.SetChildRiderUnits(3);
    Quote(2, "NJ", {5, 33}, {250000});
    Printed();
    WriteSamplePages(document(), "cover");
    ASSERT_EQ(surface.PageCount(), 1) << "the cover fits on one page";
    EXPECT_TRUE(PageHasLine(document(), 1, "Buckeye Brokerage"));
    EXPECT_TRUE(
        Contains(AllText(document()),
                 "Insurance and annuity products:  *   Are not deposits.  *   Are not insured by the "
                 "FDIC or any other federal government agency.  *   Are not guaranteed by the bank or "
                 "its affiliates.  *   May decrease in value. "));
    EXPECT_TRUE(std::ranges::any_of(document().pages[0].items, [](const DrawItem& item) {
        return std::holds_alternative<LineItem>(item);
    })) << "the disclosure is boxed";
    EXPECT_EQ(print.TableSep(), "|;");
}

TEST_F(CoverSummaryTest, CoverPictureWhenPresentWithTheTextBelowIt) {
    // A folder without rate files: a face comparison asks for no premium.
    Quote(0, "OH", {4}, {250000, 500000});
    auto pictureOf = [](const Document& cover) -> const PictureItem* {
        for (const auto& item : cover.pages[0].items)
            if (const auto* picture = std::get_if<PictureItem>(&item)) return picture;
        return nullptr;
    };
    EXPECT_EQ(pictureOf(Printed(PrintCover, pictures.folder())), nullptr);

    QImage image(400, 120, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    // Read by its content, whatever the name says.
    ASSERT_TRUE(image.save(QString::fromStdString(pictures.folder() + "Term.gif"), "PNG"));

    const Document cover = Printed(PrintCover, pictures.folder());
    const PictureItem* picture = pictureOf(cover);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(*picture, PictureItem({2500, 600, 400 * 15 * 0.7, 120 * 15 * 0.7, picture->encoded}));
    EXPECT_GT(TextOn(cover, 1, "Castmere").baseline - 7 * 20, picture->y + picture->height)
        << "the carrier's line stands below";
}

// Rows: product, carrier, state and a sentence its description must hold (the premium pattern and the
// options by age are checked against the ledger over every product); then conversion names and riders.
TEST_F(CoverSummaryTest, ProductDescriptionOptionsAndRidersByProductCarrierAndState) {
    const auto describe = [&](std::int32_t product, std::int32_t company, const char* state,
                              std::int16_t age) {
        Quote(company, state, {product}, {250000});
        client.SetAge(age);
        return DescribeProduct(client, product);
    };
    const struct {
        std::int32_t product, company;
        const char *state, *sentence;
    } rows[] = {
        {5, 0, "MD", "payable at age 94 and coverage ceases at age 95."},
        {14, 0, "NY", "Tessel 20 is a Term Life Insurance policy."},
        {18, 1, "NY", "Quenby 10 is an Increasing Premium Life Insurance policy."},
        {18, 1, "NY", "payable at age 99 and coverage ceases at age 100."},
        {2, 2, "OH", "Korvel® 10 is a Term Life Insurance policy."},
    };
    for (const auto& row : rows) {
        const std::string description = describe(row.product, row.company, row.state, 40).description;
        EXPECT_TRUE(Contains(description, row.sentence))
            << "product " << row.product << " in " << row.state << ": " << description;
    }

    ProductNarrative text = describe(2, 0, "MD", 76);
    EXPECT_EQ(text.conversionTerm, "Conversion\n(Exchange)\nOption");
    EXPECT_FALSE(text.showSurrenderCharges);

    text = describe(19, 1, "NY", 45);
    EXPECT_EQ(text.conversionTerm, "Exchange\nOption");
    EXPECT_FALSE(text.offersChildRider) << "the increasing-premium plans carry the waiver only";
}

TEST_F(CoverSummaryTest, ATermTallerThanItsExplanationKeepsTheNextEntryBelowIt) {
    print.StartDoc(4);
    NarrativeSummaryPage page;
    page.Reference(print);
    page.start();
    page.AddDefinition("First\nSecond\nThird", "One line.");
    page.AddDefinition("Next", "Another line.");
    page.finish();
    const double first = TextOn(document(), 1, "First").baseline,
                 third = TextOn(document(), 1, "Third").baseline;
    const double line = (third - first) / 2;
    EXPECT_NEAR(TextOn(document(), 1, "Next").baseline - third, 2 * line, line / 4);
}

// The cover without picture or rates (a face comparison), its own layout alone; Brellan 30's narrative in NJ.
TEST_F(CoverSummaryTest, CoverAndNarrativeGoldens) {
    Quote(0, "OH", {4}, {250000, 500000});
    client.SetWaiver(true);
    client.SetWaiverRating(1.25);
    EXPECT_EQ(CompareWithGolden(Printed(PrintCover, pictures.folder()), "cover"), "");
    Quote(0, "NJ", {5}, {250000});
    client.SetWaiverRating(1.5);
    Printed(PrintNarrativeSummary);
    WriteSamplePages(document(), "narrative");
    EXPECT_EQ(CompareWithGolden(document(), "narrative-summary"), "");
}

}  // namespace
