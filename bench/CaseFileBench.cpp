// A broker's case file of 10,000 cases: loading it and saving it again.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "CaseFile.h"

using namespace quoravel;

namespace {

constexpr int kCases = 10000;

Collection<ClientCase> ManyCases() {
    Collection<ClientCase> cases;
    for (int i = 0; i < kCases; ++i) {
        auto c = std::make_shared<ClientCase>();
        c->SetLastName("Lastname" + std::to_string(i));
        c->SetFirstName("Firstname");
        c->SetMiddleInit("Q");
        c->SetState(i % 3 ? "TX" : "NJ");
        c->SetDateOfBirth(Date::FromYmd(1950 + i % 50, 1 + i % 12, 1 + i % 28));
        c->SetAge(static_cast<std::int16_t>(20 + i % 55));
        c->SetIsMale(i % 2);
        c->SetClassification(i % 9);
        c->SetTableRating(i % 4 ? "None" : "B");
        c->SetPermFlatExtra(i % 5 ? 0 : 2.5);
        c->SetWaiver(i % 2);
        c->Proposal().AddProduct(1 + i % 5);
        c->Proposal().AddProduct(29 + i % 5);
        c->Proposal().AddFaceAmount(100000 + 1000 * (i % 100), "TX");
        c->Proposal().AddFaceAmount(500000, "TX");
        cases.Add(std::move(c));
    }
    return cases;
}

std::filesystem::path BenchFile() {
    return std::filesystem::temp_directory_path() / "quoravel-bench-cases.clt";
}

void BM_LoadCaseFile(benchmark::State& state) {
    WriteCaseFile(BenchFile(), ManyCases(), false);
    for (auto _ : state) {
        auto cases = ReadCaseFile(BenchFile());
        if (cases.Count() != kCases) state.SkipWithError("cases lost");
        benchmark::DoNotOptimize(cases);
    }
    std::filesystem::remove(BenchFile());
}
BENCHMARK(BM_LoadCaseFile)->Unit(benchmark::kMillisecond);

void BM_SaveCaseFile(benchmark::State& state) {
    const auto cases = ManyCases();
    for (auto _ : state) WriteCaseFile(BenchFile(), cases, false);
    std::filesystem::remove(BenchFile());
}
BENCHMARK(BM_SaveCaseFile)->Unit(benchmark::kMillisecond);

}  // namespace
