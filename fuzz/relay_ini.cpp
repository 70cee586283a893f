// relay.ini through the relay case's checks to its premiums and answer: a
// case that is refused says so in its answer; one that is accepted is
// priced, and every premium it is priced at is a finite amount of 0 or more.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "PremiumEngine.h"
#include "RelayExchange.h"

using namespace quoravel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::WriteScratch("relay.ini", {reinterpret_cast<const char*>(data), size});
    ProcessValues process;
    process.RelayMode = true;
    process.ProgramFolder = QUORAVEL_PROGRAM_DIR "/";
    process.VersionText = "V3.1w";
    const std::string folder = fuzz::ScratchFolder().string() + "/";
    ProposalRun run(process, folder);
    try {
        const auto client = ReadRelayFile(folder, "relay.ini", run);
        if (client && run.Errors.Status() == 0) {
            const cIllustrationOptions& options = client->proposal();
            RateContext context{process.ProgramFolder, run};
            for (std::size_t p = 0; p < options.ProductCount(); ++p) {
                const std::int32_t product = options.ProdChoices()[p];
                for (std::size_t f = 0; f < options.FaceAmountCount(); ++f) {
                    const auto schedule = ComputePremiumSchedule(context, *client, product, f);
                    std::vector<double> premiums;
                    for (const auto& year : schedule.years) {
                        const double total = year.Total();
                        fuzz::Require(
                            std::isfinite(total) && total >= 0,
                            "product " + std::to_string(product) + " priced at " + std::to_string(total));
                        premiums.push_back(total);
                    }
                    if (p == 0 && f == 0)
                        AnswerPolicyValues(run, *client, product, options.GetFaceAmount(f), premiums,
                                           static_cast<int>(premiums.size()));
                }
            }
        }
    } catch (const std::exception& error) {
        // The relay run reports a run-time error in its answer; so does this.
        run.ProcessError(error, clsError::ErrorWithPlace, "Fuzz", "relay_ini");
    }
    WriteRelayAnswer(run);
    return 0;
}
