// `quoravel quote`: what a user types and what the formats give back.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "CsvText.h"
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

TEST(QuoteCommand, EachBadInputIsNamedWithItsValueAndExitCode2) {
    const struct {
        const char* option;
        const char* value;
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
    };
    for (const auto& c : cases) {
        const Outcome outcome = Quote(ClientWith(c.option, c.value));
        EXPECT_EQ(outcome.exitCode, 2) << c.option << " " << c.value;
        EXPECT_NE(outcome.err.find("quoravel quote: " + std::string(c.message)), std::string::npos)
            << outcome.err;
        EXPECT_TRUE(outcome.out.empty()) << c.option;
    }
}

TEST(QuoteCommand, ABirthDateGivesTheAgeNearestBirthday) {
    // Born 30 April 1981: 45 on 1 March 2026 (the birthday 60 days ahead),
    // 44 on 1 October 2025 (the birthday 154 days past).
    auto arguments = ClientWith("--age", "");
    arguments.insert(arguments.end(),
                     {"--birth-date", "1981-04-30", "--as-of", "2026-03-01", "--format", "json"});
    EXPECT_NE(Quote(arguments).out.find("\"age\":\"45\""), std::string::npos);
    arguments.back() = "json";
    arguments[arguments.size() - 3] = "2025-10-01";
    EXPECT_NE(Quote(arguments).out.find("\"age\":\"44\""), std::string::npos);
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

TEST(QuoteCommand, BadJsonIsRefusedWithWhatAndWhere) {
    const struct {
        const char* input;
        const char* message;
    } cases[] = {
        {R"({"age": {"years": 45}})", "the value of \"age\" is no string, number or array of them"},
        {R"({"age": true})", "the value of \"age\" is no string"},
        {R"({"age": 45,})", "a string expected"},
        {R"({"age": 045})", "a bad number"},
        {R"({"age": "4\q"})", "a bad escape"},
        {R"({"age": 45} x)", "text after the object"},
        {R"([45])", "\"{\" expected at character 1"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Quote({"-"}, c.input);
        EXPECT_EQ(outcome.exitCode, 2) << c.input;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << c.input << "\n" << outcome.err;
    }
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

}  // namespace
