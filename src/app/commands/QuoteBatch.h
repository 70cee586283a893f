#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quoravel {

// Whether the words after "quote" ask for a batch (`--csv FILE`).
bool IsQuoteBatch(const std::vector<std::string>& arguments);

// `quoravel quote --csv FILE|- [--format csv|jsonl]`: many clients, one a
// CSV row under a header of input names, quoted on `workers` processes;
// one result row per client and product on `out`, in the order of the
// clients, each with its client's row number (1 for the first row under the
// header). A bad row gives an error row and the batch goes on. Exit code 0
// when every row was quoted, 1 when a row was not, 2 for a bad command line
// or header, told on `err`.
int RunQuoteBatch(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
                  std::ostream& err, const std::string& programFolder, int workers);

}  // namespace quoravel
