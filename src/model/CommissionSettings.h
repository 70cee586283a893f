#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "UserCopy.h"

namespace quoravel {

// The broker commission percentages by commission row, from TermComm.ini:
// the user's own copy when there is one, else the program folder's.
class CommissionSettings {
public:
    static constexpr std::int16_t FirstYear = 0;
    static constexpr std::int16_t Renewal = 1;
    static constexpr std::int16_t FirstYearMax = 2;
    static constexpr std::int16_t RenewalMax = 3;
    static constexpr int kRows = 26;

    // Reads TermComm.ini; a section that is not a row number 0-25 raises a
    // RuntimeError naming the file and the section.
    explicit CommissionSettings(const std::string& programFolder, const std::string& userFolder = "");

    // An empty cell reads 0. A column or row out of range raises "Subscript out of range".
    double CommisionValue(std::int16_t column, int row) const;
    bool HasCommisionValue(std::int16_t column, int row) const;
    void SetCommisionValue(std::int16_t column, int row, double value);

    // Writes FirstYear and Renewal of every row into the user's copy; the
    // maxima and every other line stay as the file has them.
    void Save() const;

private:
    std::optional<double>& Cell(std::int16_t column, int row);
    const std::optional<double>& Cell(std::int16_t column, int row) const;

    UserCopy file_;
    std::array<std::array<std::optional<double>, 4>, kRows> cells_{};
};

}  // namespace quoravel
