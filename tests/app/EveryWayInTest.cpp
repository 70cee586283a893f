// One case, one price: a generated corpus of cases goes through every way
// into the program (a relay run with its answer, its PDF's stamp and
// `verify`; `quote` as JSON; the quick-quote pane's mapping of a case; the
// impact report; the case list) and each way names the same yearly
// premiums, or the same refusal.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <memory>
#include <sstream>

#include "CaseFile.h"
#include "CaseListing.h"
#include "ProposalStamping.h"
#include "Quote.h"
#include "QuoteCommand.h"
#include "RateImpact.h"
#include "RelayCase.h"
#include "RelayExchange.h"
#include "RelayProducts.h"
#include "Rounding.h"
#include "TextFile.h"
#include "VerifyCommand.h"

using namespace quoravel;

namespace {

enum class Scale { Current, PriorByKey, PriorByName };

struct Case {
    std::string relayCarrier{}, quoteCarrier{}, state{}, product{}, classCode{}, table{};
    int age = 45;
    bool male = true;
    std::int32_t face = 250000;
    std::string permExtra = "0", tempAmount{};
    int tempYears = 0, childUnits = 0, waiverCode = 0;  // waiverCode 0: no waiver, else BRLN.WaiverRating + 1
    std::string mode = "A";
    Scale scale = Scale::Current;
    // No relay key asks for it: such a case comes from the window or a case file.
    bool spouseFee = false;

