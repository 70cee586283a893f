#include "PrintedLedgerCheck.h"

#include <algorithm>
#include <sstream>

#include "Text.h"

namespace quoravel {
namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// A ledger row as a reader sees it: figures only (a year, an age, amounts),
// where the lines around the rows hold words.
bool IsRowLine(const std::vector<std::string>& words) {
    return words.size() >= 2 && std::ranges::all_of(words, [](const std::string& word) {
               return std::isdigit(static_cast<unsigned char>(word.front())) &&
                      word.find_first_not_of("0123456789,.") == std::string::npos;
           });
}

// Compares one printed row with the row the ledger holds: the cells left
// empty (a product that no longer covers the year) print nothing.
void CompareRow(std::vector<PrintedDifference>& differences, const PrintedLedger& ledger, int page,
                const std::vector<std::string>& expected, const std::vector<std::string>& printed) {
    const int year = std::stoi(expected.front());
    std::size_t word = 0;
    for (std::size_t cell = 0; cell < expected.size(); ++cell) {
        if (expected[cell].empty()) continue;
        const std::string shown = word < printed.size() ? printed[word] : std::string();
        ++word;
        if (shown != expected[cell])
            differences.push_back({page, year, ledger.cells[cell], shown, expected[cell]});
    }
    for (; word < printed.size(); ++word)
        differences.push_back({page, year, "beyond the last column", printed[word], ""});
}

// The lines of a ledger's page other than its rows that state its figures:
// the column headings and a single quote's first-year total.
void CompareHeadings(std::vector<PrintedDifference>& differences, const PrintedLedger& ledger, int page,
                     const std::string& text) {
    std::istringstream lines(text);
    bool headingsSeen = false;
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> words = Words(line);
        if (!headingsSeen && !words.empty() && words.front() == "Year") {
            headingsSeen = true;
            const std::string expected = Join(Words(Join(ledger.headings, " ")), " ");
            if (Join(words, " ") != expected)
                differences.push_back({page, 0, "column headings", Join(words, " "), expected});
        }
        const std::size_t total = line.find("Total First-Year Premium:");
        if (total != std::string::npos && !ledger.firstYearTotal.empty()) {
            const std::vector<std::string> after = Words(line.substr(total + 25));
            const std::string shown = after.empty() ? std::string() : after.front();
            if (shown != ledger.firstYearTotal)
                differences.push_back({page, 1, "total first-year premium", shown, ledger.firstYearTotal});
        }
    }
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
    const auto missing = [&] {
        for (; row < ledgers[ledger].rows.size(); ++row)
            differences.push_back({0, static_cast<int>(row + 1), "year", "", std::to_string(row + 1)});
    };
    for (std::size_t page = 0; page < pages.size(); ++page) {
        const int number = static_cast<int>(page + 1);
        const bool ledgerPage = std::ranges::any_of(
            ledgers, [&](const PrintedLedger& l) { return pages[page].find(l.title) != std::string::npos; });
        // A ledger's rows stand on the pages that carry its title.
        if (!ledgerPage) continue;
        std::istringstream lines(pages[page]);
        for (std::string line; std::getline(lines, line);) {
            const std::vector<std::string> words = Words(line);
            if (!IsRowLine(words)) continue;
            // Rows the proposal does not print: a page added after its ledgers.
            if (ledger == ledgers.size()) {
                differences.push_back(
                    {number, 0, "a row no ledger of the proposal prints", Join(words, " "), ""});
                continue;
            }
            // The next ledger starts at its first year.
            if (row > 0 && words.front() == "1") {
                missing();
                nextLedger();
                if (ledger == ledgers.size()) {
                    differences.push_back(
                        {number, 0, "a row no ledger of the proposal prints", Join(words, " "), ""});
                    continue;
                }
            }
            // A ledger's headings stand over its first row.
            if (row == 0) CompareHeadings(differences, ledgers[ledger], number, pages[page]);
            // Rows are taken in their order, so a year printed otherwise is named too.
            CompareRow(differences, ledgers[ledger], number, ledgers[ledger].rows[row], words);
            if (++row == ledgers[ledger].rows.size()) nextLedger();
        }
    }
    for (; ledger < ledgers.size(); nextLedger()) missing();
    return differences;
}

std::vector<PrintedDifference> ComparePrintedCase(const std::vector<std::string>& pages,
                                                  const std::string& name, const std::string& datePrepared) {
    std::vector<PrintedDifference> differences;
    if (!name.empty() && std::ranges::none_of(pages, [&](const std::string& page) {
            return page.find(name) != std::string::npos;
        }))
        differences.push_back({0, 0, "the insured's name", "", name});
    constexpr std::string_view kDate = "Date Prepared:";
    for (std::size_t page = 0; page < pages.size(); ++page) {
        const std::size_t at = pages[page].find(kDate);
        if (at == std::string::npos) continue;
        const std::vector<std::string> after = Words(pages[page].substr(at + kDate.size(), 40));
        const std::string shown = after.empty() ? std::string() : after.front();
        if (shown == datePrepared) continue;
        differences.push_back({static_cast<int>(page + 1), 0, "date prepared", shown, datePrepared});
        break;  // every page says the same: once is enough
    }
    return differences;
}

}  // namespace quoravel
