#include "RateTool.h"

#include <charconv>
#include <cmath>
#include <exception>
#include <limits>

#include "ClientCase.h"
#include "ProcessValues.h"
#include "RuntimeError.h"
#include "Text.h"
#include "TextFile.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

constexpr const char* kModule = "RateStuf";
constexpr const char* kSource = "RateTool";

constexpr std::array<std::string_view, 8> kClassSuffixes{"PBN", "PNN", "SLNN", "SNN",
                                                         "PNU", "SNU", "CNN",  "CNU"};
// Preferred Elite has no table of its own: it is rated as Preferred.
constexpr int kPreferredElite = 0;
constexpr int kPreferred = 2;
constexpr int kStandardNicotine = 6;
constexpr int kIssueAges = 100;     // 0..99
constexpr int kAttainedAges = 101;  // 0..100
constexpr std::size_t kOneYearRates = 11;
constexpr int kOneYearBlocks = 16;
constexpr int kInterpolatedBlocks = kClasses * kSexes;

const std::vector<int> kFiveTerms{5, 10, 15, 20, 30};
const std::vector<int> kAllClasses{1, 2, 3, 4, 5, 6, 7, 8};
// The guaranteed yearly-renewable rates know only non-nicotine and nicotine:
// the standard tables of each stand for them.
const std::vector<int> kStandardClasses{4, 6};

constexpr std::string_view kBrellan = "First Brellan/ TVNY Products";
constexpr std::string_view kQuenby = "American Quenby Products";

using enum TableShape;

// clang-format off
const std::vector<RateType> kRateTypes{
    // index, caption, group, example input and its rate type letter, default output, routine,
    // message, dump file; layout, table shape, terms, classes
    {0, "Level FG Rates", kBrellan, "brl05gfPBN", "g", "BRNFGNew.rat", "ReadNewLevelRates",
        "Level FG Rate File Created.", "RateDump.txt",
        RateLayoutKind::Level5, LevelByIssueAge, kFiveTerms, kAllClasses},
    {1, "Level PG Rates", kBrellan, "brl05cfPBN", "c", "BRNPGNew.rat", "ReadNewLevelRates",
        "Level PG Rate File Created.", "RateDump.txt",
        RateLayoutKind::Level5, LevelByIssueAge, kFiveTerms, kAllClasses},
    {2, "Non-Level PG Rates", kBrellan, "brl05gfPBN", "g", "BRNNLPGNew.rat", "ReadNewNonLevelIPGRates",
        "Non-Level PG Rate File Created.", "BRNNLPGRateDump.txt",
        RateLayoutKind::NonLevel, DurationsByIssueAge, kFiveTerms, kAllClasses},
    {3, "Current YRT Rates", kBrellan, "brl05cfPBN", "c", "CurrYRTNew.rat", "ReadNewCurrYRTRates",
        "Current YRT File Created.", "CurrYRTRateDump.txt",
        RateLayoutKind::YrtWaiver, YrtByAttainedAge, {}, kAllClasses},
    {4, "Guaranteed YRT Rates", kBrellan, "brl05gfPBN", "g", "GuarYRTNew.rat", "ReadNewGuarYRTRates",
        "Guaranteed YRT File Created.", "GuarYRTRateDump.txt",
        RateLayoutKind::GuaranteedYrt, YrtByAttainedAge, {}, kStandardClasses},
    {5, "Brellan 1 Rates", kBrellan, "", "", "", "CreateBrellan1File",
        "Brellan 1 Rate File Created.", "Brellan1RateDump.txt",
        RateLayoutKind::OneYear, OneYearBlocks, {}, {}},
    {6, "PG Interpolated Rates", kBrellan, "brl05cfPNU", "c", "BRNPGInterpNew.rat", "ReadNewInterpolatedPGRates",
        "Interpolated PG Rate File Created.", "BRNPGInterpRateDump.txt",
        RateLayoutKind::Interpolated, PolicyYearsByIssueAge, kFiveTerms, kAllClasses},
    {7, "Level Term Rates", kQuenby, "Term05gFPBN", "g", "QNBTermNew.rat", "ReadNewTermRates",
        "Level FG Rate File Created for QNB Term.", "QNBTermRateDump.txt",
        RateLayoutKind::Level3, LevelByIssueAge, {5, 10, 15}, kAllClasses},
    {8, "Quenby Rates (NY)", kQuenby, "Qby10gFPBN", "g", "QNBQbyNew.rat", "ReadNewQuenbyRates",
        "Quenby Rate File Created.", "QNBQbyRateDump.txt",
        RateLayoutKind::Level3, LevelByIssueAge, {10, 15}, kAllClasses},
    {9, "Quenby Rates (NJ)", kQuenby, "NJQby10gFPNN", "g", "QNBNJQbyNew.rat", "ReadNJQuenbyRates",
        "NJ Quenby Rate File Created.", "QNBNJQbyRateDump.txt",
        RateLayoutKind::Level3, LevelByIssueAge, {10, 15}, kAllClasses},
    {10, "Select Rates", kQuenby, "Sel05gFPNN", "g", "QNBSelNew.rat", "ReadNewSelectRates",
        "Select File for NJ Created.", "QNBSelRateDump.txt",
        RateLayoutKind::Level5, LevelByIssueAge, {5, 10, 15}, kAllClasses},
};
// clang-format on

