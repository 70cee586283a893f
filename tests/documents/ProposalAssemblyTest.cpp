#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "CommissionSettings.h"
#include "Golden.h"
#include "PageText.h"
#include "PrintSurface.h"
#include "ProductLookups.h"
#include "ProposalAssembly.h"
#include "ProposalSetup.h"
#include "RelayExchange.h"
#include "SampleCase.h"
#include "TestSupport.h"
#include "TextFile.h"

using namespace quoravel;
namespace fs = std::filesystem;

namespace {

// Separates the parts of a relay node entry in the answer.
const std::string kNodeSeparator = "\xFD";

// A case priced from the sample rate files of the build's program folder; the
// run's pages and answers go to a temporary relay folder.
class ProposalAssemblyTest : public ::testing::Test {
protected:
    ProposalAssemblyTest() {
        process.ProgramFolder = QUORAVEL_PROGRAM_DIR;
        process.VersionText = "V1.0";
        client = SampleProposalCase();
        client.AssignedBroker().Set(BrokerField::first_name, "Sam");
        Quote({4}, {250000});
    }

    void Quote(const std::vector<std::int32_t>& products, const std::vector<std::int32_t>& faces) {
        auto& options = client.Proposal();
        options.ClearProdChoices();
        for (const std::int32_t product : products) options.AddProduct(product);
        options.ClearFaceAmounts();
        for (const std::int32_t face : faces) options.AddFaceAmount(face, client.State());
        options.SetYearsToPrint(20);
    }

    // A relay case: the relay file in the relay folder, the mode on.
    void Relay() {
        process.RelayMode = true;
        process.VersionText = "V1.0w";
        client.SetCompanyVersion("4.2");
        client.SetSystemVersion("7.0.3");
        relay.Write("relay.ini", "[Identifiers]\r\nInsured.Name=John Sample\r\nInsured.State=TX\r\n");
    }

    // A proposal run of its own, answered as its owner answers it.
    IllustrationResult Run() {
        run = std::make_unique<ProposalRun>(process, relay.folder());
        const IllustrationResult result = CreateIllustration(surface, client, commission, *run);
        WriteRelayAnswer(*run);
        return result;
    }

    const Document& document() const { return surface.GetDocument(); }
    int Pages() const { return surface.PageCount(); }
    // The first page holding the text; 0 when none does.
    int PageOf(const std::string& text) const {
        for (int page = 1; page <= Pages(); ++page)
            if (PageHasLine(document(), page, text)) return page;
        return 0;
    }
    bool Has(int page, const std::string& text) const { return PageHasLine(document(), page, text); }
    std::string RelayOut() const {
        return ReadFileBytes(ResolveFileName(relay.path() / "relay.out")).value_or("");
    }
    bool Exists(const std::string& name) const { return FileExists(ResolveFileName(relay.path() / name)); }
    static bool Contains(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }
    // The relay nodes' page ranges lie within the document and never overlap.
    void ExpectDisjointNodes() const {
        std::vector<bool> taken(static_cast<std::size_t>(Pages()) + 1, false);
        for (const RelayNode& node : run->Answer.Nodes) {
            ASSERT_TRUE(node.StartPage >= 1 && node.StartPage <= node.EndPage && node.EndPage <= Pages())
                << node.NodeName;
            for (int page = node.StartPage; page <= node.EndPage; ++page) {
                EXPECT_FALSE(taken[static_cast<std::size_t>(page)]) << node.NodeName << " page " << page;
                taken[static_cast<std::size_t>(page)] = true;
            }
        }
    }
    // Every page from `first` to `last` carries the footer "type, Page p of total".
    void ExpectRun(int first, int last, const std::string& type, int total) const {
        for (int page = first; page <= last; ++page) {
            const std::string footer =
                type + ", Page " + std::to_string(page - first + 1) + " of " + std::to_string(total);
            EXPECT_TRUE(Has(page, footer)) << "page " << page << " lacks " << footer;
        }
    }

