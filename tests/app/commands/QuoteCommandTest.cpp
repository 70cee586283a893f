// `quoravel quote`: what a user types and what the formats give back, one
// client or many (`--csv`, one a row, on several workers).
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <sstream>

#include "CsvText.h"
#include "ProgramRun.h"
#include "QuoteBatch.h"
#include "QuoteCommand.h"

namespace {

ProgramResult Quote(std::vector<std::string> arguments, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = quoravel::RunQuote(arguments, in, out, err, QUORAVEL_PROGRAM_DIR);
    return {.exitCode = code, .out = out.str(), .err = err.str()};
}

ProgramResult Batch(const std::string& csv, const std::string& format = "csv") {
    std::istringstream in(csv);
    std::ostringstream out, err;
    const int code =
        quoravel::RunQuoteBatch({"--csv", "-", "--format", format}, in, out, err, QUORAVEL_PROGRAM_DIR, 2);
    return {.exitCode = code, .out = out.str(), .err = err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// A client every BRN product can be quoted for, with one option changed
// (or left out when `value` is empty).
std::vector<std::string> ClientWith(const std::string& option, const std::string& value) {
    std::vector<std::string> arguments{"--age", "45", "--sex", "M", "--state", "TX", "--face", "250000"};
    const auto at = std::find(arguments.begin(), arguments.end(), option);
    if (at == arguments.end())
        arguments.insert(arguments.end(), {option, value});
    else if (value.empty())
        arguments.erase(at, at + 2);
    else
        at[1] = value;
    return arguments;
}

// Each bad option, and JSON input that is no flat object of inputs, is named
// with its value (and where, in the JSON): nothing is quoted.
TEST(QuoteCommand, EachBadInputIsNamedWithItsValueAndExitCode2) {
    const struct {
        const char* option;
        const char* value;  // for "-": the JSON input
        const char* message;
    } cases[] = {
        {"--age", "101", "--age: \"101\" is not an age from 0 to 100."},
        {"--age", "", "--age: the insured's age is missing."},
        {"--state", "ZZ", "--state: \"ZZ\" is not a state of delivery."},
        {"--table", "Q", "--table: \"Q\" is not a table rating"},
        {"--flat-temp", "5.00", "--flat-temp: \"5.00\" is not a temporary flat extra"},
        {"--flat-temp", "5.001:3", "--flat-temp: \"5.001:3\" is not a temporary flat extra"},
        {"--waiver", "4", "--waiver: \"4\" is not a waiver rating: 1, 1.5, 2, 2.5 or 3."},
        {"--face", "100000001", "--face: \"100000001\" is not a face amount from $25,000 to $100,000,000."},
        {"--carrier", "ACME", "--carrier: \"ACME\" is not a carrier: BRN, QNB or TVNY."},
        {"--product", "BRLN11", "--product: \"BRLN11\" is not a product code"},
        {"--format", "xml", "--format: \"xml\" is not a format: table, json or csv."},
        {"--birth-date", "1981-04-30", "--birth-date and --age: give one of them."},
        {"--colour", "red", "--colour is not an input of a quote."},
        {"-", R"({"age": {"years": 45}})", "the value of \"age\" is no string, number or array of them"},
        {"-", R"({"age": true})", "the value of \"age\" is no string"},
        {"-", R"({"age": 45,})", "a string expected"},
        {"-", R"({"age": 045})", "a bad number"},
        {"-", R"({"age": "4\q"})", "a bad escape"},
        {"-", R"({"age": 45} x)", "text after the object"},
        {"-", R"([45])", "\"{\" expected at character 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.option) + " " + c.value);
        const bool json = std::string(c.option) == "-";
        const ProgramResult outcome = json ? Quote({"-"}, c.value) : Quote(ClientWith(c.option, c.value));
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_EQ(outcome.err.rfind("quoravel quote: ", 0), 0u) << outcome.err;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
        EXPECT_TRUE(outcome.out.empty());
    }
}

// Born 30 April 1981: 45 on 1 March 2026 (the birthday 60 days ahead).
TEST(QuoteCommand, ABirthDateGivesTheAgeNearestBirthday) {
    auto arguments = ClientWith("--age", "");
    arguments.insert(arguments.end(),
                     {"--birth-date", "1981-04-30", "--as-of", "2026-03-01", "--format", "json"});
    EXPECT_NE(Quote(arguments).out.find("\"age\":\"45\""), std::string::npos);
}

// The JSON document's "input" is the client in the JSON input form: read
// back from standard input it gives the same document.
TEST(QuoteCommand, TheJsonInputFormRoundTrips) {
    auto arguments = ClientWith("--class", "PS");
    arguments.insert(arguments.end(),
                     {"--face", "1000000", "--flat-temp", "5.00:3", "--waiver", "1.5", "--child", "2",
                      "--table", "B", "--product", "BRLN20", "--product", "ostr10", "--format", "json"});
    const ProgramResult options = Quote(arguments);
    ASSERT_EQ(options.exitCode, 0) << options.err;
    const auto from = options.out.find("\"input\":") + 8;
    const auto to = options.out.find(",\"quotes\":");
    ASSERT_LT(from, to);
    const std::string input = options.out.substr(from, to - from);
    EXPECT_NE(input.find("\"face\":[\"250000\",\"1000000\"]"), std::string::npos) << input;
    const ProgramResult json = Quote({"-", "--format", "json"}, input);
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, options.out);
}

// Two faces of two products the carrier sells and one it does not: the
// issuable lines cheapest first, the refused one named with its reason, in
// each format.
TEST(QuoteCommand, EachFormatListsTheLinesCheapestFirst) {
    auto arguments = ClientWith("--face", "100000");
    arguments.insert(arguments.end(), {"--face", "500000", "--product", "BRLN10", "--product", "BRLN30",
                                       "--product", "TESS10", "--format", "csv"});
    const ProgramResult csv = Quote(arguments);
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    auto rows = quoravel::CsvRecords(csv.out);
    ASSERT_EQ(rows.size(), 7u) << csv.out;
    std::vector<std::string> codes;
    std::vector<double> annual;
    for (const auto& row : std::span(rows).subspan(1)) {
        ASSERT_EQ(row.size(), rows[0].size()) << csv.out;
        if (row[3] == "yes") annual.push_back(std::stod(row[11]));
        codes.push_back(row[3] == "yes"
                            ? "yes"
                            : row[0] +
                                  (row[4].find(" is not sold by ") != std::string::npos ? " not sold" : ""));
    }
    EXPECT_EQ(codes,
              (std::vector<std::string>{"yes", "yes", "yes", "yes", "TESS10 not sold", "TESS10 not sold"}));
    EXPECT_TRUE(std::ranges::is_sorted(annual)) << csv.out;

    arguments.back() = "table";
    const std::string table = Quote(arguments).out;
    EXPECT_EQ(table.rfind("Code", 0), 0u) << table;
    EXPECT_NE(table.find("\nNot issued:\nTESS10 $100,000: "), std::string::npos) << table;
    arguments.back() = "json";
    EXPECT_NE(Quote(arguments).out.find(
                  "\"issuable\":false,\"corrections\":[],\"refusal\":\"Tessel 10 is not sold by"),
              std::string::npos);
}

TEST(QuoteBatch, ABadRowGivesAnErrorRowAndTheBatchGoesOn) {
    const ProgramResult outcome = Batch(
        "age,sex,state,face,product\n45,M,TX,250000,BRLN20\n101,M,TX,250000,BRLN20\n50,F,TX,250000;500000,"
        "BRLN20\n");
    EXPECT_EQ(outcome.exitCode, 1);
    // The premiums of each good row are those of a single quote of the client.
    const std::string single = Quote({"--age", "50", "--sex", "F", "--state", "TX", "--face", "500000",
                                      "--product", "BRLN20", "--format", "csv"})
                                   .out;
    const auto lines = Lines(outcome.out);
    ASSERT_EQ(lines.size(), 5u) << outcome.out;
    EXPECT_EQ(lines[0].rfind("row,error,code", 0), 0u);
    EXPECT_EQ(lines[1].rfind("1,,BRLN20,Brellan 20,250000,yes,", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("2,\"age: \"\"101\"\" is not an age from 0 to 100.\"", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3].rfind("3,,BRLN20", 0), 0u);
    EXPECT_EQ(lines[4].rfind("3,,BRLN20,Brellan 20,500000,yes,", 0), 0u);
    EXPECT_NE(single.find(lines[4].substr(lines[4].find(",yes,") + 5, 8)), std::string::npos);
}

TEST(QuoteBatch, RowsComeBackInTheirOrderAcrossWorkers) {
    std::string csv = "age,state,face,product\n";
    const int rows = 700;  // several chunks on each of two workers
    for (int row = 1; row <= rows; ++row) csv += std::to_string(20 + row % 40) + ",TX,250000,BRLN10\n";
    const ProgramResult outcome = Batch(csv, "jsonl");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    const auto lines = Lines(outcome.out);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(rows));
    for (int row = 1; row <= rows; ++row)
        ASSERT_EQ(lines[row - 1].rfind("{\"row\":" + std::to_string(row) + ",", 0), 0u) << lines[row - 1];
}

TEST(QuoteBatch, AHeaderWithAnUnknownOrRepeatedColumnIsRefused) {
    for (const auto& [header, message] :
         {std::pair{"age,state,face,colour", "column 4 \"colour\" is not an input of a quote."},
          std::pair{"age,state,age,face", "column 3 \"age\" is given more than once."}}) {
        const ProgramResult outcome = Batch(std::string(header) + "\n45,TX,45,250000\n");
        EXPECT_EQ(outcome.exitCode, 2) << header;
        EXPECT_TRUE(outcome.out.empty());
        EXPECT_NE(outcome.err.find(message), std::string::npos) << outcome.err;
    }
}

}  // namespace
