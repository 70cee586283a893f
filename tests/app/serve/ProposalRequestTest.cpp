// A proposal asked for over HTTP becomes a relay file: the quote's spellings
// turned into the relay's, and nothing that could reach the server's files.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "ProposalRequest.h"
#include "RequestGate.h"
#include "ServeOptions.h"

namespace {

using quoravel::ProposalFromJson;
using quoravel::ProposalFromRelayText;

// A client every carrier quotes, with the members given added, or standing
// in for the client's own of the same name.
quoravel::ProposalRequest Proposal(const std::string& more) {
    std::string client = R"("age": 45, "sex": "M", "state": "TX", "product": ["BRLN20"], "face": [250000])";
    for (const std::string name : {"\"face\"", "\"product\""}) {
        if (more.find(name) == std::string::npos) continue;
        const auto at = client.find(name);
        client.erase(at - 2, client.find(']', at) - at + 3);
    }
    return ProposalFromJson("{" + client + ", " + more + "}", QUORAVEL_PROGRAM_DIR);
}

TEST(ProposalRequest, TheQuoteSpellingsBecomeTheRelayCodes) {
    struct Row {
        std::string json, line;
    };
    const Row rows[] = {
        {R"("table": "B")", "Insured.Table=2\r\n"},
        {R"("table": "AA")", "Insured.Table=1.5\r\n"},
        {R"("table": "P")", "Insured.Table=16\r\n"},
        {R"("flat-temp": "2.50:5")", "Insured.ExtraTemp=1\u00FC5\u00FC2.50\r\n"},
        {R"("waiver": "1.5")", "BRLN.WaiverRating=2\r\n"},
        {R"("waiver": 3)", "BRLN.WaiverRating=5\r\n"},
        {R"("carrier": "QNB")", "comp_Code=QNBY\r\n"},
        {R"("pages": ["description", "certification"])", "BRLN.Rpt.Desc=Y\r\n"},
        {R"("ledger-years": "40")", "BRLN.SourcePrintOpt=2\r\n"},
        {R"("agent-license": "TX-1184520")", "Agent.Lic=TX-1184520\r\n"},
        {R"("face": [250000, 500000])", "BRLN.AddlFace1=500000\r\n"},
    };
    for (const Row& row : rows) {
        const auto request = Proposal(row.json);
        EXPECT_TRUE(request.problems.empty()) << row.json << ": " << request.problems.front();
        EXPECT_NE(request.relayText.find(row.line), std::string::npos) << row.json << "\n"
                                                                       << request.relayText;
    }
    // A birth date gives the age nearest birthday, as the quote takes it: 45 on 2026-12-08.
    const auto born = ProposalFromJson(
        R"({"birth-date": "1981-09-14", "as-of": "2026-12-08", "sex": "F", "state": "TX", "face": [250000], "product": ["BRLN20"]})",
        QUORAVEL_PROGRAM_DIR);
    EXPECT_NE(born.relayText.find("Insured.Age=45\r\n"), std::string::npos) << born.relayText;
}

TEST(ProposalRequest, RefusesWhatTheRelayWouldNotTakeAndWhatCouldAddKeys) {
    const std::pair<std::string, std::string> rows[] = {
        {R"("agent-name": "Dana\r\nPDF.Path=/etc")", "agent-name: a line break or other control character"},
        {R"("report": "X")", "report: \"X\" is not a report"},
        {R"("pages": ["cover"])", "pages: \"cover\" is not a page"},
        {R"("colour": "blue")", "colour is not an input of a proposal."},
        {R"("waive-spouse-fee": "Y")", "waive-spouse-fee is not an input of a proposal"},
        {R"("product": ["../../etc/passwd"])", "product: \"../../etc/passwd\" is not a product code"},
        {R"("face": [100000, 200000, 300000, 400000, 500000, 600000])", "face: a proposal takes at most 5"},
        {R"("agent-zip": {"code": 78701})", "the JSON input is not a flat object"},
    };
    for (const auto& [json, message] : rows) {
        const auto request = Proposal(json);
        ASSERT_FALSE(request.problems.empty()) << json;
        EXPECT_NE(request.problems.front().find(message), std::string::npos)
            << json << ": " << request.problems.front();
        EXPECT_TRUE(request.relayText.empty()) << json;
    }
    EXPECT_FALSE(
        ProposalFromJson(R"({"age": 45, "sex": "M", "state": "TX", "face": [250000]})", QUORAVEL_PROGRAM_DIR)
            .problems.empty())
        << "a proposal without a product";
    // A relay file is taken as sent, but never where its PDF goes on the server.
    EXPECT_TRUE(ProposalFromRelayText("[Identifiers]\r\nInsured.Age=45\r\n").problems.empty());
    for (const char* key : {"PDF.Path", "pdf.name", " PDF.Path "})
        EXPECT_FALSE(ProposalFromRelayText("[Identifiers]\nInsured.Age=45\n" + std::string(key) + "=/tmp\n")
                         .problems.empty())
            << key;
}

TEST(ServeOptions, ListensOnTheLoopbackUnlessGivenAToken) {
    const auto fallback = quoravel::ReadServeOptions({});
    EXPECT_EQ(fallback.host, "127.0.0.1");
    EXPECT_EQ(fallback.port, 8080);
    EXPECT_TRUE(fallback.problems.empty());
    const auto wide = quoravel::ReadServeOptions({"--listen", "0.0.0.0:9000"});
    ASSERT_EQ(wide.problems.size(), 1u);
    EXPECT_NE(wide.problems.front().find("--token-file"), std::string::npos);
    for (const char* bad : {"8080", "host:", "127.0.0.1:70000", "127.0.0.1:http"})
        EXPECT_FALSE(quoravel::ReadServeOptions({"--listen", bad}).problems.empty()) << bad;
    const auto six = quoravel::ReadServeOptions({"--listen", "[::1]:0"});
    EXPECT_TRUE(six.problems.empty());
    EXPECT_EQ(six.host, "::1");
    EXPECT_FALSE(quoravel::ReadServeOptions({"--token-file", "/nonexistent/token"}).problems.empty());
}

TEST(RequestGate, LetsTheCoresWorkAndABoundedNumberWaitAndTurnsAwayTheRest) {
    quoravel::RequestGate gate(1, 1);
    auto working = gate.Enter();
    ASSERT_TRUE(working);
    auto waiter = std::async(std::launch::async, [&] { return static_cast<bool>(gate.Enter()); });
    while (gate.Waiting() == 0) std::this_thread::yield();
    EXPECT_FALSE(gate.Enter()) << "a second waiter beyond the one allowed";
    { auto done = std::move(working); }
    EXPECT_TRUE(waiter.get());
    EXPECT_TRUE(gate.Enter()) << "every place is free again";
}

}  // namespace
