#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "RateImpact.h"

namespace quoravel {

// Exit codes of `quoravel impact`.
namespace ImpactCode {
inline constexpr int Priced = 0;        // every product of every case priced on both sets
inline constexpr int SomeUnpriced = 1;  // a line not priced on a set, or a report not written
inline constexpr int BadCommand = 2;    // a bad command line, rate folder or case file
}  // namespace ImpactCode

// `quoravel impact --old-rates DIR --new-rates DIR [--csv FILE] [--pdf FILE]
// CASEFILE...`: every product and face amount of every case of the case
// files priced on both rate sets, one CSV line each on `out` (or in the
// --csv file) and, with --pdf, the report as a PDF (which needs a
// QGuiApplication). `progress`: a progress bar on `err` while pricing.
// The issue rules' settings (states.ini) come from `programFolder`.
int RunImpact(const std::vector<std::string>& arguments, const std::string& programFolder, std::ostream& out,
              std::ostream& err, bool progress);

// The CSV of the lines, under a header of column names.
std::string ImpactCsv(const std::vector<ImpactLine>& lines);

}  // namespace quoravel
