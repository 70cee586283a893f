#include <gtest/gtest.h>

#include "InputRules.h"

namespace quoravel {
namespace {

Date D(int y, int m, int d) { return Date::FromYmd(y, m, d); }

// A birth date in 1980 whose anniversary this year lies `days` after today.
Date BornWithAnniversaryIn(Date today, int days) {
    const Date anniversary(today.Serial() + days);
    return D(1980, anniversary.Month(), anniversary.Day());
}

TEST(AgeFromBirthDate, RoundsToTheNearestBirthday) {
    // 29 February: the anniversary of 2007 falls on 28 February, one day past.
    EXPECT_EQ(AgeFromBirthDate(D(1960, 2, 29), D(2007, 3, 1)), 47);
    const Date june = D(2026, 6, 1), december = D(2026, 12, 6);
    EXPECT_EQ(AgeFromBirthDate(BornWithAnniversaryIn(june, 200), june), 45);
    EXPECT_EQ(AgeFromBirthDate(BornWithAnniversaryIn(june, 182), june), 46);
    EXPECT_EQ(AgeFromBirthDate(BornWithAnniversaryIn(december, -183), december), 47);
    EXPECT_EQ(AgeFromBirthDate(BornWithAnniversaryIn(december, -182), december), 46);
}

TEST(BirthDateField, FutureDatesAreALifetimeEarlierAndTheCenturyBackIsRefused) {
    const Date today = D(2026, 12, 6);
    const BirthDateEntry twoDigit = ReadBirthDate("01/01/30", today);
    ASSERT_EQ(twoDigit.kind, BirthDateEntry::Accepted);
    EXPECT_EQ(twoDigit.date, D(1930, 1, 1));
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

TEST(AmountFields, FaceAmountsAndFlatExtrasAreKeptInTheirLimits) {
    EXPECT_EQ(CheckFaceAmount("20000", false).text, "50000");
    EXPECT_EQ(CheckFaceAmount("150,000,000", false).text, "100000000");
    EXPECT_EQ(CheckFaceAmount("250000", false).text, "250000");
    EXPECT_EQ(CheckFaceAmount("0", false).text, "0");
    EXPECT_EQ(CheckFaceAmount("", false).text, "");
    EXPECT_EQ(CheckFaceAmount("20000", true).text, "20000");
    EXPECT_EQ(CheckFaceAmount("150000000", true).text, "150000000");
    EXPECT_EQ(CheckFaceAmount("9e99", true).text, "2147483647");
    EXPECT_FALSE(CheckFaceAmount("100k", false).numeric);

    EXPECT_EQ(CheckFlatExtra(""), "0.00");
    EXPECT_EQ(CheckFlatExtra("abc"), "0.00");
    EXPECT_EQ(CheckFlatExtra("2.5"), "2.50");
    EXPECT_EQ(CheckFlatExtra("99.99"), "99.99");
    EXPECT_EQ(CheckFlatExtra("120"), "99.99");
    EXPECT_EQ(CheckFlatExtra("-3"), "0.00");
}

}  // namespace
}  // namespace quoravel