// The ages a shape's tables cover, how many rates a line holds, and how many
// blocks of those ages the file has.
struct ShapeRule {
    TableShape shape;
    int ages;
    std::size_t minRates;
    std::size_t maxRates;
    int blocks;
};

constexpr std::array<ShapeRule, 5> kShapeRules{{
    {LevelByIssueAge, kIssueAges, 1, 1, 1},
    {DurationsByIssueAge, kIssueAges, 0, kNonLevelDurations, 1},  // products without non-level years
    {PolicyYearsByIssueAge, kInterpolatedAges, 1, kInterpolatedYears, kInterpolatedBlocks},
    {YrtByAttainedAge, kAttainedAges, 1, 1, 1},
    {OneYearBlocks, kOneYearAges, kOneYearRates, kOneYearRates, kOneYearBlocks},
}};

const ShapeRule& RuleOf(TableShape shape) {
    for (const auto& rule : kShapeRules) {
        if (rule.shape == shape) return rule;
    }
    return kShapeRules.front();
}

[[noreturn]] void Fail(std::int32_t number, const std::string& message) {
    throw RuntimeError(number, kSource, message);
}

// Where a value was read: the file (or field) and the line, counted from 1; 0 for none.
struct Place {
    std::string_view source;
    int line;
    std::string Text() const {
        return std::string(source) + (line > 0 ? ", line " + std::to_string(line) : std::string());
    }
};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// A whole rate file in memory, every record carrying its age.
struct RecordImage {
    const RateLayout& layout;
    std::vector<RateRecord> records;

    RecordImage(const RateLayout& fileLayout, int ages, int blocks) : layout(fileLayout) {
        records.resize(static_cast<std::size_t>(ages * blocks));
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i].lead = static_cast<std::int16_t>(i % static_cast<std::size_t>(ages));
            records[i].values.assign(layout.valueCount, 0.0);
        }
    }
    void Put(long record, std::size_t index, double rate) {
        records[static_cast<std::size_t>(record - 1)].values[index] = rate;
    }
    std::string Bytes() const {
        std::string bytes;
        bytes.reserve(records.size() * layout.recordLength);
        for (const auto& record : records) bytes += EncodeRecord(layout, record);
        return bytes;
    }
};

