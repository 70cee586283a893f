#include "LedgerPage.h"

#include "PrintSurface.h"
#include "ProposalPrinter.h"
#include "Rounding.h"
#include "Value.h"

namespace quoravel {
namespace {

constexpr int kJustify = 7;
constexpr const char* kTitleFormat = "+<5760";
constexpr const char* kBreakdownFormat = "+<2880|+>1800";
constexpr const char* kIndexFormat = "+<4320|+<1440";
constexpr int kNoBorder = 0;
constexpr int kBoxBorder = 7;
// The index block: blanks around it, its title and two boxed rows; the
// title and the rows are table rows with gaps of their own.
constexpr std::size_t kIndexBlockLines = 6;
constexpr std::size_t kIndexBlockRows = 3;
constexpr double kGapBelowTitle = 60;

// A waiver rated 150 % reads "150", not "150.000000".
std::string Percent(double fraction) { return NumberText(fraction * 100); }

// Titles and breakdown rows stand without rules, whatever the page before left set.
void PrintTitle(ProposalPrinter& print, const std::string& title) {
    print.SetTableBorder(kNoBorder);
    print.SetTextAlign(kJustify);
    print.SetFontUnderline(true);
    print.SetFontBold(true);
    print.AddTable(kTitleFormat, "", title);
    print.SetFontUnderline(false);
    print.SetFontBold(false);
}

}  // namespace

int LedgerPage::PrintHeader(ProposalPrinter& print, bool firstPage) {
    if (!ledgerHeader_ || !firstPage) return 0;
    PrintTitle(print, "First Year Annual Premium");

    const double waiverRate = labels_.waiverRating;
    const std::string waiverLabel =
        waiverRate <= 1 ? "Waiver:" : "Waiver (Rated " + Percent(waiverRate) + "%):";
    const std::string childLabel = "Child rider ($" + FormatAmount(labels_.childUnits * 1000.0, 0) + "):";
    const struct {
        std::string label;
        double amount;
    } parts[] = {
        {"Base Premium:", firstYear_.base},
        {"Rated Class (" + labels_.tableRating + "):", firstYear_.tableExtra},
        {"Temporary Flat Extra (" + std::to_string(labels_.tempExtraYears) + " yrs):",
         firstYear_.tempFlatExtra},
        {"Permanent Flat Extra:", firstYear_.permFlatExtra},
        {waiverLabel, firstYear_.waiver},
        {childLabel, firstYear_.childRider},
    };
    for (const auto& part : parts) {
        // The base premium is always shown; a rider or extra only when charged.
        if (&part != &parts[0] && part.amount <= 0) continue;
        print.AddTable(kBreakdownFormat, "", part.label + "|" + FormatAmount(part.amount, 2));
    }
    print.AddTable(kBreakdownFormat, "", "Total First-Year Premium:|$" + FormatAmount(firstYear_.Total(), 2));
    print.Paragraph("");
    return kHeaderLines;
}

void LedgerPage::PrintFooter(ProposalPrinter& print, bool lastPage) {
    if (!ledgerFooter_) return;
    print.Paragraph("");
    if (!lastPage) return;
    // The title, its two rows and the blanks around them stay on one page.
    PrintSurface& surface = print.Surface();
    surface.KeepTogether(kIndexBlockLines, kIndexBlockRows);
    print.Paragraph("");
    PrintTitle(print, "5% Interest Adjusted Indices");
    // The title's underline keeps clear of the box below it.
    surface.SetCurrentY(surface.CurrentY() + kGapBelowTitle);
    print.SetTableBorder(kBoxBorder);
    const auto indexRow = [](int years, const CostIndex& index) {
        return std::to_string(years) + " Year Net Payment/Surrender Cost|" +
               FormatAmount(index.netPayment, 2) + " / " + FormatAmount(index.surrenderCost, 2);
    };
    print.AddTable(kIndexFormat, "", indexRow(10, indices_.tenYear));
    print.AddTable(kIndexFormat, "", indexRow(20, indices_.twentyYear));
    print.Paragraph("");
}

}  // namespace quoravel
