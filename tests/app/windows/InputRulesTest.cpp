#include <gtest/gtest.h>

#include <tuple>

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

// The window's numbers are those a relay case takes: what the relay refuses
// is refused with the relay's wording; what it takes, the window keeps in
// its own limits.
TEST(AmountFields, TheWindowTakesTheNumbersARelayCaseTakes) {
    using Kept = std::tuple<const char*, const char*, bool>;  // typed, kept, in-house
    for (const auto& [text, kept, inHouse] : std::initializer_list<Kept>{
             {"49999", "50000", false},            // raised to the window's lowest amount
             {"150,000,000", "100000000", false},  // lowered to its highest
             {"$250,000", "250000", false},        // typed with its signs
             {"250000.00", "250000", false},
             {"0", "0", false},
             {"", "", false},
             {"150000000", "150000000", true},  // in-house: the amount as typed
         }) {
        const FaceAmountEntry entry = CheckFaceAmount("Face amount", text, inHouse);
        EXPECT_EQ(entry.problem, "") << text;
        EXPECT_EQ(entry.text, kept) << text;
    }
    for (const auto& [text, inHouse] : std::initializer_list<std::pair<const char*, bool>>{
             {"-100000", false}, {"1e6", false}, {"250000.50", false}, {"100k", false}, {"9e99", true}})
        EXPECT_EQ(CheckFaceAmount("Face amount", text, inHouse).problem,
                  "Face amount: \"" + std::string(text) + "\" is not a face amount in whole dollars.");

    for (const auto& [text, kept] : std::initializer_list<std::pair<const char*, const char*>>{
             {"", "0.00"}, {"2.5", "2.50"}, {"99.99", "99.99"}, {"0", "0.00"}})
        EXPECT_EQ(CheckFlatExtra("Permanent flat extra", text).text, kept) << text;
    for (const char* refused : {"3,50", "120", "-3", "abc", "2.505"})
        EXPECT_EQ(CheckFlatExtra("Permanent flat extra", refused).problem,
                  "Permanent flat extra: \"" + std::string(refused) +
                      "\" is not an amount from 0 to 99.99 per $1,000.");

    EXPECT_EQ(ExtraYearsProblem("Years", "2.5"), "Years: \"2.5\" is not a number of years from 1 to 100.");
    EXPECT_NE(ExtraYearsProblem("Years", "101"), "");
    for (const char* taken : {"", "0", "1", "100"}) EXPECT_EQ(ExtraYearsProblem("Years", taken), "") << taken;

    EXPECT_EQ(AgeProblem(""), "Age: the insured's age is missing.");
    EXPECT_EQ(AgeProblem("100"), "Age: \"100\" is not an age from 0 to 99.");
    EXPECT_NE(AgeProblem("4.5"), "");
    EXPECT_EQ(AgeProblem("0"), "");
    EXPECT_EQ(AgeProblem("99"), "");
}

}  // namespace
}  // namespace quoravel