// The fields of a line, separated by commas and/or blanks; two commas with
// nothing between them leave a rate out, which is an error.
std::vector<std::string_view> SplitFields(std::string_view line, const Place& place) {
    std::vector<std::string_view> fields;
    bool afterComma = true;
    std::size_t i = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (true) {
        while (i < line.size() && blank(line[i])) ++i;
        if (i == line.size() || line[i] == ',') {
            if (afterComma && !fields.empty()) {
                Fail(ErrorNumber::TypeMismatch, place.Text() + ": a value is missing between commas.");
            }
            if (i == line.size()) break;
            afterComma = true;
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < line.size() && !blank(line[i]) && line[i] != ',') ++i;
        fields.push_back(line.substr(start, i - start));
        afterComma = false;
    }
    // What a spreadsheet exports for an empty row.
    if (fields.empty())
        Fail(ErrorNumber::TypeMismatch, place.Text() + ": the line holds only commas, no values.");
    return fields;
}

double ParseNumber(std::string_view field, const Place& place) {
    double value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size()) {
        Fail(ErrorNumber::TypeMismatch, place.Text() + ": " + Quoted(field) + " is not a number.");
    }
    return value;
}

double ParseRate(std::string_view field, const Place& place) {
    const double rate = ParseNumber(field, place);
    if (!IsPlausibleRate(rate)) {
        Fail(ErrorNumber::TypeMismatch,
             place.Text() + ": the rate " + Quoted(field) +
                 " is not a rate in cents per 1,000 (a number from 0 to 100,000).");
    }
    return rate;
}

int ParseWhole(std::string_view field, int low, int high, const std::string& what, const Place& place) {
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || value < low || value > high) {
        Fail(ErrorNumber::TypeMismatch, place.Text() + ": the " + what + " " + Quoted(field) +
                                            " is not a whole number from " + std::to_string(low) + " to " +
                                            std::to_string(high) + ".");
    }
    return value;
}

// Calls `take(line, place)` for every line that holds data; returns their count.
template <typename Take>
int ForEachDataLine(std::string_view text, const std::string& source, Take take) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // the mark spreadsheet programs put first
    int count = 0;
    int number = 0;
    for (std::string_view line : SplitLines(text)) {
        ++number;
        line = Trim(line);
        if (line.empty() || line.front() == '#') continue;
        take(line, Place{source, number});
        ++count;
    }
    return count;
}

std::string ReadExisting(const fs::path& path, const std::string& what) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) Fail(ErrorNumber::FileNotFound, "The " + what + " " + path.string() + " does not exist.");
    return std::move(*bytes);
}

// An input table in any case of its name, with or without ".txt".
fs::path LocateTable(const fs::path& path) {
    for (const fs::path& candidate : {path, fs::path(path.string() + ".txt")}) {
        if (FileExists(candidate)) return ResolveFileName(candidate);
    }
    Fail(ErrorNumber::FileNotFound,
         "The rate table " + path.string() + " (or " + path.filename().string() + ".txt) does not exist.");
}

// Reads an age table: `take(age, rates)` for each line.
template <typename Take>
void ReadAgeTable(const fs::path& path, const ShapeRule& rule, Take take) {
    const std::string source = path.string();
    std::vector<bool> seen(static_cast<std::size_t>(rule.ages));
    const int lines = ForEachDataLine(
        ReadExisting(path, "rate table"), source, [&](std::string_view line, const Place& place) {
            const auto fields = SplitFields(line, place);
            const int age = ParseWhole(fields.front(), 0, rule.ages - 1, "age", place);
            if (seen[static_cast<std::size_t>(age)]) {
                Fail(ErrorNumber::TypeMismatch,
                     place.Text() + ": age " + std::to_string(age) + " appears a second time.");
            }
            seen[static_cast<std::size_t>(age)] = true;
            const std::size_t count = fields.size() - 1;
            if (count < rule.minRates || count > rule.maxRates) {
                const std::string wanted =
                    rule.minRates == rule.maxRates
                        ? "exactly " + std::to_string(rule.maxRates)
                        : "from " + std::to_string(rule.minRates) + " to " + std::to_string(rule.maxRates);
                Fail(ErrorNumber::TypeMismatch, place.Text() + ": " + std::to_string(count) +
                                                    " rates for age " + std::to_string(age) +
                                                    "; this table takes " + wanted + " per age.");
            }
            std::vector<double> rates;
            for (std::size_t i = 1; i < fields.size(); ++i) rates.push_back(ParseRate(fields[i], place));
            take(age, rates);
        });
    if (lines == 0) Fail(ErrorNumber::TypeMismatch, "The rate table " + source + " holds no rates.");
}

