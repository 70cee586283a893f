#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ErrorLog.h"
#include "RateLayout.h"

namespace quoravel {

// The rate-file tool ("File Creator"): turns the actuaries' rate tables, one
// text file per product term, rate type, sex and class, into binary rate
// files; converts files of the old level layout; dumps any rate file to text
// and rebuilds it from that text.
//
// Input tables are text, one line per age: the age, then its rates, separated
// by commas and/or blanks. Blank lines and lines starting with "#" are skipped.

// What the user enters for one run.
struct RateToolInputs {
    std::string ratePrefix;               // "brl"
    std::string rateType;                 // the rate type letter: "g" guaranteed, "c" current
    std::string productYears;             // the term in the yearly-renewable input names: "5"
    std::filesystem::path inputFolder;    // the folder of the input tables
    std::filesystem::path brellan1Input;  // any name of the one-year input set, e.g. "brellan1.txt"
    std::filesystem::path outputFile;
};

// How a rate type's tables fill its records.
enum class TableShape {
    LevelByIssueAge,        // one level rate per issue age; one product column per term
    DurationsByIssueAge,    // up to 15 rates per issue age: the years after the level period
    PolicyYearsByIssueAge,  // up to 30 rates per issue age: policy years 1..30
    YrtByAttainedAge,       // one rate per attained age; the term only names the tables
    OneYearBlocks,          // sixteen tables of 11 rates per line, one line per issue age
};

struct RateType {
    int index;
    std::string_view caption;
    std::string_view group;          // the group label of the window
    std::string_view exampleInput;   // empty: chosen by the user
    std::string_view exampleLetter;  // the rate type letter of the example
    std::string_view defaultOutput;  // empty: chosen by the user
    std::string_view routine;
    std::string_view createdMessage;
    std::string_view dumpFile;  // written beside the output file
    RateLayoutKind layout;
    TableShape shape;
    std::vector<int> terms;    // product terms in column order; empty: the product years field
    std::vector<int> classes;  // the class tables read, in reading order
};

const std::vector<RateType>& RateTypes();
// The type with this caption (any case) or index number; null when none.
const RateType* FindRateType(std::string_view captionOrIndex);

inline constexpr std::string_view kMissingInputsMessage = "You have not supplied all of the needed inputs.";
// Whether every field the type needs is filled in.
bool HasNeededInputs(const RateType& type, const RateToolInputs& inputs);

// The note shown for a rate type: paragraphs separated by a blank line (CR LF twice).
std::string RateTypeHelpText(const RateType& type);

// The rate-file suffix of a class code 1..8 ("PBN" .. "CNU").
std::string_view ClassSuffix(int classCode);
// An input table's name without extension: prefix, term as two digits, rate
// type letter, sex letter ("m" or "f") and class suffix, e.g. "brl05cmPBN".
std::string InputTableName(std::string_view prefix, int term, std::string_view letter, int sex,
                           int classCode);
// The one-year table of a class and sex: the input name up to its first "."
// and a suffix such as ".MPNN".
std::filesystem::path Brellan1TableName(const std::filesystem::path& input, int classCode, int sex);
// The class codes in the block order of the one-year file.
inline constexpr std::array<int, 8> kOneYearClassOrder{2, 3, 4, 7, 5, 6, 8, 1};

// One line of a one-year table: 11 single-precision rates, policy years 1..11.
// `place` names the file and line in the error message.
std::vector<float> ParseBrellan1Line(std::string_view line, std::string_view place);

// Runs the type's routine. Returns the "... Created." message, or "" after
// adding the failure to `errors` (module "RateStuf", the routine's name); the
// output file is replaced only by a whole new one.
std::string CreateRateFile(const RateType& type, const RateToolInputs& inputs, ErrorLog& errors);

// Old level records (410 bytes: the age and 51 doubles, of which the first 50
// are product column 0..4, old class 0..4, sex 0..1) become level records of
// five products, each old class under its current class code.
std::string ConvertOldStyleRatesToNewStyle(const std::filesystem::path& oldFile,
                                           const std::filesystem::path& newFile, ErrorLog& errors);

// The text dump of a rate file: a first line "layout <name>", then one line
// per record: the leading integer (0 where the layout has none) and the
// rates, blank-separated, each written so that it reads back exactly.
std::string DumpRates(const RateLayout& layout, std::string_view bytes, std::string_view source);
// The bytes of the rate file a dump describes; `source` names it in errors.
std::string RebuildRates(std::string_view text, std::string_view source);

// The same on files; they return a message, or "" after adding the failure to `errors`.
std::string DumpRateFile(const std::filesystem::path& rateFile, const RateLayout& layout,
                         const std::filesystem::path& textFile, ErrorLog& errors);
std::string RebuildRateFile(const std::filesystem::path& textFile, const std::filesystem::path& rateFile,
                            ErrorLog& errors);

}  // namespace quoravel
