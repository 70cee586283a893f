#include "SweepCases.h"

#include <array>

#include "Enumerations.h"

namespace quoravel {
namespace {

// The products that have rates, by the carrier whose files and rules apply.
struct ProductGroup {
    std::int32_t company;
    std::vector<std::int32_t> products;
    std::vector<std::string> states;  // one per group of states whose files differ
    bool banded;                      // priced from the banded files of both scales
};

const std::vector<ProductGroup> kGroups{
    {0, {1, 2, 3, 4, 5, 8, 9}, {"TX", "WA", "MS"}, true},
    {0, {6, 15, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43}, {"TX", "WA"}, false},
    {1, {11, 12, 13, 14, 18, 19, 26, 27, 28, 49}, {"NY", "NJ"}, true},
};

constexpr std::array<std::int32_t, 5> kBandFaces{50000, 150000, 500000, 2000000, 6000000};

}  // namespace

std::string SweepCase::Describe() const {
    return "product " + std::to_string(product) + " in " + state + (prior ? " (prior scale)" : "") +
           " band " + std::to_string(band) + " class " + std::to_string(classCode) + " sex " +
           std::to_string(sex);
}

void ForEachSweepCase(ProposalRun& run, const std::function<void(const cClient&, const SweepCase&)>& visit) {
    for (const auto& group : kGroups) {
        for (std::int32_t product : group.products) {
            for (const auto& state : group.states) {
                for (bool prior : {false, true}) {
                    if (prior && !group.banded) continue;
                    for (int band = 1; band <= 5; ++band) {
                        if (band > 1 && !group.banded) continue;
                        for (int classCode = 0; classCode < 9; ++classCode) {
                            for (int sex = 0; sex < 2; ++sex) {
                                const auto min = MinIssueAge(product, state, classCode);
                                const auto max = MaxIssueAge(product, state, classCode, sex == 0, prior);
                                if (!min || !max) continue;
                                SweepCase sweep{product, state, prior, band, classCode, sex};
                                cClient client;
                                client.SetState(state);
                                client.SetIsMale(sex == 0);
                                client.SetClassification(classCode);
                                client.SetTableRating("None");
                                client.proposal().SetCompany(group.company);
                                client.proposal().AddProduct(product);
                                client.proposal().AddFaceAmount(
                                    kBandFaces[static_cast<std::size_t>(band - 1)], state);
                                for (int age = *min; age <= *max && age <= 100; ++age) {
                                    client.SetAge(static_cast<std::int16_t>(age));
                                    run.UsePriorRates = prior;
                                    run.Errors.Clear();
                                    visit(client, sweep);
                                }
                            }
                        }
                    }
                }
            }
        }
    }
}

}  // namespace quoravel
