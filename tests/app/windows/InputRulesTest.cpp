#include <gtest/gtest.h>

#include "InputRules.h"

namespace quoravel {
namespace {

Date D(int y, int m, int d) { return Date::FromYmd(y, m, d); }

TEST(AgeFromBirthDate, RoundsToTheNearestBirthday) {
    // 29 February: the anniversary of 2007 falls on 28 February, one day past.
    EXPECT_EQ(AgeFromBirthDate(D(1960, 2, 29), D(2007, 3, 1)), 47);
    // On 2026-12-06 the birthday of 6 June lies 183 days back, that of 7 June 182.
    EXPECT_EQ(AgeFromBirthDate(D(1980, 6, 6), D(2026, 12, 6)), 47);
    EXPECT_EQ(AgeFromBirthDate(D(1980, 6, 7), D(2026, 12, 6)), 46);
}

TEST(BirthDateField, FutureDatesAreALifetimeEarlierAndTheCenturyBackIsRefused) {
    const Date today = D(2026, 12, 6);
    EXPECT_EQ(ReadBirthDate("03/15/2031", today).date, D(1931, 3, 15));
    EXPECT_EQ(ReadBirthDate("12/07/1926", today).kind, BirthDateEntry::Accepted);
    for (const char* refused : {"12/06/1926", "02/30/1990", "13/01/1990", "1990-01-01", "hello", "01/01/199",
                                // still in the future a century earlier: no age from 0 to 100
                                "01/01/2975", "12/07/2126"}) {
        EXPECT_EQ(ReadBirthDate(refused, today).kind, BirthDateEntry::Refused) << refused;
    }
    for (const char* empty : {"", "//", "__/__/____", "00/00/00", "00/00/0000"}) {
        EXPECT_EQ(ReadBirthDate(empty, today).kind, BirthDateEntry::Empty) << empty;
    }
    EXPECT_EQ(BirthDateText(D(1960, 2, 9)), "02/09/1960");
}

// The window reads its numbers with the relay's readers, whose refusals the relay's own table of refused
// cases lists. What is the window's own: the signs a broker types, the limits outside in-house mode, the
// form a field is shown in, the empty field, the age limit of 99 and the years of a temporary extra.
TEST(AmountFields, TheWindowTakesTheNumbersARelayCaseTakes) {
    const auto face = [](const char* text, bool inHouse = false) {
        const FaceAmountEntry entry = CheckFaceAmount("Face amount", text, inHouse);
        return entry.problem.empty() ? entry.text : entry.problem;
    };
    const auto years = [](const char* text) { return ExtraYearsProblem("Years", text); };
    const std::pair<std::string, std::string> rows[] = {
        {face("49999"), "50000"},                // raised to the window's lowest amount
        {face("$150,000,000"), "100000000"},     // typed with its signs, lowered to the highest
        {face("150000000", true), "150000000"},  // in-house: the amount as typed
        {face("250000.00") + "|" + face("0") + "|" + face(""), "250000|0|"},
        {face("250000.50"), "Face amount: \"250000.50\" is not a face amount in whole dollars."},
        {face("9e99", true), "Face amount: \"9e99\" is not a face amount in whole dollars."},
        {CheckFlatExtra("Permanent flat extra", "2.5").text + "|" + CheckFlatExtra("", "").text, "2.50|0.00"},
        {CheckFlatExtra("Permanent flat extra", "3,50").problem,
         "Permanent flat extra: \"3,50\" is not an amount from 0 to 99.99 per $1,000."},
        {years("2.5"), "Years: \"2.5\" is not a number of years from 1 to 100."},
        {years("101"), "Years: \"101\" is not a number of years from 1 to 100."},
        {AgeProblem(""), "Age: the insured's age is missing."},
        {AgeProblem("100"), "Age: \"100\" is not an age from 0 to 99."},
        {AgeProblem("4.5"), "Age: \"4.5\" is not an age from 0 to 99."},
        {years("") + years("0") + years("1") + years("100") + AgeProblem("0") + AgeProblem("99"), ""},
    };
    for (const auto& [got, expected] : rows) EXPECT_EQ(got, expected);
}

}  // namespace
}  // namespace quoravel
