// The case file: a file loaded and saved loads again to the same cases (the
// second save equals the first), and saving loses no case that was read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "CaseFile.h"
#include "FuzzSupport.h"
#include "RuntimeError.h"

using namespace quoravel;

namespace {

// The cases a save writes: every case but the unnamed placeholder.
long SavedCount(const Collection<cClient>& cases) {
    long count = 0;
    for (const auto& c : cases) count += c->FullName() != cClient::kPlaceholderName;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::WriteScratch("input.clt", {reinterpret_cast<const char*>(data), size});
    const auto first = fuzz::ScratchFolder() / "first.clt";
    const auto second = fuzz::ScratchFolder() / "second.clt";
    try {
        const auto loaded = ReadCaseFile(input);
        WriteCaseFile(first, loaded, false);
        const auto reloaded = ReadCaseFile(first);
        fuzz::Require(reloaded.Count() == SavedCount(loaded),
                      std::to_string(SavedCount(loaded)) + " cases saved, " +
                          std::to_string(reloaded.Count()) + " read back");
        WriteCaseFile(second, reloaded, false);
        fuzz::Require(fuzz::ReadScratch(first) == fuzz::ReadScratch(second),
                      "the second save of the case file differs from the first");
    } catch (const RuntimeError&) {
        // A case file the reader refuses is no fault.
    }
    return 0;
}
