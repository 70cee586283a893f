#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quoravel {

// A calendar date held as a day number counted from 30 December 1899, the
// epoch of the stored case files: day 0 is the "zero date" that means no
// birth date was entered.
class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(std::int32_t serial) : serial_(serial) {}
    static Date FromYmd(int year, int month, int day);
    // The local calendar day of the system clock.
    static Date Today();

    std::int32_t Serial() const { return serial_; }
    bool IsZero() const { return serial_ == 0; }
    int Year() const;
    int Month() const;
    int Day() const;

    // "yyyy-mm-dd"
    std::string Iso() const;
    // "m/d/yyyy", the way dates are shown to the user.
    std::string Text() const;

    // Accepts "yyyy-mm-dd" and "m/d/yyyy"; a two-digit year 00-29 is 20xx,
    // 30-99 is 19xx. Surrounding blanks are ignored; impossible dates fail.
    static std::optional<Date> Parse(std::string_view text);

    friend bool operator==(Date, Date) = default;
    friend auto operator<=>(Date, Date) = default;

private:
    std::int32_t serial_ = 0;
};

bool IsValidYmd(int year, int month, int day);

// Adds whole years; 29 February falls back to 28 February in common years.
Date AddYears(Date date, int years);
// Adds whole months; a day the month lacks falls back to its last day.
Date AddMonths(Date date, int months);

// The insurance age, age nearest birthday: the calendar years between the
// dates, one less when this year's anniversary is still 183 days or more
// ahead, one more when it passed 183 days or more ago.
std::int16_t AgeFromBirthDate(Date birth, Date today);

}  // namespace quoravel
