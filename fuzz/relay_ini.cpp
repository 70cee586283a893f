// A whole relay case in memory: relay.ini through the settings reader, the
// input rules, the case's settling and pricing and its stamp to its answer.
// A refused case says so in its answer; an accepted one is priced, every
// premium a finite amount of 0 or more, and its stamp, holding relay.ini byte
// for byte, reads back equal.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "CasePricer.h"
#include "FuzzSupport.h"
#include "RelayExchange.h"

using namespace quoravel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzz::WriteScratch("relay.ini", bytes);
    ProcessValues process;
    process.RelayMode = true;
    process.ProgramFolder = QUORAVEL_PROGRAM_DIR "/";
    process.VersionText = "V3.1w";
    const std::string folder = fuzz::ScratchFolder().string() + "/";
    ProposalRun run(process, folder);
    try {
        const auto client = ReadRelayFile(folder, "relay.ini", run);
        if (client && run.Errors.Status() == 0) {
            // The rate files stay open from one input to the next.
            static CasePricer pricer(process.ProgramFolder);
            const PricedCase priced = pricer.Price(*client, run);
            for (const PricedLine& line : priced.lines) {
                for (const YearPremium& year : line.years)
                    fuzz::Require(std::isfinite(year.Total()) && year.Total() >= 0,
                                  "product " + std::to_string(line.product) + " priced at " +
                                      std::to_string(year.Total()));
            }
            const ProposalStamp stamp{
                process.VersionText,      "fuzz", "2026-12-07", ProposalStamp::CaseKind::Relay, bytes,
                StampedPremiumsOf(priced)};
            const auto read = FindStamp(StampXmp(stamp));
            fuzz::Require(read && *read == stamp, "the stamp of the case does not read back equal");
            run.Stamp = stamp;
            run.Answer.ExportedPages = 1;
        }
    } catch (const std::exception& error) {
        // The relay run reports a run-time error in its answer; so does this.
        run.ProcessError(error, LoggedError::ErrorWithPlace, "Fuzz", "relay_ini");
    }
    WriteRelayAnswer(run);
    return 0;
}
