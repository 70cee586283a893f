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

TEST(SectionStateTest, EverySectionPrintsAlikeAfterEveryOther) {
    ProcessValues process;
    process.ProgramFolder = QUORAVEL_PROGRAM_DIR;
    process.VersionText = "V1.0";
    ClientCase client = SampleProposalCase();
    client.SetWaiver(true);
    auto& options = client.Proposal();
    options.SetOutputClassInfo(true);
    options.SetOutputClassComp(true);
    options.SetOutputUnderwritting(true);
    options.SetOutputCommision(true);
    TempFolder relay;
    relay.Write("relay.ini", "[Identifiers]\r\nInsured.Name=John Sample\r\nInsured.State=TX\r\n");
    const CommissionSettings commission{QUORAVEL_PROGRAM_DIR};

    // The pages `section` prints after `before` (none: alone), from the
    // fresh page it starts on.
    const auto pagesOf = [&](const ProposalSection& section, const ProposalSection* before) {
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
        const auto first = static_cast<std::ptrdiff_t>(surface.GetDocument().pages.size() - 1);
        section.print(context, sections);
        const auto& pages = surface.GetDocument().pages;
        return std::vector<Page>(pages.begin() + first, pages.end());
    };
    for (const ProposalSection& section : ProposalSections()) {
        const std::vector<Page> alone = pagesOf(section, nullptr);
        ASSERT_FALSE(alone.empty()) << section.name;
        for (const ProposalSection& before : ProposalSections())
            EXPECT_TRUE(pagesOf(section, &before) == alone) << section.name << " after " << before.name;
    }
}

}  // namespace
