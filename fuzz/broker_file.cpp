// The broker file: a file loaded and saved loads again to the same brokers
// (the second save equals the first), and saving loses no broker that was read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "BrokerFile.h"
#include "FuzzSupport.h"
#include "RuntimeError.h"

using namespace quoravel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::WriteScratch("brokers.brk", {reinterpret_cast<const char*>(data), size});
    const auto first = fuzz::ScratchFolder() / "first.ini";
    const auto second = fuzz::ScratchFolder() / "second.ini";
    try {
        const auto loaded = ReadBrokerFile(input);
        WriteBrokerFile(first, loaded);
        const auto reloaded = ReadBrokerFile(first);
        fuzz::Require(reloaded.Count() == loaded.Count(),
                      std::to_string(loaded.Count()) + " brokers saved, " + std::to_string(reloaded.Count()) +
                          " read back");
        WriteBrokerFile(second, reloaded);
        fuzz::Require(fuzz::ReadScratch(first) == fuzz::ReadScratch(second),
                      "the second save of the broker file differs from the first");
    } catch (const RuntimeError&) {
        // A broker file the reader refuses is no fault.
    }
    return 0;
}
