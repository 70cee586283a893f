#include <gtest/gtest.h>

#include <tuple>

#include "ClassInfoPage.h"
#include "ClientInputPage.h"
#include "Golden.h"
#include "PageContext.h"
#include "PageFixture.h"
#include "PrintSurface.h"
#include "ProposalSections.h"
#include "RiderNoticePage.h"
#include "TestSupport.h"
#include "UnderwritingGuidelinesPage.h"

using namespace quoravel;

namespace {

// Relay files as the outside system writes them: Windows-1252, CR LF, list
// items separated by the byte 0xFC.
std::string SettingsText(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

// A case on a surface with the chance and the calendar fixed, without the frame's footers; one folder
// is the program folder, with the captions of the relay inputs, and the relay folder.
class InfoPageTest : public ::testing::Test {
protected:
    InfoPageTest() {
        SetBodyHeader(print,
                      {"Korvel 20", " (Policy Form No. TL-2003 et al)", "20 Year Level Premium Term",
                       "Jane Sample", "45", "Female", "Preferred No Nicotine Use", "$500,000", "Sam Broker"});
        print.StartDoc(4);
        // clang-format off
        folder.Write("Quoravel.ini", SettingsText({"[Sections]",
            "Identifiers=Case Information Received from WinFlex", "Corrections=Inputs Corrected for This Illustration",
            "[Identifiers]", "Insured.Name=Insured Name", "Insured.Class=Underwriting Class",
                "Insured.Table=Table Rating", "Insured.Waiver=Waiver of Premium Rider",
                "Insured.ExtraTemp=Temporary Flat Extra", "Policy.PremiumMode=Premium Mode",
                "Rider.CTR.Amt=Children's Insurance Rider Units", "BRLN.CertForm=Certification Page",
            "[KeyCodes]", "ClassSP=Insured.Class,SP,Preferred Best No Nicotine", "Table2.5=Insured.Table,2.5,Table BB",
                "Table0=Insured.Table,0,None", "WaiverY=Insured.Waiver,Y,Yes", "ModeA=Policy.PremiumMode,A,Annual"}));
        // clang-format on
    }
    const Document& document() const { return surface.GetDocument(); }
    // The class information pages of the class, from a fresh document.
    std::string ClassInfoText(int classCode) {
        client.SetClassification(classCode);
        print.StartDoc(4);
        PrintClassInformation(context);
        return AllText(document());
    }
    // No text run of any page leaves the page's margins (by half a twip, as wrapping allows).
    void ExpectWithinMargins() const {
        for (const Page& page : document().pages)
            for (const auto& item : page.items)
                if (const auto* text = std::get_if<TextItem>(&item)) {
                    EXPECT_GE(text->x, surface.MarginLeft()) << text->text;
                    EXPECT_LE(text->x + text->width, surface.PageWidth() - surface.MarginRight() + 0.5)
                        << text->text;
                    EXPECT_LT(text->baseline, surface.PageHeight() - surface.MarginBottom()) << text->text;
                }
    }

    TempFolder folder;
    PrintSurface surface;
    ProposalPrinter print{surface, FixedChance()};
    ClientCase client;
    ProcessValues process;
    ProposalRun run{process, ""};
    PageContext context{print, client, run, folder.folder(), folder.folder()};
};

// Every page of this file as a person reviewed it once, within its margins.
TEST_F(InfoPageTest, PagesMatchTheirGoldens) {
    // clang-format off
    folder.Write("relay.ini", SettingsText({"[Identifiers]", "comp_Code=TVNY", "Insured.Name=Jane Sample",
        "Insured.Class=SP", "Insured.Table=2.5", "Insured.Waiver=Y", "Insured.ExtraTemp=1\xFC" "5\xFC" "2.50",
        "Policy.PremiumMode=A", "Rider.CTR.Amt=2"}));
    // clang-format on
    run.Updates.Add("Insured.Table", Value("None"), IniFile::Text);
    client.SetWaiver(true);
    client.SetChildRider(true);
    const struct {
        const char* name;
        void (*print)(PageContext&);
        std::int32_t company, productType, classCode;
        const char* state;
    } pages[] = {
        {"class-info", PrintClassInformation, 0, 0, 2, ""},
        {"class-info-qnb", PrintClassInformation, 1, 18, 1, ""},
        {"client-input", [](PageContext& c) { PrintClientInformation(c, {}); }, 0, 0, 0, ""},
        {"underwriting-guidelines", PrintUnderwritingGuidelines, 0, 0, 0, ""},
        {"rider-notice", PrintRiderNotice, 2, 0, 0, "NJ"},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.name);
        client.Proposal().SetCompany(page.company);
        client.Proposal().SetProductType(page.productType);
        client.SetClassification(page.classCode);
        client.SetState(page.state);
        print.StartDoc(4);
        page.print(context);
        EXPECT_EQ(CompareWithGolden(document(), page.name), "");
        ExpectWithinMargins();
        WriteSamplePages(document(), page.name);
    }
}

// Rows: the case, whether it needs the notice and, for some, the state and rider it names and the rider
// it must not. New Jersey's notice for both riders is the golden page's.
TEST_F(InfoPageTest, RiderNoticeIsNeededOnlyForTVNYRidersTheStateHadNotApprovedAndNamesThem) {
    const struct {
        std::int32_t company;
        const char* state;
        bool waiver, child, needed;
        std::string name = "", rider = "", absent = "";
    } cases[] = {
        // clang-format off
        {2, "NJ", true, false, true},  {2, "NJ", false, true, true},  {2, "NJ", false, false, false},
        {2, "PA", false, true, false}, {2, "MD", false, true, false}, {2, "OH", true, true, false},
        {0, "NJ", true, true, false},  {1, "PA", true, false, false},
        {2, "VT", false, true, true, "Vermont", "Children's Insurance Rider", "Waiver"},
        {2, "PA", true, true, true, "Pennsylvania", "Waiver of Premium Rider", "Children's"},
        {2, "MD", true, true, true, "Maryland", "Waiver of Premium Rider", "Children's"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.company) + " " + c.state + (c.waiver ? " waiver" : "") +
                     (c.child ? " child" : ""));
        client.Proposal().SetCompany(c.company);
        client.SetState(c.state);
        client.SetWaiver(c.waiver);
        client.SetChildRider(c.child);
        EXPECT_EQ(RiderNoticePage::Needed(client), c.needed);
        if (c.name.empty()) continue;
        print.StartDoc(4);
        PrintRiderNotice(context);
        const std::string text = AllText(document());
        EXPECT_TRUE(Contains(text, "As of the date of release of this software, the " + c.rider +
                                       " was not available for sale in the state of " + c.name +
                                       ". Please verify that this rider is available for sale in " + c.name +
                                       " before presenting to the client."))
            << text;
        EXPECT_FALSE(Contains(text, c.absent)) << text;
        EXPECT_EQ(surface.PageCount(), 2) << "the notice ends by starting the next page";
    }
}

