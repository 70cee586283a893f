// The case file: a file loaded and saved loads again to the same cases and
// the same unread records (the second save equals the first), and saving
// loses no case that was read and no line that was not.
#include <cstddef>
#include <cstdint>
#include <string>

#include "CaseFile.h"
#include "FuzzSupport.h"
#include "RuntimeError.h"

using namespace quoravel;

namespace {

// The cases a save writes: every case but the unnamed placeholder.
long SavedCount(const Collection<ClientCase>& cases) {
    long count = 0;
    for (const auto& c : cases) count += c->FullName() != ClientCase::kPlaceholderName;
    return count;
}

// The lines of every unread record, in the file's order.
std::string UnreadText(const CaseFileContents& file) {
    std::string text;
    for (const UnreadCaseRecord& record : file.unread) text += record.text;
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::WriteScratch("input.clt", {reinterpret_cast<const char*>(data), size});
    const auto first = fuzz::ScratchFolder() / "first.clt";
    const auto second = fuzz::ScratchFolder() / "second.clt";
    try {
        const CaseFileContents loaded = LoadCaseFile(input);
        WriteCaseFile(first, loaded.cases, false, loaded.unread);
        const CaseFileContents reloaded = LoadCaseFile(first);
        fuzz::Require(reloaded.cases.Count() == SavedCount(loaded.cases),
                      std::to_string(SavedCount(loaded.cases)) + " cases saved, " +
                          std::to_string(reloaded.cases.Count()) + " read back");
        fuzz::Require(UnreadText(reloaded) == UnreadText(loaded),
                      "an unread record was not written back whole");
        WriteCaseFile(second, reloaded.cases, false, reloaded.unread);
        fuzz::Require(fuzz::ReadScratch(first) == fuzz::ReadScratch(second),
                      "the second save of the case file differs from the first");
    } catch (const RuntimeError&) {
        // A case file the reader refuses is no fault.
    }
    return 0;
}
