#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>

#include "CommissionSettings.h"
#include "PageContext.h"
#include "PageFixture.h"
#include "PrintSurface.h"
#include "ProposalAssembly.h"
#include "ProposalSections.h"
#include "ProposalSetup.h"
#include "RelayExchange.h"
#include "SampleCase.h"
#include "SectionStart.h"
#include "TestSupport.h"
#include "TextFile.h"

using namespace quoravel;
namespace fs = std::filesystem;

namespace {

// A case priced from the sample rate files of the build's program folder; the
// run's pages and answers go to a temporary relay folder.
class ProposalAssemblyTest : public ::testing::Test {
protected:
    ProposalAssemblyTest() {
        process.ProgramFolder = QUORAVEL_PROGRAM_DIR;
        process.VersionText = "V1.0";
        client.AssignedBroker().Set(BrokerField::first_name, "Sam");
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
            if (Has(page, text)) return page;
        return 0;
    }
    bool Has(int page, const std::string& text) const { return PageHasLine(document(), page, text); }
    // Every page found, each after the one before.
    static bool Ascending(const std::vector<int>& pages) {
        return pages.front() > 0 &&
               std::adjacent_find(pages.begin(), pages.end(), std::greater_equal<>()) == pages.end();
    }
    // The relay answer holds `part`; the answer is shown either way.
    ::testing::AssertionResult Answered(const std::string& part) const {
        const std::string answer = ReadFileBytes(ResolveFileName(relay.path() / "relay.out")).value_or("");
        return (Contains(answer, part) ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
               << "\"" << part << "\" in the answer:\n"
               << answer;
    }
    bool Exists(const std::string& name) const { return FileExists(ResolveFileName(relay.path() / name)); }
    // The relay nodes' names, their page ranges following one another from the first page to the last.
    std::vector<std::string> TiledNodes() const {
        std::vector<std::string> names;
        int next = 1;
        for (const RelayNode& node : run->Answer.Nodes) {
            EXPECT_EQ(node.StartPage, next) << node.NodeName;
            EXPECT_LE(node.StartPage, node.EndPage) << node.NodeName;
            next = node.EndPage + 1;
            names.push_back(node.NodeName);
        }
        EXPECT_EQ(next - 1, Pages());
        return names;
    }
    // Every page from `first` to `last` carries the footer "type, Page p of total".
    void ExpectRun(int first, int last, const std::string& type, int total) const {
        for (int page = first; page <= last; ++page)
            EXPECT_TRUE(Has(
                page, type + ", Page " + std::to_string(page - first + 1) + " of " + std::to_string(total)))
                << "page " << page << " lacks its " << type << " footer";
    }

    TempFolder relay;
    PrintSurface surface;
    ClientCase client = SampleProposalCase();
    CommissionSettings commission{QUORAVEL_PROGRAM_DIR};
    ProcessValues process;
    std::unique_ptr<ProposalRun> run;
};

// Each report's sections in its order (a comparison's ledger before its narrative): the description of
// terms after the narrative, the certification closing the report's run and stating its pages, each in a
// node of its own; then the class comparison of a single quote and the guidelines, each a run of its own.
TEST_F(ProposalAssemblyTest, EveryReportsSectionsRunInOrderAndNumberTheirOwnPages) {
    const struct {
        const char* type;
        std::vector<std::int32_t> products, faces;
        const char* ledger;  // its headings: the narrative names its title too
    } reports[] = {
        // clang-format off
        {"Basic Quotation", {4}, {250000}, "Year Age Annual Death Benefit"},
        {"Multiple Face Amount Comparison", {4}, {100000, 250000},
         "Comparison of Premiums for the Guaranteed Period"},
        {"Product Comparison", {3, 4}, {250000}, "Premium Outlay Comparison"},
        // clang-format on
    };
    auto& options = client.Proposal();
    options.SetOutputDescription(true);
    options.SetOutputCertification(true);
    options.SetOutputClassInfo(true);
    options.SetOutputClassComp(true);
    options.SetOutputUnderwritting(true);
    for (const auto& report : reports) {
        SCOPED_TRACE(report.type);
        ::Quote(client, report.products, report.faces);
        const IllustrationResult result = Run();
        ASSERT_TRUE(result.documentMade);
        EXPECT_EQ(result.printerDevice, "PRINTER") << "no printer settings: the default";
        TiledNodes();
        const int terms = PageOf("Description of Terms");
        const int certification = PageOf("Applicant's signature");
        const int narrative = PageOf("Narrative Summary"), ledger = PageOf(report.ledger);
        const int classInfo = PageOf("PROPOSED UNDERWRITING CLASSIFICATION INFORMATION");
        const int classComparison = PageOf("Comparison of Guaranteed Premiums by Risk Classification");
        const int underwriting = PageOf("Underwriting Guidelines (as of July 2003)");
        const bool single = report.type == std::string("Basic Quotation");
        EXPECT_EQ(PageOf("Prepared For:"), 1) << "the cover opens the proposal";
        EXPECT_TRUE(single
                        ? Ascending({1, narrative, terms, ledger, classInfo, certification, classComparison})
                        : Ascending({1, ledger, narrative, terms, classInfo, certification}));
        EXPECT_EQ(classComparison > 0, single);
        EXPECT_EQ(underwriting, Pages());
        ExpectRun(1, certification, report.type, certification);
        ExpectRun(certification + 1, underwriting - 1, "Class Comparison", underwriting - certification - 1);
        ExpectRun(underwriting, underwriting, "Underwriting Guidelines", 1);
        for (const std::string& part : {"This proposal has " + std::to_string(certification) + " pages.",
                                        std::string("Proposal reference number: #"),
                                        std::string("John Sample"), std::string("Sam Broker")})
            EXPECT_TRUE(Has(certification, part)) << part;
        std::map<std::string, std::pair<int, int>> ranges;
        for (const RelayNode& node : run->Answer.Nodes)
            ranges[node.NodeName] = {node.StartPage, node.EndPage};
        EXPECT_EQ(ranges["Description of Terms"], std::pair(terms, terms));
        EXPECT_EQ(ranges["Certification"], std::pair(certification, certification));
        EXPECT_TRUE(Has(1, "Version: Quoravel® - V1.0"));
        // The footer begins at the left margin on the footer rule's line.
        EXPECT_NEAR(TextOn(document(), 1, "Version:").x, 700, 30);
    }
    EXPECT_EQ(FooterVersionText(client, *run), "Quoravel®  - V1.0") << "two blanks: a wider gap on the page";
}

// A relay case hands the carrier's guidelines over as a form in place of their page; the outside system's
// pages count in the ledger's run, and the relay case's inputs follow in a run and a node of their own.
TEST_F(ProposalAssemblyTest, RelayCasesHandTheGuidelinesOverAndCountTheOutsidePages) {
    Relay();
    const struct {
        std::int32_t company;
        std::string state;
        std::vector<std::int32_t> products, faces;
        int outsidePages;
        std::string type, ledger, node, form, companyVersion, version;
    } cases[] = {
        // clang-format off
        {0, "TX", {4}, {100000, 250000}, 2, "Multiple Face Amount Comparison",
         "Comparison of Premiums for the Guaranteed Period", "Multiple Face Amount Comparison", "BRLNUW.PDF",
         "4.2", "WFTX 4.2 7.0.3 V1.0w"},
        // Dorrance 10, which the New York company sells in New Jersey; an
        // empty outside version is left out of the footer.
        {1, "NJ", {27}, {250000}, 3, "Basic Quotation", "Year Age Annual Death Benefit",
         "Dorrance 10 - $250,000", "QNBYUW.PDF", "", "WFNJ 7.0.3 V1.0w"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        client.SetState(c.state);
        client.SetCompanyVersion(c.companyVersion);
        client.Proposal().SetCompany(c.company);
        ::Quote(client, c.products, c.faces);
        client.SetWinFlexPages(std::to_string(c.outsidePages));
        client.Proposal().SetOutputUnderwritting(true);
        ASSERT_TRUE(Run().documentMade);

        const int ledger = PageOf(c.ledger);
        const int clientInformation = PageOf("Client Information");
        ASSERT_TRUE(Ascending({1, ledger, clientInformation}));
        ExpectRun(1, clientInformation - 1, c.type, clientInformation - 1 + c.outsidePages);
        ExpectRun(clientInformation, Pages(), "Client Information", Pages() - clientInformation + 1);
        EXPECT_EQ(Has(ledger, "Quoravel®"), c.company == 0) << "a comparison is headed by the system's name";
        EXPECT_TRUE(Has(1, "Version: " + c.version));
        EXPECT_EQ(PageOf("Underwriting Guidelines (as of July 2003)"), 0);
        ASSERT_EQ(run->PDFForms.Count(), 1);
        const auto& form = run->PDFForms.Item(1);
        EXPECT_EQ(form.InputFileName + " " + form.OutputFileName + " " + form.FormCaption,
                  c.form + " UW.PDF Underwriting Guidelines");
        EXPECT_TRUE(Exists("UW.PDF"));
        EXPECT_EQ(TiledNodes(), (std::vector<std::string>{c.node, "Client Information"}));
        EXPECT_TRUE(Answered("Status=0"));
    }
}

// The print option: "C" the comparison, "I" a proposal for each product or face amount, "B" both. Each
// has its own node and its certification counting its own pages; the answer's values are the first's.
TEST_F(ProposalAssemblyTest, PrintOptionsMakeTheComparisonTheIndividualProposalsOrBoth) {
    const std::string comparison = "Product Comparison  - $250,000", cert = "Certification";
    const std::string brellan15 = "Brellan 15 - $250,000", brellan20 = "Brellan 20 - $250,000";
    using Options = IllustrationOptions;
    struct Case {
        std::vector<std::int32_t> faces;
        std::int32_t option;
        std::vector<std::string> nodes;
        const char* policy;
    } cases[] = {
        // clang-format off
        {{250000}, Options::Comparison, {comparison, cert}, "Brellan 15"},
        {{250000}, Options::Individual, {brellan15, cert, brellan20, cert}, "Brellan 15"},
        {{100000, 250000}, Options::Individual, {"Brellan 20 - $100,000", cert, brellan20, cert}, "Brellan 20"},
        {{250000}, Options::Both, {comparison, cert, brellan15, cert, brellan20, cert}, "Brellan 15"},
        // clang-format on
    };
    client.Proposal().SetOutputCertification(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nodes.front() + " option " + std::to_string(c.option));
        ::Quote(client, c.faces.size() > 1 ? std::vector<std::int32_t>{4} : std::vector<std::int32_t>{3, 4},
                c.faces);
        client.Proposal().SetPrintOption(c.option);
        ASSERT_TRUE(Run().documentMade);
        EXPECT_EQ(TiledNodes(), c.nodes);
        EXPECT_TRUE(Answered(std::string("bridge_Policy=") + c.policy + "\r\n"));
        int first = 1;
        for (const RelayNode& node : run->Answer.Nodes) {
            if (node.NodeName != cert) continue;
            EXPECT_TRUE(Has(node.StartPage,
                            "This proposal has " + std::to_string(node.EndPage - first + 1) + " pages."))
                << "page " << node.StartPage;
            first = node.EndPage + 1;
        }
    }
}

// The interest-adjusted indices stay on one page whatever the ledger's rows, the breakdown's length and
// the name; no page's text runs down to its footer.
TEST_F(ProposalAssemblyTest, TheIndexBlockIsNeverSplit) {
    int movedBlocks = 0;
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
            ::Quote(client, {2}, {250000}, kYearsToProductEnd);
            ASSERT_TRUE(Run().documentMade);
            const int title = PageOf("5% Interest Adjusted Indices");
            ASSERT_GT(title, 0);
            // Moved whole past the ledger's last page, the block is headed as its continuation.
            const bool moved = !Has(title, "Year Age Annual Death Benefit");
            movedBlocks += moved;
            EXPECT_EQ(Has(title, "Guaranteed Premiums and Benefits (continued)"), moved);
            EXPECT_EQ(PageOf("10 Year Net Payment/Surrender Cost"), title);
            EXPECT_EQ(PageOf("20 Year Net Payment/Surrender Cost"), title);
            // No body text sits on the footer rule (1,440 twips above the
            // page's foot): it ends 180 twips above it.
            for (const Page& page : document().pages)
                for (const auto& item : page.items)
                    if (const auto* text = std::get_if<TextItem>(&item); text && text->baseline < 14400) {
                        EXPECT_LE(text->baseline, 14400 - 180) << text->text;
                    }
        }
    }
    EXPECT_GT(movedBlocks, 0);
}

