// The quote's JSON input through the quote's reading to its prices: an input
// the reader takes is priced, and every premium it is priced at is a finite
// amount of 0 or more; a line that is not priced says why.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FlatJsonReader.h"
#include "FuzzSupport.h"
#include "Quote.h"
#include "QuoteCommand.h"

using namespace quoravel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FlatJson object = ReadFlatJson({reinterpret_cast<const char*>(data), size});
    if (!object.problem.empty()) return 0;
    std::vector<QuoteInput> inputs;
    for (const auto& [name, value] : object.members) inputs.push_back({name, value});
    const ClientReading client = ReadClient(inputs, QUORAVEL_PROGRAM_DIR "/");
    if (!client.problems.empty()) return 0;
    static QuotePricer pricer(QUORAVEL_PROGRAM_DIR "/");
    for (const QuoteLine& line : pricer.Price(client.request)) {
        fuzz::Require(line.issuable || !line.refusal.empty(), line.code + " is neither priced nor refused");
        for (const double premium : line.yearlyPremiums)
            fuzz::Require(std::isfinite(premium) && premium >= 0,
                          line.code + " priced at " + std::to_string(premium));
    }
    return 0;
}
