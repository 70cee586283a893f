#include "RelayExchange.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "Cp1252.h"
#include "IniFile.h"
#include "IssueRules.h"
#include "ProductCatalogue.h"
#include "ProductInfo.h"
#include "ProductLookups.h"
#include "RelayInputs.h"
#include "RelayProducts.h"
#include "Rounding.h"
#include "Text.h"
#include "TextFile.h"

namespace quoravel {
namespace {

constexpr const char* kModule = "RelayStuff";

// Six pieces joined as they stand.
// clang-format off
constexpr std::array<std::string_view, 6> kAgentMessage{
    "Some agent information is missing.  The agent's name, and full address must be  ",
    "present to be able to print an illustration.  Please enter the name and complete address ",
    "for the agent.  This should be entered on the Agent Information tab.  "
        "Default agent information can be set using ",
    "the Options menu and selecting Agent and Broker/Dealers and then selecting Modify Agents.  "
        "Add an agent ",
    "with the Add Agent button and then use the Set Default button to make that agent the default "
        "to show up on the ",
    "Agent tab.",
};
// clang-format on

// Whole numbers from the file, kept inside the range of the field they fill.
template <typename T>
T Whole(double value) {
    const double low = std::numeric_limits<T>::min();
    const double high = std::numeric_limits<T>::max();
    return static_cast<T>(std::clamp(std::nearbyint(value), low, high));
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// Outside systems write the relay file in Windows-1252, but some in UTF-8
// (with or without a byte-order mark), and some with CR alone between lines:
// all are read as the Windows-1252 text with CR LF the settings reader takes.
std::string AsSettingsText(std::string bytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark))
        bytes = Utf8ToCp1252(std::string_view(bytes).substr(kByteOrderMark.size()));
    else if (IsUtf8Text(bytes))
        bytes = Utf8ToCp1252(bytes);
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text += bytes[i];
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) text += '\n';
    }
    return text;
}

// Problems of the values themselves, reported after the case checks so that
// the checks' messages come first.
using InputProblems = std::vector<std::pair<LoggedError::Level, std::string>>;

class RelayFile {
public:
    RelayFile(const std::string& folder, const std::string& fileName) {
        ini_.SetPathname(folder);
        ini_.SetFilename(fileName);
        ini_.SetSection("Identifiers");
        // The relay file is read once, not once per key.
        ini_.HoldInMemory(RelayFileText(ini_.FullPath()));
        ini_.SetBooleanDefaultTrue(Value(true));
        ini_.SetBooleanDefaultFalse(Value(false));
    }
    std::string Path() const { return ini_.FullPath(); }
    bool HasIdentifiers() const {
        const auto sections = ini_.Sections();
        return std::any_of(sections.begin(), sections.end(),
                           [](const std::string& name) { return EqualNoCase(name, "Identifiers"); });
    }
    std::string Text(std::string_view key) const { return ini_.ReadINI(key, IniFile::Text).Text(); }
    double Number(std::string_view key) const { return ini_.ReadINI(key, IniFile::Number).Number(); }
    // One reading of a yes or no, the one the client information page shows.
    bool Flag(std::string_view key) const { return RelayFlag(Text(key)); }

private:
    IniFile ini_;
};

void ReadAgent(const RelayFile& relay, Broker& agent) {
    static constexpr std::array<std::pair<std::string_view, BrokerField>, 10> kAgentKeys{{
        {"Agent.Addr1", BrokerField::address_1},
        {"Agent.Addr2", BrokerField::address_2},
        {"Agent.City", BrokerField::city},
        {"Agent.Company", BrokerField::Broker_Co},
        {"Agent.Lic", BrokerField::license_num},
        {"Agent.Name", BrokerField::first_name},
        {"Agent.Phone", BrokerField::phone_num},
        {"Agent.State", BrokerField::state},
        {"Agent.Zip", BrokerField::zip},
        {"Agent.Broker", BrokerField::GA_Name},
    }};
    for (const auto& [key, field] : kAgentKeys) agent.Set(field, relay.Text(key));
}