// The criteria, limits and build chart rows each class shows, and what it
// leaves out; the preferred class without nicotine is the golden page's.
TEST_F(InfoPageTest, EachClassShowsOnlyTheCriteriaItHas) {
    const struct {
        int classCode;
        std::vector<std::string> present, absent;
    } cases[] = {
        // clang-format off
        {0, {"PREFERRED ELITE", "130/85 Age 60 or Younger", "before age 65.", "Maximum reading of 210.",
         "exceed 4.0."}, {"Nicotine:", "Build", "cigar"}},
        {4, {"Nicotine: No use of nicotine or nicotine substitutes in last 12 months.",
             "Cancer History: Coverage may be available", "exceed 8.0.", "last 2 years.",
             "Standard No Nicotine Build Chart", "5'7 217 6'3 272"}, {"No cancer history allowed"}},
        // The preferred classes with and without nicotine share limits and chart.
        {5, {"PREFERRED Nicotine Use", "140/90 Age 60 or Younger 150/90 Ages 61 or Older",
             "Nicotine or nicotine substitute use in last 3 years.", "in parents on or before age 60.",
             "Preferred Nicotine Build Chart", "5'0 154 5'8 197 6'4 246",
             "Cholesterol: Maximum reading of 270.", "cannot exceed 6.0.",
             "substance abuse in the last 10 years.", "suspension in last 5 years."}, {"cigar"}},
        {7, {"CUSTOM No Nicotine Use", "will be considered for Custom classification.",
             "Nicotine: No nicotine or nicotine substitute use in last 12 months.",
             "Aviation: Custom No Nicotine rates only available"},
            {"Build", "Cancer History", "Family History"}},
        {8, {"CUSTOM Nicotine Use", "will be considered for Custom classification."}, {"Nicotine:", "Build"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.classCode);
        const std::string text = ClassInfoText(c.classCode);
        for (const auto& part : c.present) EXPECT_TRUE(Contains(text, part)) << part << "\n" << text;
        for (const auto& part : c.absent) EXPECT_FALSE(Contains(text, part)) << part;
    }
}

TEST_F(InfoPageTest, NewYorkTermProductsUseTheirOwnClassInfoLayoutOnPagesWithTheBodyHeader) {
    for (const auto& [company, type, qnb] :
         {std::tuple{1, 18, true}, {1, 19, true}, {1, 20, false}, {0, 18, false}}) {
        client.Proposal().SetCompany(company);
        client.Proposal().SetProductType(type);
        EXPECT_EQ(ClassInfoPage::UsesQNBLayout(client.Proposal()), qnb) << company << "/" << type;
    }

    client.Proposal().SetCompany(1);
    client.Proposal().SetProductType(18);
    const std::string text = ClassInfoText(3);
    const auto gap = [&] {  // between two criteria
        return TextOn(document(), 1, "CHOL/HDL").baseline - TextOn(document(), 1, "Cholesterol:").baseline;
    };
    const double plain = gap();
    EXPECT_GT(plain, 0);
    EXPECT_TRUE(Contains(text, "145/90 Age 45 or Younger 150/90 Ages 46-60 155/95 Age 61 or Older")) << text;
    EXPECT_FALSE(Contains(text, "Age 60 or Younger"));
    // The layout's build charts, one for each sex, are the golden page's.
    EXPECT_TRUE(Contains(text, "5'0 159 5'8 204 6'4 255")) << "first row of the men's chart";
    EXPECT_TRUE(Contains(text, "4'8 134 5'4 175 6'0 221")) << "first row of the women's chart";

    // Relay mode sets every criterion apart. Every page opens with the body header, and a page with a
    // build chart's heading row has a chart's title too: no chart is split from its title.
    process.RelayMode = true;
    client.Proposal().SetProductType(19);
    ClassInfoText(2);
    EXPECT_NEAR(gap(), 2 * plain, 1);
    for (int page = 1; page <= surface.PageCount(); ++page)
        EXPECT_TRUE(!PageHasLine(document(), page, "Height Weight Height Weight Height Weight") ||
                    PageHasLine(document(), page, "Build Chart"))
            << "page " << page;
    ASSERT_EQ(surface.PageCount(), 2);
    EXPECT_EQ(PageLines(document(), 2).front(), "Korvel 20 (Policy Form No. TL-2003 et al)");
    EXPECT_TRUE(PageHasLine(document(), 2, "Prepared for: Jane Sample"));

    print.NewPage();
    EXPECT_FALSE(PageHasLine(document(), 3, "Prepared for:")) << "no body header once the page is finished";
}

// The relay case's inputs, then this run's corrections whatever an earlier run left on disk: one to 0 and
// one under a key without a caption shown too, a key corrected twice with its last value.
TEST_F(InfoPageTest, ClientInputShowsTheInputsAndThenTheCorrections) {
    print.Frame().SetWinflexPath(folder.path().string());
    folder.Write("relay.ini",
                 "[Identifiers]\r\nInsured.Table=2.5\r\nInsured.Waiver=Y\r\nRider.CTR.Amt=2\r\n");
    folder.Write("relay.upd", "[Identifiers]\r\nInsured.Name=Left Over\r\n");
    run.Updates.Add("Insured.Table", Value("2"), IniFile::Text);
    run.Updates.Add("Insured.Waiver", Value(false), IniFile::Boolean);
    run.Updates.Add("Rider.CTR.Amt", Value(0), IniFile::Number);
    run.Updates.Add("BRLN.PrintOpts", Value("I"), IniFile::Text);
    run.Updates.Add("Insured.Table", Value("0"), IniFile::Text);
    PrintClientInformation(context, {});
    const std::vector<std::string> lines = PageLines(document(), 1);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.end()),  // below the body header
              (std::vector<std::string>{
                  "Client Information", "Case Information Received from WinFlex", "Table Rating Table BB",
                  "Waiver of Premium Rider Yes", "Children's Insurance Rider Units 2",
                  "Inputs Corrected for This Illustration", "Table Rating None", "Waiver of Premium Rider No",
                  "Children's Insurance Rider Units 0", "BRLN.PrintOpts I"}));
}