int ParseProductYears(const std::string& text) {
    return ParseWhole(Trim(text), 1, 99, "product years", Place{"The product years field", 0});
}

void StoreRate(RecordImage& image, const RateType& type, int column, int classCode, int sex, int age, int i,
               double rate) {
    const int columns = static_cast<int>(image.layout.valueCount) / (kClasses * kSexes);
    const std::vector<int> classes =
        classCode == kPreferred ? std::vector<int>{kPreferred, kPreferredElite} : std::vector<int>{classCode};
    for (const int cls : classes) {
        switch (type.shape) {
            case LevelByIssueAge:
                image.Put(age + 1, LevelIndex(column, cls, sex, columns), rate);
                break;
            case DurationsByIssueAge:
                image.Put(age + 1, NonLevelIndex(i, column, cls, sex), rate);
                break;
            case PolicyYearsByIssueAge:
                image.Put(InterpolatedRecord(age, cls, sex), InterpolatedIndex(i + 1, column), rate);
                break;
            case YrtByAttainedAge:
                image.Put(age + 1,
                          type.layout == RateLayoutKind::GuaranteedYrt
                              ? GuaranteedYrtIndex(classCode == kStandardNicotine, sex == 1)
                              : YrtWaiverIndex(cls, sex),
                          rate);
                break;
            case OneYearBlocks:
                image.Put(OneYearRecord(age, cls, sex), static_cast<std::size_t>(i), rate);
                break;
        }
    }
}

void ReadRateTables(const RateType& type, const RateToolInputs& inputs, RecordImage& image) {
    const std::vector<int> terms =
        type.terms.empty() ? std::vector<int>{ParseProductYears(inputs.productYears)} : type.terms;
    const ShapeRule& rule = RuleOf(type.shape);
    for (int sex = 0; sex < kSexes; ++sex) {
        for (const int classCode : type.classes) {
            for (std::size_t column = 0; column < terms.size(); ++column) {
                const fs::path path =
                    LocateTable(inputs.inputFolder / InputTableName(inputs.ratePrefix, terms[column],
                                                                    inputs.rateType, sex, classCode));
                ReadAgeTable(path, rule, [&](int age, const std::vector<double>& rates) {
                    for (std::size_t i = 0; i < rates.size(); ++i) {
                        StoreRate(image, type, static_cast<int>(column), classCode, sex, age,
                                  static_cast<int>(i), rates[i]);
                    }
                });
            }
        }
    }
}

// The one-year tables have no ages: their lines are the issue ages 0, 1, 2, ... in order.
void ReadOneYearTables(const RateType& type, const RateToolInputs& inputs, RecordImage& image) {
    const fs::path input = inputs.brellan1Input.has_parent_path() ? inputs.brellan1Input
                                                                  : inputs.inputFolder / inputs.brellan1Input;
    for (int sex = 0; sex < kSexes; ++sex) {
        for (const int classCode : kOneYearClassOrder) {
            const fs::path path = LocateTable(Brellan1TableName(input, classCode, sex));
            int age = 0;
            ForEachDataLine(
                ReadExisting(path, "rate table"), path.string(),
                [&](std::string_view line, const Place& place) {
                    if (age == kOneYearAges) {
                        Fail(ErrorNumber::TypeMismatch,
                             place.Text() + ": the one-year table ends at issue age " +
                                 std::to_string(kOneYearAges - 1) + "; this line is one too many.");
                    }
                    const auto rates = ParseBrellan1Line(line, place.Text());
                    for (std::size_t i = 0; i < rates.size(); ++i) {
                        StoreRate(image, type, 0, classCode, sex, age, static_cast<int>(i), rates[i]);
                    }
                    ++age;
                });
            if (age == 0) {
                Fail(ErrorNumber::TypeMismatch, "The rate table " + path.string() + " holds no rates.");
            }
        }
    }
}

