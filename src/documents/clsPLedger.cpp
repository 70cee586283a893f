#include "clsPLedger.h"

#include <cstdlib>

#include "PrintSurface.h"
#include "Rounding.h"
#include "Value.h"
#include "clsPrint.h"

namespace quoravel {
namespace {

constexpr int kJustify = 7;
constexpr const char* kTitleFormat = "+<5760";
constexpr const char* kBreakdownFormat = "+<2880|+>1800";
constexpr const char* kIndexFormat = "+<4320|+<1440";
constexpr int kNoBorder = 0;
constexpr int kBoxBorder = 7;
constexpr int kIndexBlockLines = 6;

// An amount text that is empty or not a number counts as 0.
double Number(const std::string& text) { return text.empty() ? 0.0 : std::strtod(text.c_str(), nullptr); }

// A waiver rated 150 % reads "150", not "150.000000".
std::string Percent(double fraction) { return NumberText(fraction * 100); }

// Titles and breakdown rows stand without rules, whatever the page before left set.
void PrintTitle(clsPrint& print, const std::string& title) {
    print.SetTableBorder(kNoBorder);
    print.SetTextAlign(kJustify);
    print.SetFontUnderline(true);
    print.SetFontBold(true);
    print.addTable(kTitleFormat, "", title);
    print.SetFontUnderline(false);
    print.SetFontBold(false);
}

}  // namespace

int clsPLedger::printHeader(clsPrint& print, bool firstPage) {
    if (!ledgerHeader_ || !firstPage) return 0;
    PrintTitle(print, "First Year Annual Premium");

    const double waiverRate = Number(waiverPercent_);
    const std::string waiverLabel =
        waiverRate <= 1 ? "Waiver:" : "Waiver (Rated " + Percent(waiverRate) + "%):";
    const std::string childLabel = "Child rider ($" + FormatAmount(Number(childUnits_) * 1000, 0) + "):";
    const struct {
        std::string label;
        const std::string& amount;
    } parts[] = {
        {"Base Premium:", basePremium_},
        {"Rated Class (" + tableNumber_ + "):", ratedClass_},
        {"Temporary Flat Extra (" + tempExtraYrs_ + " yrs):", tempExtra_},
        {"Permanent Flat Extra:", permExtra_},
        {waiverLabel, waiverRating_},
        {childLabel, childRider_},
    };
    double total = 0;
    for (const auto& part : parts) {
        const double amount = Number(part.amount);
        total += amount;
        // The base premium is always shown; a rider or extra only when charged.
        if (part.amount.empty() || (&part != &parts[0] && amount <= 0)) continue;
        print.addTable(kBreakdownFormat, "", part.label + "|" + FormatAmount(amount, 2));
    }
    print.addTable(kBreakdownFormat, "", "Total First-Year Premium:|$" + FormatAmount(total, 2));
    print.Paragraph("");
    return kHeaderLines;
}

void clsPLedger::printFooter(clsPrint& print, bool lastPage) {
    if (!ledgerFooter_) return;
    print.Paragraph("");
    if (!lastPage) return;
    // The title, its two rows and the blanks around them stay on one page.
    print.printHandle().KeepTogether(kIndexBlockLines);
    print.Paragraph("");
    PrintTitle(print, "5% Interest Adjusted Indices");
    print.SetTableBorder(kBoxBorder);
    const auto indexRow = [](int years, const std::string& netPayment, const std::string& surrenderCost) {
        return std::to_string(years) + " Year Net Payment/Surrender Cost|" +
               FormatAmount(Number(netPayment), 2) + " / " + FormatAmount(Number(surrenderCost), 2);
    };
    print.addTable(kIndexFormat, "", indexRow(10, yr10NetPay_, yr10SurrCost_));
    print.addTable(kIndexFormat, "", indexRow(20, yr20NetPay_, yr20SurrCost_));
    print.Paragraph("");
}

}  // namespace quoravel
