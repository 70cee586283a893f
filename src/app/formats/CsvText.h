#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

// A field as a CSV file holds it: quoted when it has a comma, a quote or a line end.
std::string CsvField(const std::string& text);

// The records of a CSV text: fields split at commas, quoted fields may hold
// commas, doubled quotes and line ends; CR LF ends a record as LF does.
// Records of no text at all are left out.
std::vector<std::vector<std::string>> CsvRecords(std::string_view text);

}  // namespace quoravel