void SaveImage(const RecordImage& image, const fs::path& output, const fs::path& dump) {
    const std::string bytes = image.Bytes();
    WriteFileAtomically(output, bytes);
    WriteFileAtomically(dump, DumpRates(image.layout, bytes, output.string()));
}

// The routine's error handler: a caught error is logged with its place and
// the routine returns no message. The tool is a maintenance window inside the
// running program: its caller shows the error, and the program goes on.
template <typename Body>
std::string Guarded(std::string_view routine, ErrorLog& errors, Body body) {
    try {
        return body();
    } catch (const std::exception& error) {
        errors.Add(LoggedError::ErrorWithPlace, error.what(), ErrorNumberOf(error), kModule,
                   std::string(routine));
        return {};
    }
}

// Appends the shortest text that reads back as the same single or double.
void AppendRate(std::string& text, double value, bool single) {
    std::array<char, 64> buffer{};
    char* const end = buffer.data() + buffer.size();
    const auto result = single ? std::to_chars(buffer.data(), end, static_cast<float>(value))
                               : std::to_chars(buffer.data(), end, value);
    text.append(buffer.data(), result.ptr);
}

// The notes of the rate types; {example}, {letter} and {output} stand for the
// type's example input, its rate type letter and its output file.
constexpr std::string_view kPathNote =
    "To indicate the path to your input files , you can type the full path in the input file path or "
    "click the button next to the field and choose one of the input files from the dialog box.  Note "
    "only the path will be returned, so you can select any of you input files.";
constexpr std::string_view kNameNote =
    "Currently the input file name is constructed of the rate prefix, product year, rate type, sex and "
    "class (ex. '{example}').  In order for the system to read the input files you must specify the "
    "rate prefix and type (the system will supply the rest).  For example, if one of your input files "
    "is '{example}', you would enter 'brl' in the rate prefix and '{letter}' in the rate type fields.  "
    "Please keep note that this is an example of just one of your input files, there should be several "
    "others but they will all make use of the same rate prefix and types you enter.";
constexpr std::string_view kProductYearsNote =
    "Currently the YRT rates are the same for all product years, but the placement of the YRT rate is "
    "different for each product.  So in order for the system to know where the YRT rate is you must "
    "specify the product years in the product years field.  For example if one of your input files is "
    "'{example}', you would enter '5' in the product years field.";
constexpr std::string_view kOutputNote = "The output file '{output}' is created in the applications path.";

void Substitute(std::string& text, std::string_view mark, std::string_view value) {
    for (std::size_t at; (at = text.find(mark)) != std::string::npos;) text.replace(at, mark.size(), value);
}

// The old level layout: the age and 51 doubles, the last one unused.
constexpr RateLayout kOldLevelLayout{RateLayoutKind::Level5, "old-level", 410, true, false, 51};
constexpr int kOldClasses = 5;

}  // namespace

const std::vector<RateType>& RateTypes() { return kRateTypes; }

const RateType* FindRateType(std::string_view captionOrIndex) {
    const std::string_view wanted = Trim(captionOrIndex);
    for (const auto& type : kRateTypes) {
        if (EqualNoCase(type.caption, wanted) || std::to_string(type.index) == wanted) return &type;
    }
    return nullptr;
}

bool HasNeededInputs(const RateType& type, const RateToolInputs& inputs) {
    if (inputs.outputFile.empty()) return false;
    if (type.shape == OneYearBlocks) return !inputs.brellan1Input.empty();
    const bool named =
        !Trim(inputs.ratePrefix).empty() && !Trim(inputs.rateType).empty() && !inputs.inputFolder.empty();
    return named && (!type.terms.empty() || !Trim(inputs.productYears).empty());
}