// A comparison shows five at most: the sixth is named in a warning and is on
// no page, the cover neither. Interactively the warning is a notice.
TEST_F(ProposalAssemblyTest, AComparisonNamesWhatItLeavesOut) {
    ::Quote(client, {4}, {100000, 200000, 300000, 400000, 500000, 600000});
    const IllustrationResult interactive = Run();
    ASSERT_TRUE(interactive.documentMade);
    ASSERT_EQ(interactive.notices.size(), 1u);
    EXPECT_EQ(interactive.notices[0].text,
              "The comparison shows 5 face amounts at most; left out: $600,000.");
    EXPECT_TRUE(Has(1, "$500,000"));
    EXPECT_EQ(PageOf("$600,000"), 0);

    Relay();
    ::Quote(client, {2, 3, 4, 5, 6, 30}, {250000});
    ASSERT_TRUE(Run().documentMade);
    EXPECT_TRUE(
        Answered("Message_1=Warning\xFD\xFDThe comparison shows 5 products at most; left out: Ostrel 10."));
    EXPECT_EQ(PageOf("Ostrel 10"), 0);

    // A product out of age leaves the individual proposals of the others, as
    // the note says, and is named; then the relay case's inputs on pages of their own.
    client.SetAge(55);
    ::Quote(client, {2, 5}, {250000});
    ASSERT_TRUE(Run().documentMade);
    EXPECT_EQ(TiledNodes(), (std::vector<std::string>{"Brellan 10 - $250,000", "Client Information"}));
    EXPECT_TRUE(Answered("Left out of this proposal: Brellan 30\xAE: Client must be age 50 or younger."));
    EXPECT_TRUE(Answered("Status=0"));  // warnings only
}