// The face amounts are taken once the carrier, the products and the state
// are known, whatever the order of their keys: the limits depend on them.
// Every chosen product must take the amount; one outside the limits of any
// of them refuses the case.
void AddFaceAmounts(const RelayFile& relay, ClientCase& client, InputProblems& problems) {
    const FaceAmountLimits limits = FaceAmountLimitsOf(client);
    for (const char* key :
         {"BRLN.AddlFace1", "BRLN.AddlFace2", "BRLN.AddlFace3", "BRLN.AddlFace4", "Policy.FaceAmount"}) {
        const std::string text = relay.Text(key);
        const auto face = RelayFaceAmount(text);
        if (!face || *face == 0) continue;  // an unreadable amount is reported by its rule
        if (!limits.Take(*face)) {
            problems.emplace_back(LoggedError::Error, InputMessage(key, text, limits.Expected()));
            continue;
        }
        client.Proposal().AddFaceAmount(*face, client.State());
    }
}

// Codes that name no product are left out with a warning, so the outside
// system learns why a product is missing from the answer.
void AddProducts(const RelayFile& relay, ClientCase& client, InputProblems& problems) {
    for (const char* key :
         {"BRLN.Product", "BRLN.Product1", "BRLN.Product2", "BRLN.Product3", "BRLN.Product4", "BRLN.Product5",
          "BRLN.Product6", "BRLN.Product7", "BRLN.Product8"}) {
        const std::string code = relay.Text(key);
        if (code.empty()) continue;
        // A retired product may come by its display name; it is replaced below.
        const RetiredProduct* retired = FindRetiredProduct(code);
        if (const std::int32_t product =
                RelayProductNumber(retired ? retired->oldCode : std::string_view(code), client.State())) {
            client.Proposal().AddProduct(product);
        } else {
            problems.emplace_back(LoggedError::Warning, "The product code " + code.substr(0, 40) + " of " +
                                                            key + " names no product and was left out.");
        }
    }
}

void ReadInsured(const RelayFile& relay, ClientCase& client) {
    client.SetClassification(RelayClassCode(relay.Text("Insured.Class")).value_or(0));
    client.SetPermFlatExtra(NumberIn(relay.Text("Insured.ExtraPerm")).value_or(0));
    if (const auto extra = RelayTemporaryExtra(relay.Text("Insured.ExtraTemp"))) {
        client.SetTempFlatExtra(extra->amount);
        client.SetTempFlatExtraYears(extra->years);
    }

    client.SetFirstName(relay.Text("Insured.Name"));
    const std::string sex = ToUpper(relay.Text("Insured.Sex"));
    client.SetIsMale(sex == "M" || sex == "U");
    client.SetState(relay.Text("Insured.State"));

    client.SetTableRating(std::string(RelayTableRating(relay.Text("Insured.Table")).value_or("None")));
    client.SetWaiver(relay.Flag("Insured.Waiver"));
}

// Every input is held to its rule as the outside system sent it; a value
// that breaks it refuses the case. The age is kept inside the rate tables.
void CheckInputs(const RelayFile& relay, ClientCase& client, InputProblems& problems) {
    constexpr int kOldestAge = 100;
    if (Trim(relay.Text("Insured.Age")).empty())
        problems.emplace_back(LoggedError::Error, "Insured.Age: the insured's age is missing.");
    for (const InputRule& rule : RelayInputRules()) {
        const std::string value = relay.Text(rule.key);
        if (!Trim(value).empty() && !rule.accepts(value))
            problems.emplace_back(LoggedError::Error, InputMessage(rule.key, value, rule.expected));
    }
    client.SetAge(static_cast<std::int16_t>(std::clamp<int>(client.Age(), 0, kOldestAge)));
}

// The state of delivery must be one of states.ini, whatever set it.
bool CheckState(const RelayFile& relay, const ClientCase& client, const std::string& programFolder,
                InputProblems& problems) {
    if (client.State().empty()) {
        problems.emplace_back(LoggedError::Error, "Insured.State: the state of delivery is missing.");
        return false;
    }
    if (IsStateOfDelivery(client.State(), programFolder)) return true;
    problems.emplace_back(LoggedError::Error,
                          InputMessage("Insured.State", relay.Text("Insured.State"), "a state of delivery"));
    return false;
}