    std::string Name() const { return scale == Scale::PriorByName ? "Pat 1BACK" : "Pat"; }
    bool Relayed() const { return !spouseFee; }
    // A case record cannot hold the outside system's request for the prior scale.
    bool Recorded() const { return scale != Scale::PriorByKey; }
    std::string Describe() const;
};

struct Carrier {
    const char *relay, *quote;
    std::vector<const char*> states, products;
};

// Every product code, retired ones included, each carrier in its states
// (one where it is not approved), every state group of the rate files.
// clang-format off
const Carrier kCarriers[] = {
    {"BRLN", "BRN", {"TX", "CA", "MD", "WA", "PA", "OR", "MS", "NJ", "NY"},
     {"BRLN1", "BRLN5", "BRLN10", "BRLN15", "BRLN20", "BRLN30", "OSTR5", "OSTR10", "OSTR15", "OSTR20",
      "OSTR30", "OSTR5G", "OSTR10G", "OSTR15G", "OSTR20G", "OSTR30G", "PELL10", "PELL15"}},
    {"TVNY", "TVNY", {"FL", "OH", "PA", "TX", "NJ", "WA"},
     {"KORV1", "KORV5", "KORV10", "KORV15", "KORV20", "KORV30", "AMBR5", "AMBR10", "AMBR15", "AMBR20",
      "AMBR30", "AMBR5G", "AMBR10G", "AMBR20G"}},
    // A New York company case is moved to New York.
    {"QNBY", "QNB", {"NY", "NJ", "TX"},
     {"TESS5", "TESS10", "TESS15", "TESS20", "TESS30", "DORR1", "DORR5", "DORR10", "DORR15", "QNBY10",
      "QNBY15"}},
};
// clang-format on

Case Generate(int i) {
    static const char* const classes[] = {"SP", "P", "QN", "N", "PS", "S", "5", "8"};
    // The edges of the issue ages and of the riders' ages.
    static const int ages[] = {0, 15, 18, 25, 35, 45, 50, 55, 56, 60, 61, 65, 70, 75, 80, 40};
    static const std::int32_t faces[] = {100000, 250000, 1000000, 5000000, 6000000, 99999};
    static const char* const tables[] = {"", "2", "4", "1.5", "8", "0", "16"};
    static const char* const modes[] = {"A", "S", "Q", "M"};
    const Carrier& carrier = kCarriers[i % 3];
    const std::string state = carrier.states[static_cast<std::size_t>(i / 3) % carrier.states.size()];
    // A code the state has no plan for names no product at all.
    auto next = static_cast<std::size_t>(i / 2);
    while (RelayProductNumber(carrier.products[next % carrier.products.size()], state) == 0) ++next;
    // clang-format off
    return {.relayCarrier = carrier.relay, .quoteCarrier = carrier.quote, .state = state,
            .product = carrier.products[next % carrier.products.size()], .classCode = classes[i % 8],
            .table = tables[i % 7], .age = ages[(i / 5) % 16], .male = i % 2 == 0, .face = faces[i % 6],
            .permExtra = i % 4 == 1 ? "2.50" : "0", .tempAmount = i % 3 == 2 ? "5.00" : "",
            .tempYears = i % 3 == 2 ? 1 + i % 5 : 0, .childUnits = i % 5 == 2 ? 1 : i % 5 == 4 ? 2 : 0,
            .waiverCode = i % 4 == 3 ? 1 + i % 6 : 0, .mode = modes[i % 4],
            .scale = static_cast<Scale>(i % 3 == 0 ? 0 : (i / 3) % 3), .spouseFee = i % 3 == 2 && i % 7 == 0};
    // clang-format on
}

std::string RelayIni(const Case& c) {
    std::ostringstream ini;
    ini << "[Identifiers]\r\ncomp_Code=" << c.relayCarrier
        << "\r\nAgent.Name=Dana Whitfield\r\nAgent.Addr1=400 Congress Avenue\r\nAgent.City=Austin\r\n"
           "Agent.State=TX\r\nAgent.Zip=78701\r\nInsured.Name="
        << c.Name() << "\r\nInsured.Age=" << c.age << "\r\nInsured.Sex=" << (c.male ? "M" : "F")
        << "\r\nInsured.State=" << c.state << "\r\nInsured.Class=" << c.classCode
        << "\r\nInsured.Table=" << c.table << "\r\nInsured.ExtraPerm=" << c.permExtra
        << "\r\nInsured.ExtraTemp="
        << (c.tempAmount.empty() ? "" : "1\u00FC" + std::to_string(c.tempYears) + "\u00FC" + c.tempAmount)
        << "\r\nInsured.Waiver=" << (c.waiverCode ? "Y" : "N")
        << "\r\nBRLN.WaiverRating=" << std::max(0, c.waiverCode - 1) << "\r\nRider.CTR.Amt=" << c.childUnits
        << "\r\nPolicy.FaceAmount=" << c.face << "\r\nPolicy.PremiumMode=" << c.mode
        << "\r\nBRLN.Product=" << c.product
        << "\r\npol_ProductName=" << (c.state == "NJ" ? "Quoravel - NJ" : "")
        << "\r\nTVRN.UsePriorRates=" << (c.scale == Scale::PriorByKey ? "Y" : "N")
        << "\r\nBRLN.PrintOpts=I\r\nBRLN.ProposalType=T\r\n";
    return ini.str();
}

// A case is told by its relay file, which names every input but the spouse fee.
std::string Case::Describe() const { return RelayIni(*this) + (spouseFee ? "spouse fee waived" : ""); }

std::vector<std::string> QuoteArguments(const Case& c) {
    static const char* const waiverRatings[] = {"1", "1", "1.5", "2", "2.5", "3"};
    // clang-format off
    std::vector<std::string> arguments{"--format", "json", "--name", c.Name(), "--age", std::to_string(c.age),
        "--sex", c.male ? "M" : "F", "--state", c.state, "--class", c.classCode, "--flat-perm", c.permExtra,
        "--child", std::to_string(c.childUnits), "--face", std::to_string(c.face), "--mode", c.mode,
        "--carrier", c.quoteCarrier, "--product", c.product};
    // clang-format on
    if (!c.table.empty()) arguments.insert(arguments.end(), {"--table", c.table});
    if (!c.tempAmount.empty())
        arguments.insert(arguments.end(), {"--flat-temp", c.tempAmount + ":" + std::to_string(c.tempYears)});
    if (c.waiverCode)
        arguments.insert(arguments.end(),
                         {"--waiver", waiverRatings[static_cast<std::size_t>(c.waiverCode - 1)]});
    if (c.scale == Scale::PriorByKey) arguments.insert(arguments.end(), {"--prior-scale", "Y"});
    if (c.spouseFee) arguments.insert(arguments.end(), {"--waive-spouse-fee", "Y"});
    return arguments;
}

// What one way in says of a case's one line: its yearly premiums, or why none.
struct Answer {
    std::vector<double> yearly;
    std::string refusal;
    bool Priced() const { return refusal.empty(); }
};

// Files that keep a message on one line (relay.out, the case list) show its
// line breaks as blanks.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string Cents(const std::vector<double>& premiums) {
    std::string text;
    for (const double premium : premiums) text += FormatAmount(premium, 2) + " ";
    return text;
}

