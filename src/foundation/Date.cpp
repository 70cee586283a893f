#include "Date.h"

#include <charconv>
#include <cstdio>
#include <ctime>

#include "Text.h"

namespace quoravel {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
constexpr std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Ymd {
    int year;
    int month;
    int day;
};

constexpr Ymd CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

constexpr std::int64_t kEpoch = DaysFromCivil(1899, 12, 30);

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    if (text.empty()) return std::nullopt;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

bool IsValidYmd(int year, int month, int day) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= last;
}

Date AddYears(Date date, int years) { return AddMonths(date, 12 * years); }

Date AddMonths(Date date, int months) {
    const int count = date.Year() * 12 + date.Month() - 1 + months;
    const int year = count / 12;
    const int month = count % 12 + 1;
    int day = date.Day();
    while (!IsValidYmd(year, month, day)) --day;
    return Date::FromYmd(year, month, day);
}

std::int16_t AgeFromBirthDate(Date birth, Date today) {
    constexpr int kDaysToRoundAge = 183;
    const int years = today.Year() - birth.Year();
    const Date anniversary = AddYears(birth, years);
    if (anniversary > today) {
        return static_cast<std::int16_t>(anniversary.Serial() - today.Serial() >= kDaysToRoundAge ? years - 1
                                                                                                  : years);
    }
    return static_cast<std::int16_t>(today.Serial() - anniversary.Serial() >= kDaysToRoundAge ? years + 1
                                                                                              : years);
}

Date Date::FromYmd(int year, int month, int day) {
    return Date(static_cast<std::int32_t>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch));
}

Date Date::Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return FromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

int Date::Year() const { return CivilFromDays(serial_ + kEpoch).year; }
int Date::Month() const { return CivilFromDays(serial_ + kEpoch).month; }
int Date::Day() const { return CivilFromDays(serial_ + kEpoch).day; }

std::string Date::Iso() const {
    const Ymd ymd = CivilFromDays(serial_ + kEpoch);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", ymd.year, ymd.month, ymd.day);
    return buf;
}

std::string Date::Text() const {
    const Ymd ymd = CivilFromDays(serial_ + kEpoch);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d/%d/%04d", ymd.month, ymd.day, ymd.year);
    return buf;
}

std::optional<Date> Date::Parse(std::string_view text) {
    text = Trim(text);
    int year = 0;
    int month = 0;
    int day = 0;
    if (auto dash = text.find('-'); dash != std::string_view::npos) {
        const auto dash2 = text.find('-', dash + 1);
        if (dash2 == std::string_view::npos) return std::nullopt;
        auto y = ParseInt(text.substr(0, dash));
        auto m = ParseInt(text.substr(dash + 1, dash2 - dash - 1));
        auto d = ParseInt(text.substr(dash2 + 1));
        if (!y || !m || !d || dash != 4) return std::nullopt;
        year = *y, month = *m, day = *d;
    } else if (auto slash = text.find('/'); slash != std::string_view::npos) {
        const auto slash2 = text.find('/', slash + 1);
        if (slash2 == std::string_view::npos) return std::nullopt;
        auto m = ParseInt(text.substr(0, slash));
        auto d = ParseInt(text.substr(slash + 1, slash2 - slash - 1));
        const auto yearText = text.substr(slash2 + 1);
        auto y = ParseInt(yearText);
        if (!y || !m || !d) return std::nullopt;
        year = *y, month = *m, day = *d;
        if (yearText.size() <= 2)
            year += year < 30 ? 2000 : 1900;
        else if (yearText.size() != 4)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    if (!IsValidYmd(year, month, day)) return std::nullopt;
    return FromYmd(year, month, day);
}

}  // namespace quoravel
