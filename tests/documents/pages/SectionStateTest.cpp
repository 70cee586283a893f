// Every section of a proposal lays out the same whatever section came
// before it: no font, alignment, table border or pen carries over.
#include <gtest/gtest.h>

#include <functional>

#include "ClassComparisonPage.h"
#include "CommissionPage.h"
#include "LedgerSection.h"
#include "PageContext.h"
#include "ProposalSetup.h"
#include "SampleCase.h"
#include "SectionPage.h"
#include "TestSupport.h"
#include "UnderwritingGuidelines.h"
#include "cCommision.h"
#include "clsClientInput.h"
#include "clsPClassInfo.h"
#include "clsPCover.h"
#include "clsPNarrativeSummary.h"
#include "clsPRiderNotice.h"

using namespace quoravel;

namespace {

struct Section {
    const char* name;
    std::function<void(PageContext&, const cCommision&)> print;
};

const Section kSections[] = {
    {"cover", [](PageContext& c, const cCommision&) { PrintCover(c); }},
    {"narrative summary", [](PageContext& c, const cCommision&) { PrintNarrativeSummary(c); }},
    {"ledger", [](PageContext& c, const cCommision&) { PrintLedgerSection(c); }},
    {"class information",
     [](PageContext& c, const cCommision&) {
         clsPClassInfo page(c);
         page.start();
         page.finish();
     }},
    {"client input", [](PageContext& c, const cCommision&) { PrintClientInformation(c); }},
    {"rider notice", [](PageContext& c, const cCommision&) { clsPRiderNotice(c.print).start(c.client); }},
    {"class comparison", [](PageContext& c, const cCommision&) { PrintClassComparisonPages(c); }},
    {"guidelines", [](PageContext& c, const cCommision&) { PrintUnderwritingGuidelines(c); }},
    {"commission", [](PageContext& c, const cCommision& commission) { PrintCommissionPage(c, commission); }},
};

class SectionStateTest : public ::testing::Test {
protected:
    SectionStateTest() {
        process.ProgramFolder = QUORAVEL_PROGRAM_DIR;
        process.VersionText = "V1.0";
        client = SampleProposalCase();
        client.SetWaiver(true);
        auto& options = client.proposal();
        options.SetOutputClassInfo(true);
        options.SetOutputClassComp(true);
        options.SetOutputUnderwritting(true);
        options.SetOutputCommision(true);
        relay.Write("relay.ini", "[Identifiers]\r\nInsured.Name=John Sample\r\nInsured.State=TX\r\n");
    }

    // The pages `section` prints after `before` (none: alone), from the
    // fresh page it starts on.
    std::vector<Page> PagesOf(const Section& section, const Section* before) {
        PrintSurface surface;
        clsPrint print(surface, FrameSources{[] { return 0.5; }, [] { return Date::FromYmd(2024, 3, 7); }});
        ProposalRun run(process, relay.folder());
        cClient printed = client;
        PageContext context{print, printed, run, QUORAVEL_PROGRAM_DIR, relay.folder()};
        SetUpProposal(context, LedgerLayout::BasicQuotation);
        print.StartDoc(4);
        if (before) before->print(context, commission);
        StartOnFreshPage(print);
        const auto first = surface.GetDocument().pages.size() - 1;
        section.print(context, commission);
        const auto& pages = surface.GetDocument().pages;
        return {pages.begin() + static_cast<std::ptrdiff_t>(first), pages.end()};
    }

    ProcessValues process;
    TempFolder relay;
    cClient client;
    cCommision commission{QUORAVEL_PROGRAM_DIR};
};

TEST_F(SectionStateTest, EverySectionPrintsAlikeAfterEveryOther) {
    for (const Section& section : kSections) {
        const std::vector<Page> alone = PagesOf(section, nullptr);
        ASSERT_FALSE(alone.empty()) << section.name;
        for (const Section& before : kSections) {
            EXPECT_TRUE(PagesOf(section, &before) == alone) << section.name << " after " << before.name;
        }
    }
}

}  // namespace
