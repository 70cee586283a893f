#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <filesystem>
#include <set>

#include "CoverPage.h"
#include "Golden.h"
#include "NarrativeSummaryPage.h"
#include "PageContext.h"
#include "PageFixture.h"
#include "PngOutput.h"
#include "PrintSurface.h"
#include "ProductNarrative.h"
#include "Rounding.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

std::size_t LineIndex(const std::vector<std::string>& lines, const std::string& part) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (Contains(lines[i], part)) return i;
    return lines.size();
}

// A case on a surface with the chance and the calendar fixed; the pages are
// looked at without running the frame's footers.
class CoverSummaryTest : public ::testing::Test {
protected:
    CoverSummaryTest() {
        auto broker = std::make_shared<Broker>();
        const std::pair<BrokerField, const char*> fields[] = {{BrokerField::first_name, "Dana"},
                                                              {BrokerField::last_name, "Whitfield"},
                                                              {BrokerField::address_1, "118 Orchard Lane"},
                                                              {BrokerField::city, "Columbus"},
                                                              {BrokerField::state, "OH"},
                                                              {BrokerField::zip, "43215"},
                                                              {BrokerField::phone_num, "6145550142"},
                                                              {BrokerField::license_num, "OH-772104"},
                                                              {BrokerField::GA_Name, "Buckeye Brokerage"}};
        for (const auto& [field, value] : fields) broker->Set(field, value);
        client.SetBroker(broker);
        client.SetFirstName("Morgan");
        client.SetLastName("Ellery");
        client.SetAge(45);
        client.SetIsMale(true);
        client.SetClassification(2);
        client.SetTableRating("None");
        Quote(0, "OH", {4}, {250000});
        SetBodyHeader(print, {"Brellan 30®", " (Policy Form Nos. 1420 (96) NJ et al and 1421 et al)",
                              "Term Life Insurance", "Morgan Ellery", "45", "Male",
                              "Preferred No Nicotine Use", "$250,000", "Dana Whitfield"});
    }

    void Quote(std::int32_t company, const std::string& state, std::vector<std::int32_t> products,
               std::vector<std::int32_t> faces) {
        IllustrationOptions options;
        options.SetCompany(company);
        for (auto product : products) options.AddProduct(product);
        for (auto face : faces) options.AddFaceAmount(face, state);
        client.SetState(state);
        client.SetProposal(options);
    }

    const Document& document() const { return surface.GetDocument(); }
    // The cover alone on a surface of its own, from the program folder given.
    Document CoverFrom(const std::string& programFolder) {
        PrintSurface own;
        ProposalPrinter handle{own};
        PageContext page{handle, client, run, programFolder, ""};
        handle.StartDoc(4);
        PrintCover(page);
        return own.GetDocument();
    }
    void Cover() {
        print.StartDoc(4);
        PrintCover(context);
    }
    void Narrative() {
        print.StartDoc(4);
        PrintNarrativeSummary(context);
    }
    // The pages as PNG pictures for a person to look at.
    void Look(const std::string& name) { WriteSamplePages(document(), name); }

    PrintSurface surface;
    ProposalPrinter print{surface, FixedChance()};
    ProcessValues process;
    ProposalRun run{process, ""};
    ClientCase client;
    TempFolder pictures;
    PageContext context{print, client, run, QUORAVEL_PROGRAM_DIR, ""};
};

