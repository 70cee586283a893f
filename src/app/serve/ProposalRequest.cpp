#include "ProposalRequest.h"

#include <algorithm>
#include <array>
#include <optional>

#include "Cp1252.h"
#include "FlatJsonReader.h"
#include "QuoteCommand.h"
#include "RelayInputs.h"
#include "RelayProducts.h"
#include "Text.h"

namespace quoravel {
namespace {

// The agent as the cover and footers print them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kAgentFields{{
    {"agent-name", "Agent.Name"},
    {"agent-company", "Agent.Company"},
    {"agent-address1", "Agent.Addr1"},
    {"agent-address2", "Agent.Addr2"},
    {"agent-city", "Agent.City"},
    {"agent-state", "Agent.State"},
    {"agent-zip", "Agent.Zip"},
    {"agent-phone", "Agent.Phone"},
    {"agent-license", "Agent.Lic"},
    {"agent-broker", "Agent.Broker"},
}};

// The optional pages, each a relay switch.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kPages{{
    {"description", "BRLN.Rpt.Desc"},
    {"class-information", "BRLN.Rpt.ClassInfo"},
    {"class-comparison", "BRLN.Rpt.ClassComp"},
    {"underwriting", "BRLN.RptUnderwriting"},
    {"certification", "BRLN.CertForm"},
}};

// The ledger's length: the relay's "SourcePrintOpt" codes.
constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kLedgerYears{{
    {"20", "1"},
    {"40", "2"},
    {"to-end-age", "3"},
}};

// The relay takes at most five face amounts and eight products.
constexpr std::size_t kMostFaces = 5;
constexpr std::size_t kMostProducts = 8;

template <std::size_t N>
std::optional<std::string_view> Find(
    const std::array<std::pair<std::string_view, std::string_view>, N>& table, std::string_view name) {
    for (const auto& [from, to] : table)
        if (from == name) return to;
    return std::nullopt;
}

bool IsQuoteInput(std::string_view name) {
    if (name == "birth-date" || name == "as-of") return true;
    const auto names = QuoteInputNames();
    return std::any_of(names.begin(), names.end(),
                       [&](const QuoteInputName& known) { return name == known.name; });
}

