// The quote batch's CSV: any text splits into records that, written back
// field by field, split into the same records; every row under the header
// is read as a client without fault.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "CsvText.h"
#include "FuzzSupport.h"
#include "QuoteCommand.h"

using namespace quoravel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto records = CsvRecords({reinterpret_cast<const char*>(data), size});
    std::string written;
    for (const auto& record : records) {
        // A record of one empty field is written quoted, or it would be no record.
        if (record.size() == 1 && record.front().empty()) written += "\"\"";
        for (std::size_t field = 0; field < record.size(); ++field)
            written += (field ? "," : "") + CsvField(record[field]);
        written += "\r\n";
    }
    fuzz::Require(CsvRecords(written) == records, "the records written back split otherwise");
    for (std::size_t row = 1; row < records.size() && row <= 20; ++row) {
        std::vector<QuoteInput> inputs;
        for (std::size_t column = 0; column < records.front().size() && column < records[row].size();
             ++column)
            inputs.push_back({records.front()[column], records[row][column]});
        ReadClient(inputs, QUORAVEL_PROGRAM_DIR "/");
    }
    return 0;
}
