// The description of terms lists the terms the proposal uses, as the case has them.
#include <gtest/gtest.h>

#include "DescriptionOfTermsPage.h"
#include "PageFixture.h"
#include "SampleCase.h"

using namespace quoravel;

namespace {

std::string Explained(const std::vector<DescribedTerm>& terms, const std::string& term) {
    for (const DescribedTerm& described : terms)
        if (described.term == term) return described.explanation;
    return "(not listed)";
}

TEST(DescriptionOfTerms, FollowsTheCase) {
    const auto rated = [](ClientCase& c) {
        c.SetTableRating("B");
        c.SetPermFlatExtra(2.5);
        c.SetTempFlatExtra(7.5);
        c.SetTempFlatExtraYears(5);
    };
    const auto mode = [](std::int32_t code) { return [code](ClientCase& c) { c.SetPaymentMode(code); }; };
    const struct {
        const char* what;
        std::function<void(ClientCase&)> change;
        // Each term listed with a part of its explanation, and the terms that must not be listed.
        std::vector<std::pair<std::string, std::string>> expected;
        std::vector<std::string> absent = {};
        LedgerLayout layout = LedgerLayout::BasicQuotation;
    } cases[] = {
        {"the sample case: annual, unrated, no riders",
         [](ClientCase&) {},
         {
             {"Death Benefit", "death of the insured"},
             {"Interest Adjusted\nIndices", "5% interest"},
         },
         {"Payment Mode", "Table Rating", "Flat Extra", "Waiver of Premium\nRider", "Child Rider",
          "Face Amount"}},
        {"rated with both flat extras",
         rated,
         {{"Table Rating", "Table B"},
          {"Flat Extra", "permanent flat extra of $2.50 per $1,000"},
          {"Flat Extra",
           "temporary flat extra of $7.50 per $1,000 of face amount is added for the first 5 policy"}}},
        // Every row of the modal factors.
        // clang-format off
        {"semi-annual", mode(1), {{"Payment Mode",
         "Semi-Annual mode: each payment is the annual premium times 0.51,"}}},
        {"quarterly", mode(2), {{"Payment Mode",
         "Quarterly mode: each payment is the annual premium times 0.26,"},
         {"Payment Mode", "\nBrellan 20: the first 20 policy years."}}},
        // Modal for its whole level period, as stamped proposals printed it, though its guarantee is 5 years.
        {"Dorrance 10 quarterly", [](ClientCase& c) {
             c.SetPaymentMode(2);
             c.Proposal().SetCompany(1);
             ::Quote(c, {27}, {250000});
         }, {{"Payment Mode", "\nDorrance 10: the first 10 policy years."}}},
        {"monthly", mode(3), {{"Payment Mode",
         "Direct Monthly mode: each payment is the annual premium times 0.09,"}}},
        {"special monthly", mode(4), {{"Payment Mode",
         "Special Monthly mode: each payment is the annual premium times 0.0875,"}}},
        // clang-format on
        {"both riders",
         [](ClientCase& c) {
             c.SetWaiver(true);
             c.SetChildRider(true);
             c.SetChildRiderUnits(3);
         },
         {{"Waiver of Premium\nRider", "totally disabled"}, {"Child Rider", "3 unit(s), $3,000 per child"}}},
        {"a face comparison",
         [](ClientCase& c) { c.Proposal().AddFaceAmount(500000, c.State()); },
         {{"Face Amount", "each face amount"}},
         {"Death Benefit", "Interest Adjusted\nIndices", "Age"},
         LedgerLayout::FaceComparison},
        {"a product comparison",
         [](ClientCase& c) { c.Proposal().AddProduct(3); },
         {{"Premium Outlay\nComparison", "each product"}},
         {},
         LedgerLayout::ProductComparison},
    };
    for (const auto& c : cases) {
        ClientCase client = SampleProposalCase();
        c.change(client);
        const auto terms = TermsOfProposal(client, c.layout);
        for (const auto& [term, part] : c.expected)
            EXPECT_NE(Explained(terms, term).find(part), std::string::npos) << c.what << ": " << term;
        for (const auto& term : c.absent)
            EXPECT_EQ(Explained(terms, term), "(not listed)") << c.what << ": " << term;
    }
}

}  // namespace
