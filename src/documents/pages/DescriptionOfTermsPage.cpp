#include "DescriptionOfTermsPage.h"

#include "NarrativeSummaryPage.h"
#include "PremiumEngine.h"
#include "ProductInfo.h"
#include "ProductLookups.h"
#include "ProductNarrative.h"
#include "Rounding.h"
#include "SectionStart.h"

namespace quoravel {
namespace {

// What the terms are chosen and worded from.
struct TermFacts {
    const ClientCase& client;
    LedgerLayout layout;
    ProductNarrative product;  // the product the narrative summary describes
};

// "the first policy year", "the first 20 policy years".
std::string FirstYears(int years) {
    return years == 1 ? "the first policy year" : "the first " + std::to_string(years) + " policy years";
}

// "0.09", "0.0875": the factor as the narrative summary writes it.
std::string Factor(double factor) {
    std::string text = FormatAmount(factor, 4);
    while (text.size() > 4 && text.back() == '0') text.pop_back();
    return text;
}

bool Rated(const ClientCase& client) {
    return !client.TableRating().empty() && client.TableRating() != "None";
}

std::string LevelPeriods(const TermFacts& facts) {
    const ClientCase& client = facts.client;
    const IllustrationOptions& options = client.Proposal();
    std::string text;
    // The proposal shows every product its options hold: a comparison is cut to
    // what it shows before its pages are laid out.
    for (std::size_t i = 0; i < options.ProductCount(); ++i) {
        const std::int32_t number = options.ProdChoices()[i];
        ProductInfo product;
        product.FillProduct(number, client.Age(), false);
        const int level = product.LevelPeriod(client.Age(), 0, client.State());
        text += (text.empty() ? "" : "\n") + ProductDisplayName(number, options.Company()) +
                (level < 1 ? ": the premium increases each year with the insured's age."
                           : ": the premium is level for " + FirstYears(level) +
                                 "; after that it increases each year with the insured's age.");
    }
    return text;
}

std::string ModalFactor(const TermFacts& facts) {
    const ClientCase& client = facts.client;
    return "The premiums are paid on the " + client.ModeText(false) +
           " mode: each payment is the annual premium times " +
           Factor(ModeRule(client.PaymentMode()).factor) +
           ", the modal factor, so a year's payments cost more than one annual premium.  The ledger shows "
           "the "
           "level years' premiums in this mode and the other years' premiums annual.";
}

std::string FlatExtras(const TermFacts& facts) {
    const ClientCase& client = facts.client;
    std::string text;
    if (client.PermFlatExtra() > 0)
        text += "A permanent flat extra of $" + FormatAmount(client.PermFlatExtra(), 2) +
                " per $1,000 of face amount is added each year for the life of the policy.";
    if (client.TempFlatExtra() > 0)
        text += std::string(text.empty() ? "" : "  ") + "A temporary flat extra of $" +
                FormatAmount(client.TempFlatExtra(), 2) + " per $1,000 of face amount is added for " +
                FirstYears(client.TempFlatExtraYears()) + ".";
    return text;
}

// Each term: when the proposal uses it, and what it says.
struct TermRule {
    const char* term;
    bool (*uses)(const TermFacts&);
    std::string (*explain)(const TermFacts&);
};

const TermRule kTermRules[] = {
    {"Policy Year", [](const TermFacts&) { return true; },
     [](const TermFacts&) -> std::string {
         return "A year of the policy counted from the policy date; the ledger's first row is the first "
                "policy year.";
     }},
    {"Age", [](const TermFacts& f) { return f.layout == LedgerLayout::BasicQuotation; },
     [](const TermFacts&) -> std::string {
         return "The insured's age at the start of the policy year: the age at issue, nearest birthday, plus "
                "the policy years gone by.";
     }},
    {"Premium Outlay", [](const TermFacts&) { return true; },
     [](const TermFacts&) -> std::string {
         return "The premium the policy owner pays for the year, out of pocket.  Every premium shown is "
                "guaranteed for the policy as illustrated.";
     }},
    {"Death Benefit", [](const TermFacts& f) { return f.layout == LedgerLayout::BasicQuotation; },
     [](const TermFacts&) -> std::string { return "The amount payable upon the death of the insured."; }},
    {"Face Amount", [](const TermFacts& f) { return f.layout == LedgerLayout::FaceComparison; },
     [](const TermFacts&) -> std::string {
         return "The death benefit of the policy.  The comparison sets the premiums of each face amount side "
                "by side.";
     }},
    {"Premium Outlay\nComparison",
     [](const TermFacts& f) { return f.layout == LedgerLayout::ProductComparison; },
     [](const TermFacts&) -> std::string {
         return "The premiums of each product at the same face amount, side by side.";
     }},
    {"Payment Mode", [](const TermFacts& f) { return f.client.PaymentMode() != Annual; }, ModalFactor},
    {"Level Premium\nPeriod", [](const TermFacts&) { return true; }, LevelPeriods},
    {"Table Rating", [](const TermFacts& f) { return Rated(f.client); },
     [](const TermFacts& f) -> std::string {
         return "Table " + f.client.TableRating() +
                ": the premium of the insured's class is increased by a percentage, because the insured's "
                "health or history calls for it.  The increase is in the premiums shown.";
     }},
    {"Flat Extra",
     [](const TermFacts& f) { return f.client.PermFlatExtra() > 0 || f.client.TempFlatExtra() > 0; },
     FlatExtras},
    {"Waiver of Premium\nRider",
     [](const TermFacts& f) { return f.client.Waiver() && f.product.offersWaiver; },
     [](const TermFacts&) -> std::string {
         return "The Company waives the premiums while the insured is totally disabled as the rider defines "
                "it.  Its cost is in the premiums shown.";
     }},
    {"Child Rider", [](const TermFacts& f) { return f.client.ChildRider() && f.product.offersChildRider; },
     [](const TermFacts& f) -> std::string {
         return "Level term insurance of $1,000 per unit on each insured child: " +
                std::to_string(f.client.ChildRiderUnits()) + " unit(s), $" +
                FormatAmount(f.client.ChildRiderUnits() * 1000.0, 0) +
                " per child.  Its cost is in the premiums shown.";
     }},
    {"Conversion", [](const TermFacts& f) { return !f.product.conversion.empty(); },
     [](const TermFacts&) -> std::string {
         return "The policy may be exchanged for a permanent policy without new evidence of insurability, "
                "within the limits the narrative summary states.";
     }},
    {"Requalification", [](const TermFacts& f) { return !f.product.requalification.empty(); },
     [](const TermFacts&) -> std::string {
         return "The insured may apply for lower premiums with new evidence of insurability, as the "
                "narrative "
                "summary states.";
     }},
    {"Interest Adjusted\nIndices",
     [](const TermFacts& f) { return f.layout == LedgerLayout::BasicQuotation; },
     [](const TermFacts&) -> std::string {
         return "Cost indices at 5% interest for comparing similar policies: a lower index means a lower "
                "cost.  "
                "Riders are left out of them.";
     }},
    {"Policy Fee", [](const TermFacts&) { return true; },
     [](const TermFacts& f) -> std::string {
         if (SpouseFeeWaived(f.client))
             return "The $" + FormatAmount(f.product.policyFee, 0) +
                    " yearly policy fee is waived for a qualifying spouse: the premiums shown leave it out.";
         return "A yearly fee of $" + FormatAmount(f.product.policyFee, 0) + " included in every premium.";
     }},
};

}  // namespace

std::vector<DescribedTerm> TermsOfProposal(const ClientCase& client, LedgerLayout layout) {
    const TermFacts facts{client, layout, DescribeProduct(client, client.Proposal().ProductType())};
    std::vector<DescribedTerm> terms;
    for (const TermRule& rule : kTermRules)
        if (rule.uses(facts)) terms.push_back({rule.term, rule.explain(facts)});
    return terms;
}

PageRange PrintDescriptionOfTerms(PageContext& context, LedgerLayout layout) {
    if (!context.client.Proposal().OutputDescription()) return {};
    ProposalPrinter& print = context.print;
    BeginSection(print);
    NarrativeSummaryPage page;
    page.Reference(print);
    page.start();
    const std::int16_t first = print.Frame().GlobalPage();
    page.AddTitle("Description of Terms");
    for (const DescribedTerm& term : TermsOfProposal(context.client, layout))
        page.AddDefinition(term.term, term.explanation);
    page.finish();
    return {first, print.Frame().GlobalPage()};
}

}  // namespace quoravel
