#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "ProcessValues.h"

#include "CommandTable.h"

namespace quoravel {

// What is wrong with the names given after --relay, "" when nothing is: none
// at all, "-" beside other names, or an option where a folder belongs.
std::string BatchNamesProblem(const std::vector<std::string>& names);

// The folders of a batch: the command line's, or with the single name "-"
// one a line from `in` (lines of blanks skipped). A folder named twice is run
// once.
std::vector<std::string> BatchFolders(const std::vector<std::string>& names, std::istream& in);

// Many relay folders in one command, for an outside system that illustrates
// thousands of cases: each folder is a relay run of its own, leaving its
// answer, logs and page files as a single run would. Worker processes, one a
// core, each start Qt once and run folder after folder; a folder whose run
// ends abnormally takes only its worker down, which is replaced. One line a
// folder goes to `out` as each finishes: the folder, its "Status" (or
// "none" when it could not be answered) and the seconds it took, separated
// by tabs. Returns 0 when every folder was answered, else ExitCode::NoAnswer.
// `process` carries the version text; argc and argv start each worker's Qt.
int RunRelayBatch(const ProcessValues& process, const std::vector<std::string>& folders, int workers,
                  std::ostream& out, std::ostream& diagnostics, int argc, char** argv);

// `quoravel --relay FOLDER...|-`.
int RelayBatchCommand(CommandLine& line);

}  // namespace quoravel
