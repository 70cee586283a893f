#include "ProposalSections.h"

#include "ClassComparisonPage.h"
#include "ClassInfoPage.h"
#include "ClientInputPage.h"
#include "CommissionPage.h"
#include "CoverPage.h"
#include "DescriptionOfTermsPage.h"
#include "LedgerSection.h"
#include "NarrativeSummaryPage.h"
#include "ProposalSetup.h"
#include "RiderNoticePage.h"
#include "UnderwritingGuidelinesPage.h"

namespace quoravel {
namespace {

using S = PrintedSections;

const ProposalSection kSections[] = {
    {SectionId::RiderNotice, "rider notice", [](PageContext& c, S&) { PrintRiderNotice(c); }},
    {SectionId::Cover, "cover", [](PageContext& c, S&) { PrintCover(c); }},
    {SectionId::NarrativeSummary, "narrative summary", [](PageContext& c, S&) { PrintNarrativeSummary(c); }},
    {SectionId::DescriptionOfTerms, "description of terms",
     [](PageContext& c, S& printed) {
         printed.terms = PrintDescriptionOfTerms(c, ReportLayout(c.client.Proposal()));
     }},
    {SectionId::Ledger, "ledger", [](PageContext& c, S&) { PrintLedgerSection(c); }},
    {SectionId::ClassInformation, "class information", [](PageContext& c, S&) { PrintClassInformation(c); }},
    {SectionId::Certification, "certification",
     [](PageContext& c, S& printed) { printed.certification = PrintCertification(c); }},
    {SectionId::ClassComparison, "class comparison",
     [](PageContext& c, S&) { PrintClassComparisonPages(c); }},
    {SectionId::UnderwritingGuidelines, "underwriting guidelines",
     [](PageContext& c, S&) { PrintUnderwritingGuidelines(c); }},
    {SectionId::ClientInput, "client input",
     [](PageContext& c, S& printed) { PrintClientInformation(c, printed); }},
    {SectionId::Commission, "commission", [](PageContext& c, S&) { PrintCommissionPage(c, *c.commission); }},
};

}  // namespace

std::span<const ProposalSection> ProposalSections() { return kSections; }

void PrintSection(SectionId id, PageContext& context, PrintedSections& printed) {
    const Document& document = context.print.Surface().GetDocument();
    const auto itemsOnLastPage = [&] {
        return document.pages.empty() ? 0 : document.pages.back().items.size();
    };
    const std::size_t pages = document.pages.size();
    const std::size_t items = itemsOnLastPage();
    for (const ProposalSection& section : kSections)
        if (section.id == id) section.print(context, printed);
    if (document.pages.size() != pages || itemsOnLastPage() != items) printed.printed.push_back(id);
}

}  // namespace quoravel
