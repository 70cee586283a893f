// A whole-carrier quote for one client: every product BRN offers in Texas at
// two face amounts, with the first-year components, the modal premiums, the
// yearly premiums to the end of the illustration and the cost indices. The
// pricer keeps the rate files open, as `quoravel quote` would between quotes.
#include <benchmark/benchmark.h>

#include "Quote.h"

namespace {

void BM_WholeCarrierQuote(benchmark::State& state) {
    const std::vector<quoravel::QuoteInput> inputs{
        {"--age", "45"},       {"--sex", "M"},      {"--state", "TX"},
        {"--class", "N"},      {"--table", "B"},    {"--flat-temp", "5.00:3"},
        {"--waiver", "1.5"},   {"--child", "2"},    {"--face", "250000"},
        {"--face", "1000000"}, {"--carrier", "BRN"}};
    const auto reading = quoravel::ReadQuoteRequest(inputs, QUORAVEL_PROGRAM_DIR);
    if (!reading.problems.empty()) state.SkipWithError(reading.problems.front().c_str());
    quoravel::QuotePricer pricer(QUORAVEL_PROGRAM_DIR);
    std::size_t lines = 0;
    for (auto _ : state) {
        const auto quote = pricer.Price(reading.request);
        lines = quote.size();
        benchmark::DoNotOptimize(quote.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_WholeCarrierQuote)->Unit(benchmark::kMicrosecond);

}  // namespace
