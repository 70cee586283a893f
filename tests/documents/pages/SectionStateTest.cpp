// Every section of a proposal lays out the same whatever section came
// before it: no font, alignment, table border or pen carries over.
#include <gtest/gtest.h>

#include "CommissionSettings.h"
#include "PageContext.h"
#include "PageFixture.h"
#include "ProposalSections.h"
#include "ProposalSetup.h"
#include "SampleCase.h"
#include "SectionStart.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

class SectionStateTest : public ::testing::Test {
protected:
    SectionStateTest() {
        process.ProgramFolder = QUORAVEL_PROGRAM_DIR;
        process.VersionText = "V1.0";
        client = SampleProposalCase();
        client.SetWaiver(true);
        auto& options = client.Proposal();
        options.SetOutputClassInfo(true);
        options.SetOutputClassComp(true);
        options.SetOutputUnderwritting(true);
        options.SetOutputCommision(true);
        relay.Write("relay.ini", "[Identifiers]\r\nInsured.Name=John Sample\r\nInsured.State=TX\r\n");
    }

    // The pages `section` prints after `before` (none: alone), from the
    // fresh page it starts on.
    std::vector<Page> PagesOf(const ProposalSection& section, const ProposalSection* before) {
        PrintSurface surface;
        ProposalPrinter print(surface, FixedChance());
        ProposalRun run(process, relay.folder());
        ClientCase printed = client;
        PageContext context{print, printed, run, QUORAVEL_PROGRAM_DIR, relay.folder()};
        context.commission = &commission;
        PrintedSections sections;
        SetUpProposal(context, LedgerLayout::BasicQuotation);
        print.StartDoc(4);
        if (before) before->print(context, sections);
        StartOnFreshPage(print);
        const auto first = surface.GetDocument().pages.size() - 1;
        section.print(context, sections);
        const auto& pages = surface.GetDocument().pages;
        return {pages.begin() + static_cast<std::ptrdiff_t>(first), pages.end()};
    }

    ProcessValues process;
    TempFolder relay;
    ClientCase client;
    CommissionSettings commission{QUORAVEL_PROGRAM_DIR};
};

TEST_F(SectionStateTest, EverySectionPrintsAlikeAfterEveryOther) {
    for (const ProposalSection& section : ProposalSections()) {
        const std::vector<Page> alone = PagesOf(section, nullptr);
        ASSERT_FALSE(alone.empty()) << section.name;
        for (const ProposalSection& before : ProposalSections()) {
            EXPECT_TRUE(PagesOf(section, &before) == alone) << section.name << " after " << before.name;
        }
    }
}

}  // namespace