// The case's quote as JSON: its one line's "yearly" or "refusal".
Answer QuoteOf(const Case& c) {
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(RunQuote(QuoteArguments(c), in, out, err, QUORAVEL_PROGRAM_DIR), 0)
        << c.Describe() << err.str();
    const QJsonObject line =
        QJsonDocument::fromJson(QByteArray::fromStdString(out.str()))["quotes"][0].toObject();
    Answer answer{{}, line["refusal"].toString().toStdString()};
    for (const QJsonValue year : line["yearly"].toArray()) answer.yearly.push_back(year.toDouble());
    if (line.isEmpty()) answer.refusal = "no quote in " + out.str();
    return answer;
}

Answer FromQuoteLine(const QuoteLine& line) { return {line.yearlyPremiums, line.refusal}; }

// The case list's blocks by case number: the first-year premium, or the reason.
std::map<int, std::string> ListedFirstYears(const std::string& listing) {
    std::map<int, std::string> listed;
    std::istringstream lines(listing);
    int current = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.size() > 3 && line[2] != ' ' && std::isdigit(static_cast<unsigned char>(line[2])))
            current = std::stoi(line.substr(0, 3));
        else if (const auto premium = line.find(": first-year premium $"); premium != std::string::npos)
            listed[current] = line.substr(premium + 22);
        else if (const auto reason = line.find(": not priced: "); reason != std::string::npos)
            listed[current] = line.substr(reason + 14);
    }
    return listed;
}

std::vector<double> Numbers(const std::string& list) {
    std::vector<double> numbers;
    std::istringstream entries(list);
    for (std::string entry; std::getline(entries, entry, ',');) numbers.push_back(std::stod(entry));
    return numbers;
}

// The case as the relay reads it, kept as a case record would keep it.
std::shared_ptr<ClientCase> ReadCase(const Case& c, const RelayCase& folder) {
    ProcessValues process;
    process.ProgramFolder = QUORAVEL_PROGRAM_DIR;
    ProposalRun run(process, folder.Path());
    auto client = ReadRelayFile(folder.Path(), "relay.ini", run);
    client->SetWaiveSpouseFee(c.spouseFee);
    return client;
}