// Rows: inputs as the outside system wrote them, whether the certification was chosen, and the page's
// last row. A name keeps its "ü" and "ý" in Windows-1252 or UTF-8; a yes or no reads as the relay takes
// it; a page is chosen only when it printed. Zero and empty values, keys without a caption and the key
// codes are left out; an unknown code shows as it came, a section without captions by its name.
TEST_F(InfoPageTest, ClientInputShowsEachValueAsTheRelayTookIt) {
    const struct {
        std::string input;
        bool certification;
        const char* row;
    } rows[] = {
        {"Insured.Name=J\xFCrgen M\xFCller-L\xFC"
         "denscheidt",
         false, "Insured Name J\u00FCrgen M\u00FCller-L\u00FCdenscheidt"},
        {"Insured.Name=Zo\u00FD Kr\u00FDl", false, "Insured Name Zo\u00FD Kr\u00FDl"},  // in UTF-8
        {"Insured.Waiver=0\r\nRider.CTR.Amt=\r\nUnknown.Key=not shown", false,
         "Case Information Received from WinFlex"},
        {"Policy.PremiumMode=X\r\n[KeyCodes]\r\nInsured.Class=never shown", false, "Premium Mode X"},
        {"[Agent]\r\nAgent.Name=Sam Broker", false, "Agent"},
        {"Insured.Waiver=maybe", false, "Waiver of Premium Rider No"},
        {"Insured.Waiver=2", false, "Waiver of Premium Rider No"},
        {"Insured.Waiver=yes", false, "Waiver of Premium Rider Yes"},
        {"Insured.Waiver=TRUE", false, "Waiver of Premium Rider Yes"},
        {"BRLN.CertForm=Y", false, "Certification Page No"},
        {"BRLN.CertForm=Y", true, "Certification Page Yes"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.input);
        folder.Write("relay.ini", SettingsText({"[Identifiers]", row.input}));
        client.Proposal().SetOutputCertification(row.certification);
        print.StartDoc(4);
        PrintedSections printed;
        PrintSection(SectionId::Certification, context, printed);
        PrintSection(SectionId::ClientInput, context, printed);
        EXPECT_EQ(PageLines(document(), surface.PageCount()).back(), row.row);
    }
    // A name of any length takes a line or two of the page, cut with an ellipsis.
    folder.Write("relay.ini", SettingsText({"[Identifiers]", "Insured.Name=" + std::string(2047, 'W')}));
    print.StartDoc(4);
    PrintClientInformation(context, {});
    EXPECT_EQ(surface.PageCount(), 1);
    EXPECT_TRUE(Contains(AllText(document()), "\u2026"));
}