std::string RateTypeHelpText(const RateType& type) {
    std::vector<std::string> paragraphs{std::string(kPathNote)};
    // The one-year files are chosen by dialog: there is no name to explain.
    if (!type.exampleInput.empty()) {
        paragraphs.emplace_back(kNameNote);
        if (type.shape == YrtByAttainedAge) paragraphs.emplace_back(kProductYearsNote);
        paragraphs.emplace_back(kOutputNote);
    }
    std::string text;
    for (auto& paragraph : paragraphs) {
        Substitute(paragraph, "{example}", type.exampleInput);
        Substitute(paragraph, "{letter}", type.exampleLetter);
        Substitute(paragraph, "{output}", type.defaultOutput);
        text += (text.empty() ? "" : "\r\n\r\n") + paragraph;
    }
    return text;
}

std::string_view ClassSuffix(int classCode) {
    return classCode >= 1 && classCode <= 8 ? kClassSuffixes[static_cast<std::size_t>(classCode - 1)] : "";
}

std::string InputTableName(std::string_view prefix, int term, std::string_view letter, int sex,
                           int classCode) {
    const std::string years = (term < 10 ? "0" : "") + std::to_string(term);
    return std::string(Trim(prefix)) + years + std::string(Trim(letter)) + (sex == 1 ? "f" : "m") +
           std::string(ClassSuffix(classCode));
}

fs::path Brellan1TableName(const fs::path& input, int classCode, int sex) {
    const std::string name = input.filename().string();
    return input.parent_path() / (name.substr(0, name.find('.')) + "." + (sex == 1 ? "F" : "M") +
                                  std::string(ClassSuffix(classCode)));
}

std::vector<float> ParseBrellan1Line(std::string_view line, std::string_view place) {
    const Place where{place, 0};
    const auto fields = SplitFields(line, where);
    if (fields.size() != kOneYearRates) {
        Fail(ErrorNumber::TypeMismatch,
             where.Text() + ": " + std::to_string(fields.size()) +
                 " rates where the one-year table takes 11 (policy years 1 to 11).");
    }
    std::vector<float> rates;
    for (const auto field : fields) {
        const double rate = ParseRate(field, where);
        if (rate > std::numeric_limits<float>::max()) {
            Fail(ErrorNumber::TypeMismatch,
                 where.Text() + ": the rate " + Quoted(field) + " is too large for the file.");
        }
        rates.push_back(static_cast<float>(rate));
    }
    return rates;
}

std::string CreateRateFile(const RateType& type, const RateToolInputs& inputs, ErrorLog& errors) {
    return Guarded(type.routine, errors, [&] {
        const ShapeRule& rule = RuleOf(type.shape);
        RecordImage image(LayoutOf(type.layout), rule.ages, rule.blocks);
        if (type.shape == OneYearBlocks) {
            ReadOneYearTables(type, inputs, image);
        } else {
            ReadRateTables(type, inputs, image);
        }
        // Written only once every table has been read: a table that fails
        // leaves the last good file as it was.
        SaveImage(image, inputs.outputFile, inputs.outputFile.parent_path() / type.dumpFile);
        return std::string(type.createdMessage);
    });
}

std::string ConvertOldStyleRatesToNewStyle(const fs::path& oldFile, const fs::path& newFile,
                                           ErrorLog& errors) {
    return Guarded("ConvertOldStyleRatesToNewStyle", errors, [&] {
        const std::string bytes = ReadExisting(oldFile, "old rate file");
        if (bytes.empty() || bytes.size() % kOldLevelLayout.recordLength != 0) {
            Fail(ErrorNumber::TypeMismatch,
                 "The old rate file " + oldFile.string() + " holds " + std::to_string(bytes.size()) +
                     " bytes, not a whole number of " + std::to_string(kOldLevelLayout.recordLength) +
                     "-byte records.");
        }
        const RateLayout& level = LayoutOf(RateLayoutKind::Level5);
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
        std::string converted;
        for (std::size_t offset = 0; offset < bytes.size(); offset += kOldLevelLayout.recordLength) {
            const RateRecord old =
                DecodeRecord(kOldLevelLayout, {data + offset, kOldLevelLayout.recordLength});
            RateRecord record{old.lead, std::vector<double>(level.valueCount, 0.0)};
            for (int sex = 0; sex < kSexes; ++sex) {
                for (int oldClass = 0; oldClass < kOldClasses; ++oldClass) {
                    for (int column = 0; column < 5; ++column) {
                        const auto from =
                            static_cast<std::size_t>(column + 5 * (oldClass + kOldClasses * sex));
                        record.values[LevelIndex(column, MapOldClassification(oldClass), sex, 5)] =
                            old.values[from];
                    }
                }
            }
            converted += EncodeRecord(level, record);
        }
        WriteFileAtomically(newFile, converted);
        return "Converted " + std::to_string(bytes.size() / kOldLevelLayout.recordLength) + " records of " +
               oldFile.string() + " into " + newFile.string() + ".";
    });
}

