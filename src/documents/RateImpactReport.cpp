#include "RateImpactReport.h"

#include <algorithm>

#include "PrintSurface.h"
#include "Rounding.h"

namespace quoravel {
namespace {

constexpr double kMargin = 720;
constexpr double kBodySize = 8;
// Case, product, face, old and new first-year premium, change, percent, largest yearly change.
constexpr const char* kSummaryFormat = "+<2100|+<1450|+>1150|+>1150|+>1150|+>1050|+>800|+>1950";
constexpr const char* kSummaryHeader =
    "Case|Product|Face|Old first year|New first year|Change|Change %|Largest yearly change";
constexpr const char* kUnpricedFormat = "+<2100|+<1450|+>1150|+=6100";
constexpr const char* kUnpricedHeader = "Case|Product|Face|Not priced because";
// The yearly premiums of a line, in three groups of year, old, new and change side by side.
constexpr int kYearGroups = 3;
constexpr const char* kYearsFormat =
    "+>500|+>1000|+>1000|+>1000|0!|+>500|+>1000|+>1000|+>1000|0!|+>500|+>1000|+>1000|+>1000";
constexpr const char* kYearsHeader = "Year|Old|New|Change||Year|Old|New|Change||Year|Old|New|Change";

std::string Dollars(double amount) { return FormatAmount(round(2, amount), 2); }

std::string Percent(double percent) { return SignedAmount(percent) + "%"; }

std::string Row(const std::vector<std::string>& cells) {
    std::string row;
    for (const std::string& cell : cells) row += (row.empty() ? "" : "|") + cell;
    return row;
}

std::string Body(const std::vector<std::string>& rows) {
    std::string body;
    for (const std::string& row : rows) body += (body.empty() ? "" : ";") + row;
    return body;
}

// Table cells are split at "|" and ";": a name or reason keeps them as look-alikes.
std::string Cell(std::string text) {
    std::ranges::replace(text, '|', '/');
    std::ranges::replace(text, ';', ',');
    return text;
}

std::string CaseCell(const ImpactLine& line) { return Cell(line.name); }

std::string FaceCell(const ImpactLine& line) { return "$" + FormatAmount(line.faceAmount, 0); }

void Heading(PrintSurface& surface, const std::string& text) {
    surface.SetFontSize(11);
    surface.SetFontBold(true);
    surface.Paragraph(text);
    surface.SetFontBold(false);
    surface.SetFontSize(kBodySize);
}

void Title(PrintSurface& surface, const ImpactReportHeading& heading, const std::vector<ImpactLine>& lines) {
    surface.SetFontSize(14);
    surface.SetFontBold(true);
    surface.Paragraph("Rate change impact");
    surface.SetFontBold(false);
    surface.SetFontSize(9);
    surface.Paragraph("Rates in force: " + heading.oldRates);
    surface.Paragraph("New rates: " + heading.newRates);
    std::string files;
    for (const std::string& file : heading.caseFiles) files += (files.empty() ? "" : ", ") + file;
    surface.Paragraph("Case files: " + files);
    const auto unpriced = std::ranges::count_if(lines, [](const ImpactLine& line) { return !line.Priced(); });
    surface.Paragraph("Priced " + heading.date + ": " + std::to_string(lines.size()) +
                      " products and face amounts, " + std::to_string(std::ssize(lines) - unpriced) +
                      " priced on both sets, " + std::to_string(unpriced) + " not.");
    surface.Paragraph("");
}

void Summary(PrintSurface& surface, const std::vector<const ImpactLine*>& sorted) {
    Heading(surface, "Summary, largest yearly change first");
    std::vector<std::string> rows;
    for (const ImpactLine* line : sorted) {
        if (!line->Priced()) continue;
        const int year = line->LargestChangeYear();
        rows.push_back(Row(
            {CaseCell(*line), line->productName, FaceCell(*line), Dollars(line->OldFirstYear()),
             Dollars(line->NewFirstYear()), SignedAmount(line->Change()), Percent(line->ChangePercent()),
             year == 0 ? "none" : SignedAmount(line->LargestChange()) + " in year " + std::to_string(year)}));
    }
    if (rows.empty()) rows.push_back("No line was priced on both rate sets.|||||||");
    surface.AddTable(kSummaryFormat, kSummaryHeader, Body(rows));
    surface.Paragraph("");
}

void Unpriced(PrintSurface& surface, const std::vector<ImpactLine>& lines) {
    std::vector<std::string> rows;
    for (const ImpactLine& line : lines)
        if (!line.Priced())
            rows.push_back(Row({CaseCell(line), line.productName, FaceCell(line), Cell(line.problem)}));
    if (rows.empty()) return;
    Heading(surface, "Not priced on both rate sets");
    surface.AddTable(kUnpricedFormat, kUnpricedHeader, Body(rows));
    surface.Paragraph("");
}

void YearlyPremiums(PrintSurface& surface, const ImpactLine& line) {
    const std::size_t years = std::min(line.oldYearly.size(), line.newYearly.size());
    const std::size_t rowCount = (years + kYearGroups - 1) / kYearGroups;
    surface.KeepTogether(3, std::min<std::size_t>(rowCount, 6));
    surface.SetFontBold(true);
    surface.Paragraph(line.name + ": " + line.productName + ", " + FaceCell(line));
    surface.SetFontBold(false);
    std::vector<std::string> rows;
    for (std::size_t row = 0; row < rowCount; ++row) {
        std::vector<std::string> cells;
        for (std::size_t group = 0; group < kYearGroups; ++group) {
            const std::size_t year = row + group * rowCount;
            if (group > 0) cells.emplace_back();
            if (year >= years) {
                cells.insert(cells.end(), 4, "");
                continue;
            }
            cells.push_back(std::to_string(year + 1));
            cells.push_back(Dollars(line.oldYearly[year]));
            cells.push_back(Dollars(line.newYearly[year]));
            cells.push_back(SignedAmount(round(2, line.newYearly[year]) - round(2, line.oldYearly[year])));
        }
        rows.push_back(Row(cells));
    }
    surface.AddTable(kYearsFormat, kYearsHeader, Body(rows));
    surface.Paragraph("");
}

}  // namespace

std::string SignedAmount(double amount) {
    const double cents = round(2, amount);
    return (cents > 0 ? "+" : cents < 0 ? "-" : "") + FormatAmount(cents < 0 ? -cents : cents, 2);
}

Document RateImpactReport(const std::vector<ImpactLine>& lines, const ImpactReportHeading& heading) {
    PrintSurface surface;
    surface.SetMargins(kMargin, kMargin, kMargin, kMargin);
    surface.SetDocumentInfo(
        {"Rate change impact", "", "Premiums of saved cases on two rate sets", "Quoravel", ""});
    surface.StartDoc();
    surface.SetTableBorder(2);
    Title(surface, heading, lines);
    Summary(surface, ByLargestChange(lines));
    Unpriced(surface, lines);
    if (std::ranges::any_of(lines, &ImpactLine::Priced)) {
        surface.NewPage();
        Heading(surface, "Yearly premiums");
        for (const ImpactLine& line : lines)
            if (line.Priced()) YearlyPremiums(surface, line);
    }
    surface.EndDoc();
    // The page numbers, once the pages are counted.
    const int pages = surface.PageCount();
    for (int page = 1; page <= pages; ++page) {
        surface.StartOverlay(page);
        surface.SetFontSize(kBodySize);
        surface.SetTextAlign(PrintSurface::AlignRight);
        surface.SetCurrentY(surface.PageHeight() - kMargin + 240);
        surface.Paragraph("Rate change impact, page " + std::to_string(page) + " of " +
                          std::to_string(pages));
        surface.EndOverlay();
    }
    return surface.GetDocument();
}

}  // namespace quoravel
