#include "TableFormat.h"

#include <array>
#include <charconv>

#include "RuntimeError.h"
#include "Text.h"

namespace quoravel {
namespace {

struct Unit {
    std::string_view suffix;
    double twips;
};

constexpr std::array<Unit, 5> kUnits{
    {{"in", 1440}, {"cm", 1440 / 2.54}, {"mm", 144 / 2.54}, {"pt", 20}, {"tw", 1}}};

[[noreturn]] void Refuse(std::string_view format, std::size_t column, const std::string& why) {
    throw RuntimeError(
        ErrorNumber::InvalidProcedureCall, "PrintSurface",
        "Table format \"" + std::string(format) + "\", column " + std::to_string(column) + ": " + why);
}

}  // namespace

double TableFormat::Width() const {
    double width = 0;
    for (const auto& column : columns) width += column.width;
    return width;
}

bool ParseLength(std::string_view text, double& twips) {
    text = Trim(text);
    double scale = 1;
    for (const auto& unit : kUnits) {
        if (text.size() > unit.suffix.size() &&
            EqualNoCase(text.substr(text.size() - unit.suffix.size()), unit.suffix)) {
            scale = unit.twips;
            text.remove_suffix(unit.suffix.size());
            break;
        }
    }
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0 || value > 1e6) {
        return false;
    }
    twips = value * scale;
    return true;
}

TableFormat ParseTableFormat(std::string_view format) {
    if (Trim(format).empty()) Refuse(format, 0, "the format has no columns.");
    TableFormat table;
    std::size_t start = 0;
    for (std::size_t number = 1;; ++number) {
        const std::size_t bar = format.find('|', start);
        std::string_view spec = Trim(format.substr(start, bar == std::string_view::npos ? bar : bar - start));
        TableColumn column;
        // Flags and alignment come first; "!" may also follow the width.
        for (bool more = true; more && !spec.empty();) {
            switch (spec.front()) {
                case '+':
                    column.padded = true;
                    break;
                case '!':
                    column.noRules = true;
                    break;
                case '<':
                case '^':
                case '>':
                case '=':
                    column.align = spec.front();
                    break;
                default:
                    more = false;
                    continue;
            }
            spec.remove_prefix(1);
        }
        if (!spec.empty() && spec.back() == '!') {
            column.noRules = true;
            spec.remove_suffix(1);
        }
        if (!ParseLength(spec, column.width)) {
            Refuse(format, number,
                   spec.empty() ? "no width." : "\"" + std::string(spec) + "\" is not a width.");
        }
        table.columns.push_back(column);
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    return table;
}

}  // namespace quoravel