// Rows: the case, a line the cover must show and a text it must not.
TEST_F(CoverSummaryTest, CoverTextsByCarrierStateAndReport) {
    struct Row {
        std::int32_t company;
        const char* state;
        std::vector<std::int32_t> products;
        std::vector<std::int32_t> faces;
        std::vector<const char*> lines;
        const char* absent;
    };
    // clang-format off
    const Row rows[] = {
        {0, "NJ", {4}, {250000}, {"Brellan 20 (Policy Form Nos. 1420 (96) NJ et al & 1421 et al)"},
         "Policy Form No."},
        {0, "MD", {4}, {250000}, {"Brellan 20 (Policy Form No. 1421 MD et al)"}, "Nos."},
        {2, "NJ", {4}, {250000}, {"Korvel® 20 (Policy Form No. Talvern-1420 NJ et al)"}, "Nos."},
        {0, "MT", {4}, {250000}, {"Age 45, Preferred No Nicotine Use"}, "Male"},
        {0, "OH", {4}, {1000000, 250000, 500000}, {"$250,000, $500,000, $1,000,000"}, "Total First-Year"},
        {2, "OH", {2, 4, 33}, {250000},
         {"Castmere Life Insurance Company", "Korvel® 10 (Policy", "Korvel® 20 (Policy",
          "Amberlin 30 • 15 (Policy"}, "Total First-Year"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.state) + " company " + std::to_string(row.company));
        Quote(row.company, row.state, row.products, row.faces);
        const Document cover = CoverFrom(QUORAVEL_PROGRAM_DIR);
        for (const char* line : row.lines) EXPECT_TRUE(PageHasLine(cover, 1, line)) << line;
        EXPECT_FALSE(Contains(AllText(cover), row.absent));
    }
}

TEST_F(CoverSummaryTest, RatingsExtrasAndRidersAreListed) {
    client.SetTableRating("B");
    client.SetPermFlatExtra(2.5);
    client.SetTempFlatExtra(5);
    client.SetTempFlatExtraYears(3);
    client.SetChildRider(true);
    client.SetChildRiderUnits(2);
    client.SetWaiver(true);
    client.SetWaiverRating(1.5);
    Cover();
    for (const char* line :
         {"Table Rating: B", "Permanent Flat Extra: $2.50 per $1000",
          "Temporary Flat Extra: $5.00 per $1000 for 3 yrs.", "Child Rider: 2 unit(s)", "Waiver: Rated 150%"})
        EXPECT_TRUE(PageHasLine(document(), 1, line)) << line;

    client.SetWaiverRating(1);
    const auto lines = PageLines(CoverFrom(QUORAVEL_PROGRAM_DIR), 1);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Waiver"), lines.end())
        << "a standard waiver is not rated";
}