// A value is one line of the relay file: a line break in it would add keys of the sender's choosing.
bool HoldsControlCharacter(std::string_view value) {
    return std::any_of(value.begin(), value.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// The proposal is printed, and its relay file read, in Windows-1252: a
// character outside it would print as "?".
bool Printable(std::string_view value) { return Utf8ToCp1252Exactly(value).has_value(); }

class JsonProposal {
public:
    explicit JsonProposal(const std::string& programFolder) : programFolder_(programFolder) {}

    ProposalRequest Read(std::string_view json) {
        const FlatJson object = ReadFlatJson(json);
        if (!object.problem.empty()) return {{}, {object.problem}};
        std::vector<QuoteInput> client;
        for (const auto& [name, value] : object.members) {
            if (HoldsControlCharacter(value))
                Refuse(name + ": a line break or other control character is not allowed.");
            else if (!Printable(value))
                Refuse(InputMessage(name, value, "text in the letters a proposal prints (Windows-1252)"));
            else if (IsQuoteInput(name))
                client.push_back({name, value});
            else
                TakeChoice(name, value);
        }
        ClientReading reading = ReadClient(std::move(client), programFolder_);
        for (std::string& problem : reading.problems) Refuse(std::move(problem));
        WriteClient(reading);
        return std::move(request_);
    }

private:
    void Refuse(std::string problem) { request_.problems.push_back(std::move(problem)); }

    void Write(std::string_view key, std::string_view value) {
        request_.relayText += std::string(key) + "=" + std::string(value) + "\r\n";
    }

    // The proposal's own choices, checked as the relay checks them.
    void TakeChoice(const std::string& name, const std::string& value) {
        if (name == "report") {
            if (!RelayInputRule("BRLN.PrintOpts").accepts(value))
                Refuse(InputMessage(name, value, "a report: C (comparison), I (individual) or B (both)"));
            choices_.emplace_back("BRLN.PrintOpts", value);
        } else if (name == "pages") {
            if (const auto key = Find(kPages, value))
                pages_.push_back(*key);
            else
                Refuse(
                    InputMessage(name, value,
                                 "a page: description, class-information, class-comparison, underwriting or "
                                 "certification"));
        } else if (name == "ledger-years") {
            if (const auto code = Find(kLedgerYears, value))
                choices_.emplace_back("BRLN.SourcePrintOpt", *code);
            else
                Refuse(InputMessage(name, value, "ledger years: 20, 40 or to-end-age"));
        } else if (const auto key = Find(kAgentFields, name)) {
            choices_.emplace_back(*key, value);
        } else {
            Refuse(name + " is not an input of a proposal.");
        }
    }

    // The raw value of a quote input the quote reader accepted under the relay key's own rule.
    std::optional<std::string> Given(const ClientReading& reading, std::string_view name) const {
        for (const QuoteInput& input : reading.inputs)
            if (input.name == name) return std::string(Trim(input.value));
        return std::nullopt;
    }

    void WriteClient(const ClientReading& reading) {
        const QuoteRequest& client = reading.request;
        if (client.productCodes.empty()) Refuse("product: a proposal needs at least one product.");
        if (client.productCodes.size() > kMostProducts)
            Refuse("product: a proposal takes at most " + std::to_string(kMostProducts) + " products.");
        if (client.faceAmounts.size() > kMostFaces)
            Refuse("face: a proposal takes at most " + std::to_string(kMostFaces) + " face amounts.");
        if (Given(reading, "waive-spouse-fee"))
            Refuse("waive-spouse-fee is not an input of a proposal: the relay case has no spouse's policy.");
        if (!request_.problems.empty()) return;
        request_.relayText = "[Identifiers]\r\n";
        Write("comp_Code", RelayCompanyCode(client.company));
        Write("Insured.Name", client.name);
        Write("Insured.Age", std::to_string(client.age));
        Write("Insured.State", client.state);
        // The New York company's products stay in New Jersey only when the relay file says so.
        if (client.state == "NJ") Write("pol_ProductName", kNewJerseyProductName);
        for (const auto& [name, key] : {std::pair{"sex", "Insured.Sex"},
                                        {"class", "Insured.Class"},
                                        {"flat-perm", "Insured.ExtraPerm"},
                                        {"child", "Rider.CTR.Amt"},
                                        {"mode", "Policy.PremiumMode"}})
            if (const auto value = Given(reading, name)) Write(key, *value);
        Write("Insured.Table", RelayTableNumber(client.tableRating).value_or("0"));
        if (const auto extra = Given(reading, "flat-temp")) {
            const auto colon = extra->find(':');
            Write("Insured.ExtraTemp",
                  "1\u00FC" + extra->substr(colon + 1) + "\u00FC" + extra->substr(0, colon));
        }
        Write("Insured.Waiver", client.waiver ? "Y" : "N");
        if (client.waiver)
            Write("BRLN.WaiverRating", std::to_string(RelayWaiverCode(client.waiverRating).value_or(1)));
        Write("TVRN.UsePriorRates", client.priorScaleAsked ? "Y" : "N");
        Write("Policy.FaceAmount", std::to_string(client.faceAmounts.front()));
        for (std::size_t i = 1; i < client.faceAmounts.size(); ++i)
            Write("BRLN.AddlFace" + std::to_string(i), std::to_string(client.faceAmounts[i]));
        if (client.productCodes.size() == 1) {
            Write("BRLN.Product", client.productCodes.front());
        } else {
            for (std::size_t i = 0; i < client.productCodes.size(); ++i)
                Write("BRLN.Product" + std::to_string(i + 1), client.productCodes[i]);
        }
        Write("BRLN.ProposalType", "T");
        for (const auto& [page, key] : kPages)
            Write(key, std::find(pages_.begin(), pages_.end(), key) != pages_.end() ? "Y" : "N");
        for (const auto& [key, value] : choices_) Write(key, value);
    }

    const std::string& programFolder_;
    ProposalRequest request_;
    std::vector<std::pair<std::string_view, std::string>> choices_;
    std::vector<std::string_view> pages_;
};

}  // namespace

ProposalRequest ProposalFromJson(std::string_view json, const std::string& programFolder) {
    return JsonProposal(programFolder).Read(json);
}

ProposalRequest ProposalFromRelayText(std::string text) {
    ProposalRequest request;
    std::string_view rest = text;
    while (!rest.empty()) {
        const auto end = rest.find_first_of("\r\n");
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const std::string_view key = Trim(line.substr(0, line.find('=')));
        if (line.find('=') == std::string_view::npos) continue;
        if (EqualNoCase(key, "PDF.Path") || EqualNoCase(key, "PDF.Name"))
            request.problems.push_back(
                std::string(key) +
                ": the server keeps the PDF itself; no request names a place on the server.");
    }
    if (request.problems.empty()) request.relayText = std::move(text);
    return request;
}

}  // namespace quoravel