TEST_F(ProposalAssemblyTest, RiderNoticeStandsAloneWithoutFooterBeforeTheCover) {
    client.Proposal().SetCompany(2);
    client.SetState("PA");
    client.SetWaiver(true);
    ASSERT_TRUE(Run().documentMade);

    EXPECT_TRUE(Has(1, "As of the date of release of this software,"));
    EXPECT_EQ(PageOf("This Quotation is Not Complete Without All Pages"), 2);
    ExpectRun(2, Pages(), "Basic Quotation", Pages() - 1);
    EXPECT_TRUE(Exists("page1.emf")) << "a page without footer is exported too";
}

TEST_F(ProposalAssemblyTest, BodyHeaderFooterStateAndBannerFollowStateAndCarrier) {
    // Parts of the body header's lines; the years the ledger shows, which the answer lists too.
    const struct {
        std::string state;
        std::int32_t company;
        std::string fullName, clientLine, formText;
        double bannerEnd;
        int years;
    } cases[] = {
        {"TX", 0, "Texas", "Age 35, Male, Preferred", "(Policy Form No. ", 10800, 20},
        // Montana rates do not depend on sex.
        {"MT", 0, "Montana", "Age 35, Preferred", "(Policy Form No. ", 10800, 20},
        {"NJ", 0, "New Jersey", "Age 35, Male, Preferred", " et al and 1421 et al)", 10800, 20},
        // Dorrance 1 of the New York company, shown to its end: to age 100 in New York.
        {"NY", 1, "New York", "Age 35, Male, Preferred", "(Policy Form No. ", 10000, 65},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        client.SetState(c.state);
        client.Proposal().SetCompany(c.company);
        if (c.company == 1) ::Quote(client, {15}, {250000}, kYearsToProductEnd);
        ASSERT_TRUE(Run().documentMade);
        EXPECT_TRUE(Answered("bridge_Years=" + std::to_string(c.years) + "\r\n"));
        const int narrative = PageOf("Narrative Summary");
        EXPECT_TRUE(Has(narrative, c.clientLine));
        EXPECT_TRUE(Has(narrative, c.formText));
        EXPECT_TRUE(Has(narrative, "$250,000 (Prepared by: Sam Broker)"));
        EXPECT_TRUE(Has(1, "State of Delivery: " + c.fullName));
        EXPECT_EQ(PageOf("Description of Terms") + PageOf("Applicant's signature"), 0) << "neither is chosen";
        // The carrier's banner, 1,350 twips wide, ends at the right margin of its carrier.
        std::vector<std::pair<double, double>> banners;  // where each begins, and its width
        for (const auto& item : document().pages.at(static_cast<std::size_t>(narrative - 1)).items)
            if (const auto* picture = std::get_if<PictureItem>(&item); picture && picture->y == 275)
                banners.emplace_back(picture->x, picture->width);
        EXPECT_EQ(banners, (std::vector<std::pair<double, double>>{{c.bannerEnd - 1350, 1350}}));
    }
}

