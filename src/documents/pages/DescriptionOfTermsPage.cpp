#include "DescriptionOfTermsPage.h"

#include <algorithm>
#include <functional>

#include "NarrativeSummaryPage.h"
#include "PremiumEngine.h"
#include "ProductNarrative.h"
#include "Rounding.h"
#include "SectionStart.h"

namespace quoravel {
namespace {

// What the terms are chosen and worded from.
struct TermFacts {
    const ClientCase& client;
    LedgerLayout layout;
    std::vector<ProductNarrative> products;  // every product the proposal shows

    bool AnyProduct(bool (*has)(const ProductNarrative&)) const {
        return std::any_of(products.begin(), products.end(), has);
    }
};

// One statement for each product the proposal shows, each under its name.
std::string PerProduct(const TermFacts& facts,
                       const std::function<std::string(const ProductNarrative&)>& say) {
    return EachProduct(facts.products, true, say);
}

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

std::string ModalFactor(const TermFacts& facts) {
    const ClientCase& client = facts.client;
    return "The premiums are paid on the " + client.ModeText(false) +
           " mode: each payment is the annual premium times " +
           Factor(ModeRule(client.PaymentMode()).factor) +
           ", the modal factor, so a year's payments cost more than one annual premium.  The ledger shows "
           "the "
           "premiums in this mode for the years below and annual premiums after them:\n" +
           PerProduct(facts, [](const ProductNarrative& p) { return FirstYears(p.terms.modalYears) + "."; });
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
    {"Level Premium\nPeriod", [](const TermFacts&) { return true; },
     [](const TermFacts& f) {
         return PerProduct(f, [](const ProductNarrative& p) { return p.premiumPattern; });
     }},
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
     [](const TermFacts& f) {
         return f.client.Waiver() && f.AnyProduct([](const ProductNarrative& p) { return p.offersWaiver; });
     },
     [](const TermFacts&) -> std::string {
         return "The Company waives the premiums while the insured is totally disabled as the rider defines "
                "it.  Its cost is in the premiums shown.";
     }},
    {"Child Rider",
     [](const TermFacts& f) {
         return f.client.ChildRider() &&
                f.AnyProduct([](const ProductNarrative& p) { return p.offersChildRider; });
     },
     [](const TermFacts& f) -> std::string {
         return "Level term insurance of $1,000 per unit on each insured child: " +
                std::to_string(f.client.ChildRiderUnits()) + " unit(s), $" +
                FormatAmount(f.client.ChildRiderUnits() * 1000.0, 0) +
                " per child.  Its cost is in the premiums shown.";
     }},
    // What each product offers the insured, the options closed by age or
    // state as well: a proposal says the same of a product alone or compared.
    {"Conversion", [](const TermFacts&) { return true; },
     [](const TermFacts& f) {
         return PerProduct(f, [](const ProductNarrative& p) { return p.conversion; });
     }},
    {"Requalification", [](const TermFacts&) { return true; },
     [](const TermFacts& f) {
         return PerProduct(f, [](const ProductNarrative& p) { return p.requalification; });
     }},
    {"Interest Adjusted\nIndices",
     [](const TermFacts& f) { return f.layout == LedgerLayout::BasicQuotation; },
     [](const TermFacts&) -> std::string {
         return "Cost indices at 5% interest for comparing similar policies: a lower index means a lower "
                "cost.  "
                "Riders are left out of them.";
     }},
    {"Policy Fee", [](const TermFacts&) { return true; },
     [](const TermFacts& f) {
         const bool waived = SpouseFeeWaived(f.client);
         return PerProduct(f, [waived](const ProductNarrative& p) { return PolicyFeeText(p, waived); });
     }},
};

}  // namespace

std::vector<DescribedTerm> TermsOfProposal(const ClientCase& client, LedgerLayout layout) {
    const TermFacts facts{client, layout, DescribeProducts(client)};
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
