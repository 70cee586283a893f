#include "CommissionSettings.h"

#include <charconv>
#include <filesystem>
#include <utility>

#include "IniFile.h"
#include "RuntimeError.h"
#include "Text.h"

namespace quoravel {
namespace {

constexpr const char* kFileName = "TermComm.ini";
constexpr std::array<const char*, 4> kColumnKeys{"FirstYear", "Renewal", "FirstYearMax", "RenewalMax"};

IniFile CommissionFile(const std::filesystem::path& path) {
    IniFile file;
    file.SetPathname(path.parent_path().string());
    file.SetFilename(path.filename().string());
    return file;
}

std::optional<int> RowNumber(const std::string& section) {
    int row = -1;
    auto [end, ec] = std::from_chars(section.data(), section.data() + section.size(), row);
    if (section.empty() || ec != std::errc() || end != section.data() + section.size()) return std::nullopt;
    if (row < 0 || row >= CommissionSettings::kRows) return std::nullopt;
    return row;
}

std::optional<std::int16_t> ColumnOfKey(const std::string& key) {
    for (std::size_t column = 0; column < kColumnKeys.size(); ++column) {
        if (EqualNoCase(key, kColumnKeys[column])) return static_cast<std::int16_t>(column);
    }
    return std::nullopt;
}

}  // namespace

CommissionSettings::CommissionSettings(const std::string& programFolder, const std::string& userFolder)
    : file_(userFolder, programFolder, kFileName) {
    IniFile file = CommissionFile(file_.ReadPath());
    file.HoldInMemory();  // a hundred reads of one small file
    for (const auto& section : file.Sections()) {
        const auto row = RowNumber(section);
        if (!row) {
            throw RuntimeError(ErrorNumber::SubscriptOutOfRange, "cCommision",
                               file.FullPath() + ": section \"" + section +
                                   "\" is not a commission row (a whole number from 0 to 25).");
        }
        file.SetSection(section);
        for (const auto& key : file.Keys()) {
            const auto column = ColumnOfKey(key);
            if (!column) continue;
            const Value value = file.ReadINI(key, IniFile::Number, Value());
            if (value.IsNumber())
                cells_[static_cast<std::size_t>(*row)][static_cast<std::size_t>(*column)] = value.Number();
        }
    }
}

const std::optional<double>& CommissionSettings::Cell(std::int16_t column, int row) const {
    if (column < 0 || column > RenewalMax || row < 0 || row >= kRows) {
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange, "cCommision", "Subscript out of range");
    }
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

std::optional<double>& CommissionSettings::Cell(std::int16_t column, int row) {
    return const_cast<std::optional<double>&>(std::as_const(*this).Cell(column, row));
}

double CommissionSettings::CommisionValue(std::int16_t column, int row) const {
    return Cell(column, row).value_or(0);
}

bool CommissionSettings::HasCommisionValue(std::int16_t column, int row) const {
    return Cell(column, row).has_value();
}

void CommissionSettings::SetCommisionValue(std::int16_t column, int row, double value) {
    Cell(column, row) = value;
}

void CommissionSettings::Save() const {
    IniFile file = CommissionFile(file_.WritePath(true));
    file.SetBooleanDefaultTrue(Value(true));
    file.SetBooleanDefaultFalse(Value(false));
    for (int row = 0; row < kRows; ++row) {
        file.SetSection(std::to_string(row));
        for (std::int16_t column : {FirstYear, Renewal}) {
            const auto& cell = Cell(column, row);
            file.WriteINI(kColumnKeys[static_cast<std::size_t>(column)], cell ? Value(*cell) : Value(),
                          IniFile::Text);
        }
    }
}

}  // namespace quoravel
