#include "SweepCases.h"

#include <array>

#include "ProductCatalogue.h"
#include "ProductLookups.h"

namespace quoravel {
namespace {

// One state of each group whose rate files or rules differ: the New York
// company's two states; for the others Washington, Mississippi (which stays
// on the older banded scale) and one state of the rest.
const std::vector<std::string> kNewYorkCompanyStates{"NY", "NJ"};
const std::vector<std::string> kBandedStates{"TX", "WA", "MS"};
const std::vector<std::string> kUnbandedStates{"TX", "WA"};

constexpr std::array<std::int32_t, 5> kBandFaces{50000, 150000, 500000, 2000000, 6000000};

}  // namespace

std::string SweepCase::Describe() const {
    return "product " + std::to_string(product) + " in " + state + (prior ? " (prior scale)" : "") +
           " band " + std::to_string(band) + " class " + std::to_string(classCode) + " sex " +
           std::to_string(sex);
}

void ForEachSweepCase(ProposalRun& run,
                      const std::function<void(const ClientCase&, const SweepCase&)>& visit) {
    // Every product the catalogue illustrates, sold by its own carrier.
    for (std::int32_t product = 1; product < 50; ++product) {
        if (!IsIllustrated(product)) continue;
        const ProductOffer& offer = OfferOf(product);
        const std::int32_t company = offer.carriers == kSoldByQNB ? 1 : offer.carriers == kSoldByTVNY ? 2 : 0;
        const bool banded = offer.rates == RateSource::Banded5 || offer.rates == RateSource::Banded3;
        const auto& states = company == 1 ? kNewYorkCompanyStates : banded ? kBandedStates : kUnbandedStates;
        for (const auto& state : states) {
            for (bool prior : {false, true}) {
                if (prior && !banded) continue;
                for (int band = 1; band <= 5; ++band) {
                    if (band > 1 && !banded) continue;
                    for (int classCode = 0; classCode < 9; ++classCode) {
                        for (int sex = 0; sex < 2; ++sex) {
                            const auto min = MinIssueAge(product, state, classCode);
                            const auto max = MaxIssueAge(product, state, classCode, sex == 0, prior);
                            if (!min || !max) continue;
                            SweepCase sweep{product, state, prior, band, classCode, sex};
                            ClientCase client;
                            client.SetState(state);
                            client.SetIsMale(sex == 0);
                            client.SetClassification(classCode);
                            client.SetTableRating("None");
                            client.Proposal().SetCompany(company);
                            client.Proposal().AddProduct(product);
                            client.Proposal().AddFaceAmount(kBandFaces[static_cast<std::size_t>(band - 1)],
                                                            state);
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

}  // namespace quoravel