// No document for a refused case, a product its state lacks, rate files without rates or with values
// that are none (all bits set: not a number): the window's last notice says why, the answer too.
TEST_F(ProposalAssemblyTest, ACaseWithoutAProposalMakesNoDocumentAndSaysWhy) {
    TempFolder program;
    fs::copy(QUORAVEL_PROGRAM_DIR, program.path());
    const auto fillRates = [&](char byte) {
        process.ProgramFolder = program.folder();
        for (const auto& entry : fs::directory_iterator(program.path()))
            if (entry.path().extension() == ".rat")
                program.Write(entry.path().filename().string(), std::string(entry.file_size(), byte));
    };
    const struct {
        std::function<void()> change;
        std::string notice, answer;  // none: not run that way
    } cases[] = {
        // clang-format off
        {[&] { client.SetAge(90); client.SetWaiver(true); }, "No proposal created for this client: ",
         "Waiver Removed - Not available for client of age 90."},
        {[&] { client.SetState("NY"); }, "Product not available | Brellan 20 is not available for sale in "
         "this state. Please select another product to proceed with this quote.", ""},
        {[&] { fillRates('\0'); }, "Rate file missing | Rate file missing.  Please re-install the software.",
         "Rate file missing."},
        {[&] { fillRates('\xFF'); }, "", "is damaged: record "},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.notice + c.answer);
        client = SampleProposalCase();
        c.change();
        if (!c.notice.empty()) {
            process.RelayMode = false;
            const IllustrationResult interactive = Run();
            EXPECT_FALSE(interactive);
            EXPECT_EQ(Pages(), 0);
            ASSERT_FALSE(interactive.notices.empty());
            const Notice& last = interactive.notices.back();
            EXPECT_TRUE(Contains(last.title + " | " + last.text, c.notice))
                << last.title << " | " << last.text;
        }
        if (c.answer.empty()) continue;
        Relay();
        const IllustrationResult relayed = Run();
        EXPECT_FALSE(relayed.documentMade);
        EXPECT_TRUE(relayed.notices.empty());
        EXPECT_FALSE(Exists("page1.emf"));
        EXPECT_TRUE(Answered(c.answer));
        EXPECT_FALSE(Answered("Status=0"));
    }
}

