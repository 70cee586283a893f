#include "PrintedLedgerCheck.h"

#include <sstream>

namespace quoravel {
namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// Compares one printed row with the row the ledger holds: the cells left
// empty (a product that no longer covers the year) print nothing.
void CompareRow(std::vector<PrintedDifference>& differences, const PrintedLedger& ledger, int page,
                const std::vector<std::string>& expected, const std::vector<std::string>& printed) {
    std::size_t word = 0;
    for (std::size_t cell = 0; cell < expected.size(); ++cell) {
        if (expected[cell].empty()) continue;
        const std::string shown = word < printed.size() ? printed[word] : std::string();
        ++word;
        if (shown != expected[cell])
            differences.push_back(
                {page, std::stoi(expected.front()), ledger.cells[cell], shown, expected[cell]});
    }
    for (; word < printed.size(); ++word)
        differences.push_back(
            {page, std::stoi(expected.front()), "beyond the last column", printed[word], ""});
}

}  // namespace

std::vector<PrintedDifference> ComparePrintedLedgers(const std::vector<std::string>& pages,
                                                     const std::vector<PrintedLedger>& ledgers) {
    std::vector<PrintedDifference> differences;
    std::size_t ledger = 0;
    std::size_t row = 0;  // the next row of `ledger` to find
    // A ledger without a year to show prints no row.
    const auto nextLedger = [&] {
        do ++ledger;
        while (ledger < ledgers.size() && ledgers[ledger].rows.empty());
        row = 0;
    };
    if (!ledgers.empty() && ledgers.front().rows.empty()) nextLedger();
    for (std::size_t page = 0; page < pages.size() && ledger < ledgers.size(); ++page) {
        // A ledger's rows stand on the pages that carry its title.
        if (pages[page].find(ledgers[ledger].title) == std::string::npos) continue;
        std::istringstream lines(pages[page]);
        for (std::string line; std::getline(lines, line) && ledger < ledgers.size();) {
            const std::vector<std::string> words = Words(line);
            if (words.empty()) continue;
            // The next ledger starts at its first year.
            if (row > 0 && words.front() == "1" && ledger + 1 < ledgers.size()) {
                for (; row < ledgers[ledger].rows.size(); ++row)
                    differences.push_back(
                        {0, static_cast<int>(row + 1), "year", "", std::to_string(row + 1)});
                nextLedger();
                if (ledger == ledgers.size()) break;
            }
            const PrintedLedger& current = ledgers[ledger];
            if (row >= current.rows.size() || words.front() != current.rows[row].front()) continue;
            CompareRow(differences, current, static_cast<int>(page + 1), current.rows[row], words);
            if (++row == current.rows.size()) nextLedger();
        }
    }
    for (; ledger < ledgers.size(); ++ledger, row = 0)
        for (; row < ledgers[ledger].rows.size(); ++row)
            differences.push_back({0, static_cast<int>(row + 1), "year", "", std::to_string(row + 1)});
    return differences;
}

}  // namespace quoravel
