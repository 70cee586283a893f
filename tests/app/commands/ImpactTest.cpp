// The rate-change impact report over saved cases: sample.clt priced on the
// bundled sample rates and on the changed set (the same tables priced on
// 3 % more deaths).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "CaseListing.h"
#include "CsvText.h"
#include "RelayCase.h"
#include "TextFile.h"

namespace fs = std::filesystem;

namespace {

const std::string kSampleCases = std::string(QUORAVEL_DATA_DIR) + "sample.clt";

ProgramResult Impact(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {QUORAVEL_EXECUTABLE, "impact"});
    return RunProgram(arguments);
}

// The bundled and the changed rates (or `newRates`), then `more`.
std::vector<std::string> BothSets(std::vector<std::string> more = {},
                                  const std::string& newRates = QUORAVEL_CHANGED_RATES_DIR) {
    more.insert(more.begin(), {"--old-rates", QUORAVEL_PROGRAM_DIR, "--new-rates", newRates});
    return more;
}

// The CSV's records without the header.
std::vector<std::vector<std::string>> Lines(const std::string& csv) {
    auto records = quoravel::CsvRecords(csv);
    if (!records.empty()) records.erase(records.begin());
    return records;
}

enum Column { File, Case, Name, Product, Face, Old, New, Change, Percent, Largest, LargestYear, Problem };

// A field holding a comma, a quote or a line break of either kind is quoted,
// its quotes doubled (RFC 4180), and the records read back as written.
TEST(CsvText, FieldsThatHoldSeparatorsAreQuotedAndReadBack) {
    const std::pair<std::string, std::string> rows[] = {
        {"Brellan 20", "Brellan 20"}, {"1,765.00", "\"1,765.00\""}, {"say \"no\"", "\"say \"\"no\"\"\""},
        {"one\ntwo", "\"one\ntwo\""}, {"one\rtwo", "\"one\rtwo\""}, {"one\r\ntwo", "\"one\r\ntwo\""},
    };
    std::string text;
    std::vector<std::vector<std::string>> records;
    for (const auto& [field, written] : rows) {
        EXPECT_EQ(quoravel::CsvField(field), written) << field;
        text += quoravel::CsvField(field) + ",x\r\n";
        records.push_back({field, "x"});
    }
    EXPECT_EQ(quoravel::CsvRecords(text), records);
}

TEST(Impact, ListsEveryCaseOfTheSampleWithItsChange) {
    const ProgramResult result = Impact(BothSets({kSampleCases}));
    // The Rated class of case 3 cannot be had with the Quenby products: a
    // refused case, listed with why, leaves the report complete.
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const auto lines = Lines(result.out);
    // Every case, one line per product and face amount, in the file's order.
    std::vector<std::string> listed;
    for (const auto& line : lines) listed.push_back(line[Case] + " " + line[Product] + " " + line[Face]);
    EXPECT_EQ(listed,
              (std::vector<std::string>{"1 Brellan 20 250000", "1 Brellan 20 500000", "2 Brellan 10 100000",
                                        "2 Brellan 15 100000", "2 Brellan 20 100000", "3 Quenby 10 300000",
                                        "4 Amberlin 5 1000000", "4 Amberlin 15 • 10 1000000",
                                        "4 Amberlin 30 • 15 1000000", "5 Brellan 5 75000"}));
    // Worked from the rate tables: male 45 preferred, 20 years, the 250,000
    // band, 686 cents per 1,000 now and 706 on the changed set, plus the $50
    // fee: 1,765.00 and 1,815.00, 50.00 more (2.83 %). Female 61 preferred
    // nicotine, 5 years, below 100,000: 3,528 and 3,634 cents, on $75,000
    // 2,696.00 and 2,775.50, 79.50 more (2.9488 %, 2.95).
    const auto figures = [&](std::size_t at) {  // old, new, change, percent
        return std::vector(lines.at(at).begin() + Old, lines.at(at).begin() + Largest);
    };
    EXPECT_EQ(figures(0), (std::vector<std::string>{"1765.00", "1815.00", "50.00", "2.83"}));
    EXPECT_EQ(figures(9), (std::vector<std::string>{"2696.00", "2775.50", "79.50", "2.95"}));
    for (const auto& line : lines) {
        SCOPED_TRACE(line[Name] + ", " + line[Product] + ": " + line[Problem]);
        if (line[Case] == "3") {
            EXPECT_EQ(line[Old], "");
            EXPECT_NE(line[Problem].find("This risk class is not approved with the Quenby products."),
                      std::string::npos);
            continue;
        }
        // More deaths cost more in every product, and most in the oldest years.
        EXPECT_GT(std::stod(line[Change]), 0);
        EXPECT_GE(std::stod(line[Largest]), std::stod(line[Change]));
        EXPECT_GT(std::stoi(line[LargestYear]), 1);
        EXPECT_EQ(line[Problem], "");
    }
}

