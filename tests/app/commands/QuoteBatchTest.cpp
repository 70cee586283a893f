// `quoravel quote --csv`: many clients, one a row, on several workers.
#include <gtest/gtest.h>

#include <sstream>

#include "QuoteBatch.h"
#include "QuoteCommand.h"

namespace {

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

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

TEST(QuoteBatch, ABadRowGivesAnErrorRowAndTheBatchGoesOn) {
    const Outcome outcome = Batch(
        "age,sex,state,face,product\n45,M,TX,250000,BRLN20\n101,M,TX,250000,BRLN20\n50,F,TX,250000;500000,"
        "BRLN20\n");
    EXPECT_EQ(outcome.exitCode, 1);
    // The premiums of each good row are those of a single quote of the client.
    std::istringstream none;
    std::ostringstream single, ignored;
    quoravel::RunQuote({"--age", "50", "--sex", "F", "--state", "TX", "--face", "500000", "--product",
                        "BRLN20", "--format", "csv"},
                       none, single, ignored, QUORAVEL_PROGRAM_DIR);
    const auto lines = Lines(outcome.out);
    ASSERT_EQ(lines.size(), 5u) << outcome.out;
    EXPECT_EQ(lines[0].rfind("row,error,code", 0), 0u);
    EXPECT_EQ(lines[1].rfind("1,,BRLN20,Brellan 20,250000,yes,", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("2,\"age: \"\"101\"\" is not an age from 0 to 100.\"", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3].rfind("3,,BRLN20", 0), 0u);
    EXPECT_EQ(lines[4].rfind("3,,BRLN20,Brellan 20,500000,yes,", 0), 0u);
    EXPECT_NE(single.str().find(lines[4].substr(lines[4].find(",yes,") + 5, 8)), std::string::npos);
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
