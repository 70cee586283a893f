// One whole premium computation (rate matrix and every yearly component to
// age 100, the rate files reopened as on every call) and the sweep over every
// priced case of the sample rates.
#include <benchmark/benchmark.h>

#include "PremiumEngine.h"
#include "SweepCases.h"

using namespace quoravel;

namespace {

const std::string kProgramFolder = QUORAVEL_PROGRAM_DIR;

void BM_PremiumComputation(benchmark::State& state) {
    const ProcessValues process;
    ProposalRun run(process, kProgramFolder);
    RateContext context{kProgramFolder, run};
    ClientCase client;
    client.SetState("TX");
    client.SetAge(45);
    client.SetIsMale(true);
    client.SetClassification(4);
    client.SetTableRating("None");
    client.SetWaiver(true);
    client.Proposal().AddProduct(2);
    client.Proposal().AddFaceAmount(250000, "TX");
    for (auto _ : state) {
        auto schedule = ComputePremiumSchedule(context, client, 2, 0);
        benchmark::DoNotOptimize(schedule);
    }
    if (run.Errors.Count() != 0) state.SkipWithError(run.Errors.Item(1).Description.c_str());
}
BENCHMARK(BM_PremiumComputation)->Unit(benchmark::kMicrosecond);

void BM_Sweep(benchmark::State& state) {
    const ProcessValues process;
    ProposalRun run(process, kProgramFolder);
    RateContext context{kProgramFolder, run};
    long cases = 0;
    for (auto _ : state) {
        ForEachSweepCase(run, [&](const ClientCase& client, const SweepCase& sweep) {
            auto schedule = ComputePremiumSchedule(context, client, sweep.product, 0);
            benchmark::DoNotOptimize(schedule);
            ++cases;
        });
    }
    state.counters["cases"] = static_cast<double>(cases) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Sweep)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
