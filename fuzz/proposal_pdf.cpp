// The proposal reader of `verify`: any bytes are a PDF it reads or one it
// refuses as damaged, never a fault; a stamp in the metadata it reads reads
// back equal once written, and the ledger rows are looked for in any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "PdfReading.h"
#include "PrintedLedgerCheck.h"
#include "ProposalStamp.h"

using namespace quoravel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PdfContents contents;
    try {
        contents = ReadPdf({reinterpret_cast<const char*>(data), size});
    } catch (const PdfDamaged&) {
        return 0;  // a damaged file is refused: no fault
    }
    if (const auto stamp = FindStamp(contents.metadata)) {
        const auto again = FindStamp(StampXmp(*stamp));
        fuzz::Require(again && *again == *stamp, "a stamp read does not read back equal once written");
    }
    const PrintedLedger ledger{
        .title = "Guaranteed Premiums and Benefits",
        .headings = {"Year", "Age", "Annual", "Death Benefit"},
        .cells = {"year", "age", "Brellan 20, $250,000", "death benefit"},
        .rows = {{"1", "45", "1,765.00", "250,000"}, {"2", "46", "1,765.00", "250,000"}},
        .firstYearTotal = "$1,765.00",
    };
    ComparePrintedLedgers(contents.pages, {ledger});
    return 0;
}