    TempFolder relay;
    PrintSurface surface;
    ClientCase client;
    CommissionSettings commission{QUORAVEL_PROGRAM_DIR};
    ProcessValues process;
    std::unique_ptr<ProposalRun> run;
};

TEST_F(ProposalAssemblyTest, SingleProductSectionsRunInOrderAndNumberTheirOwnPages) {
    auto& options = client.Proposal();
    options.SetOutputClassInfo(true);
    options.SetOutputClassComp(true);
    options.SetOutputUnderwritting(true);
    const IllustrationResult result = Run();
    ASSERT_TRUE(result.documentMade);

    const int narrative = PageOf("Narrative Summary");
    // The narrative names the ledger's title too: the column headings are the ledger's own.
    const int ledger = PageOf("Year Age Annual Death Benefit");
    const int classInfo = PageOf("PROPOSED UNDERWRITING CLASSIFICATION INFORMATION");
    const int classComparison = PageOf("Comparison of Guaranteed Premiums by Risk Classification");
    const int underwriting = PageOf("Underwriting Guidelines (as of July 2003)");
    EXPECT_TRUE(Has(1, "Prepared by:")) << "the cover opens the proposal";
    EXPECT_LT(1, narrative);
    EXPECT_LT(narrative, ledger);
    EXPECT_LT(ledger, classInfo);
    EXPECT_LT(classInfo, classComparison);
    EXPECT_LT(classComparison, underwriting);
    EXPECT_EQ(underwriting, Pages());

    // Cover to class information are one run; the two optional sections run on their own.
    ExpectRun(1, classComparison - 1, "Basic Quotation", classComparison - 1);
    ExpectRun(classComparison, underwriting - 1, "Class Comparison", underwriting - classComparison);
    ExpectRun(underwriting, underwriting, "Underwriting Guidelines", 1);
    // (Page lines join the footer's words with single blanks.)
    EXPECT_TRUE(Has(1, "Version: Quoravel® - V1.0"));
    // The footer begins at the left margin on the footer rule's line.
    EXPECT_EQ(CheckPlacement(document(), {{1, "Version:", 700, -1}}), "");
    EXPECT_TRUE(Has(1, "State of Delivery: Texas"));

    const std::string product = GetProductName(4, false, 0);
    EXPECT_TRUE(Has(narrative, product)) << "the body header names the product";
    EXPECT_TRUE(Has(narrative, "$250,000 (Prepared by: Sam Broker)"));

    for (int page = 1; page <= Pages(); ++page) EXPECT_TRUE(Exists("page" + std::to_string(page) + ".emf"));
    const std::string answer = RelayOut();
    EXPECT_TRUE(Contains(answer, "bridge_SourceLedgerPages=" + std::to_string(Pages())));
    EXPECT_TRUE(Contains(
        answer, "page(1," + std::to_string(Pages()) + ").emf" + kNodeSeparator + product + " - $250,000"))
        << answer;
    EXPECT_EQ(result.printerDevice, "PRINTER");
    ExpectDisjointNodes();
}

TEST_F(ProposalAssemblyTest, FaceComparisonPutsTheLedgerBeforeTheNarrativeAndAnswersWithTheLogs) {
    Relay();
    Quote({4}, {100000, 250000});
    client.SetWinFlexPages("2");
    client.Proposal().SetOutputUnderwritting(true);
    ASSERT_TRUE(Run().documentMade);

    const int ledger = PageOf("Comparison of Premiums for the Guaranteed Period");
    const int narrative = PageOf("Narrative Summary");
    EXPECT_LT(1, ledger);
    EXPECT_LT(ledger, narrative);
    const int clientInformation = PageOf("Client Information");
    ASSERT_GT(clientInformation, narrative);
    // The outside system's pages count in the total of the run that holds the ledger.
    ExpectRun(1, clientInformation - 1, "Multiple Face Amount Comparison", clientInformation - 1 + 2);
    ExpectRun(clientInformation, Pages(), "Client Information", Pages() - clientInformation + 1);
    EXPECT_TRUE(Has(ledger, "Quoravel®")) << "a comparison is headed by the system's name";
    EXPECT_TRUE(Has(1, "Version: WFTX 4.2 7.0.3 V1.0w"));

    EXPECT_EQ(PageOf("Underwriting Guidelines (as of July 2003)"), 0);
    EXPECT_TRUE(Exists("UW.PDF"));
    EXPECT_TRUE(Contains(relay.Read("PDF.log"), "|UW.PDF|Underwriting Guidelines|False"));
    const std::string answer = RelayOut();
    EXPECT_TRUE(Contains(answer, kNodeSeparator + "Multiple Face Amount Comparison" + kNodeSeparator))
        << answer;
    EXPECT_TRUE(Contains(answer, kNodeSeparator + "Client Information" + kNodeSeparator)) << answer;
    EXPECT_TRUE(Contains(answer, "Form1=")) << answer;
    EXPECT_TRUE(Contains(answer, "Status=0")) << answer;
    ExpectDisjointNodes();
}

TEST_F(ProposalAssemblyTest, ProductComparisonAnswersWithTheFirstProductsValues) {
    Quote({3, 4}, {250000});
    ASSERT_TRUE(Run().documentMade);

    const int ledger = PageOf("Premium Outlay Comparison");
    EXPECT_LT(1, ledger);
    EXPECT_LT(ledger, PageOf("Narrative Summary"));
    ExpectRun(1, Pages(), "Product Comparison", Pages());
    ExpectDisjointNodes();
    const std::string answer = RelayOut();
    EXPECT_TRUE(Contains(answer, kNodeSeparator + "Product Comparison  - $250,000" + kNodeSeparator))
        << answer;
    EXPECT_TRUE(Contains(answer, "[BasicValues]")) << answer;
}

// The print option: "C" the comparison, "I" one proposal for each product
// or face amount, "B" the comparison and then each; every proposal has its
// own node, the nodes run on page after page, and the answer's values are
// the first proposal's.
TEST_F(ProposalAssemblyTest, PrintOptionsMakeTheComparisonTheIndividualProposalsOrBoth) {
    const std::string comparison = "Product Comparison  - $250,000";
    const std::string brellan15 = "Brellan 15 - $250,000";
    const std::string brellan20 = "Brellan 20 - $250,000";
    struct Case {
        std::vector<std::int32_t> faces;
        std::int32_t option;
        std::vector<std::string> nodes;
        const char* policy;
    } cases[] = {
        {{250000}, IllustrationOptions::Comparison, {comparison}, "Brellan 15"},
        {{250000}, IllustrationOptions::Individual, {brellan15, brellan20}, "Brellan 15"},
        {{250000}, IllustrationOptions::Both, {comparison, brellan15, brellan20}, "Brellan 15"},
        {{100000, 250000},
         IllustrationOptions::Individual,
         {"Brellan 20 - $100,000", brellan20},
         "Brellan 20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nodes.back() + " option " + std::to_string(c.option));
        Quote(c.faces.size() > 1 ? std::vector<std::int32_t>{4} : std::vector<std::int32_t>{3, 4}, c.faces);
        client.Proposal().SetPrintOption(c.option);
        ASSERT_TRUE(Run().documentMade);
        const auto& nodes = run->Answer.Nodes;
        ASSERT_EQ(nodes.size(), c.nodes.size());
        int nextPage = 1;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            EXPECT_EQ(nodes[i].NodeName, c.nodes[i]);
            EXPECT_EQ(nodes[i].StartPage, nextPage);
            EXPECT_GE(nodes[i].EndPage, nodes[i].StartPage);
            nextPage = nodes[i].EndPage + 1;
        }
        EXPECT_EQ(nextPage - 1, Pages());
        ExpectDisjointNodes();
        EXPECT_TRUE(Contains(RelayOut(), std::string("bridge_Policy=") + c.policy + "\r\n")) << RelayOut();
    }
}

// The description of terms follows the narrative summary and the
// certification closes the report's run, in every report kind, each with a
// node of its own cut out of the report's; neither prints unless chosen.
TEST_F(ProposalAssemblyTest, DescriptionOfTermsAndCertificationStandInEveryReportWhenChosen) {
    const struct {
        const char* type;
        std::vector<std::int32_t> products;
        std::vector<std::int32_t> faces;
    } reports[] = {
        {"Basic Quotation", {4}, {250000}},
        {"Multiple Face Amount Comparison", {4}, {100000, 250000}},
        {"Product Comparison", {3, 4}, {250000}},
    };
    for (const auto& report : reports) {
        for (const bool chosen : {true, false}) {
            SCOPED_TRACE(std::string(report.type) + (chosen ? " chosen" : " not chosen"));
            Quote(report.products, report.faces);
            client.Proposal().SetOutputDescription(chosen);
            client.Proposal().SetOutputCertification(chosen);
            client.Proposal().SetOutputClassInfo(true);
            ASSERT_TRUE(Run().documentMade);
            const int terms = PageOf("Description of Terms");
            const int certification = PageOf("Applicant's signature");
            ExpectDisjointNodes();
            if (!chosen) {
                EXPECT_EQ(terms, 0);
                EXPECT_EQ(certification, 0);
                EXPECT_EQ(run->Answer.Nodes.size(), 1u);
                continue;
            }
            // Right after the narrative's pages; the ledger follows it in a basic quotation.
            const int narrative = PageOf("Narrative Summary");
            ASSERT_GT(terms, narrative);
            const int ledger =
                PageOf(report.products.size() > 1 ? "Premium Outlay Comparison"
                       : report.faces.size() > 1  ? "Comparison of Premiums for the Guaranteed Period"
                                                  : "Year Age Annual Death Benefit");
            EXPECT_EQ(ledger < terms, report.type != std::string("Basic Quotation"))
                << ledger << " " << terms;
            // The last page of the run, after the class information, and stating the document's pages.
            EXPECT_EQ(certification, Pages());
            const int classInfo = PageOf("PROPOSED UNDERWRITING CLASSIFICATION INFORMATION");
            EXPECT_LT(terms, classInfo);
            EXPECT_LT(classInfo, certification);
            ExpectRun(1, Pages(), report.type, Pages());
            EXPECT_TRUE(Has(certification, "This proposal has " + std::to_string(Pages()) + " pages."));
            EXPECT_TRUE(Has(certification, "Proposal reference number: #"));
            EXPECT_TRUE(Has(certification, "John Sample"));
            EXPECT_TRUE(Has(certification, "Sam Broker"));
            std::vector<std::string> sections;
            for (const RelayNode& node : run->Answer.Nodes)
                if (node.NodeName == "Description of Terms" || node.NodeName == "Certification")
                    sections.push_back(node.NodeName + " " + std::to_string(node.StartPage) + "-" +
                                       std::to_string(node.EndPage));
            EXPECT_EQ(
                sections,
                (std::vector<std::string>{
                    "Description of Terms " + std::to_string(terms) + "-" + std::to_string(terms),
                    "Certification " + std::to_string(certification) + "-" + std::to_string(certification)}));
            int covered = 0;
            for (const RelayNode& node : run->Answer.Nodes) covered += node.EndPage - node.StartPage + 1;
            EXPECT_EQ(covered, Pages()) << "every page in one node";
            if (report.type == std::string("Basic Quotation")) {
                for (const auto& [page, name] :
                     {std::pair{terms, "description-of-terms"}, std::pair{certification, "certification"}}) {
                    Document one = document();
                    one.pages = {document().pages[static_cast<std::size_t>(page - 1)]};
                    WriteSamplePages(one, name);
                }
            }
        }
    }
}

// A comparison with a product out of age gives the individual proposals of
// the others, as its note says, and names the one left out.
TEST_F(ProposalAssemblyTest, AComparisonGoesOnWithoutAProductOutOfAge) {
    Relay();
    client.SetAge(55);
    Quote({2, 5}, {250000});
    ASSERT_TRUE(Run().documentMade);
    // The proposal, then the relay case's inputs on pages of their own.
    const auto& nodes = run->Answer.Nodes;
    ASSERT_EQ(nodes.size(), 2U);
    EXPECT_EQ(nodes[0].NodeName, "Brellan 10 - $250,000");
    EXPECT_EQ(nodes[1].NodeName, "Client Information");
    EXPECT_EQ(nodes[1].StartPage, nodes[0].EndPage + 1);
    EXPECT_EQ(nodes[1].EndPage, Pages());
    const std::string answer = RelayOut();
    EXPECT_TRUE(Contains(answer, "Individual ledgers will be produced.")) << answer;
    EXPECT_TRUE(
        Contains(answer, "Left out of this proposal: Brellan 30\xAE: Client must be age 50 or younger."))
        << answer;
    EXPECT_FALSE(Contains(answer, "No proposal created")) << answer;
    EXPECT_TRUE(Contains(answer, "Status=0")) << answer;  // warnings only
}

// The interest-adjusted indices stay together, title and rows, on one page,
// whatever the number of ledger rows, the breakdown's length and the name;
// and no page's text runs down to its footer.
TEST_F(ProposalAssemblyTest, TheIndexBlockIsNeverSplit) {
    for (int rows = 20; rows <= 30; ++rows) {
        for (const bool extras : {false, true}) {
            SCOPED_TRACE(std::to_string(rows) + (extras ? " rows, extras and a long name" : " rows"));
            client.SetAge(static_cast<std::int16_t>(98 - rows));  // to age 98 in Texas
            client.SetTableRating(extras ? "B" : "None");
            client.SetPermFlatExtra(extras ? 2.5 : 0);
            client.SetTempFlatExtra(extras ? 5 : 0);
            client.SetTempFlatExtraYears(extras ? 3 : 0);
            client.SetFirstName(extras ? "Alexandra Maximiliana Konstantinopoulou-Vanderbilt" : "John");
            client.SetClassification(4);
            Quote({2}, {250000});
            client.Proposal().SetYearsToPrint(kYearsToProductEnd);
            ASSERT_TRUE(Run().documentMade);
            const int title = PageOf("5% Interest Adjusted Indices");
            ASSERT_GT(title, 0);
            EXPECT_EQ(PageOf("10 Year Net Payment/Surrender Cost"), title);
            EXPECT_EQ(PageOf("20 Year Net Payment/Surrender Cost"), title);
            // No body text sits on the footer rule (1,440 twips above the
            // page's foot): it ends 180 twips above it.
            for (const Page& page : document().pages) {
                for (const auto& item : page.items) {
                    const auto* text = std::get_if<TextItem>(&item);
                    if (text && text->baseline < 14400) {
                        EXPECT_LE(text->baseline, 14400 - 180) << text->text;
                    }
                }
            }
        }
    }
}

// A build chart is never split from its title: every page with a chart's
// heading row has a chart title too (a New York woman's charts).
TEST_F(ProposalAssemblyTest, ABuildChartStaysWithItsTitle) {
    Relay();
    client.SetState("NY");
    client.SetAge(61);
    client.SetIsMale(false);
    client.Proposal().SetCompany(1);
    client.Proposal().SetOutputClassInfo(true);
    for (const std::int32_t classCode : {2, 3}) {
        client.SetClassification(classCode);
        Quote({19}, {250000});
        client.Proposal().SetProductType(19);
        ASSERT_TRUE(Run().documentMade);
        int charts = 0;
        for (int page = 1; page <= Pages(); ++page) {
            if (!Has(page, "Height Weight Height Weight Height Weight")) continue;
            ++charts;
            EXPECT_TRUE(Has(page, "Build Chart")) << "class " << classCode << " page " << page;
        }
        EXPECT_GE(charts, 1);
        EXPECT_GT(PageOf("Build Chart - Female"), 0);
    }
}

// The answer lists the years the ledger shows: in New York Dorrance 1 is
// illustrated to age 100, so 55 years for a 45-year-old.
TEST_F(ProposalAssemblyTest, TheAnswerListsTheYearsTheLedgerShows) {
    client.SetState("NY");
    client.SetAge(45);
    client.Proposal().SetCompany(1);
    Quote({15}, {250000});
    client.Proposal().SetYearsToPrint(kYearsToProductEnd);
    ASSERT_TRUE(Run().documentMade);
    const std::string answer = RelayOut();
    EXPECT_TRUE(Contains(answer, "bridge_Years=55\r\n")) << answer;
    const auto premiums = answer.substr(answer.find("value_AnnualPremium="));
    EXPECT_EQ(std::count(premiums.begin(), premiums.begin() + premiums.find('\r'), ','), 54);
}

// A comparison shows five at most: the sixth is named in a warning and is on
// no page, the cover neither. Interactively the warning is a notice.
TEST_F(ProposalAssemblyTest, AComparisonNamesWhatItLeavesOut) {
    Quote({4}, {100000, 200000, 300000, 400000, 500000, 600000});
    const IllustrationResult interactive = Run();
    ASSERT_TRUE(interactive.documentMade);
    ASSERT_EQ(interactive.notices.size(), 1u);
    EXPECT_EQ(interactive.notices[0].text,
              "The comparison shows 5 face amounts at most; left out: $600,000.");
    EXPECT_TRUE(Has(1, "$500,000"));
    EXPECT_EQ(PageOf("$600,000"), 0);

    Relay();
    Quote({2, 3, 4, 5, 6, 30}, {250000});
    ASSERT_TRUE(Run().documentMade);
    EXPECT_TRUE(Contains(RelayOut(),
                         "Message_1=Warning\xFD\xFDThe comparison shows 5 products at most; left out: "
                         "Ostrel 10."))
        << RelayOut();
    EXPECT_EQ(PageOf("Ostrel 10"), 0);
}

TEST_F(ProposalAssemblyTest, RelaySingleProductHandsTheGuidelinesOverAsAForm) {
    Relay();
    client.SetWinFlexPages("3");
    client.Proposal().SetOutputUnderwritting(true);
    // Dorrance 10, which the New York company sells in New Jersey.
    client.SetState("NJ");
    client.Proposal().SetCompany(1);
    Quote({27}, {250000});
    ASSERT_TRUE(Run().documentMade);

    EXPECT_EQ(PageOf("Underwriting Guidelines (as of July 2003)"), 0);
    ASSERT_EQ(run->PDFForms.Count(), 1);
    EXPECT_EQ(run->PDFForms.Item(1).InputFileName, "QNBYUW.PDF");
    EXPECT_EQ(run->PDFForms.Item(1).OutputFileName, "UW.PDF");
    EXPECT_EQ(run->PDFForms.Item(1).FormCaption, "Underwriting Guidelines");
    const int clientInformation = PageOf("Client Information");
    ASSERT_GT(clientInformation, PageOf("Year Age Annual Death Benefit"));
    ExpectRun(1, clientInformation - 1, "Basic Quotation", clientInformation - 1 + 3);
}

TEST_F(ProposalAssemblyTest, RiderNoticeStandsAloneWithoutFooterBeforeTheCover) {
    client.Proposal().SetCompany(2);
    client.SetState("PA");
    client.SetWaiver(true);
    ASSERT_TRUE(Run().documentMade);

    EXPECT_TRUE(Has(1, "As of the date of release of this software,"));
    EXPECT_EQ(PageOf("This Quotation is Not Complete Without All Pages"), 2);
    EXPECT_TRUE(Has(2, "Prepared by:"));
    ExpectRun(2, Pages(), "Basic Quotation", Pages() - 1);
    // The notice's centred text does not carry over to the cover.
    const TextItem* afterNotice = FindText(document(), 2, "A.M. Best");
    ASSERT_NE(afterNotice, nullptr);
    const double ratingsX = afterNotice->x;

    // Without the notice, and without a broker: no "Prepared by:" block.
    client.SetWaiver(false);
    client.AssignedBroker() = Broker{};
    ASSERT_TRUE(Run().documentMade);
    const TextItem* alone = FindText(document(), 1, "A.M. Best");
    ASSERT_NE(alone, nullptr);
    EXPECT_EQ(ratingsX, alone->x);
    EXPECT_FALSE(Has(1, "Prepared by:"));
}

// The carrier banner of a page: where it ends and how wide it is.
std::optional<PictureItem> Banner(const Document& document, int page) {
    for (const auto& item : document.pages.at(static_cast<std::size_t>(page - 1)).items)
        if (const auto* picture = std::get_if<PictureItem>(&item); picture && picture->y == 275)
            return *picture;
    return std::nullopt;
}

TEST_F(ProposalAssemblyTest, BodyHeaderFooterStateAndBannerFollowStateAndCarrier) {
    struct Case {
        const char* state;
        std::int32_t company;
        const char* fullName;
        const char* clientLine;  // part of the body header's "Prepared for" line
        const char* formText;    // part of the policy form line
        double bannerEnd;
    };
    const Case cases[] = {
        {"TX", 0, "Texas", "Age 35, Male, Preferred", "(Policy Form No. ", 10800},
        // Montana rates do not depend on sex.
        {"MT", 0, "Montana", "Age 35, Preferred", "(Policy Form No. ", 10800},
        {"NJ", 0, "New Jersey", "Age 35, Male, Preferred", " et al and 1421 et al)", 10800},
        {"NY", 1, "New York", "Age 35, Male, Preferred", "(Policy Form No. ", 10000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        client.SetState(c.state);
        client.Proposal().SetCompany(c.company);
        // The New York company sells Tessel, not Brellan.
        if (c.company == 1) Quote({12}, {250000});
        ASSERT_TRUE(Run().documentMade);
        const int narrative = PageOf("Narrative Summary");
        EXPECT_TRUE(Has(narrative, c.clientLine));
        EXPECT_TRUE(Has(narrative, c.formText));
        EXPECT_TRUE(Has(1, std::string("State of Delivery: ") + c.fullName));
        const auto banner = Banner(document(), narrative);
        ASSERT_TRUE(banner.has_value());
        EXPECT_DOUBLE_EQ(banner->x + banner->width, c.bannerEnd);
        EXPECT_DOUBLE_EQ(banner->width, 1350);
    }
}

TEST_F(ProposalAssemblyTest, ASecondRunDeletesThePageFilesOfTheFirst) {
    client.Proposal().SetOutputClassComp(true);
    client.Proposal().SetOutputUnderwritting(true);
    ASSERT_TRUE(Run().documentMade);
    const int firstPages = Pages();
    relay.Write("PAGE230.EMF", "left over");
    relay.Write("Page17.vsv", "left over");

    client.Proposal().SetOutputClassComp(false);
    client.Proposal().SetOutputUnderwritting(false);
    ASSERT_TRUE(Run().documentMade);
    ASSERT_LT(Pages(), firstPages);
    EXPECT_TRUE(Exists("page" + std::to_string(Pages()) + ".vsv"));
    EXPECT_FALSE(Exists("page" + std::to_string(Pages() + 1) + ".emf"));
    EXPECT_FALSE(Exists("page230.emf"));
    EXPECT_FALSE(Exists("page17.vsv"));
}

TEST_F(ProposalAssemblyTest, ARefusedCaseMakesNoDocument) {
    client.SetAge(90);
    client.SetWaiver(true);
    const IllustrationResult interactive = Run();
    EXPECT_FALSE(interactive);
    ASSERT_FALSE(interactive.notices.empty());
    EXPECT_TRUE(Contains(interactive.notices.back().text, "No proposal created for this client: "));
    EXPECT_EQ(Pages(), 0);

    // Interactively too, a product is held to its carrier's states.
    client.SetAge(45);
    client.SetState("NY");
    const IllustrationResult unavailable = Run();
    EXPECT_FALSE(unavailable.documentMade);
    ASSERT_FALSE(unavailable.notices.empty());
    EXPECT_EQ(unavailable.notices.front().text,
              "Brellan 20 is not available for sale in this state. Please select another product to proceed "
              "with this quote.");
    client.SetAge(90);
    client.SetState("TX");

    // The outside system gets the refusal and the case check's notes in the answer.
    Relay();
    client.SetWaiver(true);
    EXPECT_FALSE(Run().documentMade);
    EXPECT_FALSE(Exists("page1.emf"));
    const std::string answer = RelayOut();
    EXPECT_TRUE(Contains(answer, "No proposal created for this client: ")) << answer;
    EXPECT_TRUE(Contains(answer, "Waiver Removed - Not available for client of age 90.")) << answer;
    EXPECT_FALSE(Contains(answer, "Status=0")) << answer;
}

// A program folder whose rate files hold no rates.
class MissingRatesTest : public ProposalAssemblyTest {
protected:
    MissingRatesTest() {
        for (const auto& entry : fs::directory_iterator(QUORAVEL_PROGRAM_DIR)) {
            const fs::path target = program.path() / entry.path().filename();
            if (entry.path().extension() == ".rat") {
                program.Write(entry.path().filename().string(), "");
                fs::resize_file(target, entry.file_size());
            } else if (entry.is_regular_file()) {
                fs::copy_file(entry.path(), target);
            }
        }
        process.ProgramFolder = program.folder();
    }
    TempFolder program;
};

TEST_F(MissingRatesTest, MakesNoDocumentAndSaysSo) {
    const IllustrationResult interactive = Run();
    EXPECT_FALSE(interactive.documentMade);
    ASSERT_EQ(interactive.notices.size(), 1u);
    EXPECT_EQ(interactive.notices[0].title, "Rate file missing");
    EXPECT_EQ(interactive.notices[0].text, "Rate file missing.  Please re-install the software.");

    Relay();
    const IllustrationResult relayed = Run();
    EXPECT_FALSE(relayed.documentMade);
    EXPECT_TRUE(relayed.notices.empty());
    EXPECT_FALSE(Exists("page1.emf"));
    EXPECT_TRUE(Contains(RelayOut(), "Rate file missing.")) << RelayOut();

    // Rate files holding values that are no rates (all bits set: not a
    // number) are damaged: no premium is made of them either.
    for (const auto& entry : fs::directory_iterator(program.path())) {
        if (entry.path().extension() == ".rat")
            program.Write(entry.path().filename().string(), std::string(entry.file_size(), '\xFF'));
    }
    EXPECT_FALSE(Run().documentMade);
    EXPECT_FALSE(Exists("page1.emf"));
    EXPECT_TRUE(Contains(RelayOut(), "is damaged: record ")) << RelayOut();
    EXPECT_FALSE(Contains(RelayOut(), "Status=0")) << RelayOut();
}

TEST_F(ProposalAssemblyTest, PdfIsWrittenIntoTheFolderAndReplacesAnOldOne) {
    ASSERT_TRUE(Run().documentMade);
    TempFolder out;
    out.Write("Proposal.pdf", "an old file");
    // The path answered is the file written, which a caller opens or attaches.
    EXPECT_EQ(ConvertToPdf(surface, out.path().string(), "proposal.pdf"),
              (out.path() / "Proposal.pdf").string());
    const std::string pdf = out.Read("Proposal.pdf");
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u) << "the old file of another spelling is replaced";

    ConvertToPdf(surface, out.folder());
    EXPECT_TRUE(fs::exists(out.path() / "illustration.pdf"));
    // Its properties name the proposal, its client and the carrier.
    const std::string info = CommandOutput("pdfinfo " + (out.path() / "illustration.pdf").string() + " 2>&1");
    for (const char* line :
         {"Title:           Brellan 20 \u2014 John Sample\n",
          "Author:          Castmere Life and Annuity Insurance Company\n",
          "Subject:         Term life insurance proposal\n", "Creator:         Quoravel V1.0\n"})
        EXPECT_TRUE(Contains(info, line)) << info;
    EXPECT_FALSE(Contains(info, "Error")) << info;
    // A case without a name: the title is the proposal's alone.
    client.SetFirstName("");
    client.SetMiddleInit("");
    client.SetLastName("");
    ASSERT_TRUE(Run().documentMade);
    EXPECT_EQ(document().info.title, "Brellan 20");

    const std::string missing = (out.path() / "no such folder").string();
    EXPECT_TRUE(Contains(Raised([&] { ConvertToPdf(surface, missing); }), missing));
}

// --- Proposal setup ----------------------------------------------------------

TEST(PrinterDeviceTest, ProgramFolderFirstThenTheCommonFilesFolder) {
    TempFolder program, config;
    const char* saved = std::getenv("XDG_CONFIG_DIRS");
    const std::optional<std::string> previous = saved ? std::optional<std::string>(saved) : std::nullopt;
    setenv("XDG_CONFIG_DIRS", (config.path().string() + ":/nonexistent").c_str(), 1);

    EXPECT_EQ(PrinterDeviceName(program.folder()), "PRINTER");
    fs::create_directories(config.path() / "Talvern Assurance");
    config.Write("Talvern Assurance/TVRN.ini", "[All Companies]\r\nDevice=Shared Laser\r\n");
    EXPECT_EQ(PrinterDeviceName(program.folder()), "SHARED LASER");
    program.Write("tvrn.ini", "[All Companies]\r\nDevice=desk jet\r\n");
    EXPECT_EQ(PrinterDeviceName(program.folder()), "DESK JET");

    if (previous)
        setenv("XDG_CONFIG_DIRS", previous->c_str(), 1);
    else
        unsetenv("XDG_CONFIG_DIRS");
}

TEST(FooterVersionTest, InteractiveAndRelayForms) {
    ClientCase client;
    client.SetState("NJ");
    ProcessValues process;
    const ProposalRun run(process, "");
    process.VersionText = "V2.13";
    EXPECT_EQ(FooterVersionText(client, run), "Quoravel®  - V2.13");
    process.RelayMode = true;
    process.VersionText = "V2.13w";
    client.SetSystemVersion("9.0");
    EXPECT_EQ(FooterVersionText(client, run), "WFNJ 9.0 V2.13w") << "an empty outside version is left out";
}

}  // namespace