void ReadKeys(const RelayFile& relay, ClientCase& client, ProposalRun& run, InputProblems& problems) {
    ReadAgent(relay, client.AssignedBroker());
    auto& options = client.Proposal();

    if (auto option = RelayPrintOption(relay.Text("BRLN.PrintOpts"))) options.SetPrintOption(*option);
    AddProducts(relay, client, problems);
    if (EqualNoCase(relay.Text("BRLN.ProposalType"), "T"))
        options.ProposalTypeFlag = false;
    else
        options.SetIsFaceSolve(true);

    options.SetOutputClassComp(relay.Flag("BRLN.Rpt.ClassComp"));
    options.SetOutputClassInfo(relay.Flag("BRLN.Rpt.ClassInfo"));
    options.SetOutputCertification(relay.Flag("BRLN.CertForm"));
    options.SetOutputDescription(relay.Flag("BRLN.Rpt.Desc"));
    options.SetOutputUnderwritting(relay.Flag("BRLN.RptUnderwriting"));

    const double printYears = relay.Number("BRLN.SourcePrintOpt");
    if (printYears == 1 || printYears == 2 || printYears == 3) {
        options.SetYearsToPrint(kYearsToPrintChoices[static_cast<std::size_t>(printYears) - 1]);
    }
    client.SetWaiverRating(RelayWaiverRating(relay.Text("BRLN.WaiverRating")).value_or(1.0));

    const std::string ageText = relay.Text("Insured.Age");
    client.SetAge(Whole<std::int16_t>(NumberIn(ageText).value_or(0)));
    ReadInsured(relay, client);

    run.RelayUsePriorRates = relay.Flag("TVRN.UsePriorRates");
    if (run.RelayUsePriorRates && !OutsidePriorScaleAllowed(client.State())) {
        run.RelayUsePriorRates = false;
        run.Updates.Add("TVRN.UsePriorRates", Value(false), IniFile::Boolean);
    }

    if (auto mode = RelayPaymentMode(relay.Text("Policy.PremiumMode"))) client.SetPaymentMode(*mode);

    const std::int16_t units =
        Whole<std::int16_t>(std::max(0.0, NumberIn(relay.Text("Rider.CTR.Amt")).value_or(0)));
    client.SetChildRiderUnits(units);
    client.SetChildRider(units >= 1);
    client.SetWaiveSpouseFee(false);

    client.SetSystemVersion(relay.Text("System_Version"));
    run.FISMode = Contains(relay.Text("BRLN.DistChannel"), "F");
    if (auto company = RelayCompany(relay.Text("comp_Code"))) options.SetCompany(*company);
    client.SetCompanyVersion(relay.Text("comp_Version"));
    client.SetWinFlexPages("0");
    CheckInputs(relay, client, problems);
}

bool AgentIncomplete(const Broker& agent) {
    for (auto field : {BrokerField::address_1, BrokerField::city, BrokerField::first_name, BrokerField::state,
                       BrokerField::zip}) {
        if (agent.Get(field).empty()) return true;
    }
    return false;
}

void ReplaceRetiredProduct(const std::string& product, ClientCase& client, ProposalRun& run) {
    const RetiredProduct* retired = FindRetiredProduct(product);
    if (!retired) return;
    auto& options = client.Proposal();
    const std::int32_t oldNumber = RelayProductNumber(retired->oldCode, client.State());
    const std::int32_t newNumber = RelayProductNumber(retired->newCode, client.State());

    const bool proposalType = options.ProposalTypeFlag;
    const auto choices = options.ProdChoices();
    options.ClearProdChoices();
    for (const std::int32_t choice : choices) {
        if (choice != 0) options.AddProduct(choice == oldNumber ? newNumber : choice);
    }
    options.ProposalTypeFlag = proposalType;
    if (options.ProductType() == oldNumber) options.SetProductType(newNumber);

    run.Errors.Add(LoggedError::Warning, RetiredProductNotice(*retired));
    run.Updates.Add("BRLN.Product", Value(std::string(retired->newCode)), IniFile::Text);
}

