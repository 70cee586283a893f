#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "RateImpact.h"

#include "CommandTable.h"

namespace quoravel {

// Exit codes of `quoravel impact`.
namespace ImpactCode {
inline constexpr int Complete = 0;  // every case compared, or listed with the reason it was refused
// A rate file of a set or a case record could not be read, or a report not written.
inline constexpr int SomethingUnread = 1;
inline constexpr int BadCommand = 2;  // a bad command line, rate folder or case file
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

// `quoravel impact ...`.
int ImpactCommand(CommandLine& line);

}  // namespace quoravel
