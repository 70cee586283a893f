#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Date.h"

namespace quoravel {

// The main window's input rules, apart from the widgets that show them.

// The birth date field on leaving it: empty (the age is typed instead), a
// date accepted, or refused. A date later than today is taken a hundred
// years earlier (a two-digit year that reads as a future year is 19xx); a
// date a hundred years or more before today is refused.
struct BirthDateEntry {
    enum Kind { Empty, Accepted, Refused } kind = Empty;
    Date date;
};
BirthDateEntry ReadBirthDate(std::string_view text, Date today);
// "mm/dd/yyyy"
std::string BirthDateText(Date date);

// An age the window accepts: 0 to 99.
bool IsValidAge(long age);

// The window's numbers are the numbers a relay case takes: a field a relay
// case would refuse refuses the proposal, with a message naming the field
// and the value as the relay's does (`Face amount: "1e6" is not a face
// amount in whole dollars.`). Each gives "" for a value taken.
// The age: missing, or not a whole number from 0 to 99.
std::string AgeProblem(std::string_view text);
// A face amount in whole dollars; "$" and thousands commas may be typed.
// Empty is no amount.
std::string FaceAmountProblem(std::string_view field, std::string_view text);
// A flat extra per $1,000: 0 to 99.99 in whole cents; empty is none.
std::string FlatExtraProblem(std::string_view field, std::string_view text);
// The years of the temporary flat extra: a whole number to 100; empty is none.
std::string ExtraYearsProblem(std::string_view field, std::string_view text);

// The amount a face amount field holds; 0 when empty or refused.
std::int32_t FaceAmountOf(std::string_view text);

// A face amount field on leaving it: refused (FaceAmountProblem), or the
// whole amount in the limits that apply outside in-house mode: 1 to 49,999
// is raised to 50,000, more than 100,000,000 lowered to it. Empty stays empty.
struct FaceAmountEntry {
    std::string problem;
    std::string text;
};
FaceAmountEntry CheckFaceAmount(std::string_view field, std::string_view text, bool inHouse);

// A flat extra field on leaving it: refused (FlatExtraProblem), else in the
// "0.00" form, empty as 0.00.
struct FlatExtraEntry {
    std::string problem;
    std::string text;
};
FlatExtraEntry CheckFlatExtra(std::string_view field, std::string_view text);

// The texts of the window's lists, in list order; the position is the code
// the case stores (payment modes apart: see PaymentModeOf).
inline constexpr std::array<const char*, 9> kClassificationNames{
    "Pref. Elite No Nicotine Use", "Pref. Best No Nicotine Use", "Pref. No Nicotine Use",
    "Select No Nicotine Use",      "Standard No Nicotine Use",   "Pref. Nicotine Use",
    "Standard Nicotine Use",       "Custom No Nicotine Use",     "Custom Nicotine Use"};
inline constexpr std::array<const char*, 5> kWaiverRatings{"Not Rated", "Rated 150%", "Rated 200%",
                                                           "Rated 250%", "Rated 300%"};
inline constexpr const char* kDirectMonthly = "Direct Monthly";

// Class code of a classification text; 0 for any other text.
std::int32_t ClassificationOf(std::string_view text);
// Payment mode code of a list text: "Annual" 0, "Semi-Annual" 1,
// "Quarterly" 2, "Direct Monthly" 3, "Special Monthly" 4; any other 0.
std::int32_t PaymentModeOf(std::string_view text);
std::string PaymentModeText(std::int32_t mode);
// The list offered: "Direct Monthly" only in in-house mode.
std::array<const char*, 4> OrdinaryPaymentModes();
// Waiver rating factor of a list position: 1.5, 2.0, 2.5, 3.0 for 1-4, else 1.0.
double WaiverRatingOf(int position);
int WaiverRatingPosition(double rating);
// "0 units", "1 unit", "2 units" …
std::string ChildUnitsText(int units);
// Table ratings that leave the waiver available: "None" to "D".
bool WaiverAllowsTableRating(std::string_view rating);

}  // namespace quoravel