void CheckCase(const RelayFile& relay, ClientCase& client, ProposalRun& run) {
    if (run.RelayMode() && AgentIncomplete(client.AssignedBroker())) {
        std::string message;
        for (auto piece : kAgentMessage) message += piece;
        run.Errors.Add(LoggedError::Error, message);
    }

    auto& options = client.Proposal();
    if (IsNewYorkCompanyProduct(options.ProductType())) {
        const std::string state =
            Contains(relay.Text("pol_ProductName"), kNewJerseyProductName) ? "NJ" : "NY";
        if (client.State() != state) {
            client.SetState(state);
            run.Updates.Add("Insured.State", Value(state), IniFile::Text);
            // The codes name the plans of the state of delivery (DORR10 is the
            // New York plan in New York): they are read again for it. Their
            // warnings were given the first time.
            const bool proposalType = options.ProposalTypeFlag;
            options.ClearProdChoices();
            InputProblems readAgain;
            AddProducts(relay, client, readAgain);
            options.SetProductType(options.ProdChoices().front());
            options.ProposalTypeFlag = proposalType;
        }
    }
    ReplaceRetiredProduct(relay.Text("brln.product"), client, run);

    const std::string cpwCode = relay.Text("US.CPWCode");
    if ((Contains(cpwCode, "QNML") || Contains(cpwCode, "BRML")) &&
        options.PrintOption() == IllustrationOptions::Both) {
        options.SetPrintOption(IllustrationOptions::Comparison);
        run.Updates.Add("BRLN.PrintOpts", Value("C"), IniFile::Text);
    }
}

}  // namespace

bool IsStateOfDelivery(const std::string& state, const std::string& programFolder) {
    IniFile states;
    states.SetPathname(programFolder);
    states.SetFilename("states.ini");
    states.SetSection(state);
    return !state.empty() && !states.ReadINI("FullName", IniFile::Text).Text().empty();
}

std::string RelayFileSizeProblem(const std::string& folder, const std::string& fileName) {
    std::error_code unknown;
    const auto path = ResolveFileName(std::filesystem::path(folder) / fileName);
    const std::uintmax_t bytes = std::filesystem::file_size(path, unknown);
    if (unknown || bytes <= kMostRelayFileBytes) return "";
    return path.filename().string() + " holds " + FormatAmount(static_cast<double>(bytes), 0) +
           " bytes; a relay file may hold " + FormatAmount(static_cast<double>(kMostRelayFileBytes), 0) +
           " bytes at most.";
}

std::string RelayFileText(const std::string& path) {
    return AsSettingsText(ReadFileBytes(path).value_or(std::string()));
}

std::shared_ptr<ClientCase> ReadRelayFile(const std::string& folder, const std::string& fileName,
                                          ProposalRun& run) {
    auto client = std::make_shared<ClientCase>();
    if (std::string tooLarge = RelayFileSizeProblem(folder, fileName); !tooLarge.empty()) {
        run.Errors.Add(LoggedError::Error, std::move(tooLarge));
        return client;
    }
    try {
        const RelayFile relay(folder, fileName);
        // Nothing of a file that is no settings file can be taken; one message says so.
        if (!relay.HasIdentifiers()) {
            run.Errors.Add(LoggedError::Error,
                           "The relay file " + relay.Path() +
                               " holds no section [Identifiers]: it is empty or not a settings file.");
            return client;
        }
        client->SetState(relay.Text("Insured.State"));
        // The product codes read next map by state, and a New Jersey product
        // name settles the state for them.
        if (Contains(relay.Text("pol_ProductName"), "New Jersey")) client->SetState("NJ");
        InputProblems problems;
        ReadKeys(relay, *client, run, problems);
        CheckCase(relay, *client, run);
        if (CheckState(relay, *client, run.ProgramFolder(), problems)) {
            for (std::string& problem : CheckAvailability(*client, run.ProgramFolder()))
                run.Errors.Add(LoggedError::Error, std::move(problem));
        }
        AddFaceAmounts(relay, *client, problems);
        for (auto& [severity, text] : problems) run.Errors.Add(severity, std::move(text));
    } catch (const std::exception& error) {
        run.ProcessError(error, LoggedError::ErrorWithPlace, kModule, "ReadRelayFile");
    }
    return client;
}

}  // namespace quoravel
