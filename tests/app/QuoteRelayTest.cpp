// A quote's premiums are those of a relay run of the same case: fifty
// generated cases across carriers, states, classes, ages, face amounts,
// modes, ratings, flat extras and riders, answered in one batch.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <sstream>

#include "Quote.h"
#include "RelayCase.h"
#include "Rounding.h"

namespace {

struct Case {
    std::string carrier;  // the quote's code
    std::string relayCarrier;
    std::string state;
    std::string product;
    std::string classCode;
    int age;
    bool male;
    std::int32_t face;
    std::string table;  // the relay's number
    std::string permExtra;
    std::string tempAmount;
    int tempYears;
    int waiverCode;  // 0: no waiver
    int childUnits;
    std::string mode;
};

Case Generate(int i) {
    struct Carrier {
        const char* code;
        const char* relay;
        std::array<const char*, 4> states;
        std::array<const char*, 5> products;
    };
    static const Carrier carriers[] = {
        {"BRN", "BRLN", {"TX", "CA", "MD", "WA"}, {"BRLN10", "BRLN20", "OSTR10", "PELL15", "OSTR5G"}},
        {"TVNY", "TVNY", {"FL", "OH", "PA", "IL"}, {"KORV10", "KORV20", "AMBR10", "KORV15", "AMBR5G"}},
        {"QNB", "QNBY", {"NY", "NJ", "NY", "NJ"}, {"TESS10", "TESS20", "DORR5", "QNBY15", "TESS30"}},
    };
    static const char* const classes[] = {"SP", "P", "QN", "N", "PS", "S", "5", "8"};
    static const int ages[] = {25, 35, 45, 52, 58, 30, 40};
    static const std::int32_t faces[] = {100000, 250000, 500000, 1000000, 75000, 5000000};
    static const char* const tables[] = {"", "2", "4", "1.5", "8"};
    static const char* const modes[] = {"A", "S", "Q", "M"};
    const Carrier& carrier = carriers[i % 3];
    return {carrier.code,
            carrier.relay,
            carrier.states[static_cast<std::size_t>(i / 3 % 4)],
            carrier.products[static_cast<std::size_t>(i / 2 % 5)],
            classes[i % 8],
            ages[i % 7],
            i % 2 == 0,
            faces[i % 6],
            tables[i % 5],
            i % 4 == 1 ? "2.50" : "0",
            i % 3 == 2 ? "5.00" : "",
            1 + i % 5,
            i % 4 == 3 ? 1 + i % 5 : 0,
            i % 5 == 2 ? 2 : 0,
            modes[i % 4]};
}

std::string RelayIni(const Case& c) {
    std::ostringstream ini;
    ini << "[Identifiers]\r\ncomp_Code=" << c.relayCarrier
        << "\r\nAgent.Name=Dana Whitfield\r\nAgent.Addr1=400 Congress Avenue\r\nAgent.City=Austin\r\n"
           "Agent.State=TX\r\nAgent.Zip=78701\r\nInsured.Age="
        << c.age << "\r\nInsured.Sex=" << (c.male ? "M" : "F") << "\r\nInsured.State=" << c.state
        << "\r\nInsured.Class=" << c.classCode << "\r\nInsured.Table=" << c.table
        << "\r\nInsured.ExtraPerm=" << c.permExtra << "\r\nInsured.ExtraTemp="
        << (c.tempAmount.empty() ? "" : "1\u00FC" + std::to_string(c.tempYears) + "\u00FC" + c.tempAmount)
        << "\r\nInsured.Waiver=" << (c.waiverCode ? "Y" : "N") << "\r\nBRLN.WaiverRating=" << c.waiverCode
        << "\r\nRider.CTR.Amt=" << c.childUnits << "\r\nPolicy.FaceAmount=" << c.face
        << "\r\nPolicy.PremiumMode=" << c.mode << "\r\nBRLN.Product=" << c.product
        << "\r\npol_ProductName=" << (c.state == "NJ" ? "Quoravel - NJ" : "")
        << "\r\nBRLN.PrintOpts=I\r\nBRLN.ProposalType=T\r\n";
    return ini.str();
}

std::vector<quoravel::QuoteInput> QuoteInputs(const Case& c) {
    static const char* const waiverRatings[] = {"", "1", "1.5", "2", "2.5", "3"};
    std::vector<quoravel::QuoteInput> inputs{{"--age", std::to_string(c.age)},
                                             {"--sex", c.male ? "M" : "F"},
                                             {"--state", c.state},
                                             {"--class", c.classCode},
                                             {"--flat-perm", c.permExtra},
                                             {"--child", std::to_string(c.childUnits)},
                                             {"--face", std::to_string(c.face)},
                                             {"--mode", c.mode},
                                             {"--carrier", c.carrier},
                                             {"--product", c.product}};
    if (!c.table.empty()) inputs.push_back({"--table", c.table});
    if (!c.tempAmount.empty())
        inputs.push_back({"--flat-temp", c.tempAmount + ":" + std::to_string(c.tempYears)});
    if (c.waiverCode) inputs.push_back({"--waiver", waiverRatings[c.waiverCode]});
    return inputs;
}

std::vector<double> Premiums(const std::string& list) {
    std::vector<double> premiums;
    std::istringstream entries(list);
    for (std::string entry; std::getline(entries, entry, ',');) premiums.push_back(std::stod(entry));
    return premiums;
}

TEST(QuoteRelay, PremiumsEqualThoseOfARelayRunOfTheSameCase) {
    constexpr int kCases = 50;
    std::vector<std::unique_ptr<RelayCase>> relays;
    std::vector<std::string> command{QUORAVEL_EXECUTABLE, "--relay"};
    for (int i = 0; i < kCases; ++i) {
        relays.push_back(std::make_unique<RelayCase>());
        relays.back()->Folder().Write("relay.ini", RelayIni(Generate(i)));
        command.push_back(relays.back()->Path());
    }
    const ProgramResult batch = RunProgram(command);
    ASSERT_EQ(batch.exitCode, 0) << batch.err;

    quoravel::QuotePricer pricer(QUORAVEL_PROGRAM_DIR);
    int priced = 0;
    for (int i = 0; i < kCases; ++i) {
        const Case c = Generate(i);
        const auto inputs = QuoteInputs(c);
        const auto reading = quoravel::ReadQuoteRequest(inputs, QUORAVEL_PROGRAM_DIR);
        ASSERT_TRUE(reading.problems.empty()) << i << ": " << reading.problems.front();
        const auto lines = pricer.Price(reading.request);
        ASSERT_EQ(lines.size(), 1u) << i;
        const std::string answered =
            relays[static_cast<std::size_t>(i)]->Answer("BasicValues", "value_AnnualPremium");
        EXPECT_EQ(lines.front().issuable, !answered.empty())
            << "case " << i << " " << c.product << " " << c.state << ": " << lines.front().refusal;
        if (answered.empty() || !lines.front().issuable) continue;
        ++priced;
        const std::vector<double> relay = Premiums(answered);
        const std::vector<double>& quote = lines.front().yearlyPremiums;
        ASSERT_EQ(quote.size(), relay.size()) << "case " << i;
        for (std::size_t year = 0; year < relay.size(); ++year)
            EXPECT_EQ(quoravel::round(2, quote[year]), relay[year]) << "case " << i << " year " << year + 1;
        EXPECT_EQ(std::stod(relays[static_cast<std::size_t>(i)]->Answer("HeaderValues",
                                                                        "bridge_InitialAnnualPremium")),
                  lines.front().modal.annual)
            << "case " << i;
    }
    // Most generated cases are issued; the rest must be refused by both.
    EXPECT_GE(priced, 35);
}

}  // namespace
