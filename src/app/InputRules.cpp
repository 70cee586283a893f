#include "InputRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "ProductCatalogue.h"
#include "Riders.h"
#include "Rounding.h"
#include "Text.h"

namespace quoravel {
namespace {

constexpr double kMaxFlatExtra = 99.99;

std::optional<double> NumberOf(std::string_view text) {
    std::string plain;
    for (char c : Trim(text)) {
        if (c != ',' && c != '$') plain += c;
    }
    if (plain.empty()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
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

FaceAmountEntry CheckFaceAmount(std::string_view text, bool inHouse) {
    if (Trim(text).empty()) return {true, ""};
    const std::optional<double> amount = NumberOf(text);
    if (!amount) return {false, std::string(text)};
    // The case keeps face amounts as 32-bit numbers, in-house mode included.
    double value = std::clamp(round(0, *amount), 0.0, double{std::numeric_limits<std::int32_t>::max()});
    if (!inHouse) {
        if (value > kMaximumFaceAmount) value = kMaximumFaceAmount;
        if (value >= 1 && value < kHigherMinimumFaceAmount) value = kHigherMinimumFaceAmount;
    }
    return {true, std::to_string(static_cast<std::int32_t>(value))};
}

std::string CheckFlatExtra(std::string_view text) {
    // A flat extra only ever adds to the premium.
    const double value = std::clamp(NumberOf(text).value_or(0), 0.0, kMaxFlatExtra);
    return FormatAmount(value, 2);
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