std::string DumpRates(const RateLayout& layout, std::string_view bytes, std::string_view source) {
    if (bytes.size() % layout.recordLength != 0) {
        Fail(ErrorNumber::TypeMismatch, std::string(source) + " holds " + std::to_string(bytes.size()) +
                                            " bytes, not a whole number of " +
                                            std::to_string(layout.recordLength) + "-byte " +
                                            std::string(layout.name) + " records.");
    }
    std::string text = "layout " + std::string(layout.name) + "\r\n";
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t offset = 0; offset < bytes.size(); offset += layout.recordLength) {
        const RateRecord record = DecodeRecord(layout, {data + offset, layout.recordLength});
        text += std::to_string(record.lead);
        for (const double value : record.values) {
            text += ' ';
            AppendRate(text, value, layout.singles);
        }
        text += "\r\n";
    }
    return text;
}

std::string RebuildRates(std::string_view text, std::string_view source) {
    const RateLayout* layout = nullptr;
    std::string bytes;
    ForEachDataLine(text, std::string(source), [&](std::string_view line, const Place& place) {
        const auto fields = SplitFields(line, place);
        if (!layout) {
            if (fields.size() != 2 || fields[0] != "layout" || !(layout = LayoutNamed(fields[1]))) {
                Fail(ErrorNumber::TypeMismatch, place.Text() + ": " + Quoted(line) +
                                                    " does not name a layout (e.g. \"layout level-5\").");
            }
            return;
        }
        if (fields.size() != 1 + layout->valueCount) {
            Fail(ErrorNumber::TypeMismatch, place.Text() + ": " + std::to_string(fields.size()) +
                                                " values where a " + std::string(layout->name) +
                                                " record takes its leading integer and " +
                                                std::to_string(layout->valueCount) + " rates.");
        }
        RateRecord record;
        record.lead = static_cast<std::int16_t>(
            ParseWhole(fields[0], std::numeric_limits<std::int16_t>::min(),
                       std::numeric_limits<std::int16_t>::max(), "leading integer", place));
        for (std::size_t i = 1; i < fields.size(); ++i) {
            record.values.push_back(ParseNumber(fields[i], place));
        }
        bytes += EncodeRecord(*layout, record);
    });
    if (!layout) {
        Fail(ErrorNumber::TypeMismatch, "The rate dump " + std::string(source) + " names no layout.");
    }
    return bytes;
}

std::string DumpRateFile(const fs::path& rateFile, const RateLayout& layout, const fs::path& textFile,
                         ErrorLog& errors) {
    return Guarded("DumpRateFile", errors, [&] {
        const std::string bytes = ReadExisting(rateFile, "rate file");
        WriteFileAtomically(textFile, DumpRates(layout, bytes, rateFile.string()));
        return "Rate file " + rateFile.string() + " dumped to " + textFile.string() + ".";
    });
}

std::string RebuildRateFile(const fs::path& textFile, const fs::path& rateFile, ErrorLog& errors) {
    return Guarded("RebuildRateFile", errors, [&] {
        WriteFileAtomically(rateFile, RebuildRates(ReadExisting(textFile, "rate dump"), textFile.string()));
        return "Rate file " + rateFile.string() + " rebuilt from " + textFile.string() + ".";
    });
}

}  // namespace quoravel