TEST_F(ProposalAssemblyTest, PdfIsWrittenIntoTheFolderAndReplacesAnOldOne) {
    ASSERT_TRUE(Run().documentMade);
    TempFolder out;
    out.Write("Proposal.pdf", "an old file");
    // The path answered is the file written, which a caller opens or attaches.
    EXPECT_EQ(ConvertToPdf(surface, out.path().string(), "proposal.pdf"),
              (out.path() / "Proposal.pdf").string());
    EXPECT_EQ(out.Read("Proposal.pdf").rfind("%PDF", 0), 0u)
        << "the old file of another spelling is replaced";

    // Its properties name the proposal, its client and the carrier.
    const std::string info = CommandOutput("pdfinfo " + (out.path() / "Proposal.pdf").string() + " 2>&1");
    for (const char* line :
         {"Title:           Brellan 20 \u2014 John Sample\n",
          "Author:          Castmere Life and Annuity Insurance Company\n",
          "Subject:         Term life insurance proposal\n", "Creator:         Quoravel V1.0\n"})
        EXPECT_TRUE(Contains(info, line)) << info;
    // A case without a name: the title is the proposal's alone.
    client.SetFirstName("");
    client.SetLastName("");
    ASSERT_TRUE(Run().documentMade);
    EXPECT_EQ(document().info.title, "Brellan 20");
}

