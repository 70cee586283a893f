#include "InputRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "ProductCatalogue.h"
#include "RelayInputs.h"
#include "Riders.h"
#include "Rounding.h"
#include "Text.h"

namespace quoravel {
namespace {

// Brokers type face amounts with a dollar sign and thousands commas.
std::string WithoutAmountSigns(std::string_view text) {
    std::string plain;
    for (char c : Trim(text)) {
        if (c != ',' && c != '$') plain += c;
    }
    return plain;
}

struct ModeText {
    const char* text;
    std::int32_t code;
};
constexpr std::array<ModeText, 5> kPaymentModes{
    {{"Annual", 0}, {"Semi-Annual", 1}, {"Quarterly", 2}, {"Special Monthly", 4}, {kDirectMonthly, 3}}};

}  // namespace

BirthDateEntry ReadBirthDate(std::string_view text, Date today) {
    std::string typed;
    for (char c : text) {
        if (c != '_' && c != ' ') typed += c;
    }
    if (typed.empty() || typed == "//" || typed == "00/00/00" || typed == "00/00/0000") return {};
    // Only month/day/year is a birth date here, whatever Date::Parse also takes.
    if (std::count(typed.begin(), typed.end(), '/') != 2 || typed.find('-') != std::string::npos) {
        return {BirthDateEntry::Refused, {}};
    }
    std::optional<Date> date = Date::Parse(typed);
    if (!date) return {BirthDateEntry::Refused, {}};
    if (*date > today) date = AddYears(*date, -100);
    // What is still to come a century earlier gives no age at all.
    if (*date > today || *date <= AddYears(today, -100)) return {BirthDateEntry::Refused, {}};
    return {BirthDateEntry::Accepted, *date};
}

std::string BirthDateText(Date date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.Month(), date.Day(), date.Year());
    return text;
}

bool IsValidAge(long age) { return age >= 0 && age < 100; }

std::string AgeProblem(std::string_view text) {
    constexpr int kWindowOldestAge = 99;
    if (Trim(text).empty()) return "Age: the insured's age is missing.";
    const auto age = NumberIn(text);
    if (age && *age == std::floor(*age) && IsValidAge(static_cast<long>(*age))) return "";
    return InputMessage("Age", text, "an age from 0 to " + std::to_string(kWindowOldestAge));
}

std::string FaceAmountProblem(std::string_view field, std::string_view text) {
    if (Trim(text).empty() || RelayFaceAmount(WithoutAmountSigns(text))) return "";
    return InputMessage(field, text, RelayInputRule("Policy.FaceAmount").expected);
}

std::string FlatExtraProblem(std::string_view field, std::string_view text) {
    if (Trim(text).empty() || IsFlatExtraAmount(text)) return "";
    return InputMessage(field, text, RelayInputRule("Insured.ExtraPerm").expected);
}

std::string ExtraYearsProblem(std::string_view field, std::string_view text) {
    if (Trim(text).empty() || Trim(text) == "0" || IsTemporaryExtraYears(text)) return "";
    return InputMessage(field, text, "a number of years from 1 to 100");
}

std::int32_t FaceAmountOf(std::string_view text) {
    return RelayFaceAmount(WithoutAmountSigns(text)).value_or(0);
}

FaceAmountEntry CheckFaceAmount(std::string_view field, std::string_view text, bool inHouse) {
    if (Trim(text).empty()) return {};
    if (std::string problem = FaceAmountProblem(field, text); !problem.empty())
        return {problem, std::string(text)};
    // The case keeps face amounts as 32-bit numbers, in-house mode included.
    std::int32_t value = *RelayFaceAmount(WithoutAmountSigns(text));
    if (!inHouse) {
        if (value > kMaximumFaceAmount) value = kMaximumFaceAmount;
        if (value >= 1 && value < kHigherMinimumFaceAmount) value = kHigherMinimumFaceAmount;
    }
    return {"", std::to_string(value)};
}

FlatExtraEntry CheckFlatExtra(std::string_view field, std::string_view text) {
    if (std::string problem = FlatExtraProblem(field, text); !problem.empty())
        return {problem, std::string(text)};
    return {"", FormatAmount(NumberIn(text).value_or(0), 2)};
}

std::int32_t ClassificationOf(std::string_view text) {
    const auto found = std::find(kClassificationNames.begin(), kClassificationNames.end(), text);
    return found == kClassificationNames.end()
               ? 0
               : static_cast<std::int32_t>(found - kClassificationNames.begin());
}

std::int32_t PaymentModeOf(std::string_view text) {
    for (const ModeText& mode : kPaymentModes) {
        if (text == mode.text) return mode.code;
    }
    return 0;
}

std::string PaymentModeText(std::int32_t mode) {
    for (const ModeText& entry : kPaymentModes) {
        if (entry.code == mode) return entry.text;
    }
    return kPaymentModes[0].text;
}

std::array<const char*, 4> OrdinaryPaymentModes() {
    return {kPaymentModes[0].text, kPaymentModes[1].text, kPaymentModes[2].text, kPaymentModes[3].text};
}

double WaiverRatingOf(int position) { return position >= 1 && position <= 4 ? 1.0 + 0.5 * position : 1.0; }

int WaiverRatingPosition(double rating) {
    for (int position = 1; position <= 4; ++position) {
        if (std::abs(WaiverRatingOf(position) - rating) < 1e-9) return position;
    }
    return 0;
}

std::string ChildUnitsText(int units) { return std::to_string(units) + (units == 1 ? " unit" : " units"); }

bool WaiverAllowsTableRating(std::string_view rating) {
    return rating == "None" || std::find(kWaiverTableRatings.begin(), kWaiverTableRatings.end(), rating) !=
                                   kWaiverTableRatings.end();
}

}  // namespace quoravel
