#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "ClassInfoPage.h"
#include "ClientInputPage.h"
#include "Golden.h"
#include "PageContext.h"
#include "PageFixture.h"
#include "PngOutput.h"
#include "PrintSurface.h"
#include "RiderNoticePage.h"
#include "TestSupport.h"
#include "UnderwritingGuidelinesPage.h"

using namespace quoravel;

namespace {

// The baseline of the first text run that begins with `start`; -1 when none does.
double BaselineOf(const Document& document, int page, const std::string& start) {
    for (const auto& item : document.pages.at(static_cast<std::size_t>(page - 1)).items) {
        const auto* run = std::get_if<TextItem>(&item);
        if (run && run->text.rfind(start, 0) == 0) return run->baseline;
    }
    return -1;
}

// A case on a surface with the chance and the calendar fixed; the pages are
// looked at without running the frame's footers.
class InfoPageTest : public ::testing::Test {
protected:
    InfoPageTest() {
        SetBodyHeader(print,
                      {"Korvel 20", " (Policy Form No. TL-2003 et al)", "20 Year Level Premium Term",
                       "Jane Sample", "45", "Female", "Preferred No Nicotine Use", "$500,000", "Sam Broker"});
        print.StartDoc(4);
    }
    const Document& document() const { return surface.GetDocument(); }

    void WriteSamplePages(const std::string& name) const { ::WriteSamplePages(document(), name); }

