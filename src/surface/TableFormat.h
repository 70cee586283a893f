#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

// The table format mini-language: columns separated by "|", each
//   [+] alignment [!] width
// alignment: "<" left, "^" centred, ">" right, "=" a long text column
// (wrapped by words, left-aligned); "+" gives the cells an inner padding of 60 twips on
// each side; "!" leaves the column out of the table's rules (no border lines
// around its cells); the width is twips ("1800") or a length with a unit
// ("1.5in", "2.54cm", "25.4mm", "72pt", "1440tw"). A column with no
// alignment is left-aligned; "0!" is an empty spacer column.
struct TableColumn {
    char align = '<';
    bool padded = false;
    bool noRules = false;
    double width = 0;  // twips
};

struct TableFormat {
    std::vector<TableColumn> columns;
    double Width() const;
};

// Raises a RuntimeError naming the format and the column that is wrong: an
// empty format, an unknown alignment or a width that is not a length.
TableFormat ParseTableFormat(std::string_view format);
// "1.5in" → 2160; nothing when the text is not a length.
bool ParseLength(std::string_view text, double& twips);

}  // namespace quoravel