TEST(Impact, TellsWhyALineIsNotPricedOnOneSetAndWritesItsFiles) {
    // The new set lacks the file of the face amounts below 100,000: case 5's.
    TempFolder folder;
    const fs::path newRates = folder.path() / "new";
    fs::copy(QUORAVEL_CHANGED_RATES_DIR, newRates);
    fs::remove(newRates / "July08BRNFGHB1.rat");
    const fs::path csv = folder.path() / "impact.csv", pdf = folder.path() / "impact.pdf";
    const ProgramResult result =
        Impact(BothSets({"--csv", csv.string(), "--pdf", pdf.string(), kSampleCases}, newRates.string()));
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_EQ(result.out, "");
    const auto lines = Lines(folder.Read("impact.csv"));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[9][Old], "");
    EXPECT_TRUE(lines[9][Problem].starts_with("new rates: ")) << lines[9][Problem];
    EXPECT_NE(lines[9][Problem].find("July08BRNFGHB1.rat"), std::string::npos) << lines[9][Problem];

    // The report: the summary, largest yearly change first, then the lines
    // not priced, then each line's years.
    const std::string text = PdfText(pdf);
    const auto at = [&](const std::string& what) { return text.find(what); };
    EXPECT_LT(at("Summary, largest yearly change first"), at("Not priced on both rate sets"));
    EXPECT_LT(at("Not priced on both rate sets"), at("Yearly premiums"));
    EXPECT_NE(at("+50.00"), std::string::npos);
    EXPECT_LT(at("Brennan, Maeve"), at("Whitaker, Daniel R"));
}

TEST(Impact, RefusesABadCommandLineBeforePricing) {
    TempFolder folder;
    const std::string empty = folder.path().string();
    const fs::path kept = folder.path() / "kept.clt";
    fs::copy_file(kSampleCases, kept);
    const std::tuple<const char*, std::vector<std::string>, const char*> cases[] = {
        {"no case file", BothSets(), "no case file was named"},
        {"a case file that is not there", BothSets({"missing.clt"}), "no case file missing.clt"},
        {"one rate set",
         {"--old-rates", QUORAVEL_PROGRAM_DIR, kSampleCases},
         "both --old-rates and --new-rates"},
        {"a folder without rate files",
         {"--old-rates", empty, "--new-rates", QUORAVEL_PROGRAM_DIR, kSampleCases},
         "holds no rate files"},
        {"an unknown option", {"--scale", "2", kSampleCases}, "--scale is not an option"},
        {"an option without its value", {kSampleCases, "--csv"}, "--csv needs a value"},
        {"an option for a value", {"--csv", "--pdf", kSampleCases}, "--csv needs a value"},
        {"a case file without a case", BothSets({folder.Write("empty.clt", "").string()}),
         "empty.clt holds no case that can be read"},
        {"a report over its case file", BothSets({"--csv", kept.string(), kept.string()}),
         "is a case file of the report"},
        {"both reports one file", BothSets({"--csv", empty + "/r", "--pdf", empty + "/./r", kSampleCases}),
         "--csv and --pdf name the same file"},
    };
    for (const auto& [what, arguments, said] : cases) {
        const ProgramResult result = Impact(arguments);
        EXPECT_EQ(result.exitCode, 2) << what;
        EXPECT_NE(result.err.find(said), std::string::npos) << what << ": " << result.err;
        EXPECT_EQ(result.out, "") << what;
    }
    EXPECT_EQ(fs::file_size(kept), fs::file_size(kSampleCases));
    EXPECT_FALSE(fs::exists(folder.path() / "r"));
}

}  // namespace

// A record of a case file that cannot be read is named by the report and the
// listing, and the report does not pass for whole.
TEST(Impact, AnUnreadCaseRecordIsNamed) {
    TempFolder folder;
    const std::string sample = *quoravel::ReadFileBytes(kSampleCases);
    const std::string cut = folder.Write("cut.clt", sample + "\"v1.0.01\"\r\n\"Broken\"\r\n").string();
    const std::string told = "record 6 (line " + std::to_string(std::ranges::count(sample, '\n') + 2) +
                             "): the record ends before its first name";
    const ProgramResult result = Impact(BothSets({cut}));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(cut + ", " + told + ": not compared."), std::string::npos) << result.err;
    EXPECT_EQ(Lines(result.out).size(), 10U) << "the five cases that could be read";

    std::ostringstream listing;
    EXPECT_EQ(quoravel::ListCases(listing, cut, QUORAVEL_PROGRAM_DIR), 5);
    EXPECT_NE(listing.str().find("     not read: " + told + "\n"), std::string::npos) << listing.str();
}