// Every section lays out the same whatever section came before it: no font,
// alignment, table border or pen carries over.
TEST_F(ProposalAssemblyTest, EverySectionPrintsAlikeAfterEveryOther) {
    client.SetWaiver(true);
    auto& options = client.Proposal();
    options.SetOutputClassInfo(true);
    options.SetOutputClassComp(true);
    options.SetOutputUnderwritting(true);
    options.SetOutputCommision(true);
    relay.Write("relay.ini", "[Identifiers]\r\nInsured.Name=John Sample\r\nInsured.State=TX\r\n");
    // The pages `section` prints after `before` (none: alone), from the fresh page it starts on.
    const auto pagesOf = [&](const ProposalSection& section, const ProposalSection* before) {
        PrintSurface fresh;
        ProposalPrinter print(fresh, FixedChance());
        ProposalRun sectionRun(process, relay.folder());
        ClientCase printed = client;
        PageContext context{print, printed, sectionRun, QUORAVEL_PROGRAM_DIR, relay.folder()};
        context.commission = &commission;
        PrintedSections sections;
        SetUpProposal(context, LedgerLayout::BasicQuotation);
        print.StartDoc(4);
        if (before) before->print(context, sections);
        StartOnFreshPage(print);
        const auto first = static_cast<std::ptrdiff_t>(fresh.GetDocument().pages.size() - 1);
        section.print(context, sections);
        const auto& pages = fresh.GetDocument().pages;
        return std::vector<Page>(pages.begin() + first, pages.end());
    };
    for (const ProposalSection& section : ProposalSections()) {
        const std::vector<Page> alone = pagesOf(section, nullptr);
        ASSERT_FALSE(alone.empty()) << section.name;
        for (const ProposalSection& before : ProposalSections())
            EXPECT_TRUE(pagesOf(section, &before) == alone) << section.name << " after " << before.name;
    }
}

TEST(PrinterDeviceTest, ProgramFolderFirstThenTheCommonFilesFolder) {
    TempFolder program, config;
    // An empty list reads as none: the common files folder is looked for in /etc/xdg.
    const std::string previous = std::getenv("XDG_CONFIG_DIRS") ? std::getenv("XDG_CONFIG_DIRS") : "";
    setenv("XDG_CONFIG_DIRS", (config.path().string() + ":/nonexistent").c_str(), 1);
    fs::create_directories(config.path() / "Talvern Assurance");
    config.Write("Talvern Assurance/TVRN.ini", "[All Companies]\r\nDevice=Shared Laser\r\n");
    EXPECT_EQ(PrinterDeviceName(program.folder()), "SHARED LASER");
    program.Write("tvrn.ini", "[All Companies]\r\nDevice=desk jet\r\n");
    EXPECT_EQ(PrinterDeviceName(program.folder()), "DESK JET");
    setenv("XDG_CONFIG_DIRS", previous.c_str(), 1);
}

}  // namespace
