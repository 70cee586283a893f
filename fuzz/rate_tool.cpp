// The rate-file tool: its input tables, damaged or not, give a rate file or
// an error naming the table and line; its dumps rebuild the rates they show.
//
// The first byte picks what is fuzzed, the second the rate type or layout:
//   0  an input table: every table of the rate type holds the rest of the input;
//   1  a rate file dumped to text: rebuilding the dump gives back every rate
//      and leading integer, and dumping the rebuilt file gives the same text;
//   2  a dump's text rebuilt into a rate file;
//   3  an old level file converted to the current layout.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "RateTool.h"
#include "RuntimeError.h"

using namespace quoravel;
namespace fs = std::filesystem;

namespace {

// The tables a rate type reads, as the tool names them.
std::vector<fs::path> TablesOf(const RateType& type, const RateToolInputs& inputs) {
    std::vector<fs::path> tables;
    if (type.shape == TableShape::OneYearBlocks) {
        for (int sex = 0; sex < 2; ++sex)
            for (const int classCode : kOneYearClassOrder)
                tables.push_back(
                    Brellan1TableName(inputs.inputFolder / inputs.brellan1Input, classCode, sex));
        return tables;
    }
    const std::vector<int> terms = type.terms.empty() ? std::vector<int>{10} : type.terms;
    for (int sex = 0; sex < 2; ++sex)
        for (const int classCode : type.classes)
            for (const int term : terms)
                tables.push_back(inputs.inputFolder /
                                 InputTableName(inputs.ratePrefix, term, inputs.rateType, sex, classCode));
    return tables;
}

void FuzzTables(const RateType& type, std::string_view table) {
    const fs::path folder = fuzz::ScratchFolder() / "tables";
    fs::remove_all(folder);
    fs::create_directories(folder);
    RateToolInputs inputs{"fz", "c", "10", folder, "brellan1.txt", folder / "out.rat"};
    for (const auto& path : TablesOf(type, inputs)) fuzz::WriteFile(path, table);
    ErrorLog errors;
    if (CreateRateFile(type, inputs, errors).empty()) return;  // refused with a message: no fault
    // A file built from tables holds no reserved bytes or odd numbers: its
    // dump rebuilds it exactly.
    const std::string built = fuzz::ReadScratch(inputs.outputFile);
    const std::string dump = DumpRates(LayoutOf(type.layout), built, "out.rat");
    fuzz::Require(RebuildRates(dump, "dump") == built, "the dump of a built rate file does not rebuild it");
}

bool SameRate(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) ||
           std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

void FuzzDump(const RateLayout& layout, std::string_view bytes) {
    bytes = bytes.substr(0, bytes.size() - bytes.size() % layout.recordLength);
    const std::string dump = DumpRates(layout, bytes, "fuzz.rat");
    std::string rebuilt;
    try {
        rebuilt = RebuildRates(dump, "dump");
    } catch (const RuntimeError& error) {
        fuzz::Broken(std::string("a rate file's dump is refused: ") + error.what());
    }
    fuzz::Require(rebuilt.size() == bytes.size(), "a rebuilt rate file has another length");
    const auto* before = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* after = reinterpret_cast<const unsigned char*>(rebuilt.data());
    for (std::size_t offset = 0; offset < bytes.size(); offset += layout.recordLength) {
        const RateRecord a = DecodeRecord(layout, std::span(before + offset, layout.recordLength));
        const RateRecord b = DecodeRecord(layout, std::span(after + offset, layout.recordLength));
        fuzz::Require(a.lead == b.lead && a.values.size() == b.values.size(),
                      "record at byte " + std::to_string(offset) + " rebuilt with another leading integer");
        for (std::size_t i = 0; i < a.values.size(); ++i)
            fuzz::Require(SameRate(a.values[i], b.values[i]), "record at byte " + std::to_string(offset) +
                                                                  " rate " + std::to_string(i) +
                                                                  " rebuilt as another number");
    }
    fuzz::Require(DumpRates(layout, rebuilt, "rebuilt.rat") == dump, "a rebuilt rate file dumps differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    try {
        switch (data[0] % 4) {
            case 0:
                FuzzTables(RateTypes()[data[1] % RateTypes().size()], rest);
                break;
            case 1:
                FuzzDump(AllLayouts()[data[1] % AllLayouts().size()], rest);
                break;
            case 2:
                RebuildRates(rest, "fuzz.txt");
                break;
            case 3: {
                ErrorLog errors;
                const auto old = fuzz::WriteScratch("old.rat", rest);
                ConvertOldStyleRatesToNewStyle(old, fuzz::ScratchFolder() / "new.rat", errors);
                break;
            }
        }
    } catch (const RuntimeError&) {
        // A damaged table or dump refused with an error naming it is no fault.
    }
    return 0;
}
