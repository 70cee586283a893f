#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "IniFile.h"
#include "ProductLookups.h"
#include "RelayExchange.h"
#include "Rounding.h"
#include "Text.h"

namespace quoravel {
namespace {

constexpr const char* kModule = "RelayStuff";

// The outside system's number pictures: "####.##" keeps the cents that are
// not zero ("1234.5", "1234."), "####.00" always two places ("100000.00").
// Neither writes a zero before the point.
std::string PictureNumber(double value, bool keepZeroCents) {
    std::string digits = FixedText(std::fabs(round(2, value)), 2);
    if (!keepZeroCents) {
        while (digits.back() == '0') digits.pop_back();
    }
    if (digits.rfind("0.", 0) == 0) digits.erase(0, 1);
    return (round(2, value) < 0 ? "-" : "") + digits;
}

template <typename Entry>
std::string YearList(int years, Entry entry) {
    std::string list;
    for (int year = 0; year < years; ++year) {
        if (year > 0) list += ',';
        list += entry(year);
    }
    return list;
}

// "HeaderValues" and "BasicValues" of the illustrated policy, in the
// answer's order.
void AddValues(RelayAnswer& answer, const ClientCase& client, std::int32_t productNumber,
               std::int32_t faceAmount, const std::vector<double>& yearlyPremiums, int yearsShown,
               const std::string& versionText) {
    // Never more years than were priced.
    const int years = std::clamp(yearsShown, 0, static_cast<int>(yearlyPremiums.size()));
    // The first year's premium, to the cent.
    const Value firstPremium(yearlyPremiums.empty() ? 0.0 : round(2, yearlyPremiums.front()));
    ClientCase insured = client;  // the class text settles the table rating as it reads it
    const Broker& agent = client.AssignedBroker();

    const std::pair<const char*, Value> header[] = {
        {"bridge_CompanyName", Value(client.Proposal().CompanyName())},
        {"bridge_Years", Value(years)},
        {"bridge_Policy", Value(ProductDisplayName(productNumber, client.Proposal().Company()))},
        {"bridge_Agent", Value(agent.Get(BrokerField::first_name) + " " + agent.Get(BrokerField::last_name))},
        {"bridge_MEC", Value("N")},
        {"bridge_MECLimit", Value("0.00")},
        {"bridge_GSP", Value("0.00")},
        {"bridge_GLP", Value("0.00")},
        {"bridge_InitialBasis", Value("0.00")},
        {"bridge_MinPrem", firstPremium},
        // Its place in the section; the page count is written there.
        {"bridge_SourceLedgerPages", Value(0)},
        {"bridge_InitialAnnualPremium", firstPremium},
        {"bridge_IllustrationID", Value(versionText)},
        {"bridge_Columns", Value(6)},
        {"bridge_Client", Value(client.FirstName() + " " + client.LastName())},
        {"bridge_Age", Value(static_cast<int>(client.Age()))},
        {"bridge_Sex", Value(client.State() == "MT" ? " "
                             : client.IsMale()      ? "Male"
                                                    : "Female")},
        {"bridge_InitialDB", Value(faceAmount)},
        {"bridge_RiskClass", Value(insured.Classstring())},
    };
    answer.HeaderValues.clear();
    for (const auto& [key, value] : header) {
        answer.HeaderValues.push_back({key, value, value.IsText() ? IniFile::Text : IniFile::Number});
    }

    const auto premium = [&](int year) {
        return PictureNumber(yearlyPremiums[static_cast<std::size_t>(year)], false);
    };
    const auto deathBenefit = [&](int) { return PictureNumber(faceAmount, true); };
    const auto nothing = [](int) { return std::string("0.00"); };
    auto& basic = answer.BasicValues;
    basic.clear();
    const auto list = [&](const char* key, std::string entries) {
        basic.push_back({key, Value(std::move(entries)), IniFile::Text});
    };
    list("value_AnnualPremium", YearList(years, premium));
    list("value_GuaranteedPremium", YearList(years, premium));
    list("value_DeathBenefit", YearList(years, deathBenefit));
    list("value_GuaranteedDeathBenefit", YearList(years, deathBenefit));
    for (const char* key :
         {"value_AnnualWithdrawal", "value_AccumAccount", "value_AnnualLoan", "value_CashBenefit",
          "value_GuaranteedCashValue", "value_GuaranteedDeathBenifit"}) {
        list(key, YearList(years, nothing));
    }
    basic.push_back({"value_Dividend", Value(0), IniFile::Number});
}

}  // namespace

void AnswerPolicyValues(ProposalRun& run, const ClientCase& client, std::int32_t productNumber,
                        std::int32_t faceAmount, const std::vector<double>& yearlyPremiums, int yearsShown) {
    try {
        AddValues(run.Answer, client, productNumber, faceAmount, yearlyPremiums, yearsShown,
                  run.process.VersionText);
    } catch (const std::exception& error) {
        run.ProcessError(error, LoggedError::ErrorWithPlace, kModule, "WriteRelayOutput");
    }
}

}  // namespace quoravel
