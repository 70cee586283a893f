#include "RelayInputs.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "ClientCase.h"
#include "IllustrationOptions.h"
#include "IniFile.h"
#include "ProductCatalogue.h"
#include "ProductLookups.h"
#include "Rounding.h"
#include "Text.h"

namespace quoravel {
namespace {

struct TextCode {
    std::string_view text;
    std::int32_t code;
};

constexpr std::array<std::pair<std::string_view, std::string_view>, 21> kTableRatings{{
    {"", "None"},  {"0", "None"}, {"1", "A"},  {"1.5", "AA"}, {"2", "B"},  {"2.5", "BB"}, {"3", "C"},
    {"3.5", "CC"}, {"4", "D"},    {"5", "E"},  {"6", "F"},    {"7", "G"},  {"8", "H"},    {"9", "I"},
    {"10", "J"},   {"11", "K"},   {"12", "L"}, {"13", "M"},   {"14", "N"}, {"15", "O"},   {"16", "P"},
}};

constexpr std::array<TextCode, 8> kClassCodes{{
    {"SP", 1},
    {"P", 2},
    {"QN", 3},
    {"N", 4},
    {"PS", 5},
    {"S", 6},
    {"5", 7},
    {"8", 8},
}};

constexpr std::array<TextCode, 5> kPaymentModes{{
    {"A", Annual},
    {"S", SemiAnnual},
    {"Q", Quarterly},
    {"M", SpecialMonthly},
    {"D", SpecialMonthly},
}};

constexpr std::array<TextCode, 3> kPrintOptions{{
    {"C", IllustrationOptions::Comparison},
    {"I", IllustrationOptions::Individual},
    {"B", IllustrationOptions::Both},
}};

constexpr std::array<TextCode, 4> kCompanies{{{"BRLN", 0}, {"QNBY", 1}, {"TVNY", 2}, {"TVNB", 2}}};

constexpr std::array<double, 6> kWaiverRatings{1.0, 1.0, 1.5, 2.0, 2.5, 3.0};

// The character of code 252 that separates the parts of the temporary flat extra.
constexpr std::string_view kExtraSeparator = "\u00FC";

// The keys whose values the relay splits into items, each at its separator.
constexpr std::array<std::pair<std::string_view, std::string_view>, 1> kListKeys{{
    {"Insured.ExtraTemp", kExtraSeparator},
}};

// The keys the relay takes as yes or no: the case's riders, its pages and its rate scale.
constexpr std::array<std::string_view, 7> kFlagKeys{
    "Insured.Waiver", "BRLN.Rpt.ClassComp",   "BRLN.Rpt.ClassInfo", "BRLN.CertForm",
    "BRLN.Rpt.Desc",  "BRLN.RptUnderwriting", "TVRN.UsePriorRates",
};

// Flat extras are amounts per $1,000 up to 99.99; their years run within a policy's life.
constexpr double kMostFlatExtra = 99.99;
constexpr double kLastPolicyYear = 100;
constexpr std::int32_t kMostChildUnits = 10;
constexpr int kOldestAge = 100;

template <std::size_t N>
std::optional<std::int32_t> Decode(const std::array<TextCode, N>& table, std::string_view text) {
    const std::string upper = ToUpper(Trim(text));
    for (const auto& row : table) {
        if (row.text == upper) return row.code;
    }
    return std::nullopt;
}

std::optional<std::int32_t> WholeIn(std::string_view text, double low, double high) {
    const auto number = NumberIn(text);
    if (!number || *number != std::floor(*number) || *number < low || *number > high) return std::nullopt;
    return static_cast<std::int32_t>(*number);
}

// Whole cents: the cover and the ledger show the amount to the cent.
bool IsFlatExtra(double amount) {
    return amount >= 0 && amount <= kMostFlatExtra && round(2, amount) == amount;
}

bool IsAge(std::string_view v) { return WholeIn(v, 0, kOldestAge).has_value(); }
bool IsClass(std::string_view v) { return RelayClassCode(v).has_value(); }
bool IsTable(std::string_view v) { return RelayTableRating(v).has_value(); }
bool IsTemporaryExtra(std::string_view v) { return RelayTemporaryExtra(v).has_value(); }
bool IsSex(std::string_view v) {
    const std::string sex = ToUpper(Trim(v));
    return sex == "M" || sex == "F" || sex == "U";
}
bool IsFace(std::string_view v) { return RelayFaceAmount(v).has_value(); }
bool IsChildUnits(std::string_view v) { return WholeIn(v, 0, kMostChildUnits).has_value(); }
bool IsWaiverRating(std::string_view v) { return RelayWaiverRating(v).has_value(); }
bool IsMode(std::string_view v) { return RelayPaymentMode(v).has_value(); }
bool IsPrintOption(std::string_view v) { return RelayPrintOption(v).has_value(); }
bool IsCompany(std::string_view v) { return RelayCompany(v).has_value(); }

constexpr std::string_view kFaceText = "a face amount in whole dollars";

// A coded value outside its table is refused too: the outside system meant
// something the system does not know, and a guess would price another case.
constexpr std::array<InputRule, 16> kRules{{
    {"Insured.Age", IsAge, "an age from 0 to 100"},
    {"Insured.Class", IsClass, "a class code: SP, P, QN, N, PS, S, 5 or 8"},
    {"Insured.Table", IsTable, "a table rating: 0 to 4 in steps of 0.5, or 5 to 16"},
    {"Insured.ExtraPerm", IsFlatExtraAmount, "an amount from 0 to 99.99 per $1,000"},
    {"Insured.ExtraTemp", IsTemporaryExtra,
     "a temporary flat extra: first year, last year (1 to 100) and an amount from 0 to 99.99 per $1,000, "
     "separated by \"\u00FC\""},
    {"Insured.Sex", IsSex, "M, F or U"},
    {"Policy.FaceAmount", IsFace, kFaceText},
    {"BRLN.AddlFace1", IsFace, kFaceText},
    {"BRLN.AddlFace2", IsFace, kFaceText},
    {"BRLN.AddlFace3", IsFace, kFaceText},
    {"BRLN.AddlFace4", IsFace, kFaceText},
    {"Rider.CTR.Amt", IsChildUnits, "a number of child rider units from 0 to 10"},
    {"BRLN.WaiverRating", IsWaiverRating, "a waiver rating from 1 to 5"},
    {"Policy.PremiumMode", IsMode, "a premium mode: A, S, Q, M or D"},
    {"BRLN.PrintOpts", IsPrintOption, "a print option: C, I or B"},
    {"comp_Code", IsCompany, "a carrier code: BRLN, QNBY, TVNY or TVNB"},
}};

}  // namespace

std::optional<double> NumberIn(std::string_view text) {
    text = Trim(text);
    double value = 0;
    // Plain decimals only: no exponent, no "inf" or "nan".
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool IsRelayFlag(std::string_view key) {
    return std::any_of(kFlagKeys.begin(), kFlagKeys.end(),
                       [&](std::string_view flag) { return EqualNoCase(flag, Trim(key)); });
}

bool RelayFlag(std::string_view value) { return FlagOf(value).value_or(false); }

std::string_view RelayListSeparator(std::string_view key) {
    for (const auto& [list, separator] : kListKeys)
        if (EqualNoCase(list, Trim(key))) return separator;
    return {};
}

std::optional<std::int32_t> RelayClassCode(std::string_view code) { return Decode(kClassCodes, code); }

std::optional<std::string_view> RelayTableRating(std::string_view value) {
    const std::string_view trimmed = Trim(value);
    if (EqualNoCase(trimmed, "None")) return "None";
    // "2.50" is table 2.5 as well.
    const auto number = NumberIn(trimmed);
    for (const auto& [text, rating] : kTableRatings) {
        if (text == trimmed || (number && NumberIn(text) == number)) return rating;
    }
    return std::nullopt;
}

std::optional<std::int32_t> RelayPaymentMode(std::string_view code) { return Decode(kPaymentModes, code); }

std::optional<std::int32_t> RelayPrintOption(std::string_view code) { return Decode(kPrintOptions, code); }

std::optional<std::int32_t> RelayCompany(std::string_view code) { return Decode(kCompanies, code); }

std::optional<double> RelayWaiverRating(std::string_view value) {
    const auto rating = WholeIn(value, 0, static_cast<double>(kWaiverRatings.size() - 1));
    if (!rating) return std::nullopt;
    return kWaiverRatings[static_cast<std::size_t>(*rating)];
}

std::optional<std::string_view> RelayTableNumber(std::string_view rating) {
    for (const auto& [text, name] : kTableRatings)
        if (!text.empty() && name == rating) return text;
    return std::nullopt;
}

std::string_view RelayCompanyCode(std::int32_t company) {
    for (const auto& row : kCompanies)
        if (row.code == company) return row.text;
    return {};
}

std::optional<std::int32_t> RelayWaiverCode(double rating) {
    // Code 0 is the standard rating's other spelling: 1 is the one written.
    for (std::size_t code = 1; code < kWaiverRatings.size(); ++code)
        if (kWaiverRatings[code] == rating) return static_cast<std::int32_t>(code);
    return std::nullopt;
}

std::optional<TemporaryExtra> RelayTemporaryExtra(std::string_view value) {
    std::array<std::string_view, 3> parts{};
    std::string_view rest = value;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const auto cut = rest.find(kExtraSeparator);
        if ((cut == std::string_view::npos) != (i + 1 == parts.size())) return std::nullopt;
        parts[i] = rest.substr(0, cut);
        if (cut != std::string_view::npos) rest.remove_prefix(cut + kExtraSeparator.size());
    }
    const auto first = WholeIn(parts[0], 1, kLastPolicyYear);
    const auto last = WholeIn(parts[1], 1, kLastPolicyYear);
    const auto amount = NumberIn(parts[2]);
    if (!first || !last || !amount || !IsFlatExtra(*amount)) return std::nullopt;
    return TemporaryExtra{*amount, std::abs(*first - *last) + 1};
}

std::optional<std::int32_t> RelayFaceAmount(std::string_view value) {
    // Digits alone: "250,000", "$250000" and "1e6" are not taken for amounts.
    const std::string_view trimmed = Trim(value);
    const std::string_view digits = trimmed.substr(0, trimmed.find('.'));
    const std::string_view cents = trimmed.substr(digits.size());
    const auto isDigits = [](std::string_view text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!isDigits(digits) || (!cents.empty() && cents.find_first_not_of('0', 1) != std::string_view::npos))
        return std::nullopt;
    return WholeIn(digits, 0, 2147483647.0);
}

std::span<const InputRule> RelayInputRules() { return kRules; }

const InputRule& RelayInputRule(std::string_view key) {
    return *std::find_if(kRules.begin(), kRules.end(),
                         [&](const InputRule& rule) { return rule.key == key; });
}

bool IsTemporaryExtraYears(std::string_view value) { return WholeIn(value, 1, kLastPolicyYear).has_value(); }

bool IsFlatExtraAmount(std::string_view value) {
    const auto amount = NumberIn(value);
    return amount && IsFlatExtra(*amount);
}

bool FaceAmountLimits::Take(std::int32_t face) const { return face >= minimum && face <= kMaximumFaceAmount; }

std::string FaceAmountLimits::Expected() const {
    return "a face amount from $" + FormatAmount(minimum, 0) + " to $" + FormatAmount(kMaximumFaceAmount, 0) +
           (limitedBy.empty() ? "" : " for " + limitedBy);
}

FaceAmountLimits FaceAmountLimitsOf(const ClientCase& client) {
    const IllustrationOptions& options = client.Proposal();
    FaceAmountLimits limits{kMinimumFaceAmount, ""};
    for (std::size_t i = 0; i < options.ProductCount(); ++i) {
        const std::int32_t product = options.ProdChoices()[i];
        const std::int32_t productMinimum = MinimumFaceAmount(product, options.Company(), client.State());
        if (productMinimum > limits.minimum || limits.limitedBy.empty()) {
            limits.minimum = std::max(limits.minimum, productMinimum);
            limits.limitedBy = ProductTitle(product, options.Company());
        }
    }
    return limits;
}

std::vector<std::string> CaseInputProblems(const ClientCase& client) {
    std::vector<std::string> problems;
    const auto check = [&](bool taken, std::string_view key, const std::string& value) {
        if (!taken) problems.push_back(InputMessage(key, value, RelayInputRule(key).expected));
    };
    check(client.Age() >= 0 && client.Age() <= kOldestAge, "Insured.Age", std::to_string(client.Age()));
    check(IsFlatExtra(client.PermFlatExtra()), "Insured.ExtraPerm", FixedText(client.PermFlatExtra(), 2));
    check(IsFlatExtra(client.TempFlatExtra()) && client.TempFlatExtraYears() >= 0 &&
              client.TempFlatExtraYears() <= kLastPolicyYear,
          "Insured.ExtraTemp",
          "1\u00FC" + std::to_string(client.TempFlatExtraYears()) + "\u00FC" +
              FixedText(client.TempFlatExtra(), 2));
    check(!client.ChildRider() ||
              (client.ChildRiderUnits() >= 0 && client.ChildRiderUnits() <= kMostChildUnits),
          "Rider.CTR.Amt", std::to_string(client.ChildRiderUnits()));
    const FaceAmountLimits limits = FaceAmountLimitsOf(client);
    for (std::size_t i = 0; i < client.Proposal().FaceAmountCount(); ++i) {
        const std::int32_t face = client.Proposal().GetFaceAmount(i);
        if (!limits.Take(face))
            problems.push_back(InputMessage("Policy.FaceAmount", std::to_string(face), limits.Expected()));
    }
    return problems;
}

std::string InputMessage(std::string_view key, std::string_view value, std::string_view expected) {
    return std::string(key) + ": \"" + std::string(value.substr(0, 40)) + "\" is not " +
           std::string(expected) + ".";
}

}  // namespace quoravel