TEST(EveryWayIn, OneCaseHasOnePriceOrOneRefusal) {
    constexpr std::size_t kCases = 324;
    std::vector<Case> cases;
    std::vector<std::unique_ptr<RelayCase>> folders;
    std::vector<std::string> command{QUORAVEL_EXECUTABLE, "--relay"};
    for (int i = 0; i < static_cast<int>(kCases); ++i) {
        cases.push_back(Generate(i));
        folders.push_back(std::make_unique<RelayCase>());
        folders.back()->Folder().Write("relay.ini", RelayIni(cases.back()));
        if (cases.back().Relayed()) command.push_back(folders.back()->Path());
    }
    // Many cases on a busy machine: the batch is given ten minutes.
    const ProgramResult batch = ProgramRun(command).Wait(std::chrono::minutes(10));
    ASSERT_EQ(batch.exitCode, 0) << batch.err;

    // The case file of every case a record can hold, listed once.
    TempFolder files;
    Collection<ClientCase> records;
    std::vector<int> recordOf(kCases, 0);
    for (std::size_t i = 0; i < kCases; ++i) {
        if (!cases[i].Recorded()) continue;
        records.Add(*ReadCase(cases[i], *folders[i]));
        recordOf[i] = static_cast<int>(records.Count());
    }
    const auto caseFile = files.Write("corpus.clt", FormatCases(records, false));
    const Collection<ClientCase> saved = ReadCaseFile(caseFile);
    std::ostringstream listing;
    ListCases(listing, caseFile.string(), QUORAVEL_PROGRAM_DIR);
    const std::map<int, std::string> listed = ListedFirstYears(listing.str());
    RateImpact impact(QUORAVEL_PROGRAM_DIR, QUORAVEL_PROGRAM_DIR, QUORAVEL_PROGRAM_DIR);
    QuotePricer pane(QUORAVEL_PROGRAM_DIR);

    int priced = 0, refused = 0, verified = 0;
    for (std::size_t i = 0; i < kCases; ++i) {
        const Case& c = cases[i];
        const RelayCase& relay = *folders[i];
        const std::string what = "case " + std::to_string(i) + ": " + c.Describe();
        // The quote stands for the case; every other way must say what it says.
        const Answer quote = QuoteOf(c);
        quote.Priced() ? ++priced : ++refused;
        std::vector<std::pair<std::string, Answer>> others;

        if (c.Relayed()) {
            const std::string status = relay.Answer("Engine", "Status");
            ASSERT_FALSE(status.empty()) << what;
            if (status != "0") {
                const auto messages = relay.Messages();
                const bool told = std::ranges::any_of(messages, [&](const std::string& message) {
                    return message.find(OneLine(quote.refusal)) != std::string::npos;
                });
                EXPECT_TRUE(!quote.Priced() && told)
                    << what << "\nrelay refused, quote: " << quote.refusal << Cents(quote.yearly)
                    << "\nrelay: " << messages.front();
            } else {
                const auto stamp = FindStamp(ReadFileBytes(relay.Pdf()).value_or(""));
                ASSERT_TRUE(stamp && stamp->premiums.size() == 1) << what;
                others.emplace_back("stamp", Answer{stamp->premiums.front().yearly, ""});
                // The answer's years are the ledger's, the first of those quoted.
                const std::vector<double> answered =
                    Numbers(relay.Answer("BasicValues", "value_AnnualPremium"));
                const std::size_t shown = std::min(answered.size(), quote.yearly.size());
                EXPECT_EQ(Cents(answered),
                          Cents({quote.yearly.begin(), quote.yearly.begin() + static_cast<long>(shown)}))
                    << what << " (relay answer)";
                std::ostringstream out, err;
                EXPECT_EQ(VerifyProposal(relay.Pdf().string(), QUORAVEL_PROGRAM_DIR, out, err),
                          VerifyCode::Verified)
                    << what << "\n"
                    << out.str() << err.str();
                verified += out.str().ends_with("\nverified\n");
            }
        }
        if (const int record = recordOf[i]) {
            const ClientCase& client = saved.Item(record);
            const std::vector<ImpactLine> lines = impact.Compare(client, caseFile.string());
            ASSERT_EQ(lines.size(), 1u) << what;
            others.emplace_back("impact", Answer{lines.front().oldYearly, lines.front().problem});
            const auto first = listed.find(record);
            ASSERT_NE(first, listed.end()) << what;
            EXPECT_EQ(first->second,
                      quote.Priced() ? FormatAmount(quote.yearly.front(), 2) : OneLine(quote.refusal))
                << what << " (case list)";
            // The pane quotes the products its list offers: those the carrier sells here.
            QuoteRequest request = QuoteRequestOf(client);
            for (const std::string& code : CarrierProductCodes(request.company, request.state))
                if (RelayProductNumber(code, request.state) == client.Proposal().ProdChoices().front())
                    request.productCodes.push_back(code);
            if (!request.productCodes.empty())
                others.emplace_back("pane", FromQuoteLine(pane.Price(request).front()));
        }
        for (const auto& [way, answer] : others) {
            EXPECT_EQ(answer.refusal, quote.refusal) << what << " (" << way << ")";
            EXPECT_EQ(Cents(answer.yearly), Cents(quote.yearly)) << what << " (" << way << ")";
        }
    }
    // Most generated cases are issued; enough are refused to try the refusals.
    EXPECT_GE(priced, 120);
    EXPECT_GE(refused, 60);
    EXPECT_GE(verified, 100);
}

