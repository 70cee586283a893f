// Every proposal can be made again and checked: the stamp its PDF carries,
// and `quoravel verify` on the installed rates and on changed ones.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "ProposalStamp.h"
#include "RelayCase.h"
#include "TextFile.h"

namespace fs = std::filesystem;

namespace {

// The relay example made once for every test of this file.
class Stamp : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        relay_ = new RelayCase("single-product");
        ExpectAnswered(*relay_, relay_->Run());
    }
    static void TearDownTestSuite() { delete relay_; }
    static ProgramResult Verify(const fs::path& pdf, const std::string& home = "") {
        if (home.empty()) return RunProgram({QUORAVEL_EXECUTABLE, "verify", pdf.string()});
        return RunProgram(
            {"/usr/bin/env", "QUORAVEL_HOME=" + home, QUORAVEL_EXECUTABLE, "verify", pdf.string()});
    }
    static RelayCase* relay_;
};
RelayCase* Stamp::relay_ = nullptr;

TEST_F(Stamp, PdfCarriesTheCaseItsRatesAndItsPremiums) {
    const auto bytes = quoravel::ReadFileBytes(relay_->Pdf());
    ASSERT_TRUE(bytes);
    const auto stamp = quoravel::FindStamp(*bytes);
    ASSERT_TRUE(stamp);
    EXPECT_EQ(stamp->kind, quoravel::ProposalStamp::CaseKind::Relay);
    EXPECT_EQ(stamp->caseText, relay_->Folder().Read("relay.ini"));
    const std::string version = RunProgram({QUORAVEL_EXECUTABLE, "--version"}).out;
    EXPECT_NE(version.find("Rate set: " + stamp->rateSet + " "), std::string::npos) << version;
    EXPECT_EQ(stamp->version, relay_->Answer("HeaderValues", "bridge_IllustrationID"));
    ASSERT_EQ(stamp->premiums.size(), 1u);
    EXPECT_EQ(stamp->premiums[0].faceAmount, 250000);
    // relay.out says the same as the PDF.
    EXPECT_EQ(relay_->Answer("Stamp", "RateSet"), stamp->rateSet);
    EXPECT_EQ(relay_->Answer("Stamp", "Date"), stamp->date);
    // The case in parts of 1,000 characters, the premiums a product and face amount a key.
    const std::string encoded = quoravel::EncodeBase64(stamp->caseText);
    const std::size_t parts = (encoded.size() + 999) / 1000;
    ASSERT_GE(parts, 2u);
    EXPECT_EQ(relay_->Answer("Stamp", "CaseParts"), std::to_string(parts));
    std::string joined;
    for (std::size_t part = 1; part <= parts; ++part)
        joined += relay_->Answer("Stamp", "Case" + std::to_string(part));
    EXPECT_EQ(joined, encoded);
    EXPECT_EQ(relay_->Answer("Stamp", "PremiumsParts"), "1");
    EXPECT_EQ(relay_->Answer("Stamp", "Premiums1"), quoravel::PremiumsText(stamp->premiums));
}

TEST_F(Stamp, IsTheAnswersOnlyAddition) {
    // The sections of a single quote's answer, in their order, then "Stamp" last.
    const std::string answer = relay_->Folder().Read("relay.out");
    std::vector<std::string> sections;
    std::stringstream lines(answer);
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with("[")) sections.push_back(line.substr(0, line.find(']') + 1));
    EXPECT_EQ(sections,
              (std::vector<std::string>{"[HeaderValues]", "[BasicValues]", "[Engine]", "[EMF]", "[Stamp]"}));
    std::size_t keys = 0;
    std::stringstream stamp(answer.substr(answer.find("[Stamp]")));
    for (std::string line; std::getline(stamp, line);) keys += line.find('=') != std::string::npos;
    // Version, RateSet, Date, CaseKind, the case's parts and the premiums' parts.
    EXPECT_EQ(keys,
              4 + 1 + (quoravel::EncodeBase64(relay_->Folder().Read("relay.ini")).size() + 999) / 1000 + 2);
}

TEST_F(Stamp, VerifyTellsWhatChanged) {
    // A rate file taken from the changed set (3 % more deaths): male 45
    // preferred, 20 years at 250,000 costs 706 cents per 1,000 there against
    // 686, so the first year's 1,765.00 becomes 1,815.00 with the $50 fee.
    const struct {
        const char* what;
        const char* rateFile;  // changed in a copy of the program folder; "" none
        int exitCode;
        std::vector<std::string> said;
    } cases[] = {
        {"untouched", "", 0, {"the same as installed", "verified\n"}},
        {"a rate file the case does not use",
         "QNBwvr.rat",
         0,
         {" installed in ", "premiums verified on another rate set"}},
        {"the rate file that prices the case",
         "July08BRNFGHB3.rat",
         1,
         {" installed in ", "Premiums differ in ", "Brellan 20, $250,000, year 1: 1,765.00, 1,815.00\n"}},
    };
    for (const auto& c : cases) {
        TempFolder home;
        if (*c.rateFile) {
            fs::copy(QUORAVEL_PROGRAM_DIR, home.path(), fs::copy_options::recursive);
            fs::copy_file(fs::path(QUORAVEL_CHANGED_RATES_DIR) / c.rateFile, home.path() / c.rateFile,
                          fs::copy_options::overwrite_existing);
        }
        const ProgramResult result = Verify(relay_->Pdf(), *c.rateFile ? home.folder() : "");
        EXPECT_EQ(result.exitCode, c.exitCode) << c.what << "\n" << result.out << result.err;
        for (const std::string& said : c.said)
            EXPECT_NE(result.out.find(said), std::string::npos) << c.what << ": " << said << "\n"
                                                                << result.out;
    }
}

TEST_F(Stamp, VerifyRefusesAFileWithoutStamp) {
    TempFolder folder;
    std::string damaged = *quoravel::ReadFileBytes(relay_->Pdf());
    damaged.replace(damaged.find("<qv:Premiums>"), 13, "<qv:Prem1ums>");
    const struct {
        const char* what;
        fs::path pdf;
    } cases[] = {
        {"a PDF of no proposal", folder.Write("plain.pdf", "%PDF-1.4\n1 0 obj\n<<>>\nendobj\n%%EOF\n")},
        {"a stamp damaged", folder.Write("damaged.pdf", damaged)},
        {"no file", folder.path() / "missing.pdf"},
    };
    for (const auto& c : cases) {
        const ProgramResult result = Verify(c.pdf);
        EXPECT_EQ(result.exitCode, 2) << c.what;
        EXPECT_NE(result.err.find(c.pdf.string()), std::string::npos) << c.what << ": " << result.err;
        EXPECT_EQ(result.out, "") << c.what;
    }
}

}  // namespace
