// `quoravel quote`: what a user types and what the formats give back, one
// client or many (`--csv`, one a row, on several workers).
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "CsvText.h"
#include "QuoteBatch.h"
#include "QuoteCommand.h"

namespace {

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

Outcome Quote(std::vector<std::string> arguments, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = quoravel::RunQuote(arguments, in, out, err, QUORAVEL_PROGRAM_DIR);
    return {code, out.str(), err.str()};
}

Outcome Batch(const std::string& csv, const std::string& format = "csv") {
    std::istringstream in(csv);
    std::ostringstream out, err;
    const int code =
        quoravel::RunQuoteBatch({"--csv", "-", "--format", format}, in, out, err, QUORAVEL_PROGRAM_DIR, 2);
    return {code, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// A client every BRN product can be quoted for, with one option changed.
std::vector<std::string> ClientWith(const std::string& option, const std::string& value) {
    std::map<std::string, std::string> options{
        {"--age", "45"}, {"--sex", "M"}, {"--state", "TX"}, {"--face", "250000"}};
    if (value.empty())
        options.erase(option);
    else
        options[option] = value;
    std::vector<std::string> arguments;
    for (const auto& [name, given] : options) {
        arguments.push_back(name);
        arguments.push_back(given);
    }
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
        {"--sex", "X", "--sex: \"X\" is not M, F or U."},
        {"--state", "ZZ", "--state: \"ZZ\" is not a state of delivery."},
        {"--class", "PN", "--class: \"PN\" is not a class code: SP, P, QN, N, PS, S, 5 or 8."},
        {"--table", "Q", "--table: \"Q\" is not a table rating"},
        {"--flat-perm", "100", "--flat-perm: \"100\" is not an amount from 0 to 99.99 per $1,000."},
        {"--flat-temp", "5.00", "--flat-temp: \"5.00\" is not a temporary flat extra"},
        {"--flat-temp", "5.001:3", "--flat-temp: \"5.001:3\" is not a temporary flat extra"},
        {"--waiver", "4", "--waiver: \"4\" is not a waiver rating: 1, 1.5, 2, 2.5 or 3."},
        {"--child", "11", "--child: \"11\" is not a number of child rider units from 0 to 10."},
        {"--face", "250,000", "--face: \"250,000\" is not a face amount in whole dollars."},
        {"--face", "100000001", "--face: \"100000001\" is not a face amount from $25,000 to $100,000,000."},
        {"--mode", "W", "--mode: \"W\" is not a premium mode: A, S, Q, M or D."},
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
        const Outcome outcome = json ? Quote({"-"}, c.value) : Quote(ClientWith(c.option, c.value));
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_EQ(outcome.err.rfind("quoravel quote: ", 0), 0u) << outcome.err;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
        EXPECT_TRUE(outcome.out.empty());
    }
}

// Born 30 April 1981: 45 on 1 March 2026 (the birthday 60 days ahead), 44
// on 1 October 2025 (the birthday 154 days past).
TEST(QuoteCommand, ABirthDateGivesTheAgeNearestBirthday) {
    for (const auto& [asOf, age] : {std::pair{"2026-03-01", "45"}, std::pair{"2025-10-01", "44"}}) {
        auto arguments = ClientWith("--age", "");
        arguments.insert(arguments.end(),
                         {"--birth-date", "1981-04-30", "--as-of", asOf, "--format", "json"});
        EXPECT_NE(Quote(arguments).out.find("\"age\":\"" + std::string(age) + "\""), std::string::npos)
            << asOf;
    }
}

// The JSON document's "input" is the client in the JSON input form: read
// back from standard input it gives the same document.
TEST(QuoteCommand, TheJsonInputFormRoundTrips) {
    auto arguments = ClientWith("--class", "PS");
    arguments.insert(arguments.end(),
                     {"--face", "1000000", "--flat-temp", "5.00:3", "--waiver", "1.5", "--child", "2",
                      "--table", "B", "--product", "BRLN20", "--product", "ostr10", "--format", "json"});
    const Outcome options = Quote(arguments);
    ASSERT_EQ(options.exitCode, 0) << options.err;
    const auto from = options.out.find("\"input\":") + 8;
    const auto to = options.out.find(",\"quotes\":");
    ASSERT_LT(from, to);
    const std::string input = options.out.substr(from, to - from);
    EXPECT_NE(input.find("\"face\":[\"250000\",\"1000000\"]"), std::string::npos) << input;
    const Outcome json = Quote({"-", "--format", "json"}, input);
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
    const Outcome csv = Quote(arguments);
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    auto rows = quoravel::CsvRecords(csv.out);
    ASSERT_EQ(rows.size(), 7u) << csv.out;
    std::vector<std::string> codes;
    double previous = 0;
    for (std::size_t row = 1; row < rows.size(); ++row) {
        ASSERT_EQ(rows[row].size(), rows[0].size()) << csv.out;
        codes.push_back(rows[row][3] == "yes" ? "yes" : rows[row][0]);
        if (rows[row][3] != "yes") {
            EXPECT_NE(rows[row][4].find("is not sold by"), std::string::npos) << rows[row][4];
            continue;
        }
        EXPECT_GE(std::stod(rows[row][11]), previous);
        previous = std::stod(rows[row][11]);
    }
    EXPECT_EQ(codes, (std::vector<std::string>{"yes", "yes", "yes", "yes", "TESS10", "TESS10"}));

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
    const Outcome outcome = Batch(
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
    const Outcome outcome = Batch(csv, "jsonl");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    const auto lines = Lines(outcome.out);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(rows));
    for (int row = 1; row <= rows; ++row)
        ASSERT_EQ(lines[row - 1].rfind("{\"row\":" + std::to_string(row) + ",", 0), 0u) << lines[row - 1];
}

TEST(QuoteBatch, AHeaderWithAnUnknownOrRepeatedColumnIsRefused) {
    const struct {
        const char* header;
        const char* message;
    } cases[] = {{"age,state,face,colour", "column 4 \"colour\" is not an input of a quote."},
                 {"age,state,age,face", "column 3 \"age\" is given more than once."}};
    for (const auto& [header, message] : cases) {
        const Outcome outcome = Batch(std::string(header) + "\n45,TX,45,250000\n");
        EXPECT_EQ(outcome.exitCode, 2) << header;
        EXPECT_TRUE(outcome.out.empty());
        EXPECT_NE(outcome.err.find(message), std::string::npos) << outcome.err;
    }
}

}  // namespace