// A case record holding what a relay case refuses (written by an editor or
// an older program) is refused by every way that reads case records, with
// the relay's message; none prices it.
TEST(EveryWayIn, ACaseRecordARelayCaseWouldRefuseIsPricedNowhere) {
    // A Texas case record (Brellan 20, a man of 45, $250,000) edited by hand:
    // line 12 of the record is its permanent flat extra, lines 17 and 18 the
    // children's rider and its units.
    const Case c{.relayCarrier = "BRLN", .state = "TX", .product = "BRLN20", .classCode = "N"};
    RelayCase relay;
    relay.Folder().Write("relay.ini", RelayIni(c));
    Collection<ClientCase> records;
    records.Add(*ReadCase(c, relay));
    std::vector<std::string> record;
    std::istringstream text(FormatCases(records, false));
    for (std::string line; std::getline(text, line);) record.push_back(line);
    const auto face = static_cast<std::size_t>(std::ranges::find(record, " 250000 \r") - record.begin());
    const struct {
        std::vector<std::pair<std::size_t, std::string>> lines;
        const char* message;
    } edits[] = {
        {{{11, "150\r"}}, "Insured.ExtraPerm: \"150.00\" is not an amount from 0 to 99.99 per $1,000."},
        {{{16, "#TRUE#\r"}, {17, "11\r"}},
         "Rider.CTR.Amt: \"11\" is not a number of child rider units from 0 to 10."},
        {{{face, " 49999 \r"}},
         "Policy.FaceAmount: \"49999\" is not a face amount from $50,000 to $100,000,000 for Brellan 20."},
    };
    // The three edited records, one case file.
    std::string bytes;
    for (const auto& edit : edits) {
        std::vector<std::string> edited = record;
        for (const auto& [at, line] : edit.lines) edited.at(at) = line;
        for (const std::string& line : edited) bytes += line + "\n";
    }
    TempFolder files;
    const auto caseFile = files.Write("edited.clt", bytes);
    std::ostringstream listing;
    ListCases(listing, caseFile.string(), QUORAVEL_PROGRAM_DIR);
    const auto listed = ListedFirstYears(listing.str());
    const Collection<ClientCase> saved = ReadCaseFile(caseFile);
    RateImpact impact(QUORAVEL_PROGRAM_DIR, QUORAVEL_PROGRAM_DIR, QUORAVEL_PROGRAM_DIR);
    for (int n = 1; n <= 3; ++n) {
        const std::string message = edits[n - 1].message;
        EXPECT_EQ(listed.count(n) ? listed.at(n) : "", message) << listing.str();
        EXPECT_EQ(impact.Compare(saved.Item(n), caseFile.string()).front().problem, message);
    }
}

// A comparison shows five products at most, and its stamp holds what it
// shows; verify prices the same five.
TEST(EveryWayIn, TheStampHoldsWhatTheComparisonPrinted) {
    std::string ini =
        RelayIni({.relayCarrier = "BRLN", .state = "TX", .product = "BRLN10", .classCode = "N"});
    ini.replace(ini.find("BRLN.PrintOpts=I"), 16, "BRLN.PrintOpts=C");
    RelayCase relay;
    relay.Folder().Write("relay.ini",
                         ini +
                             "BRLN.Product1=BRLN15\r\nBRLN.Product2=BRLN20\r\nBRLN.Product3=BRLN30\r\n"
                             "BRLN.Product4=PELL10\r\nBRLN.Product5=OSTR10G\r\n");
    ExpectAnswered(relay, relay.Run());
    const auto stamp = FindStamp(ReadFileBytes(relay.Pdf()).value_or(""));
    ASSERT_TRUE(stamp && stamp->premiums.size() == 5) << relay.Answer("Engine", "Status");
    EXPECT_EQ(stamp->premiums.back().product, 8) << "Pellamy 10 is fifth; Ostrel 10 Guarantees is left out";
    std::ostringstream out, err;
    EXPECT_EQ(VerifyProposal(relay.Pdf().string(), QUORAVEL_PROGRAM_DIR, out, err), VerifyCode::Verified)
        << out.str();
}

}  // namespace