// The premium of a mode is the annual premium times the mode's factor, to the cent.
TEST_F(CoverSummaryTest, FirstYearPremiumOfEachMode) {
    auto premium = [&](std::int32_t mode, const std::string& word) {
        client.SetPaymentMode(mode);
        const std::string prefix = "Total First-Year " + word + " Premium: $";
        for (auto line : PageLines(CoverFrom(QUORAVEL_PROGRAM_DIR), 1)) {
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
    Cover();
    Look("cover");
    ASSERT_EQ(surface.PageCount(), 1) << "the cover fits on one page";
    const auto lines = PageLines(document(), 1);
    EXPECT_LT(LineIndex(lines, "Buckeye Brokerage"), lines.size());
    const std::size_t head = LineIndex(lines, "Insurance and annuity products:");
    ASSERT_LT(head + 4, lines.size());
    EXPECT_EQ(lines[head + 1], " *   Are not deposits.");
    EXPECT_EQ(lines[head + 2], " *   Are not insured by the FDIC or any other federal government agency.");
    EXPECT_EQ(lines[head + 3], " *   Are not guaranteed by the bank or its affiliates.");
    EXPECT_EQ(lines[head + 4], " *   May decrease in value.");
    const auto& items = document().pages[0].items;
    EXPECT_TRUE(std::any_of(items.begin(), items.end(), [](const DrawItem& item) {
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
    EXPECT_EQ(pictureOf(CoverFrom(pictures.folder())), nullptr);

    QImage image(400, 120, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");  // read by its content, whatever the name says
    pictures.Write("Term.gif", bytes.toStdString());

    const Document cover = CoverFrom(pictures.folder());
    const PictureItem* picture = pictureOf(cover);
    ASSERT_NE(picture, nullptr);
    EXPECT_DOUBLE_EQ(picture->x, 2500);
    EXPECT_DOUBLE_EQ(picture->y, 600);
    EXPECT_DOUBLE_EQ(picture->width, 400 * 15 * 0.7);
    EXPECT_DOUBLE_EQ(picture->height, 120 * 15 * 0.7);
    const TextItem* carrier = FindText(cover, 1, "Castmere");
    ASSERT_NE(carrier, nullptr);
    EXPECT_GT(carrier->baseline - 7 * 20, picture->y + picture->height) << "the carrier's line stands below";
}

// Without the picture and without rates (a face comparison), so that the
// snapshot holds the cover's own layout only.
TEST_F(CoverSummaryTest, CoverGolden) {
    context.programFolder = pictures.folder();
    Quote(0, "OH", {4}, {250000, 500000});
    client.SetWaiver(true);
    client.SetWaiverRating(1.25);
    Cover();
    EXPECT_EQ(CompareWithGolden(document(), "cover"), "");
}

ClientCase NarrativeCase(std::int32_t product, std::int32_t company, const std::string& state,
                         std::int16_t age) {
    ClientCase client;
    IllustrationOptions options;
    options.SetCompany(company);
    options.AddProduct(product);
    client.SetProposal(options);
    client.SetState(state);
    client.SetAge(age);
    return client;
}

// Rows: product, carrier, state and a sentence its description must hold,
// from the product's periods and the illustration horizon.
TEST(ProductNarrativeTest, DescriptionByProductCarrierAndState) {
    struct Row {
        std::int32_t product;
        std::int32_t company;
        const char* state;
        const char* sentence;
    };
    const Row rows[] = {
        {5, 0, "OH",
         "Brellan 30® is a Term Life Insurance policy.  The Guaranteed Premiums and Benefits shown are "
         "guaranteed.  "
         "Premiums are guaranteed level for 30 years.  Guaranteed premiums increase annually thereafter.  "
         "The last premium is payable at age 97 and coverage ceases at age 98."},
        {5, 0, "MD", "payable at age 94 and coverage ceases at age 95."},
        {14, 0, "NY", "Tessel 20 is a Term Life Insurance policy."},
        {14, 0, "NY", "payable at age 79 and coverage ceases at age 80."},
        {18, 1, "NY", "Quenby 10 is an Increasing Premium Life Insurance policy."},
        {18, 1, "NY", "payable at age 99 and coverage ceases at age 100."},
        {32, 0, "OH",
         "Premiums are guaranteed level for 10 years.  From policy year 11 through policy year 20 premiums "
         "increase annually"},
        {6, 0, "OH", "guaranteed for the first 10 years and increase annually after the first policy year."},
        {8, 0, "OH", "The premiums of the first 7 years are select premiums"},
        {27, 1, "NY", "Premiums are guaranteed level for the first 5 years."},
        {2, 2, "OH", "Korvel® 10 is a Term Life Insurance policy."},
    };
    for (const Row& row : rows) {
        const std::string description =
            DescribeProduct(NarrativeCase(row.product, row.company, row.state, 40), row.product).description;
        EXPECT_TRUE(Contains(description, row.sentence))
            << "product " << row.product << " in " << row.state << ": " << description;
    }
}

TEST(ProductNarrativeTest, OptionsRidersAndTablesByProductAndState) {
    ProductNarrative text = DescribeProduct(NarrativeCase(5, 0, "OH", 45), 5);
    EXPECT_TRUE(Contains(text.requalification, "ends by the insured's age 50"));
    EXPECT_TRUE(Contains(text.conversion,
                         "initial period (30 years) or to the insured's attained age 75, "
                         "whichever comes first.  "));
    EXPECT_FALSE(Contains(text.conversion, "75 to 77"));
    EXPECT_EQ(text.conversionTerm, "Conversion\nOption");
    EXPECT_DOUBLE_EQ(text.policyFee, 50);
    EXPECT_TRUE(text.offersChildRider);
    EXPECT_FALSE(text.showSurrenderCharges);

    text = DescribeProduct(NarrativeCase(5, 0, "NJ", 45), 5);
    EXPECT_EQ(text.requalification, "Requalification is not available for Brellan 30® in this state.");
    EXPECT_FALSE(Contains(text.additionalFeatures, "Requalification option"));
    ASSERT_TRUE(text.showSurrenderCharges) << "the 30-year product has a cash value in NJ";
    EXPECT_TRUE(Contains(text.cashValues, "reaches $10.00 per $1,000 of face amount in policy year 15"));

    text = DescribeProduct(NarrativeCase(2, 0, "MD", 76), 2);
    EXPECT_EQ(text.conversionTerm, "Conversion\n(Exchange)\nOption");
    EXPECT_TRUE(Contains(text.conversion,
                         "For issue ages 75 to 77, conversion is available up to one year from "
                         "the date of issue."));
    EXPECT_FALSE(text.showSurrenderCharges);

    EXPECT_DOUBLE_EQ(DescribeProduct(NarrativeCase(12, 0, "OH", 45), 12).policyFee, 60);
    EXPECT_TRUE(Contains(DescribeProduct(NarrativeCase(6, 0, "OH", 45), 6).requalification, "re-entry"));

    text = DescribeProduct(NarrativeCase(19, 1, "NY", 45), 19);
    EXPECT_EQ(text.conversionTerm, "Exchange\nOption");
    EXPECT_FALSE(text.offersChildRider) << "the increasing-premium plans carry the waiver only";
}

TEST_F(CoverSummaryTest, NarrativeEntriesWithBodyHeaderOnEveryPage) {
    client.SetWaiver(true);
    client.SetWaiverRating(1);
    Narrative();
    ASSERT_GE(surface.PageCount(), 2);
    for (int page = 1; page <= surface.PageCount(); ++page)
        EXPECT_TRUE(PageHasLine(document(), page, "Prepared for: Morgan Ellery")) << "page " << page;
    const std::string all = AllText(document());
    for (const char* part :
         {"Waiver of Premium Rider (Selected)",
          "Children's Level Term Insurance Rider (Child Rider) (Available, but not selected)"})
        EXPECT_TRUE(Contains(all, part)) << part;
    EXPECT_FALSE(Contains(all, "Rated")) << "a standard waiver is not rated";
    EXPECT_FALSE(Contains(all, "Year Charge Year Charge")) << "no surrender charges outside NJ and MD";
    EXPECT_FALSE(Contains(all, "Waiver Rate per $1000"));
}

// A term that wraps to more lines than its explanation keeps the next entry
// below its last line, a blank line between, as every other entry has.
TEST_F(CoverSummaryTest, ATermTallerThanItsExplanationKeepsTheNextEntryBelowIt) {
    print.StartDoc(4);
    NarrativeSummaryPage page;
    page.Reference(print);
    page.start();
    page.AddDefinition("First\nSecond\nThird", "One line.");
    page.AddDefinition("Next", "Another line.");
    page.finish();
    const TextItem* first = FindText(document(), 1, "First");
    const TextItem* third = FindText(document(), 1, "Third");
    const TextItem* next = FindText(document(), 1, "Next");
    ASSERT_TRUE(first && third && next);
    const double line = (third->baseline - first->baseline) / 2;
    EXPECT_NEAR(next->baseline - third->baseline, 2 * line, line / 4);
}

// The riders as chosen and the state's own wording; the surrender charges
// and waiver rates of this case are pinned by the narrative's golden page.
TEST_F(CoverSummaryTest, NarrativeRiderSelectionsAndStateTables) {
    Quote(0, "NJ", {5}, {250000});
    client.SetWaiver(true);
    client.SetWaiverRating(1.5);
    client.SetChildRider(true);
    client.SetChildRiderUnits(4);
    Narrative();
    const std::string all = AllText(document());
    for (const char* part :
         {"Waiver of Premium Rider (Selected)", "Rated 150%", "Unit(s) = 4 ($4,000 per child)",
          "Requalification is not available for Brellan 30® in this state."})
        EXPECT_TRUE(Contains(all, part)) << part;
}

TEST_F(CoverSummaryTest, NarrativeGolden) {
    Quote(0, "NJ", {5}, {250000});
    client.SetWaiver(true);
    client.SetWaiverRating(1.5);
    Narrative();
    Look("narrative");
    EXPECT_EQ(CompareWithGolden(document(), "narrative-summary"), "");
}

TEST_F(CoverSummaryTest, NarrativeAfterTheCoverBeginsANewPage) {
    Cover();
    PrintNarrativeSummary(context);
    ASSERT_GE(surface.PageCount(), 2);
    EXPECT_TRUE(PageHasLine(document(), 2, "Narrative Summary"));
    EXPECT_FALSE(PageHasLine(document(), 1, "Prepared for:")) << "the cover has no body header";
}

}  // namespace