// However many inputs come before them, the corrections' heading is on the
// page of its rows, and no row runs into the bottom margin.
TEST_F(InfoPageTest, ClientInputCorrectionsStayWithTheirHeadingWhereverThePageEnds) {
    std::string captions = "[Sections]\r\nCorrections=Inputs Corrected\r\n[Identifiers]\r\n";
    std::string inputs = "[Identifiers]\r\n";
    for (int key = 1; key <= 40; ++key) {
        captions += "Key" + std::to_string(key) + "=Input " + std::to_string(key) + "\r\n";
        inputs += "Key" + std::to_string(key) + "=value\r\n";
    }
    folder.Write("Quoravel.ini", captions);
    for (const char* key : {"Key1", "Key2", "Key3", "Key4"}) run.Updates.Add(key, Value("0"), IniFile::Text);
    for (int count = 32; count <= 40; ++count) {
        SCOPED_TRACE(count);
        folder.Write("relay.ini", inputs.substr(0, inputs.find("Key" + std::to_string(count + 1) + "=")));
        print.StartDoc(4);
        PrintClientInformation(context, {});
        const int last = surface.PageCount();
        EXPECT_TRUE(PageHasLine(document(), last, "Inputs Corrected") &&
                    PageHasLine(document(), last, "Input 4 0"));
        ExpectWithinMargins();
    }
}

}  // namespace