    TempFolder folder;
    PrintSurface surface;
    ProposalPrinter print{surface, FixedChance()};
    ClientCase client;
    ProcessValues process;
    ProposalRun run{process, ""};
    PageContext context{print, client, run, folder.folder(), folder.folder()};
};

// --- Rider availability notice ---------------------------------------------

using RiderNoticeTest = InfoPageTest;

TEST_F(RiderNoticeTest, IsNeededOnlyForTVNYRidersTheStateHadNotApproved) {
    struct Case {
        std::int32_t company;
        const char* state;
        bool waiver;
        bool child;
        bool needed;
    };
    const Case cases[] = {
        {2, "NJ", true, false, true}, {2, "NJ", false, true, true},  {2, "NJ", false, false, false},
        {2, "VT", false, true, true}, {2, "PA", true, false, true},  {2, "PA", false, true, false},
        {2, "MD", true, true, true},  {2, "MD", false, true, false}, {2, "OH", true, true, false},
        {0, "NJ", true, true, false}, {1, "PA", true, false, false},
    };
    for (const auto& c : cases) {
        client.Proposal().SetCompany(c.company);
        client.SetState(c.state);
        client.SetWaiver(c.waiver);
        client.SetChildRider(c.child);
        EXPECT_EQ(RiderNoticePage::Needed(client), c.needed)
            << "company " << c.company << ", " << c.state << ", waiver " << c.waiver << ", child " << c.child;
    }
}

TEST_F(RiderNoticeTest, NamesTheRidersTheStateRefusedAndAsksToVerifyThem) {
    struct Case {
        const char* state;
        bool waiver;
        bool child;
        const char* phrase;
        const char* verify;
        const char* absent;
    };
    const Case cases[] = {
        {"NJ", true, true,
         "neither the Children's Insurance Rider nor the Waiver of Premium Rider were available for sale in "
         "the state of New Jersey.",
         "Please verify that these riders are available for sale in New Jersey before presenting to the "
         "client.",
         "this rider"},
        {"PA", true, true,
         "the Waiver of Premium Rider was not available for sale in the state of Pennsylvania.",
         "Please verify that this rider is available for sale in Pennsylvania before presenting to the "
         "client.",
         "Children's"},
        {"VT", false, true,
         "the Children's Insurance Rider was not available for sale in the state of Vermont.",
         "Please verify that this rider is available for sale in Vermont before presenting to the client.",
         "Waiver"},
        {"MD", true, false,
         "the Waiver of Premium Rider was not available for sale in the state of Maryland.",
         "Please verify that this rider is available for sale in Maryland before presenting to the client.",
         "Children's"},
    };
    for (const auto& c : cases) {
        PrintSurface pageSurface;
        ProposalPrinter pagePrint(pageSurface, FixedChance());
        pagePrint.StartDoc(4);
        client.Proposal().SetCompany(2);
        client.SetState(c.state);
        client.SetWaiver(c.waiver);
        client.SetChildRider(c.child);
        RiderNoticePage(pagePrint).start(client);

        const std::string text = PageText(pageSurface.GetDocument(), 1);
        EXPECT_TRUE(Contains(text, "As of the date of release of this software,")) << c.state << ": " << text;
        EXPECT_FALSE(Contains(text, "software,the")) << c.state << ": a blank after the comma";
        EXPECT_TRUE(Contains(text, c.phrase)) << c.state << ": " << text;
        EXPECT_TRUE(Contains(text, c.verify)) << c.state << ": " << text;
        EXPECT_FALSE(Contains(text, c.absent)) << c.state << ": " << text;
        EXPECT_EQ(pageSurface.PageCount(), 2) << c.state << ": the notice ends by starting the next page";
    }
}

TEST_F(RiderNoticeTest, MatchesGolden) {
    client.Proposal().SetCompany(2);
    client.SetState("NJ");
    client.SetWaiver(true);
    client.SetChildRider(true);
    RiderNoticePage(print).start(client);
    WriteSamplePages("rider-notice");
    EXPECT_EQ(CompareWithGolden(document(), "rider-notice"), "");
}

// --- Underwriting class information page -----------------------------------

class ClassInfoTest : public InfoPageTest {
protected:
    // The class information pages of the class on a surface of their own.
    Document ClassInfoPages(int classCode) {
        PrintSurface pageSurface;
        ProposalPrinter pagePrint(pageSurface, FixedChance());
        pagePrint.StartDoc(4);
        PageContext pageContext{pagePrint, client, run, folder.folder(), folder.folder()};
        client.SetClassification(classCode);
        ClassInfoPage page(pageContext);
        page.start();
        page.finish();
        return pageSurface.GetDocument();
    }
    std::string ClassInfoText(int classCode) {
        const Document pages = ClassInfoPages(classCode);
        std::string text;
        for (int n = 1; n <= static_cast<int>(pages.pages.size()); ++n) text += PageText(pages, n);
        return text;
    }
};

// The criteria, limits and build chart rows each class shows, and what it
// leaves out; the preferred classes with and without nicotine share limits
// and chart.
TEST_F(ClassInfoTest, EachClassShowsOnlyTheCriteriaItHas) {
    const std::vector<std::string> shared{"5'0 154 5'8 197 6'4 246", "Cholesterol: Maximum reading of 270.",
                                          "cannot exceed 6.0.", "substance abuse in the last 10 years.",
                                          "suspension in last 5 years."};
    struct Case {
        int classCode;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    // clang-format off
    const std::vector<Case> cases{
        {0, {"PREFERRED ELITE", "130/85 Age 60 or Younger", "before age 65.", "Maximum reading of 210.",
         "exceed 4.0."}, {"Nicotine:", "Build", "cigar"}},
        {2, {"PREFERRED No Nicotine Use", "140/90 Age 60 or Younger 150/90 Age 61 or Older",
         "Cigar use limited to 12 cigars or less per year"}, {}},
        {4, {"Nicotine: No use of nicotine or nicotine substitutes in last 12 months.",
         "Cancer History: Coverage may be available",
             "exceed 8.0.", "last 2 years.", "Standard No Nicotine Build Chart", "5'7 217 6'3 272"},
              {"No cancer history allowed"}},
        {5, {"PREFERRED Nicotine Use", "140/90 Age 60 or Younger 150/90 Ages 61 or Older",
         "Nicotine or nicotine substitute use in last 3 years.",
             "in parents on or before age 60.", "Preferred Nicotine Build Chart"}, {"cigar"}},
        {7, {"CUSTOM No Nicotine Use", "will be considered for Custom classification.",
             "Nicotine: No nicotine or nicotine substitute use in last 12 months.",
              "Aviation: Custom No Nicotine rates only available"},
            {"Build", "Cancer History", "Family History"}},
        {8, {"CUSTOM Nicotine Use", "will be considered for Custom classification."}, {"Nicotine:", "Build"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.classCode);
        const std::string text = ClassInfoText(c.classCode);
        std::vector<std::string> present = c.present;
        if (c.classCode == 2 || c.classCode == 5) present.insert(present.end(), shared.begin(), shared.end());
        for (const auto& part : present) EXPECT_TRUE(Contains(text, part)) << part << "\n" << text;
        for (const auto& part : c.absent) EXPECT_FALSE(Contains(text, part)) << part;
    }
}

TEST_F(ClassInfoTest, RelayModeSetsEveryCriterionApart) {
    const auto gap = [&](bool relay) {
        process.RelayMode = relay;
        const Document pages = ClassInfoPages(3);
        return BaselineOf(pages, 1, "CHOL/HDL") - BaselineOf(pages, 1, "Cholesterol:");
    };
    const double plain = gap(false);
    EXPECT_GT(plain, 0);
    EXPECT_NEAR(gap(true), 2 * plain, 1);
}

TEST_F(ClassInfoTest, NewYorkTermProductsUseTheirOwnLayout) {
    struct Case {
        std::int32_t company;
        std::int32_t productType;
        bool qnb;
    };
    for (const Case& c : {Case{1, 18, true}, Case{1, 19, true}, Case{1, 20, false}, Case{0, 18, false}}) {
        IllustrationOptions options;
        options.SetCompany(c.company);
        options.SetProductType(c.productType);
        EXPECT_EQ(ClassInfoPage::UsesQNBLayout(options), c.qnb) << c.company << "/" << c.productType;
    }

    client.Proposal().SetCompany(1);
    client.Proposal().SetProductType(18);
    client.SetClassification(3);
    ClassInfoPage page(context);
    page.start();
    page.finish();
    std::string text;
    for (int n = 1; n <= surface.PageCount(); ++n) text += PageText(document(), n);
    EXPECT_TRUE(Contains(text, "145/90 Age 45 or Younger 150/90 Ages 46-60 155/95 Age 61 or Older")) << text;
    EXPECT_FALSE(Contains(text, "Age 60 or Younger"));
    EXPECT_TRUE(Contains(text, "Select No Nicotine Build Chart - Male"));
    EXPECT_TRUE(Contains(text, "Select No Nicotine Build Chart - Female"));
    EXPECT_TRUE(Contains(text, "5'0 159 5'8 204 6'4 255")) << "first row of the men's chart";
    EXPECT_TRUE(Contains(text, "4'8 134 5'4 175 6'0 221")) << "first row of the women's chart";
}

TEST_F(ClassInfoTest, PagesItRunsOnOpenWithTheBodyHeader) {
    process.RelayMode = true;
    client.Proposal().SetCompany(1);
    client.Proposal().SetProductType(19);
    client.SetClassification(2);
    ClassInfoPage page(context);
    page.start();
    page.finish();
    ASSERT_EQ(surface.PageCount(), 2);
    EXPECT_EQ(PageLines(document(), 2).front(), "Korvel 20 (Policy Form No. TL-2003 et al)");
    EXPECT_TRUE(PageHasLine(document(), 2, "Prepared for: Jane Sample"));

    print.NewPage();
    EXPECT_FALSE(PageHasLine(document(), 3, "Prepared for:")) << "no body header once the page is finished";
}

TEST_F(ClassInfoTest, GeneralLayoutMatchesGolden) {
    client.SetClassification(2);
    ClassInfoPage page(context);
    page.start();
    page.finish();
    WriteSamplePages("class-info");
    EXPECT_EQ(surface.PageCount(), 1);
    EXPECT_EQ(CompareWithGolden(document(), "class-info"), "");
}

TEST_F(ClassInfoTest, QNBLayoutMatchesGolden) {
    client.Proposal().SetCompany(1);
    client.Proposal().SetProductType(18);
    client.SetClassification(1);
    ClassInfoPage page(context);
    page.start();
    page.finish();
    WriteSamplePages("class-info-qnb");
    EXPECT_EQ(CompareWithGolden(document(), "class-info-qnb"), "");
}

// --- Client input page ------------------------------------------------------

// The page's lines below the body header.
std::vector<std::string> LinesFromTitle(const Document& document) {
    auto lines = PageLines(document, 1);
    const auto title = std::find(lines.begin(), lines.end(), "Client Information");
    EXPECT_EQ(title - lines.begin(), 3) << "the body header takes three lines";
    lines.erase(lines.begin(), title);
    return lines;
}

// Relay files as the outside system writes them: Windows-1252, CR LF, list
// items separated by the byte 0xFC.
const std::string kListMark = "\xFC";

std::string SettingsText(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

class ClientInputTest : public InfoPageTest {
protected:
    ClientInputTest() {
        // clang-format off
        folder.Write("Quoravel.ini", SettingsText({
            "[Sections]", "Identifiers=Case Information Received from WinFlex",
                "Corrections=Inputs Corrected for This Illustration",
            "[Identifiers]", "Insured.Name=Insured Name", "Insured.Class=Underwriting Class",
                "Insured.Table=Table Rating", "Insured.Waiver=Waiver of Premium Rider",
                "Insured.ExtraTemp=Temporary Flat Extra", "Policy.PremiumMode=Premium Mode",
                "Rider.CTR.Amt=Children's Insurance Rider Units",
            "[KeyCodes]", "ClassSP=Insured.Class,SP,Preferred Best No Nicotine",
                "Table2.5=Insured.Table,2.5,Table BB", "Table0=Insured.Table,0,None",
                "WaiverY=Insured.Waiver,Y,Yes", "ModeA=Policy.PremiumMode,A,Annual",
        }));
        // clang-format on
    }
    void PrintPage() { PrintPage(context); }
    void PrintPage(PageContext& on) {
        ClientInputPage page(on);
        page.SetINIPathname(folder.path().string());
        page.SetINIFilename("relay.ini");
        page.SetCAPPathName(folder.path().string());
        page.SetCAPFileName("Quoravel.ini");
        page.start();
        page.finish();
    }
};

TEST_F(ClientInputTest, ShowsCaptionedInputsWithTheirCodesDecoded) {
    // clang-format off
    folder.Write("relay.ini", SettingsText({
        "[Identifiers]", "Insured.Name=Jane Sample", "Insured.Class=SP", "Insured.Table=2.5",
            "Insured.Waiver=0", "Insured.ExtraTemp=1" + kListMark + "5" + kListMark + "2.50",
            "Policy.PremiumMode=X", "Unknown.Key=not shown", "Rider.CTR.Amt=",
        "[KeyCodes]", "Insured.Class=never shown",
        "[Agent]", "Agent.Name=Sam Broker",
    }));
    // clang-format on
    PrintPage();
    const auto lines = LinesFromTitle(document());
    const std::vector<std::string> expected{
        "Client Information",       "Case Information Received from WinFlex",
        "Insured Name Jane Sample", "Underwriting Class Preferred Best No Nicotine",
        "Table Rating Table BB",    "Temporary Flat Extra 1, 5, 2.50",
        "Premium Mode X",           "Agent",
    };
    EXPECT_EQ(lines, expected) << "zero and empty values, uncaptioned keys and the key codes are left out; a "
                                  "section without captions shows its name only";
}

// The corrections are this run's, whatever an earlier run left on disk; a
// correction to 0 and one under a key without a caption are shown too, and a
// key corrected twice shows its last value.
TEST_F(ClientInputTest, CorrectionsFollowUnderTheirOwnHeading) {
    folder.Write("relay.ini",
                 "[Identifiers]\r\nInsured.Table=2.5\r\nInsured.Waiver=Y\r\nRider.CTR.Amt=2\r\n");
    folder.Write("relay.upd", "[Identifiers]\r\nInsured.Name=Left Over\r\n");
    run.Updates.Add("Insured.Table", Value("2"), IniFile::Text);
    run.Updates.Add("Insured.Waiver", Value(false), IniFile::Boolean);
    run.Updates.Add("Rider.CTR.Amt", Value(0), IniFile::Number);
    run.Updates.Add("BRLN.PrintOpts", Value("I"), IniFile::Text);
    run.Updates.Add("Insured.Table", Value("0"), IniFile::Text);
    PrintPage();
    const auto lines = LinesFromTitle(document());
    const std::vector<std::string> expected{
        "Client Information",
        "Case Information Received from WinFlex",
        "Table Rating Table BB",
        "Waiver of Premium Rider Yes",
        "Children's Insurance Rider Units 2",
        "Inputs Corrected for This Illustration",
        "Table Rating None",
        "Waiver of Premium Rider N",
        "Children's Insurance Rider Units 0",
        "BRLN.PrintOpts I",
    };
    EXPECT_EQ(lines, expected);
}

// However many inputs come before them, the corrections' heading is on the
// page of its rows, and no row runs into the bottom margin.
TEST_F(ClientInputTest, CorrectionsStayWithTheirHeadingWhereverThePageEnds) {
    std::string captions = "[Sections]\r\nCorrections=Inputs Corrected\r\n[Identifiers]\r\n";
    std::string inputs = "[Identifiers]\r\n";
    for (int key = 1; key <= 40; ++key) {
        captions += "Key" + std::to_string(key) + "=Input " + std::to_string(key) + "\r\n";
        inputs += "Key" + std::to_string(key) + "=value\r\n";
    }
    folder.Write("Quoravel.ini", captions);
    for (int count = 32; count <= 40; ++count) {
        SCOPED_TRACE(count);
        folder.Write("relay.ini", inputs.substr(0, inputs.find("Key" + std::to_string(count + 1) + "=")));
        PrintSurface pages;
        ProposalPrinter printer{pages, FixedChance()};
        ProposalRun corrected{process, ""};
        for (const char* key : {"Key1", "Key2", "Key3", "Key4"})
            corrected.Updates.Add(key, Value("0"), IniFile::Text);
        PageContext pageContext{printer, client, corrected, folder.folder(), folder.folder()};
        printer.StartDoc(4);
        PrintPage(pageContext);

        const Document& document = pages.GetDocument();
        const int last = pages.PageCount();
        EXPECT_TRUE(PageHasLine(document, last, "Inputs Corrected") &&
                    PageHasLine(document, last, "Input 4 0"));
        for (int number = 1; number <= last; ++number) {
            for (const auto& item : document.pages.at(static_cast<std::size_t>(number - 1)).items) {
                const auto* text = std::get_if<TextItem>(&item);
                if (text) {
                    EXPECT_LT(text->baseline, pages.PageHeight() - pages.MarginBottom()) << text->text;
                }
            }
        }
    }
}

TEST_F(ClientInputTest, RelayCaseReadsTheStartFolderAndIsReportedAsANode) {
    folder.Write("relay.ini", "[Identifiers]\r\nInsured.Name=Jane Sample\r\n");
    print.Frame().SetWinflexPath(folder.path().string());
    PrintClientInformation(context);
    EXPECT_TRUE(PageHasLine(document(), 1, "Insured Name Jane Sample"));
    print.EndDoc();
    ASSERT_EQ(print.Frame().RelayNodes().size(), 1u);
    EXPECT_EQ(print.Frame().RelayNodes()[0].NodeName, "Client Information");
}

TEST_F(ClientInputTest, MatchesGolden) {
    // clang-format off
    folder.Write("relay.ini", SettingsText({
        "[Identifiers]", "comp_Code=TVNY", "Insured.Name=Jane Sample", "Insured.Class=SP",
            "Insured.Table=2.5", "Insured.Waiver=Y",
            "Insured.ExtraTemp=1" + kListMark + "5" + kListMark + "2.50", "Policy.PremiumMode=A",
            "Rider.CTR.Amt=2",
    }));
    // clang-format on
    run.Updates.Add("Insured.Table", Value("None"), IniFile::Text);
    PrintPage();
    WriteSamplePages("client-input");
    EXPECT_EQ(CompareWithGolden(document(), "client-input"), "");
}

// --- Underwriting guidelines -----------------------------------------------

using UnderwritingTest = InfoPageTest;

TEST_F(UnderwritingTest, GridLegendAndNotesFitOnePage) {
    PrintUnderwritingGuidelines(context);
    ASSERT_EQ(surface.PageCount(), 1);
    const std::string text = PageText(document(), 1);
    EXPECT_TRUE(PageHasLine(document(), 1, "Underwriting Guidelines (as of July 2003)"));
    EXPECT_TRUE(Contains(text, "Up to 99,999")) << text;
    EXPECT_TRUE(Contains(text, "3,000,000 and over"));
    EXPECT_TRUE(Contains(text, "71 and over"));
    EXPECT_TRUE(Contains(text, "Inspection Report Personal history interview by an inspection company."));
    const double page = surface.PageHeight() - surface.MarginBottom();
    for (const auto& item : document().pages[0].items) {
        if (const auto* run = std::get_if<TextItem>(&item)) {
            EXPECT_GE(run->x, surface.MarginLeft()) << run->text;
            EXPECT_LE(run->x + run->width, surface.PageWidth() - surface.MarginRight()) << run->text;
            EXPECT_LE(run->baseline, page) << run->text;
        }
    }
}

TEST_F(UnderwritingTest, MatchesGolden) {
    PrintUnderwritingGuidelines(context);
    WriteSamplePages("underwriting-guidelines");
    EXPECT_EQ(CompareWithGolden(document(), "underwriting-guidelines"), "");
}

}  // namespace
